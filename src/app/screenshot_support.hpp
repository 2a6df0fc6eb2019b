#pragma once
// What the screenshot programs share: placing a child window, and letting the event loop
// run while the workbench works.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QThread>
#include <QWidget>

#include <functional>

namespace ombrelune {

// Shows a child window's frame, not minimised, at the given geometry.
inline void place(QWidget* child, const QRect& geometry) {
    auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    frame->showNormal();
    frame->setGeometry(geometry);
    frame->show();
}

// Lets the event loop run until `done` or for at most the given time.
inline void waitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

} // namespace ombrelune
