#include "proc2d/sliding_sums.hpp"

#include <algorithm>
#include <vector>

namespace ombrelune {

void slidingRowSums(const double* in, std::size_t n, std::size_t rowLength, std::size_t len,
                    double* out) {
    const std::size_t m = rowLength;
    const auto row = [m](auto* base, std::size_t r) { return base + r * m; };
    // suffix: block b from each row to the block's end; prefix: block b + 1 from its start.
    std::vector<double> suffix(len * m), prefix(len * m), nextPrefix(len * m);
    const auto fillPrefix = [&](std::vector<double>& p, std::size_t start) {
        const std::size_t count = std::min(len, n - start);
        std::copy(row(in, start), row(in, start) + m, p.data());
        for (std::size_t r = 1; r < count; ++r)
            for (std::size_t c = 0; c < m; ++c)
                row(p.data(), r)[c] = row(p.data(), r - 1)[c] + row(in, start + r)[c];
    };
    fillPrefix(prefix, 0);
    for (std::size_t b = 0; b + len <= n; b += len) {
        // The window that starts the block is the whole block.
        std::copy(row(prefix.data(), len - 1), row(prefix.data(), len - 1) + m, row(out, b));
        if (b + len >= n) break;
        std::copy(row(in, b + len - 1), row(in, b + len - 1) + m, row(suffix.data(), len - 1));
        for (std::size_t r = len - 1; r-- > 0;)
            for (std::size_t c = 0; c < m; ++c)
                row(suffix.data(), r)[c] = row(in, b + r)[c] + row(suffix.data(), r + 1)[c];
        fillPrefix(nextPrefix, b + len);
        // Window s = b + r (r >= 1) covers rows b + r .. b + len - 1 and b + len .. b + len + r
        // - 1.
        for (std::size_t r = 1; r < len && b + r + len <= n; ++r)
            for (std::size_t c = 0; c < m; ++c)
                row(out, b + r)[c] = row(suffix.data(), r)[c] + row(nextPrefix.data(), r - 1)[c];
        prefix.swap(nextPrefix);
    }
}

} // namespace ombrelune
