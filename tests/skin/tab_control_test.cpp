// Tab strip and page control: tab widths and the hit test, tab index events,
// pages made and removed in code, hidden tabs and the looks' strip pictures.

#include "skin/tab_control.h"
#include "skin/theme_pictures.h"
#include "skin_test_events.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QSignalSpy>

#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace skin_test;

struct Strip {
    std::unique_ptr<TskTabControl> control = std::make_unique<TskTabControl>();
    Strip(const QStringList& tabs)
    {
        control->resize(400, 80);
        control->SetTabs(tabs);
        control->show();
        control->grab();  // paints the strip: widths are known from here on
    }
    TskTabControlTopPanel& strip() { return control->Strip(); }
};

std::vector<int> Indices(const QSignalSpy& spy)
{
    std::vector<int> out;
    for (const auto& args : spy)
        out.push_back(args.at(1).toInt());
    return out;
}

}  // namespace

TEST(TabStrip, WidthsFollowTheTextsWithTheFixedMinimums)
{
    const QString longText = QStringLiteral("A rather long tab caption");
    Strip s({"", "A", longText, "i"});
    const QFont font = s.control->font();
    const QFontMetrics fm(font);
    auto w = s.strip().TabWidths();
    ASSERT_EQ(w.size(), 4u);
    EXPECT_GE(w[3], 15);
    w.pop_back();
    EXPECT_EQ(w, (std::vector<int>{80, std::max(15, fm.horizontalAdvance("A") + 20), fm.horizontalAdvance(longText) + 20}));
    EXPECT_EQ(TskTabControlTopPanel::TabWidthFor("", font), 80);
}

TEST(TabStrip, HitTestUsesOpenIntervalsAndTheActiveTabHeightHiddenTabsTakeNoRoom)
{
    TskTabControl unpainted;
    unpainted.SetTabs({"One", "Two"});
    EXPECT_EQ(unpainted.Strip().TabAt({20, 5}), -1) << "nothing hits before the first paint";
    Strip s({"One", "Two", "Three"});
    const auto w = s.strip().TabWidths();
    const int activeHeight = ThemeImage(GetThemeString(s.control->UIStyle(), 70)).height();
    ASSERT_GT(activeHeight, 2);
    // Left of the margin, the first tab's own left edge, the boundary between two
    // tabs, row 0, below the active picture and right of the last tab hit nothing.
    const int y = 5;
    const int end = 10 + w[0] + w[1] + w[2];
    std::vector<int> hits;
    for (QPoint p : {QPoint(9, y), QPoint(10, y), QPoint(11, y), QPoint(10 + w[0] - 1, y), QPoint(10 + w[0], y),
                     QPoint(10 + w[0] + 1, y), QPoint(11, 0), QPoint(11, activeHeight), QPoint(11, activeHeight - 1),
                     QPoint(end + 5, y)})
        hits.push_back(s.strip().TabAt(p));
    EXPECT_EQ(hits, (std::vector<int>{-1, -1, 0, 0, -1, 1, -1, -1, 0, -1}));

    // A click on a tab selects it; one on the margin changes nothing.
    QSignalSpy spy(s.control.get(), &TskTab::OnTabActive);
    Press(s.strip(), {10 + w[0] + 5, 5});
    EXPECT_EQ(s.control->TabIndex(), 1);
    Press(s.strip(), {3, 5});
    EXPECT_EQ(Indices(spy), (std::vector<int>{1}));

    // A hidden tab takes no room and cannot be hit.
    const int w0 = s.strip().TabWidths()[0];
    s.strip().SetTabVisible(1, false);
    s.control->grab();
    EXPECT_EQ(s.strip().TabWidths()[1], 0);
    // The third tab now starts where the second did.
    EXPECT_EQ(s.strip().TabAt({10 + w0 + 2, 5}), 2);
}

