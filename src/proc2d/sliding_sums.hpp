#pragma once
// Sums over every run of `len` consecutive rows of a row-major table, in a time that does
// not depend on `len`. Each sum is built from a suffix sum of one block of `len` rows and
// a prefix sum of the next (the van Herk / Gil-Werman scheme), so nothing is ever
// subtracted: a large value leaving the window cannot wipe out the small ones beside it,
// and whole-number data sums exactly.

#include <cstddef>

namespace ombrelune {

// in: n rows of rowLength doubles; out: n - len + 1 rows, row s = rows s .. s + len - 1.
// Requires 1 <= len <= n.
void slidingRowSums(const double* in, std::size_t n, std::size_t rowLength, std::size_t len,
                    double* out);

} // namespace ombrelune
