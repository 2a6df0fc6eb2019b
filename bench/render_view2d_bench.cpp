// levels-2d: the colour levels of a 2048 x 2048 image, linear and logarithmic, beside a
// plain double loop computing the same linear levels (the definition, point by point, in
// storage order) measured in the same run.
// view2d-redraw: the whole redraw of the 2D view for that image: levels, colouring and
// drawing the picture with its cursor lines into a 1024 x 1024 widget-sized image, and
// the colour scale with its labels beside it.

#include "bench_registry.hpp"
#include "gui_application.hpp"

#include "plot/graph2d_state.hpp"
#include "render/image_painter.hpp"
#include "store/number_format.hpp"

#include <QImage>
#include <QPainter>

#include <cmath>
#include <random>

namespace ombrelune::bench {
namespace {

constexpr int side = 2048;
const std::string sizeText = std::to_string(side) + "x" + std::to_string(side);

// Detector-like counts: a broad peak on a flat background, with counting noise and zeros.
const spectre& benchImage() {
    static const spectre image = [] {
        spectre s;
        s.name = "I";
        s.resize(side, side, 1);
        s.clear();
        s.typeX = s.typeY = "raw";
        std::mt19937_64 rng(5);
        for (int i = 0; i < side; ++i)
            for (int j = 0; j < side; ++j) {
                const double r2 = double(i - 900) * (i - 900) + double(j - 1100) * (j - 1100);
                const double mean = 2 + 5000 * std::exp(-r2 / 2e5);
                s.setValueAt(i, j, 0, std::poisson_distribution<int>(mean)(rng));
            }
        return s;
    }();
    return image;
}

// The definition written as anyone would first write it.
void plainLinearLevels(const spectre& image, const LevelScale& s, LevelMap& map) {
    const double d = s.zmax - s.zmin == 0 ? 1.0 : s.zmax - s.zmin;
    for (int i = 0; i < image.nx; ++i)
        for (int j = 0; j < image.ny; ++j) {
            const double t = (image.valueAt(i, j) - s.zmin) / d;
            map.bytes[std::size_t(j) * map.stride + i] =
                t > 0 ? (t >= 1 ? 255 : static_cast<std::uint8_t>(std::nearbyint(255 * t))) : 0;
        }
}

std::vector<BenchLine> levels() {
    const spectre& image = benchImage();
    LevelMap map;
    computeLevels(image, {0, 1, false}, map);
    const double plain = medianSeconds([&] { plainLinearLevels(image, {0, 2000, false}, map); });
    std::vector<BenchLine> lines;
    for (const LevelScale& s : {LevelScale{0, 2000, false}, LevelScale{1, 5000, true}}) {
        const double seconds = medianSeconds([&] { computeLevels(image, s, map); });
        lines.push_back({"levels-2d", sizeText + (s.logarithmic ? " log" : " lin"), seconds,
                         perSecond(double(side) * side / 1e6, seconds, "Mpixel/s"),
                         "plain linear loop " + formatScientific(plain, 3, 2) + " s\tratio " +
                             formatFixed(seconds / plain, 2)});
    }
    return lines;
}

std::vector<BenchLine> redraw() {
    ensureGuiApplication();
    const spectre& image = benchImage();
    QImage widget(1024, 1024, QImage::Format_ARGB32_Premultiplied);
    QImage scale(80, 1024, QImage::Format_ARGB32_Premultiplied);
    std::vector<BenchLine> lines;
    for (bool logarithmic : {false, true}) {
        LevelMap map;
        ImagePicture picture;
        picture.levels = &map;
        picture.scale = {logarithmic ? 1.0 : 0.0, 5000, logarithmic};
        picture.overlays = {{{127, 0, 0}, 0, 700.5, side, 700.5},
                            {{255, 0, 0}, 900.5, 0, 900.5, side}};
        auto draw = [&] {
            picture.colours = colourTable(paletteRouge);
            widget.fill(Qt::white);
            QPainter p(&widget);
            paintPicture(p, QRectF(0, 0, 1024, 1024), picture, QRectF(0, 0, side, side));
            QPainter q(&scale);
            paintColourScale(q, QRectF(0, 0, 80, 1024), picture);
        };
        const double seconds = medianSeconds(
            [&] {
                computeLevels(image, picture.scale, map);
                draw();
            },
            9);
        // A palette change or a cursor move redraws without computing levels.
        const double drawing = medianSeconds(draw, 9);
        lines.push_back({"view2d-redraw", sizeText + (logarithmic ? " log" : " lin") +
                                              " into 1024x1024",
                         seconds, perSecond(1, seconds, "redraws/s"),
                         "colouring and drawing alone " + formatScientific(drawing, 3, 2) + " s"});
    }
    return lines;
}

const bool registeredLevels = registerBench({"levels-2d", levels});
const bool registeredRedraw = registerBench({"view2d-redraw", redraw});

} // namespace
} // namespace ombrelune::bench
