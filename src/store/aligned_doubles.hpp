#pragma once
// A fixed-size array of doubles starting on a 64-byte boundary (a cache line, and the
// widest vector load), large ones backed by huge pages: the value column of a spectrum and
// the data of its coordinate columns.

#include <cstddef>
#include <memory>
#include <span>

namespace ombrelune {

class AlignedDoubles {
public:
    AlignedDoubles() = default;
    // n doubles, all +0.
    explicit AlignedDoubles(std::size_t n);
    // n doubles left unset, for an array that is filled whole at once (from a file, by a
    // kernel): zeroing it first would cost a pass over memory.
    static AlignedDoubles uninitialised(std::size_t n);

    AlignedDoubles(const AlignedDoubles& other);
    AlignedDoubles& operator=(const AlignedDoubles& other);
    AlignedDoubles(AlignedDoubles&& other) noexcept = default;
    AlignedDoubles& operator=(AlignedDoubles&& other) noexcept = default;

    std::size_t size() const { return size_; }
    double* data() { return data_.get(); }
    const double* data() const { return data_.get(); }
    double& operator[](std::size_t n) { return data_[n]; }
    double operator[](std::size_t n) const { return data_[n]; }
    std::span<double> span() { return {data_.get(), size_}; }
    std::span<const double> span() const { return {data_.get(), size_}; }

private:
    struct Release {
        void operator()(double* p) const noexcept;
    };

    std::unique_ptr<double[], Release> data_;
    std::size_t size_ = 0;
};

} // namespace ombrelune
