#include "ui/find_dialog.hpp"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ombrelune {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Rechercher"));
    setModal(false);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* next = buttons->addButton(QStringLiteral("Suivant"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    connect(next, &QPushButton::clicked, this, [this] { Q_EMIT findNext(edit_->text()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Rechercher :"), this));
    layout->addWidget(edit_, 1);
    layout->addWidget(buttons);
}

QString FindDialog::text() const {
    return edit_->text();
}

} // namespace ombrelune
