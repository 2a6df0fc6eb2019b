#include "ui/file_filter.hpp"

#include <QStringList>

namespace ombrelune {

QString qtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        const QString& text = parts[k];
        QString pattern = parts[k + 1];
        // Qt's dialogs read "*.*" as "names with a dot"; every file is "*".
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (text.contains(QLatin1Char('(')) ? text : text + " (" + pattern + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace ombrelune
