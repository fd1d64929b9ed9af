// Contrast ratios and the choice of a caption colour that reads on its background.

#include "skin/text_contrast.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TEST(TextContrast, RatiosOfKnownPairsAndOfAPictureRegion)
{
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(128, 128, 128), Qt::white), 3.95, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::yellow), 1.07, 0.01);

    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    picture.setPixel(2, 1, qRgb(128, 128, 128));
    const LuminanceRange right = LuminanceRange::Of(picture, QRect(2, 0, 10, 10));  // clipped, no black
    EXPECT_NEAR(right.WorstContrast(Qt::black), ContrastRatio(Qt::black, QColor(128, 128, 128)), 1e-9);
    EXPECT_NEAR(right.WorstContrast(QColor(200, 200, 200)), 1.0, 1e-9) << "inside the range";
}

TEST(TextContrast, ThemeColourKeptWhereItReadsElseTheNearestThatDoes)
{
    EXPECT_EQ(ReadableOn(Qt::white, LuminanceRange::Of(QColor(0, 0, 128))), QColor(Qt::white));
    EXPECT_EQ(ReadableOn(Qt::white, LuminanceRange::Of(Qt::yellow)), QColor(Qt::black));

    // A grey caption on a mid-blue bar: lightened only as far as it must be.
    const LuminanceRange blue = LuminanceRange::Of(QColor(7, 91, 233));
    const QColor dimmed = NearestReadable(QColor(128, 128, 128), blue);
    EXPECT_GT(dimmed.red(), 128);
    EXPECT_GE(blue.WorstContrast(dimmed), kLeastTextContrast);
    EXPECT_LT(blue.WorstContrast(dimmed), kLeastTextContrast + 0.2);

    // Dark to light behind the text: nothing reaches 3:1, the better extreme is taken.
    const LuminanceRange wide{RelativeLuminance(QColor(60, 60, 60)), RelativeLuminance(QColor(200, 200, 200))};
    EXPECT_EQ(NearestReadable(QColor(128, 128, 128), wide), QColor(Qt::black));
}

}  // namespace
