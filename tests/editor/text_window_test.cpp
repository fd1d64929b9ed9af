#include "editor_fixture.h"
#include "common/coded_glyphs.h"
#include "common/square_glyphs.h"
#include "common/window_clicks.h"

#include "editor/text_layout.h"
#include "editor/text_window.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/memo.h"
#include "skin/track_bar.h"

#include "model/gbk_text.h"
#include "platform/freetype_glyph_source.h"

#include <QFontDatabase>
#include <QDir>
#include <QFontDialog>
#include <QLabel>
#include <QListView>
#include <QPainterPath>
#include <QTest>

#include <algorithm>
#include <array>
#include <map>

namespace {

std::vector<std::array<int, 3>> Points(const Path& path)
{
    std::vector<std::array<int, 3>> points;
    for (const auto& p : path)
        points.push_back({p->x, p->y, p->blank});
    return points;
}

int Blanked(const Path& path)
{
    return static_cast<int>(std::count_if(path.begin(), path.end(), [](const auto& p) { return p->blank != 0; }));
}

// The contours of a character in a family, as Qt's own font engine draws it.
int ContoursOf(const QString& family, const QString& character)
{
    QFont font(family);
    font.setPixelSize(48);
    QPainterPath path;
    path.addText(0, 0, font, character);
    int contours = 0;
    for (int i = 0; i < path.elementCount(); ++i)
        contours += path.elementAt(i).isMoveTo() ? 1 : 0;
    return contours;
}

int MinX(const Path& path)
{
    int x = INT32_MAX;
    for (const auto& p : path)
        x = std::min(x, p->x);
    return x;
}

TEST(LayoutText, LinesAreCutAtTwentyBytesAndPlacedOnTheColumnAndRowPitch)
{
    SquareGlyphs glyphs;
    TextFactors factors;  // cells 32, pitch 32 / 8 = 32, thinning 3
    const QStringList lines{QString(25, 'A'), QString(), QString(19, 'B') + QString::fromUtf8("\u554A"), "i"};
    const Drawing paths = LayoutText(glyphs, lines, {"Test", 11}, factors, 5);
    ASSERT_EQ(paths.size(), 20u + 19u + 1u) << "no line keeps more than 20 bytes, and no half character";
    for (std::size_t j = 0; j < 20; ++j)
        EXPECT_EQ(MinX(paths[j]) - MinX(paths[0]), static_cast<int>(j) * 32) << j;
    // Row 2 (the empty line counts): y = cell y + 2 * 32.
    // The square starts at its bottom left: cell y 31, as tall as its cell.
    EXPECT_EQ(std::pair(paths[0][0]->y, paths[20][0]->y), std::pair(31, 64 + 31));
    // Across at 3/4: the square's 0..63 in its 64-wide box becomes 0..47.
    int right = 0;
    for (const auto& p : paths[0])
        right = std::max(right, p->x);
    EXPECT_EQ(right, 47);
    // The narrow "i" moves right by 1000 / (9 * 8) = 13 in its cell, 9 once placed.
    EXPECT_EQ(paths.back()[0]->x, 9);
    EXPECT_EQ(paths[0][0]->colour, 5);
}

TEST(LayoutText, GbkTextKeepsItsLayout)
{
    // Letters, narrow and wide ones, ideographs, GBK punctuation, an empty line and a cut.
    const QStringList lines{"Wim Laser 8", QString::fromUtf8("\u6FC0\u5149 ijlrtf IJ mM"), QString(),
                            QString::fromUtf8("\u554A\u00B7\u2014xyz 12345678901234")};
    CodedGlyphs glyphs;
    EXPECT_EQ(LayoutDigest(LayoutText(glyphs, lines, {"Test", 11}, {2, 5, 7, 6, 9}, 3)), "bb4336c0b4f68ef0a59367910fa9f7d045a54459");
}

class TextWindow : public EditorDialogTest {
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        form = windows->Create<TForm6>();
    }
    TForm6* form = nullptr;
};

