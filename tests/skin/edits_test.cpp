// Skinned edit, memo, list box and combo box: the memo and list as stores of
// lines and items, item index by code and by the user, and the painted frames.

#include "skin/combo_box.h"
#include "skin/edit.h"
#include "skin/list_box.h"
#include "skin/memo.h"
#include "skin/scroll_bar.h"
#include "skin/themed_scroll_bar_style.h"
#include "skin/themes.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QSignalSpy>
#include <QTest>

#include <tuple>
#include <vector>

using skin_test::Host;

namespace {

QColor PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

}  // namespace

TEST(MemoLines, FinalLineBreakEndsALineAndLineEditsKeepTheOthers)
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

    // Line edits keep the other lines.
    memo.SetLines({"a", "b", "c"});
    memo.SetLine(1, "B");
    memo.AddLine("d");
    memo.DeleteLine(0);
    memo.DeleteLine(7);
    memo.DeleteLine(-1);
    EXPECT_EQ(memo.Lines(), QStringList({"B", "c", "d"}));
    EXPECT_EQ((QStringList{memo.Line(2), memo.Line(3), memo.Line(-1)}), (QStringList{"d", "", ""}));
    // A value written past the end is kept, not dropped.
    memo.SetLine(5, "29");
    EXPECT_EQ(memo.Lines(), QStringList({"B", "c", "d", "", "", "29"}));
    memo.SetLine(-2, "x");
    EXPECT_EQ(memo.LineCount(), 6);
}

// Values set by code raise no OnChange; the user's typing and choosing do.
TEST(TextControls, OnlyTheUserRaisesOnChange)
{
    Host host;
    TskMemo memo(&host.window);
    TskEdit edit(&host.window);
    TskComboBox combo(&host.window);
    combo.SetItems({"Usb-2", "Usb-5"});
    for (QWidget* w : std::initializer_list<QWidget*>{&memo, &edit, &combo})
        w->show();
    QSignalSpy memoChanges(&memo, &TskMemo::OnChange);
    QSignalSpy editChanges(&edit, &TskEdit::OnChange);
    QSignalSpy comboChanges(&combo, &TskComboBox::OnChange);
    memo.SetText("Text");
    memo.SetLines({"a", "b"});
    memo.AddLine("c");
    memo.SetLine(0, "A");
    edit.SetText("NewSection");
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), "Usb-5");
    combo.SetItemIndex(5);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(0);
    EXPECT_EQ(memoChanges.count() + editChanges.count() + comboChanges.count(), 0);

    memo.setFocus();
    QTest::keyClicks(&memo, "xy");
    EXPECT_TRUE(memo.Text().contains("xy"));
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(edit.Text(), "NewSection2");
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ((std::tuple{memoChanges.count(), editChanges.count(), comboChanges.count()}), std::tuple(2, 1, 1));
}

TEST(MemoScrollBars, OwnBarsAreDrawnInTheLooksColours)
{
    Host host;
    TskMemo memo(&host.window);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    memo.resize(120, 80);
    memo.show();
    memo.SetScrollBarLook(TskUIStyle::Azure);
    memo.SetScrollBarLook(TskUIStyle::Custom);  // keeps Azure
    QScrollBar* bar = memo.verticalScrollBar();
    EXPECT_EQ(bar->style(), ScrollBarStyleFor(TskUIStyle::Azure));
    EXPECT_EQ(bar->width(), ThemedScrollBarStyle::kExtent);
    // Text that fits: the groove shows its colour in the middle, no thumb.
    const QImage picture = bar->grab().toImage();
    EXPECT_EQ(picture.pixelColor(bar->width() / 2, bar->height() / 2), ToQColor(GetThemeColor(TskUIStyle::Azure, 84)));
}

namespace {

QStringList Numbers(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QString::number(i);
    return lines;
}

// The Play window's text memo with both external bars placed over its edges.
struct BoundMemo {
    Host host;
    TskMemo* memo = new TskMemo(&host.window);
    TskScrollBar* v = new TskScrollBar(&host.window);
    TskScrollBar* h = new TskScrollBar(&host.window);

    BoundMemo()
    {
        memo->SetWordWrap(false);
        memo->setGeometry(20, 30, 200, 150);
        v->SetUIStyle(TskUIStyle::Azure);
        h->SetUIStyle(TskUIStyle::Azure);
        memo->show();
        v->show();
        h->show();
        memo->SetVScrollBar(v);
        memo->SetHScrollBar(h);
    }
};

}  // namespace

