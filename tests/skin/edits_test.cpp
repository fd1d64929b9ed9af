// Skinned edit, memo, list box and combo box: the memo and list as stores of
// lines and items, item index by code and by the user, and the painted frames.

#include "skin/combo_box.h"
#include "skin/edit.h"
#include "skin/list_box.h"
#include "skin/memo.h"
#include "skin/themed_scroll_bar_style.h"
#include "skin/themes.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Host {
    QWidget window;
    Host()
    {
        window.resize(320, 240);
        window.show();
    }
};

QColor PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

}  // namespace

// --- The memo as a store of lines ------------------------------------------------

TEST(MemoLines, FinalLineBreakEndsALineAndStartsNone)
{
    TskMemo memo;
    EXPECT_EQ(memo.LineCount(), 0);
    memo.SetText("ezusb-2\nezusb-5\n");
    EXPECT_EQ(memo.Lines(), QStringList({"ezusb-2", "ezusb-5"}));
    memo.SetText("typed");
    EXPECT_EQ(memo.Lines(), QStringList({"typed"}));
    // Empty lines inside and at the end survive a round trip.
    const QStringList lines = {"", "1", "", ""};
    memo.SetLines(lines);
    EXPECT_EQ(memo.Lines(), lines);
    memo.SetLines({""});
    EXPECT_EQ(memo.LineCount(), 1);
    memo.ClearLines();
    EXPECT_EQ(memo.LineCount(), 0);
}

TEST(MemoLines, LineEditsKeepTheOtherLines)
{
    TskMemo memo;
    memo.SetLines({"a", "b", "c"});
    memo.SetLine(1, "B");
    memo.AddLine("d");
    memo.DeleteLine(0);
    memo.DeleteLine(7);
    memo.DeleteLine(-1);
    EXPECT_EQ(memo.Lines(), QStringList({"B", "c", "d"}));
    EXPECT_EQ(memo.Line(2), "d");
    EXPECT_EQ(memo.Line(3), "");
    EXPECT_EQ(memo.Line(-1), "");
    // A value written past the end is kept, not dropped.
    memo.SetLine(5, "29");
    EXPECT_EQ(memo.Lines(), QStringList({"B", "c", "d", "", "", "29"}));
    memo.SetLine(-2, "x");
    EXPECT_EQ(memo.LineCount(), 6);
}

TEST(MemoLines, OnlyTheUserRaisesOnChange)
{
    Host host;
    TskMemo memo(&host.window);
    memo.show();
    QSignalSpy changes(&memo, &TskMemo::OnChange);
    memo.SetText("Text");
    memo.SetLines({"a", "b"});
    memo.AddLine("c");
    memo.SetLine(0, "A");
    EXPECT_EQ(changes.count(), 0);
    memo.setFocus();
    QTest::keyClicks(&memo, "xy");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_TRUE(memo.Text().contains("xy"));
}

