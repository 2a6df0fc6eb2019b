#pragma once
// Colour levels of an image: every value becomes one of 256 levels between zmin and zmax,
// on a linear or a logarithmic scale. The level map is what the picture shows through a
// colour table, so a palette change recolours without computing a level again.

#include "store/spectre.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace ombrelune {

inline constexpr int levelCount = 256;

struct LevelScale {
    double zmin = 1.0;
    double zmax = 2.0;
    bool logarithmic = false;
    friend bool operator==(const LevelScale&, const LevelScale&) = default;
};

// The level of one value, straight from its definition. Linear: t = (v - zmin) / d with
// d = zmax - zmin, or 1 when that is 0. Logarithmic: t = (log10 v - log10 zmin) / f with f
// likewise, and level 0 for v <= 0. Then 0 for t <= 0 (and NaN), 255 for t >= 1, else
// round(255 t) with halves to even.
std::uint8_t levelOf(double value, const LevelScale& scale);

// The same levels for a whole image, without a division or a logarithm per value. A level
// is the number of the 255 thresholds T1 <= ... <= T255 that the value reaches, Tk being
// the smallest double whose level (by levelOf) is at least k; so the coded level is exactly
// levelOf's, on both scales. A table over a cheap increasing key of the value (the value
// itself on the linear scale, its bit pattern, which grows like its logarithm, on the
// logarithmic one) gives a level that is never too high, and comparisons with the next
// thresholds finish it, almost always in one step.
class LevelCoder {
public:
    explicit LevelCoder(const LevelScale& scale);

    std::uint8_t operator()(double v) const {
        switch (mode_) {
        case Mode::thresholds: return coded<Mode::thresholds>(v);
        case Mode::bitKey: return coded<Mode::bitKey>(v);
        case Mode::zero: return 0;
        case Mode::direct: break;
        }
        return levelOf(v, scale_);
    }

    // Codes n values of layer 0 of an image, from point `index` on in steps of `step`
    // points, into out[0], out[stride], ...: the choice of method is made once for them all.
    void codeRun(const spectre& image, std::size_t index, std::size_t step, int n,
                 std::uint8_t* out, std::size_t stride) const;

    // The thresholds T1 .. T255 (NaN for a level no value reaches); empty when the scale
    // has none (every level 0, or a reversed range coded value by value).
    std::vector<double> thresholds() const;

private:
    enum class Mode { thresholds, bitKey, zero, direct };
    static constexpr int keyCount = 4096;

    template <Mode mode>
    double keyOf(double v) const {
        if constexpr (mode == Mode::bitKey)
            return v >= keyOrigin_ ? double(std::bit_cast<std::int64_t>(v) - originBits_) * keyScale_
                                   : -1.0;
        else
            return (v - keyOrigin_) * keyScale_;
    }
    template <Mode mode>
    std::uint8_t coded(double v) const {
        const double q = keyOf<mode>(v);
        const int key = q > 0 ? (q < double(keyCount) ? static_cast<int>(q) : keyCount - 1) : 0;
        unsigned level = table_[static_cast<std::size_t>(key)];
        level += v >= thresholds_[level + 1];
        while (v >= thresholds_[level + 1]) ++level;
        return static_cast<std::uint8_t>(level);
    }
    template <Mode mode>
    void codeRunAs(const spectre& image, std::size_t index, std::size_t step, int n,
                   std::uint8_t* out, std::size_t stride) const {
        for (int k = 0; k < n; ++k, index += step, out += stride) *out = coded<mode>(image.value(index));
    }
    void findThresholds();
    void fillTable();

    LevelScale scale_;
    Mode mode_ = Mode::direct;
    double keyOrigin_ = 0;
    std::int64_t originBits_ = 0;
    double keyScale_ = 0;
    // Index k holds Tk; index 0 is never read and index 256 is NaN, which no value reaches.
    std::array<double, levelCount + 1> thresholds_{};
    std::array<std::uint8_t, keyCount> table_{};
};

// One level per point of an image, stored row by row as the picture shows it: row j holds
// the points (0, j) .. (nx - 1, j). Rows are padded to a multiple of four bytes, the layout
// of an 8-bit indexed picture, so it can be shown without a copy.
struct LevelMap {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bytes;

    std::uint8_t at(int i, int j) const {
        return bytes[static_cast<std::size_t>(j) * static_cast<std::size_t>(stride) +
                     static_cast<std::size_t>(i)];
    }
};

// Resizes the map to the image's nx × ny and fills it from layer 0.
void computeLevels(const spectre& image, const LevelScale& scale, LevelMap& map);

// The map of the colour scale strip: one column of 256 rows, row r holding level 255 - r.
LevelMap scaleStripMap();

} // namespace ombrelune
