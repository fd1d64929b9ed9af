// The skinned progress bar: caption, fill and the thickness lock.

#include "skin/progress_bar.h"
#include "skin/theme_pictures.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <climits>
#include <tuple>
#include <vector>

using skin_test::PixelsAt;

namespace {

constexpr QRgb kFill = qRgb(220, 30, 30);

QImage SolidPicture(int w, int h) { return skin_test::Solid(w, h, QColor(kFill)); }

// A Custom bar with a solid picture and plain colours, so pixels can be checked.
void MakePlain(TskProgressBar& bar)
{
    bar.SetUIStyle(TskUIStyle::Custom);
    bar.SetPicture(SolidPicture(1, 10));
    bar.SetColor(RGBColor(0, 0, 255));
    bar.SetBorderColor(RGBColor(0, 0, 0));
    bar.SetShowCaption(false);
}

TEST(ProgressBar, StartsHalfFullInItsFormsLookAndKeepsItsThickness)
{
    TskProgressBar bar;
    EXPECT_EQ((std::tuple{bar.Caption(), bar.UIStyle(), bar.Color(), bar.BorderColor(), bar.Picture().size()}),
              std::tuple(QString("50%"), TskUIStyle::Navy, GetThemeColor(TskUIStyle::Navy, 9),
                         GetThemeColor(TskUIStyle::Navy, 8), QSize(1, 10)));
    std::vector<QSize> sizes{bar.size()};
    bar.resize(200, 30);
    sizes.push_back(bar.size());
    bar.SetOrientation(TskProgressBarOrientation::skVertical);
    sizes.push_back(bar.size());
    bar.resize(40, 90);
    sizes.push_back(bar.size());
    EXPECT_EQ(sizes, (std::vector<QSize>{{150, 12}, {200, 12}, {12, 200}, {12, 90}}));
}

TEST(ProgressBar, CaptionPercentages)
{
    struct Case {
        int min, max, position;
        const char* caption;
    };
    const Case cases[] = {
        {0, 100, 150, "150%"},
        {0, 100, -10, "-10%"},
        {5, 5, 7, "0%"},
        {0, 30, -5, "-16%"},  // truncated towards zero
        {0, 3, 2, "66%"},
        {INT_MIN, INT_MAX, INT_MAX, "100%"},
        {INT_MIN, INT_MAX, INT_MIN, "0%"},
        {INT_MIN, INT_MIN + 1, INT_MAX, "429496729500%"},
        {100, 0, 50, "50%"},  // bounds the wrong way round still divide
    };
    for (const Case& c : cases) {
        TskProgressBar bar;
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.Caption(), c.caption) << c.min << " " << c.max << " " << c.position;
    }
    TskProgressBar bar;
    bar.StepIt();
    EXPECT_EQ(bar.Caption(), "51%");
    bar.StepBy(-11);
    EXPECT_EQ(bar.Position(), 40);
    bar.SetPosition(INT_MAX);
    bar.StepIt();  // wraps rather than overflowing
    EXPECT_EQ(bar.Position(), INT_MIN);
}

TEST(ProgressBar, FilledLength)
{
    // {min, max, position, inner length, filled}
    for (const auto& [min, max, position, length, filled] :
         {std::array{0, 100, 50, 149, 74}, {0, 100, 150, 149, 149}, {0, 100, 100, 149, 149}, {0, 100, 0, 149, 0},
          {0, 100, -10, 149, 0}, {5, 5, 7, 149, 0}, {10, 0, 5, 149, 0}, {INT_MIN, INT_MAX, 0, 1000, 500}})
        EXPECT_EQ(TskProgressBar::FilledLength(min, max, position, length), filled) << min << " " << max << " " << position;
}

TEST(ProgressBar, HorizontalFillAndBorder)
{
    TskProgressBar bar;
    MakePlain(bar);
    const QImage img = bar.grab().toImage();
    ASSERT_EQ(img.size(), QSize(150, 12));
    const QColor fill(kFill), blue(0, 0, 255), black(0, 0, 0);
    EXPECT_EQ(PixelsAt(img, {{1, 5}, {73, 5}, {74, 5}, {148, 10}, {0, 5}, {149, 5}, {70, 11}}),
              (std::vector<QColor>{fill, fill, blue, blue, black, black, black}));
    bar.SetPosition(150);  // past Max: full
    EXPECT_EQ(bar.grab().toImage().pixelColor(148, 5), fill);
    bar.SetPosition(-10);  // below Min: empty
    EXPECT_EQ(bar.grab().toImage().pixelColor(1, 5), blue);
    // A picture thinner than the bar: colour below it, frame round the bar.
    bar.SetPicture(SolidPicture(1, 4));
    bar.SetPosition(100);
    EXPECT_EQ(PixelsAt(bar.grab().toImage(), {{70, 3}, {70, 9}, {70, 11}}), (std::vector<QColor>{fill, blue, black}));
}

