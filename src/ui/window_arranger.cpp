#include "ui/window_arranger.hpp"

#include "ui/qt_text.hpp"

#include "store/settings_store.hpp"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringList>

#include <optional>

namespace ombrelune {
namespace {

constexpr std::string_view areaKey = "fenetres/zone";

std::string windowKey(const QString& key) {
    return "fenetres/" + utf8(key);
}

// "x,y,width,height" then, for a window, its state: n normal, m minimised, x maximised,
// h hidden.
QString rectText(const QRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

std::optional<std::vector<int>> numbers(const QStringList& parts, int count) {
    if (parts.size() < count) return {};
    std::vector<int> out;
    for (int k = 0; k < count; ++k) {
        bool ok = false;
        out.push_back(parts[k].toInt(&ok));
        if (!ok) return {};
    }
    return out;
}

QChar stateLetter(const QMdiSubWindow& frame) {
    if (frame.isHidden()) return QLatin1Char('h');
    if (frame.isMinimized()) return QLatin1Char('m');
    if (frame.isMaximized()) return QLatin1Char('x');
    return QLatin1Char('n');
}

void applyState(QMdiSubWindow& frame, QChar state) {
    switch (state.toLatin1()) {
    case 'h':
        frame.hide();
        break;
    case 'm':
        frame.showMinimized();
        break;
    case 'x':
        frame.showMaximized();
        break;
    default:
        frame.show();
        break;
    }
}

} // namespace

WindowArranger::WindowArranger(QMdiArea* area)
    : QObject(area), area_(area), viewport_(area->viewport()) {
    viewport_->installEventFilter(this);
}

void WindowArranger::add(QMdiSubWindow* frame, WindowRole role, const QString& key,
                         bool shownAtStart) {
    known_.push_back({frame, role, key, shownAtStart, frame->geometry()});
    frame->installEventFilter(this);
}

WindowArranger::Known* WindowArranger::find(const QObject* frame) {
    for (Known& k : known_)
        if (k.frame == frame) return &k;
    return nullptr;
}

WindowRole WindowArranger::roleOf(const QMdiSubWindow* frame) const {
    for (const Known& k : known_)
        if (k.frame == frame) return k.role;
    return WindowRole::view;
}

QSize WindowArranger::areaSize() const {
    return viewport_->size();
}

void WindowArranger::place(const std::vector<QMdiSubWindow*>& frames) {
    std::vector<WindowRole> roles;
    for (const QMdiSubWindow* frame : frames) roles.push_back(roleOf(frame));
    const std::vector<QRect> rects = tiledLayout(areaSize(), roles);
    for (std::size_t k = 0; k < frames.size(); ++k) {
        if (frames[k]->isMaximized()) frames[k]->showNormal();
        frames[k]->setGeometry(rects[k]);
    }
}

void WindowArranger::tile() {
    std::vector<QMdiSubWindow*> frames;
    for (QMdiSubWindow* frame : area_->subWindowList())
        if (!frame->isHidden() && !frame->isMinimized()) frames.push_back(frame);
    place(frames);
    remember(Mode::tiled);
}

void WindowArranger::cascade() {
    area_->cascadeSubWindows();
    remember(Mode::none);
}

void WindowArranger::arrangeDefault() {
    std::vector<QMdiSubWindow*> frames;
    for (const Known& k : known_) {
        if (!k.frame) continue;
        if (k.shownAtStart)
            k.frame->showNormal();
        else
            k.frame->hide();
        frames.push_back(k.frame);
    }
    place(frames);
    remember(Mode::defaults);
}

QRect WindowArranger::newViewGeometry(int n) const {
    const QSize area = areaSize();
    const QRect column = tiledLayout(area, {WindowRole::journal, WindowRole::edit,
                                            WindowRole::interpreter, WindowRole::view})[3];
    const int step = 24 * n;
    const QRect view(column.x() + step, column.y() + step, column.width(), column.height() * 2 / 3);
    return scaledInto(view, area, area);
}

void WindowArranger::save(SettingsStore& settings) const {
    const QSize area = areaSize();
    settings.write(areaKey, utf8(QStringLiteral("%1,%2").arg(area.width()).arg(area.height())));
    for (const Known& k : known_) {
        if (!k.frame || k.key.isEmpty()) continue;
        const bool normal = !k.frame->isMinimized() && !k.frame->isMaximized();
        const QRect geometry = normal ? k.frame->geometry() : k.normal;
        settings.write(windowKey(k.key), utf8(rectText(geometry) + ',' + stateLetter(*k.frame)));
    }
}

bool WindowArranger::restore(SettingsStore& settings) {
    const auto area = numbers(qs(settings.read(areaKey)).split(QLatin1Char(',')), 2);
    if (!area || (*area)[0] <= 0 || (*area)[1] <= 0) return false;
    const QSize savedArea((*area)[0], (*area)[1]);
    for (const Known& k : known_) {
        if (!k.frame || k.key.isEmpty()) continue;
        const QStringList parts = qs(settings.read(windowKey(k.key))).split(QLatin1Char(','));
        const auto r = numbers(parts, 4);
        if (!r || parts.size() != 5 || (*r)[2] <= 0 || (*r)[3] <= 0) continue;
        if (k.frame->isMinimized() || k.frame->isMaximized()) k.frame->showNormal();
        k.frame->setGeometry(
            scaledInto(QRect((*r)[0], (*r)[1], (*r)[2], (*r)[3]), savedArea, areaSize()));
        applyState(*k.frame, parts[4].at(0));
    }
    restoredFrom_ = &settings;
    remember(Mode::restored);
    return true;
}

void WindowArranger::remember(Mode mode) {
    mode_ = mode;
    placed_.clear();
    if (mode == Mode::none) return;
    for (QMdiSubWindow* frame : area_->subWindowList())
        placed_.push_back({frame, frame->geometry(), frame->windowState(), frame->isHidden()});
}

bool WindowArranger::untouched() const {
    if (placed_.size() != static_cast<std::size_t>(area_->subWindowList().size())) return false;
    for (const Placed& p : placed_)
        if (!p.frame || p.frame->isHidden() != p.hidden || p.frame->windowState() != p.state ||
            (!p.hidden && !(p.state & Qt::WindowMinimized) && p.frame->geometry() != p.geometry))
            return false;
    return true;
}

bool WindowArranger::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == viewport_) {
        if (type == QEvent::Resize && mode_ != Mode::none && untouched()) switch (mode_) {
            case Mode::tiled:
                tile();
                break;
            case Mode::defaults:
                arrangeDefault();
                break;
            case Mode::restored:
                restore(*restoredFrom_);
                break;
            case Mode::none:
                break;
            }
    } else if (type == QEvent::Move || type == QEvent::Resize) {
        auto* frame = qobject_cast<QMdiSubWindow*>(watched);
        if (Known* k = find(watched); k && frame && !frame->isMinimized() && !frame->isMaximized())
            k->normal = frame->geometry();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ombrelune
