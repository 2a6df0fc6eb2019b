#include "cli/runner.hpp"

#include "cli/listing.hpp"
#include "cli/overlay_settings.hpp"
#include "platform/qt_settings_store.hpp"
#include "store/errors.hpp"
#include "store/number_format.hpp"
#include "store/workbench.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <string>

namespace ombrelune {
namespace {

// Prints every journal line as it is appended.
class EchoListener : public JournalListener {
public:
    void journalOpened(const std::string&, const std::string&,
                       const std::vector<std::string>&) override {}
    void journalLineAppended(const std::string& text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

} // namespace

int runFromCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ombrelune-run"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OMBRELUNE_VERSION));
    // Qt follows the environment's locale; numbers never do (they go through
    // number_format with an explicit separator).
    std::setlocale(LC_NUMERIC, "C");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs Ombrelune scripts without a display."));
    const QCommandLineOption home(QStringList{QStringLiteral("home")},
                                  QStringLiteral("data root (default $OMBRELUNE_HOME, else ~/Ombrelune)"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption journalDir(QStringList{QStringLiteral("journal-dir")},
                                        QStringLiteral("journal directory"), QStringLiteral("DIR"));
    const QCommandLineOption journalName(QStringList{QStringLiteral("journal")},
                                         QStringLiteral("journal file name without \".txt\""),
                                         QStringLiteral("NAME"));
    const QCommandLineOption separator(QStringList{QStringLiteral("decimal-separator")},
                                       QStringLiteral("decimal separator of files and journal numbers"),
                                       QStringLiteral("C"));
    const QCommandLineOption list(QStringList{QStringLiteral("list")},
                                  QStringLiteral("print the spectrum listing after the run"));
    const QCommandLineOption quiet(QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("do not echo journal lines"));
    parser.addOptions({home, journalDir, journalName, separator, list, quiet});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "ombrelune-run: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ombrelune-run %s\n", OMBRELUNE_VERSION);
        return 0;
    }

    char decimalSeparator = localeDecimalSeparator();
    if (parser.isSet(separator)) {
        const std::string sep = parser.value(separator).toStdString();
        if (sep.size() != 1) {
            std::fprintf(stderr, "ombrelune-run: the decimal separator is one character\n");
            return 2;
        }
        decimalSeparator = sep[0];
    }
    DataPaths paths = DataPaths::fromEnvironment();
    if (parser.isSet(home)) paths.root = parser.value(home).toStdString();

    QtSettingsStore userSettings;
    OverlaySettingsStore settings(userSettings);
    if (parser.isSet(journalDir))
        settings.override(settingExperimentDirectory, parser.value(journalDir).toStdString());
    if (parser.isSet(journalName))
        settings.override(settingCurrentFile, parser.value(journalName).toStdString());

    try {
        Workbench wb(settings, paths, decimalSeparator);
        EchoListener echo;
        if (!parser.isSet(quiet)) wb.journal.setListener(&echo);
        wb.journal.start();
        createDefaultSpectra(wb);
        if (parser.isSet(list)) std::fputs(spectrumListing(wb).c_str(), stdout);
    } catch (const OmbreluneError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace ombrelune
