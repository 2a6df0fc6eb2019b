#include "proc2d/spectrum_builder.hpp"
#include "proc2d/view_readers.hpp"
#include "store/binary_file.hpp"
#include "store/saved_spectra.hpp"

#include <string>
#include <vector>

namespace ombrelune {
namespace {

constexpr std::size_t rowWords = 2300;
constexpr int block = 4;

} // namespace

void readTpaFile(spectlist& images, const std::filesystem::path& file, const std::string& name) {
    BinaryFileReader in(file);
    if (in.size() < tpaFrameBytes)
        in.malformed("a TPA frame needs " + std::to_string(tpaFrameBytes) +
                     " bytes, the file has " + std::to_string(in.size()));
    const std::string frame = in.readAt(0, tpaFrameBytes);
    const auto word = [&](std::size_t row, std::size_t column) {
        const std::size_t at = (row * rowWords + column) * 2;
        return static_cast<unsigned>(static_cast<unsigned char>(frame[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(frame[at + 1])) << 8;
    };

    spectre image = newSpectre(name, tpaSide, tpaSide, 1);
    image.typeX = image.typeY = "raw";
    const std::vector<double> indexes = indexAxis(tpaSide);
    image.setXAlongI(indexes);
    image.setYAlongJ(indexes);
    for (int i = 0; i < tpaSide; ++i)
        for (int j = 0; j < tpaSide; ++j) {
            unsigned sum = 0;
            for (int r = 1; r <= block; ++r)
                for (int c = 0; c < block; ++c)
                    sum += word(static_cast<std::size_t>(block * i + r),
                                static_cast<std::size_t>(block * j + c));
            image.setValueAt(i, j, 0, sum);
        }
    markSaved(image);
    storeResult(images, std::move(image));
}

} // namespace ombrelune