TEST(MemoScrollBars, PolicyFollowsScrollBarsAndWrapping)
{
    TskMemo memo;
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    memo.SetScrollBars(TScrollStyle::ssBoth);
    // Wrapping leaves nothing to scroll sideways.
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST(MemoScrollBars, BarsAreDrawnInTheLooksColours)
{
    Host host;
    TskMemo memo(&host.window);
    memo.SetWordWrap(false);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    memo.resize(120, 80);
    memo.show();
    memo.SetScrollBarLook(TskUIStyle::Azure);
    memo.SetScrollBarLook(TskUIStyle::Custom);  // keeps Azure
    EXPECT_EQ(memo.ScrollBarLook(), TskUIStyle::Azure);
    QScrollBar* bar = memo.verticalScrollBar();
    EXPECT_EQ(bar->style(), ScrollBarStyleFor(TskUIStyle::Azure));
    EXPECT_EQ(bar->width(), ThemedScrollBarStyle::kExtent);
    // Text that fits: the groove shows its colour in the middle, no thumb.
    const QImage picture = bar->grab().toImage();
    EXPECT_EQ(picture.pixelColor(bar->width() / 2, bar->height() / 2), ToQColor(GetThemeColor(TskUIStyle::Azure, 84)));
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    memo.SetLines(many);
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    EXPECT_GT(memo.cursorForPosition(QPoint(4, 4)).blockNumber(), 100);
}

// --- The list box as a store of items ---------------------------------------------

TEST(ListBoxItems, AddInsertDeleteAndFind)
{
    TskListBox list;
    EXPECT_EQ(list.AddItem("Usb-2"), 0);
    EXPECT_EQ(list.AddItem("Usb-5"), 1);
    list.InsertItem(0, "Usb-1");
    list.InsertItem(3, "Usb-9");
    list.InsertItem(9, "ignored");
    list.InsertItem(-1, "ignored");
    EXPECT_EQ(list.Items(), QStringList({"Usb-1", "Usb-2", "Usb-5", "Usb-9"}));
    EXPECT_EQ(list.IndexOf("usb-5"), 2);
    EXPECT_EQ(list.IndexOf("Usb-7"), -1);
    list.DeleteItem(1);
    list.DeleteItem(4);
    EXPECT_EQ(list.Items(), QStringList({"Usb-1", "Usb-5", "Usb-9"}));
    EXPECT_EQ(list.Item(2), "Usb-9");
    EXPECT_EQ(list.Item(3), "");
    EXPECT_EQ(list.Text(), "Usb-1\nUsb-5\nUsb-9\n");
    list.SetText("a\nb\n");
    EXPECT_EQ(list.Items(), QStringList({"a", "b"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListBoxItems, ItemIndexFromCodeRaisesNoClick)
{
    Host host;
    TskListBox list(&host.window);
    list.show();
    list.SetItems({"a", "b", "c"});
    QSignalSpy clicks(&list, &TskListBox::OnClick);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    list.SetItemIndex(3);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(1);
    list.DeleteItem(1);  // the selection goes with its item
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(0);
    list.ClearItems();
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ListBoxItems, UserClickSelectsAndRaisesOnClick)
{
    Host host;
    TskListBox list(&host.window);
    list.resize(120, 100);
    list.SetItemHeight(11);
    list.SetItems({"a", "b", "c"});
    list.show();
    QSignalSpy clicks(&list, &TskListBox::OnClick);
    const QRect row = list.visualItemRect(list.item(1));
    EXPECT_EQ(row.height(), 11);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ListBoxItems, ScrollBarAppearsOnlyWhenItemsOverflow)
{
    Host host;
    TskListBox list(&host.window);
    list.resize(100, 60);
    list.SetItemHeight(11);
    list.show();
    list.SetItems({"a", "b"});
    QCoreApplication::processEvents();
    EXPECT_FALSE(list.verticalScrollBar()->isVisible());
    for (int i = 0; i < 20; ++i)
        list.AddItem(QString::number(i));
    QCoreApplication::processEvents();
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
}

// --- Combo box ---------------------------------------------------------------------

TEST(ComboItemIndex, CodeRaisesNoOnChangeTheUserDoes)
{
    Host host;
    TskComboBox combo(&host.window);
    combo.SetItems({"Usb-2", "Usb-5"});
    combo.show();
    QSignalSpy changes(&combo, &TskComboBox::OnChange);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Text(), "Usb-5");
    combo.SetItemIndex(5);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(0);
    EXPECT_EQ(changes.count(), 0);
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes.count(), 1);
}

TEST(ComboStyle, BuiltInLooksSetColoursCustomKeepsThem)
{
    TskComboBox combo;
    EXPECT_EQ(combo.UIStyle(), TskUIStyle::Navy);  // no skinned frame
    combo.SetUIStyle(TskUIStyle::Azure);
    EXPECT_EQ(combo.ButtonColor(), GetThemeColor(TskUIStyle::Azure, 74));
    EXPECT_EQ(combo.ArrowColor(), RGBColor(104, 104, 104));
    EXPECT_EQ(combo.BorderColor(), RGBColor(104, 104, 104));
    combo.SetButtonColor(14609391);
    combo.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(combo.UIStyle(), TskUIStyle::Custom);
    EXPECT_EQ(combo.ButtonColor(), TColor(14609391));
    EXPECT_EQ(combo.ArrowColor(), RGBColor(104, 104, 104));
    // A form restyle reaches the combo whatever its own look.
    QWidget form;
    auto* inForm = new TskComboBox(&form);
    inForm->SetUIStyle(TskUIStyle::Custom);
    ContainerApplyUIStyle(&form, TskUIStyle::Crystal);
    EXPECT_EQ(inForm->UIStyle(), TskUIStyle::Crystal);
}

TEST(ComboPaint, ButtonArrowAndBorder)
{
    Host host;
    TskComboBox combo(&host.window);
    combo.setGeometry(10, 10, 121, 21);
    combo.SetUIStyle(TskUIStyle::Azure);
    combo.SetArrowColor(RGBColor(200, 0, 0));
    combo.SetButtonColor(RGBColor(0, 200, 0));
    combo.show();
    const VclRect b = TskComboBox::ButtonRect(combo.size());
    EXPECT_EQ(b, (VclRect{102, 2, 119, 19}));
    const QPoint o = TskComboBox::ArrowOrigin(b);
    EXPECT_EQ(o, QPoint(102 + 17 / 2 - 4, 17 / 2));
    QImage img = combo.grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), ToQColor(combo.BorderColor()));
    EXPECT_EQ(img.pixelColor(b.left + 1, b.bottom - 2), QColor(0, 200, 0));
    EXPECT_EQ(img.pixelColor(o.x() + 3, o.y() + 2), QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(o.x() + 3, o.y() + 3), QColor(200, 0, 0));
    EXPECT_EQ(img.pixelColor(o.x(), o.y() + 2), QColor(0, 200, 0));
    // Disabled: the grey arrow with its white shadow one pixel lower right.
    combo.SetEnabled(false);
    img = combo.grab().toImage();
    EXPECT_EQ(img.pixelColor(o.x() + 3, o.y() + 3), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(o.x() + 4, o.y() + 4), QColor(255, 255, 255));
}

