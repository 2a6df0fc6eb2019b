#include "ui/about_box.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ombrelune {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos d'Ombrelune"));
    auto* text =
        new QLabel(QStringLiteral("<h2>Ombrelune</h2><p>version %1</p>"
                                  "<p>Atelier de réduction et d'examen de données de diffusion de "
                                  "neutrons : spectres, images, séquences et ajustements.</p>"
                                  "<p>Les développeurs d'Ombrelune</p>")
                       .arg(QStringLiteral(OMBRELUNE_VERSION)),
                   this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace ombrelune