TEST_F(TextWindow, PlacesLaserInTheDrawingAsTheSelectionWithOneUndoStep)
{
    AddSelectedPath({{10, 10}});
    LaserPoint* old = Doc().Selection.front();
    EXPECT_EQ(form->windowTitle(), "Text");
    EXPECT_EQ(form->Font().family(), "Arial");
    form->skMemo1()->SetText("Laser");
    form->BitBtn2()->Click();
    const int previewPoints = form->Label6()->text().toInt();
    EXPECT_GT(previewPoints, 20);
    EXPECT_GT(LitPixels(form->PreviewBitmap()), 20);

    form->show();
    form->BitBtn3()->Click();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(Doc().Drawing.size(), 1u + 5u) << "one path per letter";
    EXPECT_EQ(old->mark, kMarkNone);
    EXPECT_EQ(static_cast<int>(Doc().Selection.size()), previewPoints);
    for (std::size_t i = 1; i < Doc().Drawing.size(); ++i) {
        const Path& letter = Doc().Drawing[i];
        EXPECT_EQ(letter.front()->blank, 1);
        for (const auto& p : letter)
            EXPECT_TRUE(p->mark == kMarkSelected && p->x <= 530 && p->y <= 530) << p->x << "," << p->y;
    }
    // Letters left to right at twice the preview's pitch.
    EXPECT_LT(MinX(Doc().Drawing[1]), MinX(Doc().Drawing[2]));
    EXPECT_TRUE(form->TextPaths().empty());
    EXPECT_EQ(Doc().SnapshotCount(), 3);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().Drawing.size(), 1u);
}

// The drawing New_D makes is the history's first state: one Undo takes text placed in it away.
TEST_F(TextWindow, TextPlacedInANewDrawingGoesWithOneUndo)
{
    TForm1& draw = *windows->Form1();
    form->SetGlyphSource(std::make_unique<SquareGlyphs>());
    AddSelectedPath({{10, 10}, {20, 20}});
    ClickChild(draw, "BitBtn1");  // New_D
    ClickChild(draw, "BitBtn22");  // Text
    form->skMemo1()->SetText("AB");
    form->BitBtn3()->Click();
    ASSERT_EQ(Doc().Drawing.size(), 2u);
    ClickChild(draw, "skButton32");
    EXPECT_EQ(Doc().PointCount(), 0u);
    ClickChild(draw, "skButton32");  // nothing before the first state
    EXPECT_EQ(Doc().PointCount(), 0u);
    ClickChild(draw, "skButton33");
    EXPECT_EQ(Doc().Drawing.size(), 2u);
}

TEST_F(TextWindow, BlankTextAddsNothingAndCharactersBeyondTheCanvasAreLeftOut)
{
    form->SetGlyphSource(std::make_unique<SquareGlyphs>());
    form->skMemo1()->SetText("   \n  ");
    form->BitBtn2()->Click();
    EXPECT_EQ(form->Label6()->text(), "0");
    EXPECT_EQ(LitPixels(form->PreviewBitmap()), 0);
    form->BitBtn3()->Click();
    EXPECT_TRUE(Doc().Drawing.empty());
    EXPECT_EQ(Doc().SnapshotCount(), 1) << "no undo step for nothing";

    // Pitch 128: the squares (47 wide) of columns 0 and 1 stay, column 2 doubles to 512 + 94
    // and passes 530.
    form->skTrackBar2()->SetPosition(2);
    form->skMemo1()->SetText("AAAA");
    form->BitBtn3()->Click();
    ASSERT_EQ(Doc().Drawing.size(), 2u);
    EXPECT_EQ(Doc().Selection.size(), 10u);
    EXPECT_EQ(MinX(Doc().Drawing[1]), 256);
}

TEST_F(TextWindow, ZarnAndLaserInTheDefaultFontAreReadableAtTheDefaultFactors)
{
    FreeTypeGlyphSource fonts;
    const QByteArray laser = ToGbk(QString::fromUtf8("\u6FC0"));
    if (fonts.ResolvedFamily({"Arial", 11}) != "Liberation Sans"
        || fonts.FamilyFor({"Arial", 11}, std::uint16_t(std::uint8_t(laser[0]) * 256 + std::uint8_t(laser[1])))
               .empty())
        GTEST_SKIP() << "Liberation Sans or a face with the ideographs is not installed";
    EXPECT_EQ(form->FontLabel()->text(), "Liberation Sans, 8") << "the face in use, not the alias";
    form->skMemo1()->SetText(QString::fromUtf8("Zarn \u6FC0\u5149"));
    form->show();
    form->BitBtn3()->Click();
    ASSERT_EQ(Doc().Drawing.size(), 6u) << "the blank adds no object";

    // Canvas units (twice the output): cells of 64, columns 64 apart.
    auto bounds = [&](std::size_t i) {
        QRect r;
        for (const auto& p : Doc().Drawing[i])
            r |= QRect(p->x, p->y, 1, 1);
        return r;
    };
    const QRect z = bounds(0);
    EXPECT_TRUE(z.height() >= 32 && z.height() <= 64) << "a capital at least half of its cell: " << z.height();
    for (std::size_t i : {4u, 5u})  // an ideograph nearly all of its cell
        EXPECT_TRUE(bounds(i).height() >= 52 && bounds(i).height() <= 68 && bounds(i).width() >= 36) << i;
    // Left to right, each within its column and clear of the next.
    const int columns[] = {0, 1, 2, 3, 5, 6};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_GE(bounds(i).left(), 64 * columns[i]) << i;
        EXPECT_TRUE(i == 0 || bounds(i).left() > bounds(i - 1).right()) << i;
    }

    // The font chooser opens on the face in use; OK without a change keeps it.
    QString offered;
    form->SetFontChooser([&](QWidget*, const QFont& current) {
        offered = current.family();
        QFontDialog dialog(current);
        return std::optional<QFont>(dialog.currentFont());
    });
    form->BitBtn1()->Click();
    EXPECT_EQ(offered, "Liberation Sans");
    EXPECT_EQ(form->FontInUse().family(), "Liberation Sans") << "no silent switch to another family";
    EXPECT_EQ(form->FontLabel()->text(), "Liberation Sans, 8");
}