TEST(TabStrip, EveryTabBeyondSixtyFourIsStillClickable)
{
    QStringList tabs;
    for (int i = 0; i < 70; ++i)
        tabs << QString::number(i);
    TskTabControl control;
    control.resize(10000, 80);
    control.SetTabs(tabs);
    control.show();
    control.grab();
    const auto& w = control.Strip().TabWidths();
    ASSERT_EQ(w.size(), 70u);
    int x = 10;
    for (int i = 0; i < 69; ++i)
        x += w[std::size_t(i)];
    EXPECT_EQ(control.Strip().TabAt({x + 2, 5}), 69);
}

TEST(TabStrip, TabIndexEventsFireOncePerValidAssignment)
{
    Strip s({"One", "Two", "Three"});
    QSignalSpy spy(s.control.get(), &TskTab::OnTabActive);
    s.control->SetTabIndex(1);
    s.control->SetTabIndex(1);   // the same index fires again
    s.control->SetTabIndex(5);   // out of range: nothing
    s.control->SetTabIndex(-2);
    EXPECT_EQ(s.control->TabIndex(), 1);
    s.control->SetTabIndex(-1);  // "no tab" is a valid choice
    EXPECT_EQ(Indices(spy), (std::vector<int>{1, 1, -1}));

    TskTabControl empty;
    empty.SetTabs({});
    QSignalSpy quiet(&empty, &TskTab::OnTabActive);
    empty.SetTabIndex(2);
    empty.SetTabIndex(0);
    EXPECT_EQ((std::tuple{empty.TabIndex(), quiet.count()}), std::tuple(-1, 0));
}

TEST(PageControl, PagesMadeInCodeAreNamedByCountActivatedAndRemoved)
{
    TskPageControl pc;
    pc.resize(300, 200);
    QSignalSpy spy(&pc, &TskTab::OnTabActive);
    TskTabSheet* a = pc.NewPage();
    TskTabSheet* b = pc.NewPage();
    TskTabSheet* c = pc.NewPage();
    EXPECT_EQ((QStringList{a->objectName(), b->objectName(), c->objectName(), c->Caption()}),
              (QStringList{"skTabSheet1", "skTabSheet2", "skTabSheet3", "skTabSheet3"}));
    EXPECT_EQ(pc.Strip().Tabs(), (QStringList{"skTabSheet1", "skTabSheet2", "skTabSheet3"}));
    EXPECT_EQ(pc.ActivePage(), c);
    EXPECT_EQ(Indices(spy), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ((std::vector<TskTabSheet*>{pc.GetPage(3), pc.GetPage(-1), pc.GetPage(1)}),
              (std::vector<TskTabSheet*>{nullptr, nullptr, b}));
    // The sheet fills the area below the strip.
    EXPECT_EQ(c->geometry(), pc.BodyRect());

    // Removing pages moves the activation and keeps names unique.
    delete pc.GetPage(2);  // page k > 0: page k - 1 becomes active
    EXPECT_EQ((std::tuple{pc.PageCount(), pc.ActivePageIndex(), pc.ActivePage() == pc.GetPage(1)}), std::tuple(2, 1, true));
    delete pc.GetPage(0);  // the first page: none is active afterwards
    EXPECT_EQ((std::tuple{pc.PageCount(), pc.ActivePage(), pc.GetPage(0)->PageIndex(), pc.GetPage(0)->objectName()}),
              std::tuple(1, nullptr, 0, QString("skTabSheet2")));
    // Count + 1 would be 2 again: the next free number is taken.
    EXPECT_EQ(pc.NewPage()->objectName(), "skTabSheet3");
    EXPECT_EQ(pc.Strip().Tabs(), (QStringList{"skTabSheet2", "skTabSheet3"}));
}

TEST(PageControl, ActivationByClickOrIndexFiresEachEventOnce)
{
    TskPageControl pc;
    pc.resize(300, 200);
    pc.NewPage();
    TskTabSheet* second = pc.NewPage();
    pc.NewPage();
    pc.show();
    pc.grab();
    QSignalSpy tabs(&pc, &TskTab::OnTabActive);
    QSignalSpy shown(second, &TskTabSheet::OnShow);
    const int x = 10 + pc.Strip().TabWidths()[0] + 5;
    Press(pc.Strip(), {x, 5});
    EXPECT_EQ(pc.ActivePage(), second);
    EXPECT_EQ(Indices(tabs), (std::vector<int>{1}));
    EXPECT_EQ((std::tuple{shown.count(), second->isVisible(), pc.GetPage(0)->isVisible()}), std::tuple(1, true, false));
    pc.SetActivePageIndex(7);  // ignored
    EXPECT_EQ(pc.ActivePageIndex(), 1);
    pc.SetActivePageIndex(0);
    EXPECT_EQ(Indices(tabs), (std::vector<int>{1, 0}));
}

TEST(PageControl, HiddenTabsAreSkippedActivationMovesOffThemAndTheyStayHiddenWhenMoved)
{
    TskPageControl pc;
    for (int i = 0; i < 4; ++i)
        pc.NewPage();
    pc.GetPage(2)->SetTabVisible(false);
    pc.SetActivePageIndex(3);
    std::vector<int> visited;
    for (bool forward : {true, false, false}) {
        pc.SelectNextPage(forward);
        visited.push_back(pc.ActivePageIndex());
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 3, 1}));

    TskTabSheet* hidden = pc.GetPage(2);
    hidden->SetPageIndex(0);
    EXPECT_EQ(pc.GetPage(0), hidden);
    EXPECT_EQ((std::vector<bool>{pc.Strip().TabVisible(0), pc.Strip().TabVisible(1), pc.Strip().TabVisible(2)}),
              (std::vector<bool>{false, true, true}));
    hidden->SetPageIndex(9);  // invalid: stays where it is
    EXPECT_EQ(hidden->PageIndex(), 0);

    // Hiding a tab activates the nearest visible page.
    TskPageControl pc2;
    for (int i = 0; i < 4; ++i)
        pc2.NewPage();
    pc2.SetActivePageIndex(2);
    pc2.GetPage(1)->SetTabVisible(false);  // not the active page: activation still moves
    EXPECT_EQ(pc2.ActivePageIndex(), 0);
    EXPECT_FALSE(pc2.Strip().TabVisible(1));
    pc2.GetPage(0)->SetTabVisible(false);  // nothing before it: the first visible after
    EXPECT_EQ(pc2.ActivePageIndex(), 2);
    pc2.GetPage(1)->SetTabVisible(true);   // showing activates the page
    EXPECT_EQ(pc2.ActivePageIndex(), 1);
}

