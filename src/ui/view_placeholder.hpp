#pragma once
// Stands in for a 1D or 2D view window opened from the main window's menu until the
// views themselves exist: an empty child with the view's caption that closes on request.

#include "ui/child_windows.hpp"

#include <QWidget>

namespace ombrelune {

class ViewPlaceholder : public QWidget, public ChildView {
    Q_OBJECT
public:
    ViewPlaceholder(const QString& caption, QWidget* parent = nullptr);
    void closeRequest() override;
};

} // namespace ombrelune
