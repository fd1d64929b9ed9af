// Font, size and colour pickers: the font list's filters over a fixed
// catalog, size lists and their rounding, the colour list's styles and
// names, custom colours and the swatch frame.

#include "skin/pickers/color_box.h"
#include "skin/pickers/font_combo_box.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class FakeCatalog : public FontCatalog {
public:
    std::vector<FontFamilyInfo> fonts;
    std::vector<FontFamilyInfo> Families() const override { return fonts; }
};

std::shared_ptr<FakeCatalog> Catalog()
{
    auto c = std::make_shared<FakeCatalog>();
    c->fonts = {
        {"Courier New", true, true, false, true, {}},
        {"Symbol", true, false, true, false, {}},
        {"Arial", true, false, false, true, {}},
        {"Fixed", false, true, false, true, {20, 13, 14, 10, 14}},
        {"Terminal", false, false, false, true, {12}},
    };
    return c;
}

QStringList Names(const QComboBox& box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

}  // namespace

TEST(FontComboBox, ListsTheCatalogSortedAndFiltersByOptions)
{
    TskFontComboBox box(nullptr, Catalog());
    EXPECT_EQ(Names(box), (QStringList{"Arial", "Courier New", "Fixed", "Symbol", "Terminal"}));
    box.SetOptions(foTrueTypeOnly | foNoSymbolFonts);
    EXPECT_EQ(Names(box), (QStringList{"Arial", "Courier New"}));
    box.SetOptions(foFixedPitchOnly);
    EXPECT_EQ(Names(box), (QStringList{"Courier New", "Fixed"}));
    box.SetOptions(foScalableOnly);
    EXPECT_EQ(Names(box), (QStringList{"Arial", "Courier New", "Symbol"}));
    box.SetOptions(foAnsiOnly);
    EXPECT_FALSE(Names(box).contains("Symbol"));
    box.SetOptions(foOEMFontsOnly);
    EXPECT_EQ(box.count(), 0);
    box.SetOptions(0);
    box.SetDevice(TFontDevice::fdPrinter);
    EXPECT_EQ(box.count(), 0);
}

TEST(FontComboBox, TypeWordsMarkOutlineFontsAndNonSymbolFonts)
{
    const auto c = Catalog();
    EXPECT_EQ(FontTypeWord(c->fonts[2]), kFontTypeTrueType | kFontTypeNotSymbol);
    EXPECT_EQ(FontTypeWord(c->fonts[1]), kFontTypeTrueType);
    EXPECT_EQ(FontTypeWord(c->fonts[3]), kFontTypeRaster | kFontTypeNotSymbol);
}

TEST(FontComboBox, FontNameSelectsInAnyCaseAndSignalsEveryChange)
{
    TskFontComboBox box(nullptr, Catalog());
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    box.SetFontName("courier new");
    EXPECT_EQ(box.FontName(), "Courier New");
    EXPECT_EQ(changes.count(), 1);
    box.SetFontName("Courier New");  // already shown: no change
    EXPECT_EQ(changes.count(), 1);
    box.SetFontName("Nowhere");
    EXPECT_EQ(box.currentIndex(), -1);  // a fixed list selects nothing
    EXPECT_EQ(changes.count(), 2);      // signalled all the same
    box.SetStyle(TFontDrawComboStyle::csDropDown);
    box.SetFontName("Nowhere");
    EXPECT_EQ(box.FontName(), "Nowhere");  // an editable box shows the name
    EXPECT_EQ(changes.count(), 3);
    // Typing a listed name selects it; an unknown one keeps the selection.
    box.show();
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), "arial");
    EXPECT_EQ(box.itemText(box.currentIndex()), "Arial");
    EXPECT_EQ(changes.count(), 4);
    QTest::keyClicks(box.lineEdit(), "x");
    EXPECT_EQ(box.itemText(box.currentIndex()), "Arial");
    EXPECT_EQ(changes.count(), 4);
}

