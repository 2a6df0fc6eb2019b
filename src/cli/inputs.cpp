#include "cli/inputs.hpp"

#include <algorithm>
#include <filesystem>
#include <glob.h>
#include <map>
#include <stdexcept>

namespace ombrelune {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isPattern(const std::string& s) {
    return s.find_first_of("*?[") != std::string::npos;
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::string> matches(const std::string& pattern) {
    glob_t found{};
    std::vector<std::string> files;
    if (::glob(pattern.c_str(), 0, nullptr, &found) == 0)
        for (std::size_t k = 0; k < found.gl_pathc; ++k)
            if (isRegularFile(found.gl_pathv[k])) files.emplace_back(found.gl_pathv[k]);
    ::globfree(&found);
    return files;
}

} // namespace

bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei])) ++ei;
            while (ej < b.size() && isDigit(b[ej])) ++ej;
            // Compare the numbers without their leading zeros: longer is larger.
            std::size_t zi = i, zj = j;
            while (zi + 1 < ei && a[zi] == '0') ++zi;
            while (zj + 1 < ej && b[zj] == '0') ++zj;
            if (ei - zi != ej - zj) return ei - zi < ej - zj;
            const int c = a.compare(zi, ei - zi, b, zj, ej - zj);
            if (c != 0) return c < 0;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b; // equal as numbers ("run02", "run2"): any fixed order
}

std::vector<std::string> expandInputs(const std::vector<std::string>& arguments) {
    std::vector<std::string> inputs;
    for (const std::string& arg : arguments) {
        if (isRegularFile(arg)) {
            inputs.push_back(arg);
        } else if (isPattern(arg)) {
            const std::vector<std::string> found = matches(arg);
            if (found.empty()) throw std::runtime_error("no file matches the input " + arg);
            inputs.insert(inputs.end(), found.begin(), found.end());
        } else {
            throw std::runtime_error(std::filesystem::exists(arg)
                                         ? "the input " + arg + " is not a regular file"
                                         : "the input " + arg + " does not exist");
        }
    }
    std::sort(inputs.begin(), inputs.end(), naturalLess);
    inputs.erase(std::unique(inputs.begin(), inputs.end()), inputs.end());
    return inputs;
}

std::string inputStem(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::vector<std::string> journalSuffixes(const std::vector<std::string>& inputs) {
    std::map<std::string, int> uses;
    for (const std::string& input : inputs) ++uses[inputStem(input)];
    std::vector<std::string> suffixes;
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const std::string stem = inputStem(inputs[k]);
        suffixes.push_back(uses[stem] > 1 ? stem + "-" + std::to_string(k + 1) : stem);
    }
    return suffixes;
}

} // namespace ombrelune
