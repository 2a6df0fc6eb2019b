#include "ui/program_identity.hpp"

#include <QApplication>
#include <QIcon>

namespace ombrelune {

void setProgramIdentity() {
    QApplication::setApplicationName(QStringLiteral("Ombrelune"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ombrelune"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.ombrelune.Ombrelune"));
    // The installed theme icon first, else the one built in (drawn when Qt can read SVG).
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.ombrelune.Ombrelune"),
                         QIcon(QStringLiteral(":/icons/io.github.ombrelune.Ombrelune.svg"))));
}

} // namespace ombrelune