TEST(FontComboBox, SystemFamiliesAreListedOnceByTheirPlainNames)
{
    for (const auto& [qtName, plain] : std::vector<std::pair<QString, QString>>{
             {"C059 [urw]", "C059"}, {"Nimbus Sans [UKWN]", "Nimbus Sans"}, {"Arial", "Arial"}, {"[x]", "[x]"}})
        EXPECT_EQ(PlainFamilyName(qtName), plain);
    TskFontComboBox box;
    const QStringList names = Names(box);
    ASSERT_FALSE(names.isEmpty());
    QSet<QString> seen;
    for (const QString& name : names) {
        EXPECT_FALSE(name.endsWith(u']')) << name.toStdString();
        EXPECT_FALSE(seen.contains(name.toCaseFolded())) << name.toStdString();
        seen.insert(name.toCaseFolded());
    }
    // Every listed family offers its sizes under the name it is listed by.
    TskFontSizeComboBox sizes;
    for (const QString& name : names) {
        sizes.SetFontName(name);
        EXPECT_GT(sizes.count(), 0) << name.toStdString();
    }
}

TEST(FontComboBox, ItemHeightCoversTheMark)
{
    TskFontComboBox box(nullptr, Catalog());
    QFont f = box.font();
    f.setPixelSize(6);
    box.setFont(f);
    EXPECT_GE(box.MinItemHeight(), box.TrueTypeMark().height() - 1);
    EXPECT_GE(box.MinItemHeight(), 9);
}

TEST(FontComboBox, ClosedFaceShowsTheChosenItemWithItsMark)
{
    TskFontComboBox box(nullptr, Catalog());
    box.resize(160, 21);
    const VclRect b = TskCustomComboBox::ButtonRect(box.size());
    const QRect face(3, 3, b.left - 4, box.height() - 6);
    const int arial = box.findText("Arial");
    const int fixed = box.findText("Fixed");
    // An outline font's item carries the mark; a bitmap font's leaves its place empty.
    EXPECT_NE(box.ItemImage(arial, face.size(), false).copy(2, 0, 12, face.height()),
              box.ItemImage(fixed, face.size(), false).copy(2, 0, 12, face.height()));
    for (int index : {arial, fixed}) {
        box.SetItemIndex(index);
        EXPECT_EQ(box.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(face),
                  box.ItemImage(index, face.size(), false))
            << box.itemText(index).toStdString();
    }
}

TEST(FontComboBox, FontDatabaseChangesRelistKeepingTheChosenName)
{
    auto catalog = Catalog();
    TskFontComboBox box(nullptr, catalog);
    box.SetFontName("Arial");
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    box.Reset();  // the name is still there: no change
    EXPECT_EQ(box.FontName(), "Arial");
    catalog->fonts.push_back({"Added Sans", true, false, false, true, {}});
    emit qApp->fontDatabaseChanged();
    EXPECT_GE(box.findText("Added Sans"), 0);
    EXPECT_EQ(box.FontName(), "Arial");
    EXPECT_EQ(changes.count(), 0);
    catalog->fonts.erase(catalog->fonts.begin() + 2);  // Arial uninstalled
    emit qApp->fontDatabaseChanged();
    EXPECT_LT(box.findText("Arial"), 0);
    EXPECT_EQ(box.FontName(), "");
    EXPECT_EQ(changes.count(), 1);
    // A new catalog without the chosen family loses the name once.
    box.SetFontName("Fixed");
    auto without = std::make_shared<FakeCatalog>(*catalog);
    without->fonts.erase(without->fonts.begin() + 2);
    box.SetCatalog(without);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(box.FontName(), "");
}

TEST(FontFolderWatcher, ReportsFontFilesAppearingInWatchedFoldersAndNewSubfolders)
{
    EXPECT_FALSE(FontFolderWatcher::FontconfigFolders().isEmpty());
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString source = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    ASSERT_TRUE(QFile::copy(source, root.filePath("old.ttf")));
    const QStringList familiesBefore = QFontDatabase::families();
    FontFolderWatcher watcher({root.path(), root.filePath("missing")});
    EXPECT_EQ(watcher.WatchedFolders().size(), 1);
    QStringList seen;
    QObject::connect(&watcher, &FontFolderWatcher::FontFilesAdded, [&seen](const QStringList& f) { seen << f; });
    QFile note(root.filePath("readme.txt"));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.close();
    ASSERT_TRUE(QDir(root.path()).mkdir("new"));
    ASSERT_TRUE(QFile::copy(source, root.filePath("new/Added.ttf")));
    const QString added = QFileInfo(root.filePath("new/Added.ttf")).absoluteFilePath();
    // The kernel reports the new file when it will: wait for it, however long.
    QTest::qWaitFor([&] { return seen.contains(added); }, 60000);
    EXPECT_EQ(seen, QStringList{added});  // once, without the old font or the note
    // The family is installed already: the database is left as it was.
    EXPECT_EQ(QFontDatabase::families(), familiesBefore);
}

