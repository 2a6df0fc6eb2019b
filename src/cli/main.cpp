// ombrelune-run: the headless runner. It draws plots for scripts (SavePlot1D), so it runs
// a QGuiApplication on the offscreen platform: no display is ever needed.

#include "cli/runner.hpp"
#include "render/save_plot_1d.hpp"

#include <QGuiApplication>

#include <cstdio>

namespace {

// The offscreen platform looks for a runtime directory that batch sessions (cron, ssh as
// root) often lack; Qt's note about it tells the user of a script nothing.
void withoutRuntimeDirectoryNote(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(withoutRuntimeDirectoryNote);
    QGuiApplication app(argc, argv);
    return ombrelune::runFromCommandLine(argc, argv, ombrelune::bindPlotCommands);
}
