// NIST's nonlinear regression reference problems (StRD), each fitted by FitSpectre with
// Marquardt from both of NIST's starting points, against the certified parameters and
// standard deviations. Agreement is counted in significant digits, the log relative error
// -log10(|fitted - certified| / |certified|).

#include "fit_bench.hpp"
#include "nist_strd.hpp"

#include "store/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

double digitsOfAgreement(double fitted, double certified) {
    if (fitted == certified) return 15;
    if (!std::isfinite(fitted)) return 0;
    return std::fmin(15, -std::log10(std::fabs(fitted - certified) / std::fabs(certified)));
}

TEST(NistReference, MarquardtFromBothStarts) {
    for (const testing::NistProblem& problem : testing::nistProblems()) {
        const testing::NistCertified c = testing::readNistProblem(NIST_STRD_DIR, problem);
        ASSERT_FALSE(c.values.empty()) << problem.file;
        ASSERT_EQ(c.x.size(), c.observations) << problem.file;
        ASSERT_EQ(c.y.size(), c.observations) << problem.file;
        for (int start = 1; start <= 2; ++start) {
            testing::FitBench fb;
            fb.wb().spectres1D.store(testing::curveAt("NIST", c.x, c.y));
            const std::vector<double>& from = start == 1 ? c.start1 : c.start2;
            for (std::size_t k = 0; k < from.size(); ++k)
                fb.setVariable(fitParameterName(static_cast<int>(k)), from[k]);
            fb.exec(testing::nistFitLine(problem));
            const std::vector<double> r = fb.array("R");
            ASSERT_EQ(r.size(), 13u)
                << problem.file << " start " << start << ": " << fb.tb.journalLines().back();
            double worstValue = 15, worstDeviation = 15;
            for (std::size_t k = 0; k < c.values.size(); ++k) {
                worstValue = std::fmin(worstValue, digitsOfAgreement(r[k], c.values[k]));
                worstDeviation =
                    std::fmin(worstDeviation, digitsOfAgreement(r[5 + k], c.deviations[k]));
            }
            std::printf("%s\n",
                        (std::string(problem.file) + " start " + std::to_string(start) + ": " +
                         formatFixed(worstValue, 1) + " digits in the values, " +
                         formatFixed(worstDeviation, 1) + " in the deviations, " +
                         formatGeneral(r[12]) + " iterations; " + fb.tb.journalLines().back())
                            .c_str());
            if (problem.higherDifficulty && start == 1) continue;
            EXPECT_GE(worstValue, 6) << problem.file << " start " << start;
            EXPECT_GE(worstDeviation, 3) << problem.file << " start " << start;
            EXPECT_GE(digitsOfAgreement(r[10], c.residualSumOfSquares), 6) << problem.file;
            EXPECT_EQ(r[11], double(c.x.size() - c.values.size())) << problem.file;
        }
    }
}

} // namespace
} // namespace ombrelune