TEST(FontSizes, OutlineFontsOfferTheFixedListAndBitmapFontsTheirOwnSizes)
{
    TskFontSizeComboBox box(nullptr, Catalog());
    box.SetPixelsPerInch(96);
    box.SetFontName("Arial");
    EXPECT_EQ(Names(box), (QStringList{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                                       "36", "48", "72"}));
    box.SetFontSize(12);
    box.SetFontName("fixed");
    // 10 px -> 7.5 -> 8, 13 -> 9.75 -> 10, 14 -> 10.5 -> 10 (ties go to even), 20 -> 15.
    EXPECT_EQ(Names(box), (QStringList{"8", "10", "15"}));
    EXPECT_EQ(box.FontSize(), 0);  // 12 is not offered here
    box.SetFontName("");
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(RasterPointSizes({22}, 96), std::vector<int>{16});  // 16.5
    EXPECT_EQ(RasterPointSizes({18, 18, 9}, 72), (std::vector<int>{9, 18}));
    EXPECT_TRUE(RasterPointSizes({12}, 0).empty());
}

TEST(FontSizes, RebuildSignalsOnceAndTheListNeedsNoSidewaysScrolling)
{
    TskFontSizeComboBox box(nullptr, Catalog());
    box.SetPixelsPerInch(96);
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    box.SetFontName("Arial");
    EXPECT_EQ(changes.count(), 1);
    box.SetFontSize(12);
    box.SetFontName("Courier New");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(box.FontSize(), 12);  // kept: listed here too
    box.resize(40, 22);
    box.show();
    box.showPopup();
    EXPECT_FALSE(box.view()->horizontalScrollBar()->isVisible());
    box.hidePopup();
}

TEST(ColorBox, ColourNamesAndTheTablesOrder)
{
    EXPECT_EQ(PrettyColorName("clMoneyGreen"), "Money Green");
    EXPECT_EQ(PrettyColorName("cl3DDkShadow"), "3 D Dk Shadow");
    EXPECT_EQ(PrettyColorName("clBlack"), "Black");
    const auto& table = ColorTable();
    EXPECT_STREQ(table[0].name, "clBlack");
    EXPECT_STREQ(table[15].name, "clWhite");
    EXPECT_STREQ(table[16].name, "clMoneyGreen");
    EXPECT_STREQ(table[19].name, "clMedGray");
    EXPECT_TRUE(IsSystemColor(table[20].color));
    EXPECT_EQ(table[table.size() - 2].color, clNone);
    EXPECT_EQ(table.back().color, clDefault);
}

