#include "ui/main_window.hpp"

#include "ui/about_box.hpp"
#include "ui/child_windows.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/dialog_service.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/help_window.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/journal_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/multimemo.hpp"
#include "ui/operation_dialog.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"
#include "ui/graph2d_form.hpp"
#include "ui/view_placeholder.hpp"
#include "ui/window_arranger.hpp"

#include "store/saved_spectra.hpp"
#include "store/settings_store.hpp"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTimer>

#include <tuple>

namespace ombrelune {
namespace {

constexpr std::string_view paceKey = "interpreteur/pas";

} // namespace

Tprincipalform::Tprincipalform(AppContext& context, ChildMakers makers)
    : context_(context), wb_(context.wb()), dialogs_(context.dialogs()), makers_(std::move(makers)),
      mdi_(new QMdiArea(this)), arranger_(new WindowArranger(mdi_)) {
    if (!makers_.view1D)
        makers_.view1D = [](Tprincipalform& w) -> QWidget* { return new Tgraph1dform(w.context()); };
    if (!makers_.view2D)
        makers_.view2D = [](Tprincipalform& w) -> QWidget* { return w.makeImageView(); };
    setObjectName(QStringLiteral("principalform"));
    setWindowTitle(QStringLiteral("Ombrelune"));
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    resize(1280, 900);

    createDefaultSpectra(wb_);
    setWindowState(windowState() | Qt::WindowMaximized);
    createWindows();
    buildMenus();
}

QMdiSubWindow* Tprincipalform::addChild(QWidget* widget, const QRect& geometry,
                                        bool deleteOnClose) {
    auto* frame = new QMdiSubWindow;
    frame->setWidget(widget);
    frame->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    mdi_->addSubWindow(frame);
    frame->setGeometry(geometry);
    return frame;
}

QMdiSubWindow* Tprincipalform::addHiddenChild(QWidget* widget, const QRect& geometry) {
    QMdiSubWindow* frame = addChild(widget, geometry);
    frame->hide();
    return frame;
}

void Tprincipalform::createWindows() {
    auto* minimiseOnClose = new MinimiseOnClose(this);
    // Shown, lasting for the whole run, and placed by the arranger under its object name.
    auto addLasting = [&](QWidget* widget, const QRect& geometry, WindowRole role) {
        QMdiSubWindow* frame = addChild(widget, geometry);
        widget->installEventFilter(minimiseOnClose);
        frame->show();
        arranger_->add(frame, role, widget->objectName(), true);
    };

    // The journal comes first: every window after it may write to it.
    journal_ = new Tboitnoir(wb_.journal, dialogs_);
    addLasting(journal_, {0, 0, 468, 387}, WindowRole::journal);
    edit_ = new Tdataeditform(wb_, dialogs_);
    addLasting(edit_, {0, 0, 520, 270}, WindowRole::edit);
    operation_ = new Tdialogaddform(wb_, dialogs_, this);
    for (const ChildMaker* maker : {&makers_.view1D, &makers_.view2D})
        if (*maker) {
            QWidget* view = (*maker)(*this);
            addLasting(view, view->geometry(), WindowRole::view);
        }
    interpreter_ = new Tinterpreteurform(context_);
    addLasting(interpreter_, {0, 401, 520, 270}, WindowRole::interpreter);
    createListWindows();
    about_ = new TAboutBox(this);
    QWidget* fitting = makers_.fitting ? makers_.fitting(*this) : makeFittingWindow();
    addLasting(fitting, fitting->geometry(), WindowRole::fitting);
}

void Tprincipalform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (arrangedAtStart_) return;
    arrangedAtStart_ = true;
    // Once the events of the show are handled the area has its size.
    QTimer::singleShot(0, this, &Tprincipalform::arrangeAtStart);
}

void Tprincipalform::arrangeAtStart() {
    if (!layoutSettings_ || !arranger_->restore(*layoutSettings_)) arranger_->arrangeDefault();
    if (!layoutSettings_) return;
    bool ok = false;
    const int pace = qs(layoutSettings_->read(paceKey)).toInt(&ok);
    if (ok) interpreter_->PaceBox->setValue(pace);
}

void Tprincipalform::saveLayout() {
    if (!layoutSettings_) return;
    arranger_->save(*layoutSettings_);
    layoutSettings_->write(paceKey, utf8(QString::number(interpreter_->PaceBox->value())));
}

QWidget* Tprincipalform::makeImageView() {
    auto* view = new Tgraph2DForm(context_);
    // Its cut and projection curves may be on show in the 1D views.
    connect(view, &Tgraph2DForm::spectraChanged, this, &Tprincipalform::refreshViews);
    // The first one made answers the scripts' requests to show an image.
    if (!context_.host().onShowImage)
        context_.host().onShowImage = [view = QPointer<Tgraph2DForm>(view)](const std::string& name) {
            if (view) view->showImage(name);
        };
    return view;
}

