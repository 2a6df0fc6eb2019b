#pragma once
// Allocation of the point columns, on 64-byte boundaries. Detector images and stacks are
// tens to hundreds of megabytes; backing them with transparent huge pages cuts the page
// faults of a fresh image by a factor of 512, which is most of the cost of reading or
// computing one.

#include <cstddef>
#include <new>

namespace ombrelune {

void* allocateLarge(std::size_t bytes);
void releaseLarge(void* p) noexcept;

template <typename T> struct PointAllocator {
    using value_type = T;
    PointAllocator() = default;
    template <typename U> PointAllocator(const PointAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(allocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { releaseLarge(p); }
    template <typename U> bool operator==(const PointAllocator<U>&) const noexcept { return true; }
};

} // namespace ombrelune
