#pragma once
// Runs a user action and shows what it raised in the standard error box. Every slot that
// can fail goes through here: an exception must never unwind through Qt's event loop.

#include <functional>
#include <string_view>

class QWidget;

namespace ombrelune {

class DialogService;
class Journal;

// True when the action ran to its end.
bool runGuarded(DialogService& dialogs, QWidget* parent, const std::function<void()>& action);
// The same, and what it raised also becomes the journal line "!! " + place + " : " + message.
bool runGuarded(DialogService& dialogs, QWidget* parent, Journal& journal, std::string_view place,
                const std::function<void()>& action);

} // namespace ombrelune
