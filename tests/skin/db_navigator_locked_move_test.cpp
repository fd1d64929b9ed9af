// The navigator's move buttons with an edit pending while another
// connection holds the database: the edit stays and the operator is told.

#include "db_test_database.h"
#include "skin/data_aware/db_navigator.h"

#include <gtest/gtest.h>

#include <QTest>

TEST(DBNavigatorLockedMove, AMoveThatCannotPostTheEditSaysTheDatabaseIsLocked)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    f.set->Next();
    TskDBNavigator nav;
    nav.SetDataSource(f.source.get());
    QStringList errors;
    nav.SetErrorHook([&](const QString& text) { errors << text; });
    nav.show();
    QTest::mouseClick(nav.Button(TNavigateBtn::nbEdit), Qt::LeftButton);
    ASSERT_EQ(f.set->State(), TDataSetState::dsEdit);
    f.set->FindField("title")->SetAsString("Typed");

    SqliteConnection other(f.path);
    ASSERT_TRUE(other.Exec("BEGIN IMMEDIATE"));
    for (TNavigateBtn kind : {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext, TNavigateBtn::nbLast})
        QTest::mouseClick(nav.Button(kind), Qt::LeftButton);
    EXPECT_EQ(errors, QStringList(4, "database is locked"));
    EXPECT_EQ(std::tuple(f.set->State(), f.set->RecNo(), f.set->FindField("title")->AsString()),
              std::tuple(TDataSetState::dsEdit, 1, QString("Typed")));

    ASSERT_TRUE(other.Exec("ROLLBACK"));
    QTest::mouseClick(nav.Button(TNavigateBtn::nbNext), Qt::LeftButton);
    EXPECT_EQ(std::tuple(errors.size(), f.set->RecNo(), f.Stored(2, "title")), std::tuple(4, 2, QVariant("Typed")));
}
