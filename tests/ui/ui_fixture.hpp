#pragma once
// What a window test works on: a fresh data root, in-memory settings, a workbench with
// empty tables whose journal has a fixed clock, and the scripted dialogs.

#include "scripted_dialogs.hpp"
#include "test_support.hpp"

#include "store/workbench.hpp"
#include "ui/app_context.hpp"

#include <QString>
#include <QStringList>

class QWidget;

#include <memory>
#include <string>
#include <vector>

namespace ombrelune::testing {

inline constexpr const char* fixedClock = "01/02/2026  10:00:00";

struct Session {
    TempDir dir;
    MemorySettingsStore settings;
    Workbench wb;
    ScriptedDialogs dialogs;

    Session();
    // The engine and view settings the windows share, made on first use.
    AppContext& context();
    // Starts the journal and makes the default spectra, as the main window does, for
    // tests of one window on its own.
    void startLikeMainWindow();
    std::vector<std::string> journalFileLines() const;
    QString path(const std::string& name) const;

private:
    std::unique_ptr<AppContext> context_;
};

// A menu's (or a menu bar's) captions in order: "-" for a separator, "title {entries}" for a
// submenu, and
// "(off)" after an entry that is greyed.
QStringList menuCaptions(const QWidget* menu);

} // namespace ombrelune::testing
