#include "ui/spin_button.hpp"

#include <QToolButton>
#include <QVBoxLayout>

namespace ombrelune {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), upButton(new QToolButton(this)), downButton(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [button, arrow, name] :
         {std::tuple{upButton, Qt::UpArrow, "up"}, std::tuple{downButton, Qt::DownArrow, "down"}}) {
        button->setArrowType(arrow);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        layout->addWidget(button);
    }
    connect(upButton, &QToolButton::clicked, this, &SpinButton::up);
    connect(downButton, &QToolButton::clicked, this, &SpinButton::down);
}

} // namespace ombrelune
