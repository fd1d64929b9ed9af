// Data-set actions: with a source they act on its data set; without one on
// the data set of the focused bound control, which passes them to its link.
// Either way they are enabled by the navigator's rules as the state and the
// focus change, and Delete asks first.

#include "db_test_database.h"
#include "skin/data_aware/data_set_action.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <map>
#include <tuple>

namespace {

struct Actions {
    std::map<TNavigateBtn, std::unique_ptr<TDataSetAction>> byKind;
    explicit Actions(TDataSource* source)
    {
        for (int k = 0; k < kNavButtonCount; ++k) {
            auto action = std::make_unique<TDataSetAction>(TNavigateBtn(k));
            action->SetDataSource(source);
            byKind[TNavigateBtn(k)] = std::move(action);
        }
    }
    TDataSetAction& operator[](TNavigateBtn k) { return *byKind[k]; }
    /// The enabled ones, as "FPNLIDEOCR" letters in kind order.
    std::string Enabled()
    {
        std::string s;
        for (auto& [kind, action] : byKind)
            if (action->isEnabled())
                s += "FPNLIDEOCR"[int(kind)];
        return s;
    }
};

}  // namespace

TEST(DataSetActions, WithASourceTheyFollowItsStateAndReachTheFile)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    Actions a(f.source.get());
    EXPECT_EQ(a[TNavigateBtn::nbNext].text(), "Next record");
    EXPECT_EQ(a.Enabled(), "NLIDER");  // on the first record
    a[TNavigateBtn::nbLast].trigger();
    EXPECT_EQ(std::tuple(f.set->RecNo(), a.Enabled()), std::tuple(2, std::string("FPIDER")));
    a[TNavigateBtn::nbEdit].trigger();
    EXPECT_EQ(a.Enabled(), "FPIDOCR");
    f.set->FindField("title")->SetText("Last call");
    a[TNavigateBtn::nbPost].trigger();
    EXPECT_EQ(std::tuple(f.Stored(3, "title").toString(), a.Enabled()),
              std::tuple(QString("Last call"), std::string("FPNLIDER")));  // a post reads the records again

    QStringList asked;
    a[TNavigateBtn::nbDelete].SetQuestionHook([&](const QString& q) {
        asked << q;
        return asked.size() > 1;  // No, then Yes
    });
    a[TNavigateBtn::nbDelete].trigger();
    a[TNavigateBtn::nbDelete].trigger();
    EXPECT_EQ(std::tuple(asked, f.Stored(3, "title")),
              std::tuple(QStringList({"Delete record?", "Delete record?"}), QVariant()));
    f.set->Close();
    EXPECT_EQ(a.Enabled(), "");
}

TEST(DataSetActions, WithoutASourceTheyActOnTheFocusedBoundControlsDataSet)
{
    DbFixture f;
    f.db->Exec("CREATE TABLE lasers (code INTEGER PRIMARY KEY, name VARCHAR(20))");
    f.db->Exec("INSERT INTO lasers (name) VALUES ('Left'), ('Right')");
    TSqlDataSet lasers(f.db->Database());
    lasers.SetTableName("lasers");
    TDataSource laserSource(&lasers);
    ASSERT_TRUE(f.set->Open() && lasers.Open());
    QWidget form;
    auto* title = f.Bind(new TskDBEdit(&form), "title");
    auto* grid = new TskDBGrid(&form);
    grid->SetDataSource(&laserSource);
    auto* plain = new QLineEdit(&form);
    Actions a(nullptr);
    form.show();
    form.activateWindow();
    auto focus = [](QWidget* w) {
        w->setFocus();
        QApplication::processEvents();
    };

    focus(plain);
    EXPECT_EQ(a.Enabled(), "");
    focus(title);
    EXPECT_EQ(a.Enabled(), "NLIDER");
    a[TNavigateBtn::nbNext].trigger();
    focus(grid);
    EXPECT_EQ(a.Enabled(), "NLIDER");  // the lasers, still on their first record
    a[TNavigateBtn::nbLast].trigger();
    EXPECT_EQ(std::tuple(f.set->RecNo(), lasers.RecNo(), a.Enabled()), std::tuple(1, 1, std::string("FPIDER")));

    // A control handles only an action that is its source's or has none.
    Actions other(&laserSource);
    const bool ownHandled = title->ExecuteAction(a[TNavigateBtn::nbFirst]);
    const bool otherHandled = title->ExecuteAction(other[TNavigateBtn::nbFirst]);
    const bool otherUpdated = title->UpdateAction(other[TNavigateBtn::nbFirst]);
    EXPECT_EQ(std::tuple(ownHandled, otherHandled, otherUpdated, f.set->RecNo(), lasers.RecNo()),
              std::tuple(true, false, false, 0, 1));
}
