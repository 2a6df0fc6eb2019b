// ombrelune: the desktop workbench. Start-up order and the event loop.

#include "platform/qt_settings_store.hpp"
#include "store/number_format.hpp"
#include "store/workbench.hpp"
#include "ui/main_window.hpp"
#include "ui/program_identity.hpp"
#include "ui/qt_dialog_service.hpp"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
    using namespace ombrelune;
    QApplication app(argc, argv);
    setProgramIdentity();
    // Qt sets the C locale from the environment; numbers never follow it (they go through
    // number_format with the separator read here, once).
    std::setlocale(LC_NUMERIC, "C");
    const char decimalSeparator = localeDecimalSeparator();

    QtSettingsStore settings;
    Workbench wb(settings, DataPaths::fromEnvironment(), decimalSeparator);
    QtDialogService dialogs;
    AppContext context(wb, dialogs);
    Tprincipalform window(context);
    window.setLayoutSettings(&settings);
    window.show();
    return app.exec();
}
