#include "ui/view_placeholder.hpp"

#include "ui/child_windows.hpp"

#include <QLabel>
#include <QVBoxLayout>

namespace ombrelune {

ViewPlaceholder::ViewPlaceholder(const QString& caption, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewplaceholder"));
    setWindowTitle(caption);
    auto* text = new QLabel(QStringLiteral("(vue non disponible dans cette version)"), this);
    text->setAlignment(Qt::AlignCenter);
    text->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
}

void ViewPlaceholder::closeRequest() {
    windowFrame(this)->close();
}

} // namespace ombrelune
