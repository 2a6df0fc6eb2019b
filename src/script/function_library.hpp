#pragma once
// The mathematical functions every evaluator registers: 100 names of one argument and 6 of
// two. Each routine computes in extended precision and rounds once to double.

#include "script/expression_list.hpp"

#include <string>
#include <vector>

namespace ombrelune {

struct LibraryFunction1 {
    std::string name;
    Function1Entry entry;
};

struct LibraryFunction2 {
    std::string name;
    Function2Entry entry;
};

const std::vector<LibraryFunction1>& libraryFunctions1();
const std::vector<LibraryFunction2>& libraryFunctions2();

// A pseudo-random number uniform in [0, 1), from a generator seeded once from the clock
// (one generator per thread).
double uniformRandom();

} // namespace ombrelune
