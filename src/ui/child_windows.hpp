#pragma once
// Small behaviours shared by the main window's children.

#include <QObject>

#include <functional>

class QWidget;

namespace ombrelune {

// What the main window asks of the view windows it opens: a redraw after spectra they
// show changed elsewhere, and closing on the "supprimer" entry. Other children ignore both.
class ChildView {
public:
    virtual ~ChildView() = default;
    virtual void refreshView() {}
    virtual void closeRequest() = 0;
};

// Installed on a child window that lives for the whole run: closing it only minimises it.
class MinimiseOnClose : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The frame that shows a child: its multiple-document window, or the widget itself.
QWidget* windowFrame(QWidget* child);
// Hides a shown child; otherwise runs `fill` and shows the child in front.
void toggleWindow(QWidget* child, const std::function<void()>& fill = {});

} // namespace ombrelune
