#pragma once
// Where the child windows of the main window go when tiled: three columns, the journal on
// the left, the spectrum edit window above the interpreter in the middle, the views (and
// the fitting window, at the bottom) on the right; the list windows, which come and go,
// side by side at the top of the views' column. Plain geometry, tested on sizes alone.

#include <QRect>
#include <QSize>

#include <vector>

namespace ombrelune {

enum class WindowRole { journal, edit, interpreter, view, fitting, functions, variables, watch };

// One rectangle per role, in the order given, covering the area without overlap (except
// the list windows, which lie over the views). Columns of roles that are absent give
// their width to the others.
std::vector<QRect> tiledLayout(const QSize& area, const std::vector<WindowRole>& roles);

// A rectangle saved for an area of another size, scaled to this one and kept inside it.
QRect scaledInto(const QRect& saved, const QSize& savedArea, const QSize& area);

} // namespace ombrelune
