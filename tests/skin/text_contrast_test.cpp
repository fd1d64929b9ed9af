// Contrast ratios and the choice of a caption colour that reads on its background.

#include "skin/text_contrast.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TEST(TextContrast, RatiosOfKnownPairs)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(128, 128, 128), Qt::white), 3.95, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::yellow), 1.07, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(10, 20, 30), QColor(10, 20, 30)), 1.0, 1e-9);
}

TEST(TextContrast, RangeOfPixelsAndItsWorstContrast)
{
    QImage gradient(4, 2, QImage::Format_RGB32);
    gradient.fill(Qt::white);
    gradient.setPixel(1, 1, qRgb(0, 0, 0));
    gradient.setPixel(2, 1, qRgb(128, 128, 128));
    const LuminanceRange right = LuminanceRange::Of(gradient, QRect(2, 0, 10, 10));  // clipped, no black
    EXPECT_NEAR(right.WorstContrast(Qt::black), ContrastRatio(Qt::black, QColor(128, 128, 128)), 1e-9);
    EXPECT_NEAR(right.WorstContrast(QColor(200, 200, 200)), 1.0, 1e-9) << "inside the range";
    EXPECT_TRUE(LuminanceRange::Of(gradient, QRect(10, 10, 2, 2)).IsEmpty());
}

TEST(TextContrast, ThemeColourKeptWhereItReadsElseTheNearestThatDoes)
{
    const LuminanceRange yellow = LuminanceRange::Of(Qt::yellow);
    EXPECT_EQ(ReadableOn(Qt::white, LuminanceRange::Of(QColor(0, 0, 128))), QColor(Qt::white));
    EXPECT_EQ(ReadableOn(Qt::white, yellow), QColor(Qt::black));
    EXPECT_EQ(ReadableOn(Qt::black, LuminanceRange::Of(QColor(20, 30, 100))), QColor(Qt::white));

    // A grey caption on a mid-blue bar: lightened only as far as it must be.
    const LuminanceRange blue = LuminanceRange::Of(QColor(7, 91, 233));
    const QColor dimmed = NearestReadable(QColor(128, 128, 128), blue);
    EXPECT_GE(blue.WorstContrast(dimmed), kLeastTextContrast);
    EXPECT_LT(blue.WorstContrast(dimmed), kLeastTextContrast + 0.2);
    EXPECT_GT(dimmed.red(), 128);
    EXPECT_EQ(NearestReadable(QColor(128, 128, 128), LuminanceRange::Of(Qt::white)), QColor(128, 128, 128));

    // A background spanning dark to light: no colour reaches 3:1, the better extreme is taken.
    const LuminanceRange wide{RelativeLuminance(QColor(60, 60, 60)), RelativeLuminance(QColor(200, 200, 200))};
    EXPECT_EQ(NearestReadable(QColor(128, 128, 128), wide), QColor(Qt::black));
}

}  // namespace
