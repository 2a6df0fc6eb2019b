#include "errors/errors.hpp"
#include "proc2d/text_lines.hpp"
#include "proc2d/view_readers.hpp"
#include "store/number_format.hpp"

#include <vector>

namespace ombrelune {
namespace {

spectre& targetImage(spectlist& images, int slot) {
    spectre* image = images.at(slot);
    if (!image || image->nx < twoImageSide || image->ny < twoImageSide || image->nz < 1)
        throw ERefused("lire en TEXTE : l'emplacement " + std::to_string(slot) +
                       " des images doit contenir une image d'au moins 128 x 128");
    return *image;
}

double readValue(TextLineReader& in, std::string_view text, char decimalSeparator) {
    const auto v = parseNumber(text, decimalSeparator);
    if (!v) in.fail(excerpt(text) + " is not a valid floating point value");
    return *v;
}

} // namespace

void readTwoImageText(spectlist& images, const std::filesystem::path& file, char decimalSeparator) {
    spectre& first = targetImage(images, 1);
    spectre& second = targetImage(images, 2);
    constexpr int pointCount = twoImageSide * twoImageSide;
    std::vector<double> values1(pointCount), values2(pointCount);
    TextLineReader in(file);
    // The last point has no line and is 0 in both images.
    for (int n = 0; n + 1 < pointCount; ++n) {
        const std::string_view line = in.require("a line label TAB value TAB value");
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == line.npos ? line.npos : line.find('\t', tab1 + 1);
        if (tab2 == line.npos) in.fail("label TAB value TAB value expected");
        const auto n1 = static_cast<std::size_t>(n);
        values1[n1] = readValue(in, line.substr(tab1 + 1, tab2 - tab1 - 1), decimalSeparator);
        values2[n1] = readValue(in, line.substr(tab2 + 1), decimalSeparator);
    }
    for (int n = 0; n < pointCount; ++n) {
        const int i = n % twoImageSide, j = n / twoImageSide;
        first.setValueAt(i, j, 0, values1[static_cast<std::size_t>(n)]);
        second.setValueAt(i, j, 0, values2[static_cast<std::size_t>(n)]);
    }
}

} // namespace ombrelune