TEST_F(TextWindow, LettersOutsideTheChineseCodePageAreDrawnNotQuestionMarks)
{
    FreeTypeGlyphSource fonts;
    if (fonts.ResolvedFamily({"Arial", 11}) != "Liberation Sans" || !fonts.ReferenceMetrics({"Arial", 11}))
        GTEST_SKIP() << "Liberation Sans or a face with the reference character is not installed";
    form->TrackBar1()->SetPosition(0);  // no thinning: every contour start stays
    auto layout = [&](const QString& text) {
        form->skMemo1()->SetText(text);
        form->BitBtn2()->Click();
        std::vector<std::vector<std::array<int, 3>>> paths;
        for (const Path& path : form->TextPaths())
            paths.push_back(Points(path));
        return paths;
    };
    const auto text = layout(QString::fromUtf8("Stra\u00DFe 5 \u20AC"));
    const auto questions = layout("Stra?e 5 ?");
    ASSERT_EQ(text.size(), 10u);
    ASSERT_EQ(questions.size(), 10u);
    for (std::size_t j : {4u, 9u}) {
        EXPECT_FALSE(text[j].empty()) << j;
        EXPECT_NE(text[j], questions[j]) << j << " is drawn as a question mark";
    }
    for (std::size_t j : {0u, 1u, 2u, 3u, 5u, 6u, 7u})
        EXPECT_EQ(text[j], questions[j]) << j;

    // Each is its own glyph: its contours, and as drawn alone, one column further left per column.
    EXPECT_EQ(std::count_if(text[9].begin(), text[9].end(), [](auto& p) { return p[2] != 0; }),
              ContoursOf("Liberation Sans", QString::fromUtf8("\u20AC")));
    layout(QString::fromUtf8("\u00DF"));
    const Path& alone = form->TextPaths().at(0);
    EXPECT_EQ(Blanked(alone), ContoursOf("Liberation Sans", QString::fromUtf8("\u00DF")));
    ASSERT_EQ(alone.size(), text[4].size());
    for (std::size_t k = 0; k < alone.size(); ++k)
        EXPECT_TRUE(alone[k]->x + 4 * 32 == text[4][k][0] && alone[k]->y == text[4][k][1]) << k;

    // Counted as two bytes: in the cell of a two-byte character, half as wide as a letter's,
    // and ten of them fill a line of 20 bytes.
    auto width = [](const Path& path) {
        auto [l, r] = std::minmax_element(path.begin(), path.end(), [](auto& a, auto& b) { return a->x < b->x; });
        return (*r)->x - (*l)->x;
    };
    const int sharpS = width(alone);
    layout("B");
    EXPECT_LT(sharpS * 4, width(form->TextPaths().at(0)) * 3);
    EXPECT_EQ(layout(QString(11, QChar(0xDF))).size(), 10u);
}

TEST_F(TextWindow, AFamilyNamedWithItsFoundryIsThatFace)
{
    FreeTypeGlyphSource fonts;
    if (fonts.ResolvedFamily({"Liberation Sans", 11}) != "Liberation Sans" || !fonts.ReferenceMetrics({"Arial", 11}))
        GTEST_SKIP() << "Liberation Sans or a face with the reference character is not installed";
    form->skMemo1()->SetText("Zarn");
    form->SetFontChooser([](QWidget*, const QFont&) { return std::optional<QFont>(QFont("Liberation Sans", 8)); });
    form->BitBtn1()->Click();
    form->BitBtn2()->Click();
    const std::string plain = LayoutDigest(form->TextPaths());

    // The font dialog names a family more than one foundry makes "Family [foundry]".
    form->SetFontChooser(
        [](QWidget*, const QFont&) { return std::optional<QFont>(QFont("Liberation Sans [1ASC]", 8)); });
    form->BitBtn1()->Click();
    EXPECT_EQ(form->FontLabel()->text(), "Liberation Sans, 8");
    form->BitBtn2()->Click();
    EXPECT_EQ(LayoutDigest(form->TextPaths()), plain) << "the letters are that face";
    // The dialog opens on the name it listed.
    QString offered;
    form->SetFontChooser([&](QWidget*, const QFont& current) {
        offered = current.family();
        return std::optional<QFont>();
    });
    form->BitBtn1()->Click();
    EXPECT_EQ(offered, "Liberation Sans [1ASC]");
}

