#pragma once
// A 64-bit digest fed word by word: a multiply, rotate and multiply per word spreads every
// bit of it, so a change of one number anywhere changes the digest. For telling whether a
// spectrum still holds what a file holds, not for security.

#include <bit>
#include <cstdint>
#include <string>
#include <utility>

namespace ombrelune {

class ContentDigest {
public:
    void add(std::uint64_t word) {
        h_ ^= word * 0xff51afd7ed558ccdULL;
        h_ = std::rotl(h_, 31) * 0xc4ceb9fe1a85ec53ULL;
    }
    void add(double v) { add(std::bit_cast<std::uint64_t>(v)); }
    void add(const std::string& text) {
        add(static_cast<std::uint64_t>(text.size()));
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < text.size(); ++k) {
            word = word << 8 | static_cast<unsigned char>(text[k]);
            if (k % 8 == 7) add(std::exchange(word, 0));
        }
        add(word);
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0x9e3779b97f4a7c15ULL;
};

} // namespace ombrelune
