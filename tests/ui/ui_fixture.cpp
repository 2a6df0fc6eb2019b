#include "ui_fixture.hpp"

#include "ui/qt_text.hpp"

#include "store/text_file.hpp"

namespace ombrelune::testing {

Session::Session() : wb(settings, DataPaths{dir.path()}, '.') {
    wb.journal.setClock([] { return std::string(fixedClock); });
}

void Session::startLikeMainWindow() {
    wb.journal.start();
    createDefaultSpectra(wb);
}

std::vector<std::string> Session::journalFileLines() const {
    return readTextLines(wb.journal.path());
}

QString Session::path(const std::string& name) const {
    return qs(dir / name);
}

} // namespace ombrelune::testing
