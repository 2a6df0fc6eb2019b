// The 2D picture on images: every device pixel in its point's colour, overlays over it,
// the colour scale beside it in exported pictures, and the exact zoomed picture of PNG files.

#include "render/image_painter.hpp"

#include "proc2d/fixtures.hpp"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

// A 4 × 3 map whose level is 60 i + 10 j, shown in grey.
struct SmallPicture {
    LevelMap levels;
    ImagePicture picture;
    SmallPicture() {
        const spectre image =
            testing::makeImage("I", 4, 3, [](int i, int j) { return 60.0 * i + 10 * j; });
        picture.scale = {0, 255, false};
        computeLevels(image, picture.scale, levels);
        picture.levels = &levels;
        picture.colours = colourTable(0);
    }
    QRgb colourOf(int i, int j) const { return picture.colours[levels.at(i, j)]; }
};

TEST(ImagePainter, NearestPixelsAndOverlays) {
    SmallPicture s;
    s.picture.overlays = {{{255, 0, 0}, 0, 1.5, 4, 1.5}};
    QImage out(40, 30, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        paintPicture(p, QRectF(0, 0, 40, 30), s.picture, QRectF(0, 0, 4, 3));
    }
    for (int i = 0; i < 4; ++i)
        for (int j : {0, 2}) {
            EXPECT_EQ(out.pixel(i * 10 + 1, j * 10 + 1), s.colourOf(i, j)) << i << "," << j;
            EXPECT_EQ(out.pixel(i * 10 + 9, j * 10 + 9), s.colourOf(i, j)) << i << "," << j;
        }
    EXPECT_EQ(out.pixel(22, 15), qRgb(255, 0, 0)); // the overlay across row 1
    EXPECT_EQ(out.pixel(22, 17), s.colourOf(2, 1));

    // Part of the picture, magnified: point (2, 1) fills the whole target.
    out.fill(Qt::transparent);
    s.picture.overlays.clear();
    {
        QPainter p(&out);
        paintPicture(p, QRectF(0, 0, 40, 30), s.picture, QRectF(2, 1, 1, 1));
    }
    EXPECT_EQ(out.pixel(0, 0), s.colourOf(2, 1));
    EXPECT_EQ(out.pixel(39, 29), s.colourOf(2, 1));
}

TEST(ImagePainter, ZoomedPictureRepeatsEachPoint) {
    SmallPicture s;
    const QImage z = zoomedPicture(s.levels, s.picture.colours, 3);
    ASSERT_EQ(z.size(), QSize(12, 9));
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 9; ++y) ASSERT_EQ(z.pixel(x, y), s.colourOf(x / 3, y / 3));
}

TEST(ImagePainter, ExportedPictureHasItsColourScale) {
    SmallPicture s;
    const QSize size = imageWithScaleSize(s.picture, 20);
    EXPECT_EQ(size.height(), 3 * 20 + 16);
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    {
        QPainter p(&out);
        paintImageWithScale(p, QRectF(QPointF(0, 0), size), s.picture);
    }
    // The picture ends at the right margin; the strip runs from white (top) to
    // dark grey.
    const int right = size.width() - 8;
    EXPECT_EQ(out.pixel(right - 5, 8 + 5), s.colourOf(3, 0));
    int stripX = -1;
    for (int x = 0; x < right - 80; ++x)
        if (qGray(out.pixel(x, 8)) > 245 && qGray(out.pixel(x, 8 + 59)) < 30)
            stripX = x;
    EXPECT_GT(stripX, 8) << "no colour strip left of the picture";
    // Some label text (dark pixels) left of the strip.
    bool text = false;
    for (int x = 0; x < stripX - 16; ++x)
        for (int y = 0; y < size.height(); ++y) text = text || qGray(out.pixel(x, y)) < 128;
    EXPECT_TRUE(text);
}

} // namespace
} // namespace ombrelune
