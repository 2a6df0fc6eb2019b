#include "bench_registry.hpp"

#include "store/number_format.hpp"

#include <algorithm>

namespace ombrelune::bench {

static std::vector<BenchCase>& registry() {
    static std::vector<BenchCase> cases;
    return cases;
}

bool registerBench(BenchCase c) {
    registry().push_back(std::move(c));
    return true;
}

const std::vector<BenchCase>& benchCases() { return registry(); }

double medianSeconds(const std::function<void()>& body, int runs) {
    body();
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string megabytesPerSecond(double bytes, double seconds) {
    return formatFixed(bytes / 1e6 / seconds, 0) + " MB/s";
}

std::string perSecond(double count, double seconds, const std::string& unit) {
    return formatFixed(count / seconds, 0) + " " + unit;
}

} // namespace ombrelune::bench
