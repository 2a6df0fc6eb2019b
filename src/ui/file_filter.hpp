#pragma once
// File-type filters are kept as "text|pattern|text|pattern…" (the form the windows are
// configured with); Qt's dialogs want "text (pattern);;text (pattern)".

#include <QString>

namespace ombrelune {

// "tout|*.*|raw|*.raw" becomes "tout (*);;raw (*.raw)"; a text that already shows its
// pattern in brackets is kept as it is.
QString qtFileFilter(const QString& pairs);

} // namespace ombrelune
