#include "store/aligned_doubles.hpp"

#include "store/point_allocator.hpp"

#include <algorithm>
#include <cstring>

namespace ombrelune {

void AlignedDoubles::Release::operator()(double* p) const noexcept { releaseLarge(p); }

AlignedDoubles AlignedDoubles::uninitialised(std::size_t n) {
    AlignedDoubles a;
    if (n > std::size_t(-1) / sizeof(double)) throw std::bad_array_new_length();
    a.data_.reset(static_cast<double*>(allocateLarge(n * sizeof(double))));
    a.size_ = n;
    return a;
}

AlignedDoubles::AlignedDoubles(std::size_t n) : AlignedDoubles(uninitialised(n)) {
    std::fill_n(data_.get(), n, 0.0);
}

AlignedDoubles::AlignedDoubles(const AlignedDoubles& other)
    : AlignedDoubles(uninitialised(other.size_)) {
    if (size_ > 0) std::memcpy(data_.get(), other.data_.get(), size_ * sizeof(double));
}

AlignedDoubles& AlignedDoubles::operator=(const AlignedDoubles& other) {
    if (this != &other) *this = AlignedDoubles(other);
    return *this;
}

} // namespace ombrelune
