// The data navigator: layout, enabling by state, actions and the delete question.

#include "db_test_database.h"
#include "skin/data_aware/db_navigator.h"

#include <gtest/gtest.h>

#include <QTest>

#include <tuple>

namespace {

std::vector<int> Widths(const TskDBNavigator& nav)
{
    std::vector<int> widths;
    for (int i = 0; i < kNavButtonCount; ++i)
        if (nav.VisibleButtons() & (1u << i))
            widths.push_back(nav.Button(TNavigateBtn(i))->width());
    return widths;
}

// Which buttons are enabled, as a string of 0/1 in kind order.
std::string Enabled(const TskDBNavigator& nav)
{
    std::string s;
    for (int i = 0; i < kNavButtonCount; ++i)
        s += nav.Button(TNavigateBtn(i))->isEnabled() ? '1' : '0';
    return s;
}

}  // namespace

TEST(DBNavigatorLayout, SplitsTheWidthAmongTheVisibleButtons)
{
    TskDBNavigator nav;
    nav.show();  // a hidden widget hears of a resize only when shown
    EXPECT_EQ(std::tuple(nav.size(), Widths(nav), nav.Button(TNavigateBtn::nbLast)->x()),
              std::tuple(QSize(250, 30), std::vector<int>(10, 25), 75));

    nav.SetVisibleButtons(NavBit(TNavigateBtn::nbPrior) | NavBit(TNavigateBtn::nbNext));
    // It fits: the size stays.
    EXPECT_EQ(std::tuple(nav.width(), Widths(nav), nav.Button(TNavigateBtn::nbNext)->x()),
              std::tuple(250, std::vector<int>({125, 125}), 125));
    EXPECT_GT(nav.Button(TNavigateBtn::nbFirst)->x(), nav.width());  // hidden ones are parked outside

    // Unaligned, the width is rounded down to a multiple of the buttons.
    nav.SetVisibleButtons(NavBit(TNavigateBtn::nbFirst) | NavBit(TNavigateBtn::nbNext) | NavBit(TNavigateBtn::nbPost));
    EXPECT_EQ(std::tuple(nav.width(), Widths(nav)), std::tuple(249, std::vector<int>({83, 83, 83})));

    // Aligned, the spare pixels are spread by the counter.
    nav.SetAlign(TAlign::alTop);
    nav.resize(251, 30);
    EXPECT_EQ(Widths(nav), std::vector<int>({84, 83, 84}));
    nav.resize(254, 30);
    EXPECT_EQ(Widths(nav), std::vector<int>({85, 84, 85}));

    // Never below 20 x 18 per button.
    nav.SetAlign(TAlign::alNone);
    nav.resize(10, 5);
    EXPECT_EQ(nav.size(), QSize(60, 18));
    nav.SetVisibleButtons(0);
    EXPECT_GE(nav.width(), 20);

    // User hints replace the default ones entry by entry.
    nav.SetHints({"", "Back"});
    EXPECT_EQ(QStringList({nav.Button(TNavigateBtn::nbFirst)->toolTip(), nav.Button(TNavigateBtn::nbPrior)->toolTip(),
                           nav.Button(TNavigateBtn::nbPost)->toolTip()}),
              QStringList({"First record", "Back", "Post edit"}));
}

TEST(DBNavigator, EnablesButtonsByPositionAndState)
{
    DbFixture f;
    TskDBNavigator nav;
    EXPECT_EQ(Enabled(nav), "0000000000");
    nav.SetDataSource(f.source.get());
    EXPECT_EQ(Enabled(nav), "0000000000");  // closed
    ASSERT_TRUE(f.set->Open());
    //                        F P N L I D E P C R
    EXPECT_EQ(Enabled(nav), "0011111001");
    f.set->Next();
    EXPECT_EQ(Enabled(nav), "1111111001");
    f.set->Last();
    EXPECT_EQ(Enabled(nav), "1100111001");
    f.set->Edit();
    EXPECT_EQ(Enabled(nav), "1100110111");
    f.set->Cancel();
    nav.setEnabled(false);
    EXPECT_EQ(Enabled(nav), "0000000000");
    nav.setEnabled(true);
    f.set->Close();
    f.set->SetReadOnly(true);
    f.set->Open();
    EXPECT_EQ(Enabled(nav), "0011000000");

    // An empty table: nothing to delete.
    f.set->Close();
    f.set->SetReadOnly(false);
    f.db->Exec("DELETE FROM shows");
    f.set->Open();
    EXPECT_EQ(Enabled(nav), "0000101001");

    // A read-only database offers only moves.
    f.db->Exec("INSERT INTO shows (title) VALUES ('A'), ('B')");
    SqliteConnection readOnly(f.path, SqliteConnection::Mode::ReadOnly);
    TSqlDataSet set(readOnly.Database());
    set.SetTableName("shows");
    TDataSource source(&set);
    nav.SetDataSource(&source);
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(Enabled(nav), "0011000000");
}

