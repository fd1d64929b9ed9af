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
#include <tuple>

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
    // Type words mark outline fonts and non-symbol fonts.
    const auto c = Catalog();
    EXPECT_EQ(std::vector({FontTypeWord(c->fonts[2]), FontTypeWord(c->fonts[1]), FontTypeWord(c->fonts[3])}),
              std::vector({kFontTypeTrueType | kFontTypeNotSymbol, kFontTypeTrueType,
                           kFontTypeRaster | kFontTypeNotSymbol}));
}

TEST(FontComboBox, FontNameSelectsInAnyCaseAndSignalsEveryChange)
{
    TskFontComboBox box(nullptr, Catalog());
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    box.SetFontName("courier new");
    EXPECT_EQ(std::tuple(box.FontName(), changes.count()), std::tuple(QString("Courier New"), 1));
    box.SetFontName("Courier New");  // already shown: no change
    EXPECT_EQ(changes.count(), 1);
    box.SetFontName("Nowhere");
    EXPECT_EQ(box.currentIndex(), -1);  // a fixed list selects nothing
    EXPECT_EQ(changes.count(), 2);      // signalled all the same
    box.SetStyle(TFontDrawComboStyle::csDropDown);
    box.SetFontName("Nowhere");  // an editable box shows the name
    EXPECT_EQ(std::tuple(box.FontName(), changes.count()), std::tuple(QString("Nowhere"), 3));
    // Typing a listed name selects it; an unknown one keeps the selection.
    box.show();
    box.lineEdit()->clear();
    for (const char* typed : {"arial", "x"}) {
        QTest::keyClicks(box.lineEdit(), typed);
        EXPECT_EQ(std::tuple(box.itemText(box.currentIndex()), changes.count()), std::tuple(QString("Arial"), 4));
    }
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
    // A tiny font still leaves room for the mark.
    QFont f = box.font();
    f.setPixelSize(6);
    box.setFont(f);
    EXPECT_GE(box.MinItemHeight(), std::max(box.TrueTypeMark().height() - 1, 9));
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
    EXPECT_EQ(std::tuple(box.findText("Added Sans") >= 0, box.FontName(), changes.count()),
              std::tuple(true, QString("Arial"), 0));
    catalog->fonts.erase(catalog->fonts.begin() + 2);  // Arial uninstalled
    emit qApp->fontDatabaseChanged();
    EXPECT_EQ(std::tuple(box.findText("Arial"), box.FontName(), changes.count()), std::tuple(-1, QString(), 1));
    // A new catalog without the chosen family loses the name once.
    box.SetFontName("Fixed");
    auto without = std::make_shared<FakeCatalog>(*catalog);
    without->fonts.erase(without->fonts.begin() + 2);
    box.SetCatalog(without);
    EXPECT_EQ(std::tuple(changes.count(), box.FontName()), std::tuple(3, QString()));
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.contains(added); }, 60000));
    EXPECT_EQ(seen, QStringList{added});  // once, without the old font or the note
    // The family is installed already: the database is left as it was.
    EXPECT_EQ(QFontDatabase::families(), familiesBefore);
}

TEST(FontSizes, OutlineFontsOfferTheFixedListBitmapFontsTheirOwnSizesAndARebuildSignalsOnce)
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

    // A rebuild signals once, and the list needs no sideways scrolling.
    QSignalSpy changes(&box, &TskCustomComboBox::OnChange);
    box.SetFontName("Arial");
    EXPECT_EQ(changes.count(), 1);
    box.SetFontSize(12);
    box.SetFontName("Courier New");
    EXPECT_EQ(std::tuple(changes.count(), box.FontSize()), std::tuple(2, 12));  // 12 kept: listed here too
    box.resize(40, 22);
    box.show();
    box.showPopup();
    EXPECT_FALSE(box.view()->horizontalScrollBar()->isVisible());
    box.hidePopup();
}

