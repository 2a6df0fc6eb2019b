#include "ui_fixture.hpp"

#include "ui/qt_text.hpp"

#include "store/text_file.hpp"

#include <QMenu>

namespace ombrelune::testing {

Session::Session() : wb(settings, DataPaths{dir.path()}, '.') {
    wb.journal.setClock([] { return std::string(fixedClock); });
}

AppContext& Session::context() {
    if (!context_) context_ = std::make_unique<AppContext>(wb, dialogs);
    return *context_;
}

void Session::startLikeMainWindow() {
    wb.journal.start();
    createDefaultSpectra(wb);
}

std::vector<std::string> Session::journalFileLines() const {
    return readTextLines(wb.journal.path());
}

QStringList menuCaptions(const QWidget* menu) {
    QStringList out;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            out << QStringLiteral("-");
        else if (action->menu())
            out << action->text() + " {" + menuCaptions(action->menu()).join(',') + "}";
        else
            out << action->text() + (action->isEnabled() ? "" : " (off)");
    }
    return out;
}

QString Session::path(const std::string& name) const {
    return qs(dir / name);
}

} // namespace ombrelune::testing