TEST(DBNavigator, DeleteAsksFirstActionsReachTheFileAndTheKeyboardClicksToo)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    TskDBNavigator nav;
    nav.SetDataSource(f.source.get());
    QStringList asked;
    bool answer = false;
    nav.SetQuestionHook([&](const QString& text) {
        asked << text;
        return answer;
    });
    std::vector<TNavigateBtn> clicks;
    QObject::connect(&nav, &TskDBNavigator::OnClick, [&](TNavigateBtn kind) { clicks.push_back(kind); });

    nav.Button(TNavigateBtn::nbDelete)->Click();
    EXPECT_EQ(asked, QStringList({"Delete record?"}));
    EXPECT_EQ(std::tuple(f.set->RecordCount(), f.Stored(1, "title").isValid()), std::tuple(3, true));
    answer = true;
    nav.Button(TNavigateBtn::nbDelete)->Click();
    EXPECT_EQ(std::tuple(f.set->RecordCount(), f.Stored(1, "title").isValid()), std::tuple(2, false));
    nav.SetConfirmDelete(false);
    nav.Button(TNavigateBtn::nbDelete)->Click();
    EXPECT_EQ(std::tuple(asked.size(), f.set->RecordCount()), std::tuple(qsizetype(2), 1));

    nav.Button(TNavigateBtn::nbInsert)->Click();
    EXPECT_EQ(f.set->State(), TDataSetState::dsInsert);
    f.set->FindField("title")->SetAsString("Added");
    nav.Button(TNavigateBtn::nbPost)->Click();
    EXPECT_EQ(std::tuple(f.set->State(), f.set->RecordCount(), clicks.back()),
              std::tuple(TDataSetState::dsBrowse, 2, TNavigateBtn::nbPost));

    // A post the database refuses keeps the edit and says why.
    QStringList errors;
    nav.SetErrorHook([&](const QString& text) { errors << text; });
    nav.Button(TNavigateBtn::nbInsert)->Click();
    nav.Button(TNavigateBtn::nbPost)->Click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("NOT NULL"));
    EXPECT_EQ(std::tuple(f.set->State(), Enabled(nav).substr(7, 2)), std::tuple(TDataSetState::dsInsert, "11"));
    nav.Button(TNavigateBtn::nbCancel)->Click();
    EXPECT_EQ(f.set->RecordCount(), 2);

    // A refresh under another connection's lock says so and keeps the rows.
    errors.clear();
    SqliteConnection other(f.path);
    ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    nav.Button(TNavigateBtn::nbRefresh)->Click();
    EXPECT_EQ(errors, QStringList{"database is locked"});
    EXPECT_EQ(std::tuple(f.set->RecordCount(), f.set->FindField("title")->AsString()), std::tuple(2, QString("Added")));
    EXPECT_EQ(Enabled(nav), "1111111001");  // Delete still offered: the rows are there
    ASSERT_TRUE(other.Exec("ROLLBACK"));
    nav.Button(TNavigateBtn::nbRefresh)->Click();
    EXPECT_EQ(errors.size(), 1);

    // The keyboard moves the focus button and Space clicks it.
    f.set->First();
    nav.SetTabStop(true);
    nav.SetVisibleButtons(kAllNavButtons & ~NavBit(TNavigateBtn::nbPrior));
    nav.show();
    nav.setFocus();
    QTest::keyClick(&nav, Qt::Key_Right);  // skips the hidden PRIOR
    EXPECT_EQ(nav.FocusedButton(), TNavigateBtn::nbNext);
    QTest::keyClick(&nav, Qt::Key_Space);
    EXPECT_EQ(f.set->RecNo(), 1);
    QTest::keyClick(&nav, Qt::Key_Left);
    QTest::keyClick(&nav, Qt::Key_Left);
    EXPECT_EQ(nav.FocusedButton(), TNavigateBtn::nbFirst);
    QTest::keyClick(&nav, Qt::Key_Space);
    EXPECT_EQ(f.set->RecNo(), 0);
}
