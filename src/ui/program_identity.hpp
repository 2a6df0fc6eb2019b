#pragma once
// The program's name, desktop entry and icon, as the desktop shows them.

namespace ombrelune {

// Call once, right after the QApplication is made.
void setProgramIdentity();

} // namespace ombrelune
