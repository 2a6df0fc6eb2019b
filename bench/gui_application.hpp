#pragma once
// The drawing cases need a QGuiApplication for fonts; an offscreen one will do.

#include <QGuiApplication>

namespace ombrelune::bench {

inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "ombrelune-bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

} // namespace ombrelune::bench