TEST(ColorBox, NamesTheTablesOrderAndStylesChooseTheRangesWithNoneAndDefaultLast)
{
    EXPECT_EQ(QStringList({PrettyColorName("clMoneyGreen"), PrettyColorName("cl3DDkShadow"), PrettyColorName("clBlack")}),
              QStringList({"Money Green", "3 D Dk Shadow", "Black"}));
    const auto& table = ColorTable();
    EXPECT_EQ(QStringList({table[0].name, table[15].name, table[16].name, table[19].name}),
              QStringList({"clBlack", "clWhite", "clMoneyGreen", "clMedGray"}));
    EXPECT_TRUE(IsSystemColor(table[20].color));
    EXPECT_EQ(std::tuple(table[table.size() - 2].color, table.back().color), std::tuple(clNone, clDefault));

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
    EXPECT_EQ(std::tuple(box.ItemColor(16), box.ItemColor(17)), std::tuple(clNone, clDefault));
    box.SetStyle(cbSystemColors);
    EXPECT_EQ(box.count(), system);
    // Only "Other...": enabled; nothing listed: disabled.
    box.SetStyle(cbCustomColor);
    EXPECT_EQ(std::tuple(box.isEnabled(), Names(box), box.currentIndex()), std::tuple(true, QStringList{"Other..."}, 0));
    box.SetStyle(0);
    EXPECT_EQ(std::tuple(box.isEnabled(), box.Selected()), std::tuple(false, kNoColor));

    // An unlisted colour selects nothing, or goes to the custom entry.
    box.SetStyle(cbStandardColors);
    box.SetSelected(0x123456);
    EXPECT_EQ(std::tuple(box.currentIndex(), box.Selected()), std::tuple(-1, kNoColor));
    box.SetSelected(0x0000FF);
    EXPECT_EQ(box.itemText(box.currentIndex()), "clRed");
    box.SetStyle(cbStandardColors | cbCustomColor);
    box.SetSelected(0x123456);
    EXPECT_EQ(std::tuple(box.currentIndex(), box.Selected()), std::tuple(0, TColor(0x123456)));
    box.SetSelected(kNoColor);
    EXPECT_EQ(box.currentIndex(), -1);

    // The swatch frame depends on lightness and selection: frame at (1, 1), swatch at (5, 5).
    box.SetStyle(cbStandardColors | cbIncludeDefault);
    const QSize size(100, 16);
    auto index = [&box](TColor c) { return box.findData(c, Qt::UserRole + 1); };
    auto pixel = [&](TColor c, bool selected, int at) { return box.RenderItem(index(c), size, selected).pixel(at, at); };
    EXPECT_EQ(std::vector({pixel(clWhite, false, 1), pixel(clWhite, false, 5), pixel(0x800000, false, 1),
                           pixel(0x800000, true, 1)}),
              std::vector({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 128), qRgb(255, 255, 255)}));
    box.SetDefaultColorColor(0x0000C8);  // red 200: light enough for a black frame
    EXPECT_EQ(std::tuple(pixel(clDefault, false, 5), pixel(clDefault, false, 1)), std::tuple(qRgb(200, 0, 0), qRgb(0, 0, 0)));
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
    EXPECT_EQ(std::tuple(box.Selected(), changes.count()), std::tuple(TColor(0x008000), 0));
    answer = 0x00AABB;
    chooseOther();
    EXPECT_EQ(std::tuple(box.Selected(), box.ItemColor(0), changes.count()),
              std::tuple(TColor(0x00AABB), TColor(0x00AABB), 1));
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
    EXPECT_EQ(std::tuple(box.currentIndex(), asked), std::tuple(0, 0));
    QTest::keyClick(&box, Qt::Key_Return);  // Enter on it does
    EXPECT_EQ(std::tuple(asked, box.Selected()), std::tuple(1, TColor(0x00AABB)));
    // So does a click on it in the dropped list.
    box.SetSelected(0x000000);
    box.showPopup();
    QAbstractItemView* list = box.view();
    const QRect other = list->visualRect(box.model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(std::tuple(asked, box.currentIndex()), std::tuple(2, 0));
}
