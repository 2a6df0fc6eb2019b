#pragma once
// Changing the shape of spectra: joining images on a common grid, curves as one-row or
// one-column images, appending a curve to an image, cutting a rectangle out of an image,
// and regular axis coordinates.

#include "store/spectrum_table.hpp"

#include <functional>
#include <string>

namespace ombrelune {

// A modal warning shown to the user; the operation goes on after it.
using WarningSink = std::function<void(const std::string&)>;

// concat2D: a and b placed on one grid with a's steps, spanning both (b wins where both
// have a point). Mismatched axis types or steps are warned about and the join goes on.
// Raises ERefused when either image has no steps (see imageGrid).
spectre concatImages(const spectre& a, const spectre& b, const std::string& name,
                     const WarningSink& warn);

// Convert1Dto2Drow: an image of one row named like the curve (typeY "raw").
spectre curveToRow(const spectre& curve);
// Convert1Dto2Dcol: an image of one column named like the curve (typeX "raw", typeY the
// curve's typeX).
spectre curveToColumn(const spectre& curve);

// appendCol / appendRow: the image grows by one column (first index) or row (second
// index) holding the curve's values; both axis types become "raw". A curve of another
// length than the image side is warned about; missing values are 0 and extra ones are
// left out. The image keeps its name and moves to the lowest slot that was free while
// it was still there. Raises ERefused when the table is full.
void appendColumn(spectlist& images, const std::string& imageName, const spectre& curve,
                  const WarningSink& warn);
void appendRow(spectlist& images, const std::string& imageName, const spectre& curve,
               const WarningSink& warn);

// extract2D: the source points with x1 <= x <= x2 and y1 <= y <= y2 on a grid with origin
// (x1, y1) and the source's steps. Raises ERefused for bounds that are reversed or not
// finite and for a source without steps.
spectre extractRectangle(const spectre& source, double x1, double y1, double x2, double y2,
                         const std::string& name);

// setX1D, setX2D: x = i · step + start at every point; typeX = type.
void setXAxis(spectre& s, double start, double step, const std::string& type);
// setY2D: y = j · step + start at every point; typeY = type.
void setYAxis(spectre& s, double start, double step, const std::string& type);

} // namespace ombrelune
