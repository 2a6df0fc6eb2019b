#pragma once
// The covariance of least-squares parameters: (J'J)^-1, to be scaled by the residual
// variance s^2 = (sum of squares) / (m - n).
//
// J'J is never formed: its condition number is the square of J's, which would lose every
// digit on the ill-conditioned problems fitters meet (rational and exponential models).
// The columns of J are scaled to unit length, J = QR by Householder reflections, and
// (J'J)^-1 = R^-1 R^-T with the scaling undone.

#include "numeric/jacobian.hpp"
#include "numeric/tmtx.hpp"

namespace ombrelune {

// Fills `covariance` (n x n) with (J'J)^-1 and returns true. A column of zeros (a parameter
// the residuals do not depend on at all) gets NaN in its row and column, and the others
// are computed without it. Returns false, leaving n x n of NaN, when the other columns are
// fewer than the rows, hold non-finite values, or are so nearly dependent that R has a
// diagonal below 1e-14 of its largest (the parameters are then not determined by the data).
bool inverseNormalMatrix(const Jacobian& J, TMtx& covariance);

} // namespace ombrelune
