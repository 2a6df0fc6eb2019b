#include "ui/window_layout.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {
namespace {

enum Column { left, middle, right };

Column columnOf(WindowRole role) {
    switch (role) {
    case WindowRole::journal:
        return left;
    case WindowRole::edit:
    case WindowRole::interpreter:
        return middle;
    default:
        return right;
    }
}

bool isList(WindowRole role) {
    return role == WindowRole::functions || role == WindowRole::variables ||
           role == WindowRole::watch;
}

int scaled(double fraction, int length) {
    return static_cast<int>(std::lround(fraction * length));
}

// Splits a height between rows: fixed shares first (clamped to what is left), the rest
// in equal parts.
std::vector<int> rowHeights(int height, const std::vector<int>& fixed) {
    std::vector<int> heights(fixed.size(), 0);
    int flexible = 0, left = height;
    for (std::size_t k = 0; k < fixed.size(); ++k)
        if (fixed[k] > 0) {
            heights[k] = std::min(fixed[k], left);
            left -= heights[k];
        } else {
            ++flexible;
        }
    if (flexible == 0 && !heights.empty()) heights.back() += left;
    for (std::size_t k = 0, n = 0; k < fixed.size(); ++k)
        if (fixed[k] <= 0) {
            heights[k] = left / flexible + (static_cast<int>(n) < left % flexible ? 1 : 0);
            ++n;
        }
    return heights;
}

} // namespace

std::vector<QRect> tiledLayout(const QSize& area, const std::vector<WindowRole>& roles) {
    const int width = area.width(), height = area.height();
    // Widths: the journal a quarter, the edit window and interpreter and the views the
    // rest in equal parts; a column with no window gives its share to the others.
    constexpr double weights[] = {0.24, 0.38, 0.38};
    bool present[3] = {false, false, false};
    for (WindowRole role : roles)
        if (!isList(role)) present[columnOf(role)] = true;
    double total = 0;
    int lastColumn = left;
    for (int c = 0; c < 3; ++c)
        if (present[c]) {
            total += weights[c];
            lastColumn = c;
        }
    int x[3] = {0, 0, 0}, columnWidth[3] = {0, 0, 0};
    for (int c = 0, at = 0; c < 3; ++c) {
        x[c] = at;
        if (!present[c]) continue;
        columnWidth[c] = c == lastColumn ? width - at : scaled(weights[c] / total, width);
        at += columnWidth[c];
    }

    // Rows of each column: the edit window keeps a little over a quarter of the height above
    // the interpreter, the fitting window less than a third below the views, which share
    // the rest.
    std::vector<std::size_t> members[3];
    std::vector<int> fixed[3];
    for (std::size_t k = 0; k < roles.size(); ++k) {
        if (isList(roles[k])) continue;
        const Column c = columnOf(roles[k]);
        members[c].push_back(k);
        fixed[c].push_back(roles[k] == WindowRole::edit ? std::clamp(scaled(0.28, height), 210, 300)
                           : roles[k] == WindowRole::fitting
                               ? std::clamp(scaled(0.3, height), 280, 330)
                               : 0);
    }
    std::vector<QRect> out(roles.size());
    for (int c = 0; c < 3; ++c) {
        if (members[c].size() == 1) fixed[c] = {0};
        const std::vector<int> heights = rowHeights(height, fixed[c]);
        int y = 0;
        for (std::size_t r = 0; r < members[c].size(); ++r) {
            out[members[c][r]] = QRect(x[c], y, columnWidth[c], heights[r]);
            y += heights[r];
        }
    }

    // The list windows at the top of the views' column, side by side, the watch window
    // under the variable list; moved left as far as needed to stay in the area.
    const int listsWidth = 270 + 192;
    const int listsX = std::max(0, std::min(x[2], width - listsWidth));
    const int listHeight = std::min(480, height);
    const int watchHeight = std::min(132, height / 4);
    for (std::size_t k = 0; k < roles.size(); ++k) switch (roles[k]) {
        case WindowRole::functions:
            out[k] = QRect(listsX, 0, 270, listHeight);
            break;
        case WindowRole::variables:
            out[k] = QRect(listsX + 270, 0, 192, std::min(listHeight, height - watchHeight));
            break;
        case WindowRole::watch:
            out[k] =
                QRect(listsX + 270, std::min(listHeight, height - watchHeight), 192, watchHeight);
            break;
        default:
            break;
        }
    return out;
}

QRect scaledInto(const QRect& saved, const QSize& savedArea, const QSize& area) {
    if (savedArea.isEmpty() || area.isEmpty()) return saved;
    const double sx = double(area.width()) / savedArea.width();
    const double sy = double(area.height()) / savedArea.height();
    QRect r(scaled(sx, saved.x()), scaled(sy, saved.y()), scaled(sx, saved.width()),
            scaled(sy, saved.height()));
    r.setWidth(std::clamp(r.width(), 1, area.width()));
    r.setHeight(std::clamp(r.height(), 1, area.height()));
    r.moveLeft(std::clamp(r.x(), 0, area.width() - r.width()));
    r.moveTop(std::clamp(r.y(), 0, area.height() - r.height()));
    return r;
}

} // namespace ombrelune
