#pragma once
// Stacks of images and monitor normalisation.

#include "store/workbench.hpp"

#include <string>

namespace ombrelune {

// Slice k = round(sliceNumber) - 1 of a stack as an image: x, y, z and value of sample k of
// every pixel (mon stays 1), the stack's comment, axis types and conditions, the condition
// "lt" = the slice's z, and the monitor by mode:
//   "norm/nombre"  stack monitor / nz                        NormMoniteur = 1
//   "norm/inter"   stack monitor * (width of slice k) / z[nz-1] NormMoniteur = 2
//   anything else  stack monitor                              NormMoniteur = 0
// Raises ERefused for a slice outside 1 .. nz or a stack without pixels.
spectre stackSlice(const spectre& stack, const std::string& name, double sliceNumber,
                   const std::string& mode);

// NormMoniSpectre2D: destination = source scaled so that its monitor becomes the target.
// Failures are written to the journal as "!! echec normalisation :" lines; a refused
// normalisation leaves the destination exactly as it was.
void normaliseToMonitor(Workbench& wb, double target, const std::string& source,
                        const std::string& destination);

} // namespace ombrelune