TEST(MemoExternalBars, PlacedOverTheEdgesAndScrollBarsFollowTheBinding)
{
    BoundMemo b;
    EXPECT_EQ((std::tuple{b.memo->ScrollBars(), b.v->Orientation(), b.h->Orientation()}),
              std::tuple(TScrollStyle::ssBoth, TskProgressBarOrientation::skVertical, TskProgressBarOrientation::skHorizontal));
    const int vw = b.v->width();
    const int hh = b.h->height();
    EXPECT_EQ(b.v->geometry(), QRect(20 + 200 - vw - 2, 31, vw, 150 - 1 - hh));
    EXPECT_EQ(b.h->geometry(), QRect(21, 30 + 150 - hh - 2, 200 - 1 - vw, hh));
    b.memo->move(40, 40);  // the bars go along
    EXPECT_EQ(b.v->pos(), QPoint(40 + 200 - vw - 2, 41));

    b.memo->SetHScrollBar(nullptr);
    EXPECT_EQ(b.memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ((std::tuple{b.h->Max(), b.h->isEnabled()}), std::tuple(100, true)) << "a released bar is handed back usable";
    b.h->SetPosition(30);
    EXPECT_EQ(b.memo->horizontalScrollBar()->value(), 0) << "and scrolls the memo no more";
    b.memo->SetVScrollBar(nullptr);
    EXPECT_EQ(b.memo->ScrollBars(), TScrollStyle::ssNone);
}

TEST(MemoExternalBars, IdleWhileTheTextFitsThenMirrorsTheMemoUntilDeleted)
{
    BoundMemo b;
    b.memo->SetLines({"Text"});
    EXPECT_EQ((std::tuple{b.v->isEnabled(), b.v->SliderVisible(), b.v->LineButton()}), std::tuple(false, false, 0));

    b.memo->SetLines(Numbers(200));
    QScrollBar* own = b.memo->verticalScrollBar();
    ASSERT_GT(own->maximum(), 0);
    EXPECT_TRUE(b.v->isEnabled() && b.v->SliderVisible());
    EXPECT_EQ(b.v->Max(), own->maximum()) << "Qt's maximum already leaves the page out";
    EXPECT_GE(b.v->LineButton(), TskScrollBar::kMinLineButton);

    // The memo scrolled by itself (wheel, keys): the bar follows and does not scroll back.
    own->setValue(120);
    EXPECT_EQ((std::tuple{b.v->Position(), own->value()}), std::tuple(120, 120));
    // The bar moved: the memo scrolls there.
    b.v->SetPosition(150);
    EXPECT_EQ(own->value(), 150);
    b.v->StepDown();
    EXPECT_EQ(own->value(), 149);

    b.memo->setEnabled(false);
    EXPECT_FALSE(b.v->isEnabled());

    // A deleted bar leaves the memo working.
    b.memo->setEnabled(true);
    delete b.v;
    EXPECT_EQ(b.memo->VScrollBar(), nullptr);
    own->setValue(40);
    b.memo->resize(180, 120);
    b.memo->AddLine("more");
    EXPECT_EQ(b.memo->HScrollBar(), b.h);
}

TEST(ListBoxExternalBar, HiddenWhileItemsFitShownOnceTheyOverflow)
{
    Host host;
    TskListBox list(&host.window);
    list.setGeometry(10, 10, 100, 60);
    list.SetItemHeight(11);
    auto* bar = new TskScrollBar(&host.window);
    list.show();
    bar->show();
    list.SetVScrollBar(bar);
    list.SetItems({"a", "b"});
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    for (int i = 0; i < 20; ++i)
        list.AddItem(QString::number(i));
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(10 + 100 - bar->width() - 2, 11, bar->width(), 58));
    EXPECT_EQ(bar->Max(), list.verticalScrollBar()->maximum());
    bar->SetPosition(bar->Max());
    EXPECT_EQ(list.verticalScrollBar()->value(), bar->Max());
}

