#pragma once
// Runs a user action and shows what it raised in the standard error box. Every slot that
// can fail goes through here: an exception must never unwind through Qt's event loop.

#include <functional>

class QWidget;

namespace ombrelune {

class DialogService;

// True when the action ran to its end.
bool runGuarded(DialogService& dialogs, QWidget* parent, const std::function<void()>& action);

} // namespace ombrelune
