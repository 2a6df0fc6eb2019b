#pragma once
// Sums over every run of `len` consecutive rows of a table, in a time that does not depend
// on `len`. Each sum is a suffix sum of one block of `len` rows plus a prefix sum of the
// next (the van Herk / Gil-Werman scheme), so nothing is ever subtracted: a large value
// leaving the window cannot wipe out the small ones beside it, and whole-number data sums
// exactly.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace ombrelune {

// The table has n rows of m columns, read as in(r, c). For every window start
// s = 0 .. n - len and column c, out(s, c, sum of rows s .. s + len - 1) is called.
// Requires 1 <= len <= n.
template <typename In, typename Out>
void slidingRowSums(std::size_t n, std::size_t m, std::size_t len, In in, Out out) {
    // prefix: the block being finished, from its start; nextPrefix: the block after it;
    // suffix: the block being finished, from each row to its end.
    std::vector<double> prefix(len * m), nextPrefix(len * m), suffix(len * m);
    const auto at = [m](std::vector<double>& v, std::size_t r, std::size_t c) -> double& {
        return v[r * m + c];
    };
    const auto fillPrefix = [&](std::vector<double>& p, std::size_t start) {
        const std::size_t count = std::min(len, n - start);
        for (std::size_t c = 0; c < m; ++c) at(p, 0, c) = in(start, c);
        for (std::size_t r = 1; r < count; ++r)
            for (std::size_t c = 0; c < m; ++c) at(p, r, c) = at(p, r - 1, c) + in(start + r, c);
    };
    fillPrefix(prefix, 0);
    for (std::size_t b = 0; b + len <= n; b += len) {
        for (std::size_t c = 0; c < m; ++c) out(b, c, at(prefix, len - 1, c));
        if (b + len >= n) break;
        for (std::size_t c = 0; c < m; ++c) at(suffix, len - 1, c) = in(b + len - 1, c);
        for (std::size_t r = len - 1; r-- > 0;)
            for (std::size_t c = 0; c < m; ++c)
                at(suffix, r, c) = in(b + r, c) + at(suffix, r + 1, c);
        fillPrefix(nextPrefix, b + len);
        // Window b + r covers rows b + r .. b + len - 1 and b + len .. b + len + r - 1.
        for (std::size_t r = 1; r < len && b + r + len <= n; ++r)
            for (std::size_t c = 0; c < m; ++c)
                out(b + r, c, at(suffix, r, c) + at(nextPrefix, r - 1, c));
        prefix.swap(nextPrefix);
    }
}

} // namespace ombrelune
