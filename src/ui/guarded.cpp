#include "ui/guarded.hpp"

#include "ui/dialog_service.hpp"

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

} // namespace ombrelune
