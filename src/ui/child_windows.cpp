#include "ui/child_windows.hpp"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace ombrelune {

bool MinimiseOnClose::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
    event->ignore();
    if (auto* widget = qobject_cast<QWidget*>(watched)) windowFrame(widget)->showMinimized();
    return true;
}

QWidget* windowFrame(QWidget* child) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget())) return frame;
    return child;
}

void toggleWindow(QWidget* child, const std::function<void()>& fill) {
    QWidget* frame = windowFrame(child);
    if (frame->isVisible()) {
        frame->hide();
        return;
    }
    if (fill) fill();
    child->show();
    frame->show();
    frame->raise();
}

} // namespace ombrelune
