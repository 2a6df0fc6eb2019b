#pragma once
// concat1D: an image whose rows are the curves of a numbered series of spectrum files.

#include "store/journal.hpp"
#include "store/spectre.hpp"

#include <string>

namespace ombrelune {

// Files directory + prefix + n + suffix for n = first, first + step, ... up to last, with
// first, last and step rounded (halves to even). Row (n - first) / step of the image holds
// x = n - first, y = i and the file's value i, for the first file's point count; typeX and
// typeY are "raw". A file that cannot be opened writes "!! echec ouverture : <path>
// n'existe pas" and leaves its row cleared.
// Raises ERefused when the numbers are not finite, last < first, the step rounds below 1,
// the first file cannot be opened or has no points, or a later file has fewer points than
// the first. Read errors of a file raise EInOutError. Nothing is stored in any table.
spectre concatCurveFiles(const std::string& directory, const std::string& prefix, double first,
                         double step, double last, const std::string& suffix,
                         const std::string& name, Journal& journal);

} // namespace ombrelune