TEST(ListBoxItems, AddInsertDeleteFindAndItemIndexFromCodeRaisesNoClickAUserClickDoes)
{
    Host host;
    TskListBox list(&host.window);
    EXPECT_EQ(list.AddItem("Usb-2"), 0);
    EXPECT_EQ(list.AddItem("Usb-5"), 1);
    list.InsertItem(0, "Usb-1");
    list.InsertItem(3, "Usb-9");
    list.InsertItem(9, "ignored");
    list.InsertItem(-1, "ignored");
    EXPECT_EQ(list.Items(), QStringList({"Usb-1", "Usb-2", "Usb-5", "Usb-9"}));
    EXPECT_EQ((std::tuple{list.IndexOf("usb-5"), list.IndexOf("Usb-7")}), std::tuple(2, -1));
    list.DeleteItem(1);
    list.DeleteItem(4);
    EXPECT_EQ(list.Items(), QStringList({"Usb-1", "Usb-5", "Usb-9"}));
    EXPECT_EQ((QStringList{list.Item(2), list.Item(3)}), (QStringList{"Usb-9", ""}));
    EXPECT_EQ(list.Text(), "Usb-1\nUsb-5\nUsb-9\n");
    list.SetText("a\nb\n");
    EXPECT_EQ(list.Items(), QStringList({"a", "b"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.resize(120, 100);
    list.SetItemHeight(11);
    list.SetItems({"a", "b", "c"});
    list.show();
    QSignalSpy clicks(&list, &TskListBox::OnClick);
    std::vector<int> indexes{list.ItemIndex()};
    list.SetItemIndex(2);
    indexes.push_back(list.ItemIndex());
    list.SetItemIndex(3);
    indexes.push_back(list.ItemIndex());
    list.SetItemIndex(1);
    list.DeleteItem(1);  // the selection goes with its item
    indexes.push_back(list.ItemIndex());
    EXPECT_EQ(indexes, (std::vector<int>{-1, 2, -1, -1}));
    EXPECT_EQ(clicks.count(), 0);

    const QRect row = list.visualItemRect(list.item(1));
    EXPECT_EQ(row.height(), 11);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ((std::tuple{list.ItemIndex(), clicks.count()}), std::tuple(1, 1));
    list.ClearItems();
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(ComboAndFrameStyle, BuiltInLooksSetColoursCustomKeepsThem)
{
    TskComboBox combo;
    EXPECT_EQ(combo.UIStyle(), TskUIStyle::Navy);  // no skinned frame
    combo.SetUIStyle(TskUIStyle::Azure);
    EXPECT_EQ(combo.ArrowColor(), RGBColor(104, 104, 104));
    combo.SetButtonColor(14609391);
    combo.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ((std::tuple{combo.UIStyle(), combo.ButtonColor(), combo.ArrowColor()}),
              std::tuple(TskUIStyle::Custom, TColor(14609391), RGBColor(104, 104, 104)));
    // A form restyle reaches the combo whatever its own look; a Custom
    // restyle keeps the edit's and memo's border colours.
    QWidget form;
    auto* inForm = new TskComboBox(&form);
    inForm->SetUIStyle(TskUIStyle::Custom);
    ContainerApplyUIStyle(&form, TskUIStyle::Crystal);
    EXPECT_EQ(inForm->UIStyle(), TskUIStyle::Crystal);
    auto* edit = new TskEdit(&form);
    auto* memo = new TskMemo(&form);
    edit->SetBorderColor(8355711);
    memo->SetBorderColor(6842472);
    ContainerApplyUIStyle(&form, TskUIStyle::Custom);
    EXPECT_EQ((std::tuple{edit->BorderColor(), memo->BorderColor()}), std::tuple(TColor(8355711), TColor(6842472)));
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
    auto pixels = [&](std::initializer_list<QPoint> at) {
        const QImage img = combo.grab().toImage();
        std::vector<QColor> out;
        for (QPoint p : at)
            out.push_back(img.pixelColor(p));
        return out;
    };
    const QColor green(0, 200, 0), red(200, 0, 0);
    EXPECT_EQ(pixels({{0, 0}, {b.left + 1, b.bottom - 2}, o + QPoint(3, 2), o + QPoint(3, 3), o + QPoint(0, 2)}),
              (std::vector<QColor>{ToQColor(combo.BorderColor()), green, red, red, green}));
    // Disabled: the grey arrow with its white shadow one pixel lower right.
    combo.SetEnabled(false);
    EXPECT_EQ(pixels({o + QPoint(3, 3), o + QPoint(4, 4)}), (std::vector<QColor>{QColor(128, 128, 128), Qt::white}));
}

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
        EXPECT_EQ((std::tuple{img.pixelColor(0, 0), img.pixelColor(w->width() - 1, w->height() - 1)}),
                  std::tuple(border, border))
            << w->metaObject()->className();
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
