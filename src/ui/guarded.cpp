#include "ui/guarded.hpp"

#include "ui/dialog_service.hpp"

#include "script/statement_text.hpp"
#include "store/journal.hpp"

#include <QString>

#include <exception>

namespace ombrelune {

bool runGuarded(DialogService& dialogs, QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        dialogs.showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

bool runGuarded(DialogService& dialogs, QWidget* parent, Journal& journal, std::string_view place,
                const std::function<void()>& action) {
    return runGuarded(dialogs, parent, [&] {
        try {
            action();
        } catch (const std::exception& e) {
            try {
                journal.appendLine("!! " + std::string(place) + " : " + oneLine(e.what()));
            } catch (const std::exception&) {
                // The journal itself failing: the box below says what the action met.
            }
            throw;
        }
    });
}

} // namespace ombrelune
