#include "ui/enter_dialog.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ombrelune {

TenterDlg::TenterDlg(QWidget* parent) : QDialog(parent), editeur(new QLineEdit(this)) {
    setObjectName(QStringLiteral("enterDlg"));
    editeur->setObjectName(QStringLiteral("editeur"));
    editeur->setMaxLength(15);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Entrez le nom"), this));
    layout->addWidget(editeur);
    layout->addWidget(buttons);
}

} // namespace ombrelune
