#pragma once
// Arranges the child windows of the main window: the tiled layout of window_layout.hpp
// ("mosaïque"), Qt's cascade, the layout of the start, and the layout saved on quitting
// and restored at the next start (one "x,y,width,height,state" entry a window, with the
// size of the area it was saved in, so that it scales to another screen).
//
// Until the user moves or resizes a window, the arrangement follows the area when the
// main window changes size (a window manager maximises the main window after it shows).

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include "ui/window_layout.hpp"

#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace ombrelune {

class SettingsStore;

class WindowArranger : public QObject {
    Q_OBJECT
public:
    explicit WindowArranger(QMdiArea* area);

    // A window the arranger knows by role; `key` names it in the saved layout, and a
    // window shown at start is shown again by arrangeDefault().
    void add(QMdiSubWindow* frame, WindowRole role, const QString& key, bool shownAtStart);

    // Tiles the windows on show (neither hidden nor minimised); windows the arranger was
    // not given count as views.
    void tile();
    void cascade();
    // The windows of the start in their tiled places, the others (the list windows)
    // hidden, in their places for when they are shown.
    void arrangeDefault();
    // Where the n-th view opened from the menu (from 0) goes: in the views' column, each
    // a step down and right of the one before.
    QRect newViewGeometry(int n) const;
    void save(SettingsStore& settings) const;
    // False when no layout was saved; the windows are then left as they are.
    bool restore(SettingsStore& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Known {
        QPointer<QMdiSubWindow> frame;
        WindowRole role;
        QString key;
        bool shownAtStart;
        QRect normal; // the last geometry shown neither minimised nor maximised
    };
    // What an arrangement left, to tell whether the user changed it since.
    struct Placed {
        QPointer<QMdiSubWindow> frame;
        QRect geometry;
        Qt::WindowStates state;
        bool hidden;
    };
    enum class Mode { none, tiled, defaults, restored };
    Known* find(const QObject* frame);
    WindowRole roleOf(const QMdiSubWindow* frame) const;
    void place(const std::vector<QMdiSubWindow*>& frames);
    void remember(Mode mode);
    bool untouched() const;
    QSize areaSize() const;

    QMdiArea* area_;
    // Kept from the start: while the area is being destroyed its frames still send events
    // here, and asking the half-destroyed area for its viewport then is undefined.
    QWidget* viewport_;
    std::vector<Known> known_;
    Mode mode_ = Mode::none;
    std::vector<Placed> placed_;
    SettingsStore* restoredFrom_ = nullptr;
};

} // namespace ombrelune
