#include "store/point_allocator.hpp"

#include <cstdlib>
#include <sys/mman.h>

namespace ombrelune {

namespace {
constexpr std::size_t hugePage = std::size_t{2} << 20;
constexpr std::size_t hugeThreshold = 4 * hugePage;
} // namespace

void* allocateLarge(std::size_t bytes) {
    if (bytes >= hugeThreshold) {
        const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
        if (void* p = std::aligned_alloc(hugePage, rounded)) {
            ::madvise(p, rounded, MADV_HUGEPAGE); // a hint; without it the pages are small
            return p;
        }
        throw std::bad_alloc();
    }
    // A cache line: vector loads never straddle two, and no column shares one with another.
    constexpr std::size_t line = 64;
    const std::size_t rounded = (bytes + line - 1) / line * line;
    if (void* p = std::aligned_alloc(line, rounded == 0 ? line : rounded)) return p;
    throw std::bad_alloc();
}

void releaseLarge(void* p) noexcept { std::free(p); }

} // namespace ombrelune
