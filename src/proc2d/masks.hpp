#pragma once
// Masks: images of 1.0 (pixel used) and 0 (pixel left out), built from two cursors or an
// angular sector, and stored so that successive masks of one name accumulate.
// Positions are indices whatever the axis types; parts of a shape outside the image are
// simply not drawn.

#include "store/spectrum_table.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

// A cleared image with the source's nx, ny, typeX and typeY, 1 everywhere and 0 on the
// rectangle from truncate(min) to truncate(max) of the cursors' indices, ends included.
spectre maskRectangleInside(const spectre& image, const std::string& name, double X1, double Y1,
                            double X2, double Y2);
// 0 everywhere, 1 on the rectangle.
spectre maskRectangleOutside(const spectre& image, const std::string& name, double X1, double Y1,
                             double X2, double Y2);
// 1 everywhere, 0 on the disc centred on (X1, Y1) whose circle passes through (X2, Y2).
spectre maskDiscInside(const spectre& image, const std::string& name, double X1, double Y1,
                       double X2, double Y2);
// 0 everywhere, 1 on the disc.
spectre maskDiscOutside(const spectre& image, const std::string& name, double X1, double Y1,
                        double X2, double Y2);

// The builder named by the 2D view's mask type text ("rectangulaire int.",
// "rectangulaire ext.", "circulaire int.", "circulaire ext."), or nothing.
using MaskBuilder = spectre (*)(const spectre&, const std::string&, double, double, double, double);
std::optional<MaskBuilder> maskBuilderNamed(std::string_view typeText);

// Stores the mask under name in the images. An older mask of that name is kept as
// name + "_Z" (replacing an older "_Z") and the new mask becomes the product of the two,
// so masked zones accumulate. Returns true when it was combined with an older mask.
// Raises ERefused when the table is full; the older mask then keeps its name.
bool storeMask(spectlist& images, spectre mask, const std::string& name);

// MasqueSecteur: sets to 0, in place, the pixels whose direction from (X0, Y0) lies in the
// sector angle ± opening / 2 (degrees; 0 towards decreasing j, 90 towards increasing i).
// The angle uses the five-decimal π 3.14159; the centre pixel is never touched.
void sectorMask(spectre& image, double X0, double Y0, double angle, double opening);

} // namespace ombrelune