TEST(ProgressBar, VerticalBarFillsFromTheBottomAndDropsItsCaption)
{
    TskProgressBar bar;
    MakePlain(bar);
    bar.SetShowCaption(true);
    bar.SetPicture(SolidPicture(10, 1));
    bar.SetOrientation(TskProgressBarOrientation::skVertical);
    EXPECT_EQ(bar.size(), QSize(12, 150));
    bar.SetPosition(25);  // fill 149 * 25 / 100 = 37: rows 112..148
    EXPECT_EQ(PixelsAt(bar.grab().toImage(), {{5, 148}, {5, 112}, {5, 111}, {5, 1}}),
              (std::vector<QColor>{QColor(kFill), QColor(kFill), QColor(0, 0, 255), QColor(0, 0, 255)}));
    EXPECT_FALSE(bar.ShowCaption());

    bar.SetOrientation(TskProgressBarOrientation::skHorizontal);
    EXPECT_EQ(bar.size(), QSize(150, 12));
    EXPECT_FALSE(bar.ShowCaption());  // stays off until set again
    bar.SetShowCaption(true);
    EXPECT_TRUE(bar.ShowCaption());
}

TEST(ProgressBar, ThemeLoadsPictureAndColoursCustomKeepsThem)
{
    TskProgressBar bar;
    bar.SetUIStyle(TskUIStyle::Pearl);
    EXPECT_EQ(bar.Picture().size(), QSize(13, 10));
    bar.SetOrientation(TskProgressBarOrientation::skVertical);
    EXPECT_EQ((std::tuple{bar.Picture().size(), bar.Color(), bar.BorderColor()}),
              std::tuple(QSize(13, 13), GetThemeColor(TskUIStyle::Pearl, 9), GetThemeColor(TskUIStyle::Pearl, 8)));

    bar.SetPicture(SolidPicture(3, 3));
    bar.SetColor(RGBColor(1, 2, 3));
    bar.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ((std::tuple{bar.Picture().size(), bar.Color()}), std::tuple(QSize(3, 3), RGBColor(1, 2, 3)));
}

TEST(ProgressBar, SmartCaptionHidesAtMin)
{
    auto captionPixels = [](TskProgressBar& bar) {
        return skin_test::CountPixels(bar.grab().toImage(), [](QColor c) { return c == QColor(0, 255, 0); });
    };
    TskProgressBar bar;
    MakePlain(bar);
    bar.SetShowCaption(true);
    bar.SetCaptionColor(RGBColor(0, 255, 0));
    bar.SetSmartShowCaption(true);
    bar.SetPosition(0);
    EXPECT_EQ(captionPixels(bar), 0);
    bar.SetPosition(1);
    EXPECT_GT(captionPixels(bar), 0);
}

}  // namespace

namespace {

// Half full, the percentage straddles the end of the fill. On each side, the
// caption's ink never borders on an untouched pixel inside the frame that it reads
// less than 3:1 against: over the glossy fill as over the empty track, in every look.
TEST(ProgressBar, CaptionReadsOverTheFillAndOverTheEmptyTrack)
{
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        SCOPED_TRACE(int(style));
        TskProgressBar bar;
        bar.SetUIStyle(style);
        bar.SetShowCaption(false);
        const QImage plain = bar.grab().toImage();
        bar.SetShowCaption(true);
        const QImage shown = bar.grab().toImage();
        const int fillEnd = TskProgressBar::FilledLength(0, 100, 50, bar.width() - 1);
        for (const QRect side : {QRect(0, 0, fillEnd, bar.height()), QRect(fillEnd, 0, bar.width() - fillEnd, bar.height())}) {
            const skin_test::DrawnText text = skin_test::TextBetween(plain, shown, side);
            ASSERT_GT(text.pixels, 5) << "the caption straddles the fill's end";
            const QRect inside = side & bar.rect().adjusted(1, 1, -1, -1);  // within the frame
            // Ink: a changed pixel nearer the caption's colour than the bar's.
            auto ink = [&](QPoint p) {
                return shown.pixel(p) != plain.pixel(p) &&
                       ContrastRatio(shown.pixelColor(p), text.colour) < ContrastRatio(shown.pixelColor(p), plain.pixelColor(p));
            };
            double worst = 21.0;
            for (int y = text.box.top(); y <= text.box.bottom(); ++y) {
                for (int x = text.box.left(); x <= text.box.right(); ++x) {
                    if (!ink(QPoint(x, y)))
                        continue;
                    for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
                        const QPoint n = QPoint(x, y) + d;
                        if (inside.contains(n) && shown.pixel(n) == plain.pixel(n))
                            worst = std::min(worst, ContrastRatio(text.colour, plain.pixelColor(n)));
                    }
                }
            }
            EXPECT_GE(worst, kLeastTextContrast) << (side.x() == 0 ? "over the fill " : "over the track ")
                                                 << text.colour.name().toStdString();
        }
    }
}

}  // namespace
