#include "nist_strd.hpp"

#include "store/number_format.hpp"
#include "store/text_file.hpp"

namespace ombrelune::testing {

namespace {

const NistProblem problems[] = {
    {"Misra1a.dat", "A*(1-exp(-B*X))", false},
    {"Chwirut2.dat", "exp(-A*X)/(B+C*X)", false},
    {"DanWood.dat", "A*X^B", false},
    {"Kirby2.dat", "(A+B*X+C*X^2)/(1+D*X+E*X^2)", false},
    {"MGH17.dat", "A+B*exp(-X*D)+C*exp(-X*E)", false},
    {"MGH09.dat", "A*(X^2+X*B)/(X^2+X*C+D)", true},
    {"Eckerle4.dat", "(A/B)*exp(-0.5*sqr((X-C)/B))", true},
    {"Rat43.dat", "A/(1+exp(B-C*X))^(1/D)", true},
    {"BoxBOD.dat", "A*(1-exp(-B*X))", true},
};

// The next blank-separated number of a line from `pos` on.
double nextNumber(const std::string& line, std::size_t& pos) {
    const std::size_t begin = line.find_first_not_of(' ', pos);
    const std::size_t end = line.find(' ', begin);
    pos = end;
    return strToFloat(line.substr(begin, end == std::string::npos ? end : end - begin));
}

} // namespace

std::span<const NistProblem> nistProblems() {
    return problems;
}

NistCertified readNistProblem(const std::filesystem::path& directory, const NistProblem& problem) {
    const auto lines = readTextLines(directory / problem.file);
    NistCertified c;
    std::size_t firstData = lines.size() + 1;
    for (const std::string& line : lines) {
        if (const std::size_t at = line.find("Data              (lines ");
            at != std::string::npos) {
            std::size_t pos = at + 25;
            firstData = static_cast<std::size_t>(nextNumber(line, pos));
        }
        if (const std::size_t at = line.find("Residual Sum of Squares:"); at != std::string::npos) {
            std::size_t pos = at + 24;
            c.residualSumOfSquares = nextNumber(line, pos);
        }
        if (const std::size_t at = line.find("Number of Observations:"); at != std::string::npos) {
            std::size_t pos = at + 23;
            c.observations = static_cast<std::size_t>(nextNumber(line, pos));
        }
        if (line.compare(0, 3, "  b") == 0 && line.find(" = ") != std::string::npos) {
            std::size_t pos = line.find('=') + 1;
            c.start1.push_back(nextNumber(line, pos));
            c.start2.push_back(nextNumber(line, pos));
            c.values.push_back(nextNumber(line, pos));
            c.deviations.push_back(nextNumber(line, pos));
        }
    }
    for (std::size_t n = firstData - 1; n < lines.size(); ++n) {
        if (lines[n].find_first_not_of(' ') == std::string::npos) continue;
        std::size_t pos = 0;
        c.y.push_back(nextNumber(lines[n], pos));
        c.x.push_back(nextNumber(lines[n], pos));
    }
    return c;
}

spectre curveAt(const std::string& name, const std::vector<double>& x,
                const std::vector<double>& values) {
    spectre s;
    s.name = name;
    s.resize(static_cast<int>(x.size()), 1, 1);
    s.clear();
    s.typeX = "x";
    s.typeY = "single";
    for (std::size_t i = 0; i < x.size(); ++i)
        s.setPointAt(static_cast<int>(i), 0, 0, spectrePoint{1, x[i], 0, 0, values[i]});
    return s;
}

std::string nistFitLine(const NistProblem& problem) {
    return "FitSpectre[1,\"NIST\",\"" + std::string(problem.model) +
           "\",\"marquardt\",1000,1e-12,\"\",@R,\"\"]";
}

} // namespace ombrelune::testing
