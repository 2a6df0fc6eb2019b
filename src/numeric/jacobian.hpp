#pragma once
// Derivatives of a vector of residuals by the parameters, for least-squares work: the
// residual function type, the Jacobian matrix, its central-difference estimate and the
// normal equations built from it.

#include "numeric/tmtx.hpp"
#include "numeric/tvec.hpp"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace ombrelune {

// Fills `residuals` (its length fixed by the caller) at the parameters. May raise; the
// callers let the exception through unchanged.
using TResidualFunction =
    std::function<void(std::span<const double> params, std::span<double> residuals)>;

// An m x n matrix of derivatives of m residuals by n parameters, kept column by column so
// that the derivatives by one parameter are one contiguous run (LAPACK's layout).
class Jacobian {
public:
    void setSize(std::size_t rows, int cols);
    std::size_t rows() const { return rows_; }
    int cols() const { return cols_; }
    std::span<double> column(int j) { return {data_.data() + offset(j), rows_}; }
    std::span<const double> column(int j) const { return {data_.data() + offset(j), rows_}; }
    double* data() { return data_.data(); }
    const double* data() const { return data_.data(); }

private:
    std::size_t offset(int j) const { return static_cast<std::size_t>(j) * rows_; }

    std::size_t rows_ = 0;
    int cols_ = 0;
    std::vector<double> data_;
};

// The step of the central difference by a parameter of value x: cbrt(machine epsilon)
// relative to |x| (absolute where x is 0), so that parameters of any magnitude are
// differentiated alike, rounded so that x + h and x - h are exactly h away from x.
double centralDifferenceStep(double x);

// J[i][j] = (f_i(x + h_j e_j) - f_i(x - h_j e_j)) / (2 h_j), from 2n calls of f. Truncation
// and rounding each err by about eps^(2/3) of f's magnitude over the parameter's, so f
// should be what varies (a model, not data minus model, whose differences would cancel
// against the data). J keeps its row count and gets one column per parameter.
void centralDifferenceJacobian(const TResidualFunction& f, std::span<const double> params,
                               Jacobian& J);

// Fills J (its row count set by the caller) at the parameters.
using TJacobianFunction = std::function<void(std::span<const double> params, Jacobian& J)>;

// The central-difference Jacobian of f as a TJacobianFunction.
TJacobianFunction centralDifferences(TResidualFunction f);

// g := J'r (length n): half the gradient of the sum of squares.
void transposedTimes(const Jacobian& J, std::span<const double> r, TVec& g);

// A := J'J (n x n) and g := J'r (length n).
void normalEquations(const Jacobian& J, std::span<const double> r, TMtx& A, TVec& g);

// Sum of the squares of the values.
double sumOfSquares(std::span<const double> values);

} // namespace ombrelune