TEST(ComboPaint, PearlButtonIsThePicture)
{
    Host host;
    TskComboBox combo(&host.window);
    combo.setGeometry(0, 0, 121, 21);
    combo.SetUIStyle(TskUIStyle::Pearl);
    combo.SetButtonColor(RGBColor(0, 200, 0));
    combo.show();
    const VclRect b = TskComboBox::ButtonRect(combo.size());
    EXPECT_NE(combo.grab().toImage().pixelColor(b.left + 1, b.top + 1), QColor(0, 200, 0));
}

// --- Frames --------------------------------------------------------------------------

class Frames : public ::testing::TestWithParam<TskUIStyle> {};

TEST_P(Frames, EditMemoAndListShowBorderThenBackgroundRing)
{
    Host host;
    auto* edit = new TskEdit(&host.window);
    auto* memo = new TskMemo(&host.window);
    auto* list = new TskListBox(&host.window);
    edit->setGeometry(5, 5, 100, 21);
    memo->setGeometry(5, 30, 100, 60);
    list->setGeometry(110, 5, 100, 85);
    edit->SetColor(RGBColor(192, 220, 192));
    ContainerApplyUIStyle(&host.window, GetParam());
    const QColor border = ToQColor(GetThemeColor(GetParam(), 8));
    for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(memo), static_cast<QWidget*>(list)}) {
        const QImage img = w->grab().toImage();
        EXPECT_EQ(img.pixelColor(0, 0), border) << w->metaObject()->className();
        EXPECT_EQ(img.pixelColor(w->width() - 1, w->height() - 1), border) << w->metaObject()->className();
    }
    EXPECT_EQ(PixelOf(*edit, 1, 1), QColor(192, 220, 192));
    EXPECT_EQ(PixelOf(*memo, 1, 1), ToQColor(memo->Color()));
    // The text and rows stay inside the frame.
    EXPECT_EQ(memo->viewport()->geometry().topLeft(), QPoint(2, 2));
    EXPECT_EQ(list->viewport()->geometry().topLeft(), QPoint(2, 2));
}

INSTANTIATE_TEST_SUITE_P(EveryLook, Frames,
                         ::testing::Values(TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory,
                                           TskUIStyle::Crystal));

TEST(FramesCustom, CustomRestyleKeepsTheBorderColour)
{
    QWidget form;
    auto* edit = new TskEdit(&form);
    auto* memo = new TskMemo(&form);
    edit->SetBorderColor(8355711);
    memo->SetBorderColor(6842472);
    ContainerApplyUIStyle(&form, TskUIStyle::Custom);
    EXPECT_EQ(edit->BorderColor(), TColor(8355711));
    EXPECT_EQ(memo->BorderColor(), TColor(6842472));
}

TEST(EditText, CodeRaisesNoOnChangeTheUserDoes)
{
    Host host;
    TskEdit edit(&host.window);
    edit.show();
    QSignalSpy changes(&edit, &TskEdit::OnChange);
    edit.SetText("NewSection");
    EXPECT_EQ(changes.count(), 0);
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(edit.Text(), "NewSection2");
    EXPECT_EQ(changes.count(), 1);
}