TEST_F(TextWindow, ANewFamilyInTheFontDialogKeepsTheUprightFace)
{
    if (!QFontDatabase::families().contains("DejaVu Sans Mono") || !QFontDatabase::families().contains("Liberation Sans"))
        GTEST_SKIP() << "DejaVu Sans Mono or Liberation Sans is not installed";
    // DejaVu Sans Mono has no "Regular" face; its first is "Oblique".
    form->SetFontChooser([](QWidget*, const QFont& current) {
        QFontDialog dialog(current);
        for (QListView* list : dialog.findChildren<QListView*>())
            for (const QModelIndex& found : list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                                 "DejaVu Sans Mono", 1, Qt::MatchExactly))
                list->setCurrentIndex(found);
        return std::optional<QFont>(dialog.currentFont());
    });
    form->BitBtn1()->Click();
    EXPECT_EQ(form->Font().family(), "DejaVu Sans Mono");
    EXPECT_TRUE(form->Font().style() == QFont::StyleNormal && !form->FontChoiceOf().italic);
}

TEST_F(TextWindow, LettersOutsideTheChineseCodePageScreenshot)
{
    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZARN_SCREENSHOT_DIR is not set";
    // Large cells so that every letter can be told apart: ß and € in the cells of ideographs.
    form->TrackBar2()->SetPosition(4);
    form->skTrackBar1()->SetPosition(4);
    form->skTrackBar2()->SetPosition(6);
    form->skTrackBar3()->SetPosition(5);
    form->skMemo1()->SetText(QString::fromUtf8("Stra\u00DFe\n5 \u20AC \u00D1\n\u0152 \u201E\u00A5"));
    form->show();
    form->BitBtn2()->Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    QDir().mkpath(dir);
    EXPECT_TRUE(form->grab().save(QDir(dir).filePath("text_window_letters_outside_gbk.png")));
}

TEST_F(TextWindow, FactorsChangeLabelsAndPreviewOnlyWithAutoPreview)
{
    form->SetGlyphSource(std::make_unique<SquareGlyphs>());
    auto labels = [&] { return QStringList{form->Label7()->text(), form->Label18()->text()}; };
    EXPECT_EQ(labels(), (QStringList{"32", "32"}));
    form->TrackBar2()->SetPosition(3);
    form->skTrackBar1()->SetPosition(5);
    EXPECT_EQ(labels(), (QStringList{"85", "51"}));
    EXPECT_EQ(form->Factors().CharWidthFactor, 3);
    EXPECT_EQ(form->Label6()->text(), "0") << "no preview without Auto preview";

    form->skCheckBox1()->Click();
    ASSERT_TRUE(form->skCheckBox1()->Checked());
    EXPECT_EQ(form->Label6()->text(), "20") << "a square of 5 points for each letter of \"Text\"";
    form->skMemo1()->SetText("T");
    EXPECT_EQ(form->Label6()->text(), "20") << "text set from code runs no preview";
    form->TrackBar1()->SetPosition(0);
    EXPECT_EQ(form->Label6()->text(), "5");
}

TEST_F(TextWindow, FontChooserAndAMissingReferenceGlyph)
{
    form->SetFontChooser([](QWidget*, const QFont&) { return std::optional<QFont>(QFont("Liberation Serif", 24)); });
    form->BitBtn1()->Click();
    EXPECT_EQ(form->Font().family(), "Liberation Serif");
    EXPECT_EQ(form->FontChoiceOf().pixelSize, 32);
    form->SetFontChooser([](QWidget*, const QFont&) { return std::optional<QFont>(); });
    form->BitBtn1()->Click();
    EXPECT_EQ(form->Font().family(), "Liberation Serif") << "a cancelled choice keeps the font";

    auto glyphs = std::make_unique<SquareGlyphs>();
    glyphs->reference.reset();
    form->SetGlyphSource(std::move(glyphs));
    form->skMemo1()->SetText("Laser");
    form->show();
    form->BitBtn3()->Click();
    ASSERT_EQ(dialogs->asked.size(), 1);
    EXPECT_TRUE(dialogs->asked[0].startsWith("Text: No installed font"));
    EXPECT_TRUE(Doc().Drawing.empty());
    EXPECT_EQ(Doc().SnapshotCount(), 1);
}

}  // namespace