TEST(ColorBox, StylesChooseTheRangesAndNoneAndDefaultSitLast)
{
    TskColorBox box;
    const int system = int(ColorTable().size()) - 22;
    EXPECT_EQ(box.count(), 20 + system);
    box.SetStyle(cbStandardColors);
    EXPECT_EQ(box.count(), 16);
    EXPECT_EQ(box.itemText(0), "clBlack");
    box.SetStyle(cbExtendedColors | cbPrettyNames);
    EXPECT_EQ(Names(box), (QStringList{"Money Green", "Sky Blue", "Cream", "Med Gray"}));
    // None and Default are their own choices, whichever ranges are listed.
    box.SetStyle(cbStandardColors | cbIncludeNone | cbIncludeDefault);
    ASSERT_EQ(box.count(), 18);
    EXPECT_EQ(box.ItemColor(16), clNone);
    EXPECT_EQ(box.ItemColor(17), clDefault);
    box.SetStyle(cbSystemColors);
    EXPECT_EQ(box.count(), system);
    // Only "Other...": enabled; nothing listed: disabled.
    box.SetStyle(cbCustomColor);
    EXPECT_TRUE(box.isEnabled());
    EXPECT_EQ(Names(box), QStringList{"Other..."});
    EXPECT_EQ(box.currentIndex(), 0);
    box.SetStyle(0);
    EXPECT_FALSE(box.isEnabled());
    EXPECT_EQ(box.Selected(), kNoColor);

    // An unlisted colour selects nothing, or goes to the custom entry.
    box.SetStyle(cbStandardColors);
    box.SetSelected(0x123456);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.Selected(), kNoColor);
    box.SetSelected(0x0000FF);
    EXPECT_EQ(box.itemText(box.currentIndex()), "clRed");
    box.SetStyle(cbStandardColors | cbCustomColor);
    box.SetSelected(0x123456);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(box.Selected(), 0x123456u);
    box.SetSelected(kNoColor);
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST(ColorBox, CancelledCustomColourKeepsTheOldSelection)
{
    TskColorBox box;
    box.SetStyle(cbStandardColors | cbCustomColor);
    box.SetSelected(0x008000);
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    std::optional<TColor> answer;
    TColor offered = 0;
    box.SetColorDialog([&](TColor initial) {
        offered = initial;
        return answer;
    });
    // The list has already moved to "Other..." when the choice arrives.
    auto chooseOther = [&box] {
        box.showPopup();
        box.setCurrentIndex(0);
        box.hidePopup();
        emit box.activated(0);
    };
    chooseOther();
    EXPECT_EQ(box.Selected(), 0x008000u);
    EXPECT_EQ(changes.count(), 0);
    answer = 0x00AABB;
    chooseOther();
    EXPECT_EQ(box.Selected(), 0x00AABBu);
    EXPECT_EQ(box.ItemColor(0), 0x00AABBu);
    EXPECT_EQ(changes.count(), 1);
    // The next pick starts from the custom colour.
    chooseOther();
    EXPECT_EQ(offered, 0x00AABBu);
}

TEST(ColorBox, ArrowingOntoOtherInTheClosedBoxAsksForNoColour)
{
    TskColorBox box;
    box.SetStyle(cbStandardColors | cbCustomColor);
    box.SetSelected(0x000000);  // item 1, just below "Other..."
    int asked = 0;
    box.SetColorDialog([&asked](TColor) -> std::optional<TColor> {
        ++asked;
        return 0x00AABB;
    });
    box.show();
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(asked, 0);
    QTest::keyClick(&box, Qt::Key_Return);  // Enter on it does
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(box.Selected(), 0x00AABBu);
    // So does a click on it in the dropped list.
    box.SetSelected(0x000000);
    box.showPopup();
    QAbstractItemView* list = box.view();
    const QRect other = list->visualRect(box.model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(box.currentIndex(), 0);
}

TEST(ColorBox, SwatchFrameDependsOnLightnessAndSelection)
{
    TskColorBox box;
    box.SetStyle(cbStandardColors | cbIncludeDefault);
    const QSize size(100, 16);
    auto index = [&box](TColor c) { return box.findData(c, Qt::UserRole + 1); };
    const QImage white = box.RenderItem(index(clWhite), size, false);
    EXPECT_EQ(white.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(white.pixel(5, 5), qRgb(255, 255, 255));
    const QImage navy = box.RenderItem(index(0x800000), size, false);
    EXPECT_EQ(navy.pixel(1, 1), qRgb(0, 0, 128));
    const QImage navySelected = box.RenderItem(index(0x800000), size, true);
    EXPECT_EQ(navySelected.pixel(1, 1), qRgb(255, 255, 255));
    box.SetDefaultColorColor(0x0000C8);  // red 200: light enough for a black frame
    const QImage def = box.RenderItem(index(clDefault), size, false);
    EXPECT_EQ(def.pixel(5, 5), qRgb(200, 0, 0));
    EXPECT_EQ(def.pixel(1, 1), qRgb(0, 0, 0));
}
