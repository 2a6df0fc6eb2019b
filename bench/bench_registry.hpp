#pragma once
// Benchmark cases of ombrelune-bench. Each case registers itself from its own file:
//
//   static const bool registered = registerBench({"spectre-file-write", [] { ... }});
//
// A case returns one or more result lines (a case may report several sizes).

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace ombrelune::bench {

struct BenchLine {
    std::string name;       // case name, e.g. "smooth2d"
    std::string size;       // e.g. "2048x2048"
    double seconds = 0;     // median over the runs
    std::string throughput; // value and unit, e.g. "1250 MB/s"
    std::string extra;      // optional further fields, tab-separated
};

struct BenchCase {
    std::string name;
    std::function<std::vector<BenchLine>()> run;
};

bool registerBench(BenchCase c);
const std::vector<BenchCase>& benchCases();

// Median wall time in seconds of `runs` calls after one warm-up call.
double medianSeconds(const std::function<void()>& body, int runs = 5);

// "1250 MB/s" style texts.
std::string megabytesPerSecond(double bytes, double seconds);
std::string perSecond(double count, double seconds, const std::string& unit);

} // namespace ombrelune::bench
