#pragma once
// NIST's nonlinear regression reference problems (StRD) in tests/data/nist-strd: the models
// in the evaluator's words, the reader of NIST's file layout, and the curve of a problem's
// data. Shared by the accuracy test and the fit-nist benchmark.

#include "store/spectre.hpp"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace ombrelune::testing {

struct NistProblem {
    const char* file;
    const char* model;     // NIST's b1..b5 are A..E
    bool higherDifficulty; // NIST's rating
};

std::span<const NistProblem> nistProblems();

struct NistCertified {
    std::vector<double> start1, start2, values, deviations;
    double residualSumOfSquares = 0;
    std::size_t observations = 0;
    std::vector<double> x, y;
};

// Reads the "b1 = start1 start2 value deviation" lines, the residual sum of squares, the
// number of observations and the data lines "y x" from the line the header names.
NistCertified readNistProblem(const std::filesystem::path& directory, const NistProblem& problem);

// A curve of exactly x.size() points at the given abscissae, typeX "x".
spectre curveAt(const std::string& name, const std::vector<double>& x,
                const std::vector<double>& values);

// The FitSpectre line fitting `model` to the curve "NIST" with Marquardt into @R.
std::string nistFitLine(const NistProblem& problem);

} // namespace ombrelune::testing