QWidget* Tprincipalform::makeFittingWindow() {
    fitting_ = new TFittingForm(context_);
    // A difference spectrum may be on show in a view.
    connect(fitting_, &TFittingForm::spectraChanged, this, &Tprincipalform::refreshViews);
    connect(fitting_, &TFittingForm::curveFitted, this, &Tprincipalform::showFittedCurve);
    return fitting_;
}

Tgraph1dform* Tprincipalform::curveView() {
    if (QMdiSubWindow* active = mdi_->activeSubWindow())
        if (auto* view = qobject_cast<Tgraph1dform*>(active->widget())) return view;
    for (QMdiSubWindow* frame : mdi_->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (auto* view = qobject_cast<Tgraph1dform*>(frame->widget())) return view;
    return nullptr;
}

void Tprincipalform::showFittedCurve(const QString& data, const QString& model) {
    Tgraph1dform* view = curveView();
    if (!view) return;
    view->cocourbe[0]->setEditText(data);
    view->cocourbe[1]->setEditText(model);
    windowFrame(view)->show();
}

void Tprincipalform::createListWindows() {
    const TParser& parser = context_.interpreter().parser();
    functions_ = new Tfunctionslisteform(parser);
    variables_ = new Tvariableslisteform(parser, wb_.decimalSeparator);
    watch_ = new Tsuiviform(parser, wb_.decimalSeparator);
    const std::tuple<QWidget*, QRect, WindowRole> lists[] = {
        {functions_, {530, 0, 270, 480}, WindowRole::functions},
        {variables_, {810, 0, 192, 480}, WindowRole::variables},
        {watch_, {530, 401, 158, 132}, WindowRole::watch},
    };
    for (const auto& [list, geometry, role] : lists)
        arranger_->add(addHiddenChild(list, geometry), role, list->objectName(), false);
    interpreter_->setListWindows(functions_, variables_, watch_);
}

void Tprincipalform::openView(ViewSlots& slots, const ChildMaker& maker, const QString& caption) {
    if (slots.used == viewSlots) return;
    QWidget* view = maker ? maker(*this) : new ViewPlaceholder(caption);
    addChild(view, arranger_->newViewGeometry(slots.used), true)->show();
    slots.windows[static_cast<std::size_t>(slots.used++)] = view;
}

void Tprincipalform::N1D1Click() {
    openView(slots1D_, makers_.view1D, QStringLiteral("graphique 1d"));
}

void Tprincipalform::N1D2Click() {
    openView(slots2D_, makers_.view2D, QStringLiteral("Spectre2D"));
}

void Tprincipalform::supprimer2Click() {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active) return;
    for (const ViewSlots* slots : {&slots1D_, &slots2D_})
        for (const QPointer<QWidget>& view : slots->windows)
            if (view && view == active->widget())
                if (auto* child = dynamic_cast<ChildView*>(view.data()))
                    return child->closeRequest();
}

void Tprincipalform::refreshViews() {
    for (QMdiSubWindow* frame : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (auto* view = dynamic_cast<ChildView*>(frame->widget())) view->refreshView();
}

void Tprincipalform::openOperation(const QString& operationText) {
    operation_->openOperation(operationText);
}

void Tprincipalform::Index1Click() {
    if (!help_) help_ = new HelpWindow(context_.interpreter().parser(), this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void Tprincipalform::Apropos1Click() {
    about_->show();
    about_->raise();
}

void Tprincipalform::closeEvent(QCloseEvent* event) {
    // The question comes first and reads as it always did; what would be lost comes after.
    const bool quit =
        dialogs_.askYesNo(this, QStringLiteral("DO YOU WANT TO QUIT THE PROGRAM ?")) &&
        interpreter_->mem1->settleUnsavedPages() && unsavedSpectraMayGo();
    if (!quit) {
        event->ignore();
        return;
    }
    saveLayout();
    event->accept();
}

bool Tprincipalform::unsavedSpectraMayGo() {
    const std::vector<std::string> changed = changedSpectra(wb_);
    if (changed.empty()) return true;
    constexpr std::size_t namesShown = 12;
    QStringList names;
    for (std::size_t k = 0; k < std::min(changed.size(), namesShown); ++k) names << qs(changed[k]);
    if (changed.size() > namesShown) names << QStringLiteral("…");
    const QString what =
        changed.size() == 1
            ? QStringLiteral("1 spectre a changé depuis sa dernière sauvegarde et sera perdu :")
            : QStringLiteral("%1 spectres ont changé depuis leur dernière sauvegarde et seront "
                             "perdus :")
                  .arg(changed.size());
    const QString question = what + '\n' + names.join(QStringLiteral(", "));
    return dialogs_.confirm(this, question, QStringLiteral("Quitter"));
}

} // namespace ombrelune