TEST(PageControl, DeletingTheControlFirstLeavesNoDanglingPages)
{
    auto pc = std::make_unique<TskPageControl>();
    pc->NewPage();
    pc->NewPage();
    pc.reset();  // the pages are deleted as its children without calling back
    SUCCEED();
}

TEST(TabLooks, StripHeightIsTabPlusLineAndShowsNoKeyColour)
{
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory,
                             TskUIStyle::Crystal}) {
        TskPageControl pc;
        pc.resize(260, 120);
        pc.SetUIStyle(style);
        pc.NewPage()->SetCaption("Pictures");
        pc.NewPage()->SetCaption("Sound");
        const int inactive = ThemeImage(GetThemeString(style, 71)).height();
        const int line = ThemeImage(GetThemeString(style, 72)).height();
        EXPECT_EQ((std::tuple{pc.Strip().height(), pc.Strip().height()}), std::tuple(inactive + line, GetThemeInt(style, 73)))
            << int(style);
        pc.show();
        EXPECT_EQ(CountPixels(pc.grab().toImage(), [](QColor c) { return c == QColor(255, 0, 255); }), 0) << int(style);
        EXPECT_EQ(pc.Color(), style == TskUIStyle::Azure ? clWhite : GetThemeColor(style, 9));
    }
}

TEST(TabLooks, CustomIsIgnoredAndPlainTabsStillPaint)
{
    TskTabControl control;
    control.SetUIStyle(TskUIStyle::Ivory);
    control.SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(control.UIStyle(), TskUIStyle::Ivory);
    control.Strip().SetUIStyle(TskUIStyle::Custom);  // no pictures: plain tabs
    control.resize(200, 80);
    control.show();
    control.grab();
    EXPECT_GT(control.Strip().TabWidths().at(0), 0);
}
