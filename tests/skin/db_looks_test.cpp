// Every data-aware control bound to a small SQLite file paints itself in a
// framed window of each of the five looks, and the styled ones paint each look
// differently. (tools/skin_gallery draws the same for a person to review.)

#include "db_test_database.h"
#include "skin/data_aware/db_check_box.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_image.h"
#include "skin/data_aware/db_list_box.h"
#include "skin/data_aware/db_lookup_combo_box.h"
#include "skin/data_aware/db_memo.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/data_aware/db_radio_group.h"
#include "skin/skin_form.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QTest>

#include <map>

TEST(DataAwareLooks, EveryBoundControlPaintsInEveryLookAndStyledOnesDiffer)
{
    DbFixture db;
    db.db->Exec("CREATE TABLE lasers (code INTEGER PRIMARY KEY, name VARCHAR(20))");
    db.db->Exec("INSERT INTO lasers VALUES (2, 'Stage right')");
    db.db->Exec("ALTER TABLE shows ADD COLUMN laser INTEGER");
    db.db->Exec("UPDATE shows SET laser = 2");
    TSqlDataSet lasers(db.db->Database());
    lasers.SetTableName("lasers");
    ASSERT_TRUE(lasers.Open());
    db.set->AddLookupField("laserName", "laser", &lasers, "code", "name");
    ASSERT_TRUE(db.set->Open());
    db.set->Next();  // "Finale": its state "maybe" shows grey, its notes are empty
    std::map<std::string, std::vector<QImage>> byLook;
    for (TskUIStyle style :
         {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory, TskUIStyle::Crystal}) {
        QWidget host;
        host.resize(470, 340);
        auto* frame = new TskForm(&host, TFormBorderStyle::bsDialog);
        const QPoint at = frame->ClientArea().topLeft() + QPoint(8, 8);
        std::vector<std::pair<const char*, QWidget*>> controls;
        auto add = [&](const char* name, auto* control, const char* field, QRect where) {
            control->SetDataSource(db.source.get());
            if constexpr (requires { control->SetDataField(field); })
                control->SetDataField(field);
            control->setGeometry(where.translated(at));
            controls.emplace_back(name, control);
            return control;
        };
        add("navigator", new TskDBNavigator(frame), nullptr, {0, 0, 250, 30});
        add("grid", new TskDBGrid(frame), nullptr, {0, 36, 450, 110});
        add("edit", new TskDBEdit(frame), "title", {0, 154, 150, 21});
        add("lookup", new TskDBLookupComboBox(frame), "laserName", {160, 154, 150, 21});
        add("check box", new TskDBCheckBox(frame), "state", {320, 154, 110, 21})->SetCaption("State");
        auto* radio = add("radio group", new TskDBRadioGroup(frame), "mode", {0, 180, 120, 76});
        radio->SetItems({"Red", "Green", "Blue"});
        radio->SetValues({"r", "", "b"});
        add("memo", new TskDBMemo(frame), "title", {130, 180, 150, 44});
        add("combo box", new TskDBComboBox(frame), "mode", {290, 180, 100, 21})->SetItems({"r", "Green", "b"});
        add("list box", new TskDBListBox(frame), "mode", {130, 230, 100, 50})->SetItems({"r", "Green", "b"});
        add("image", new TskDBImage(frame), "notes", {240, 230, 90, 50});  // no picture: shows its label
        frame->SetUIStyleAutoUpdateSub(true);  // the look reaches every control
        frame->SetUIStyle(style);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        const QImage window = host.grab().toImage();
        const QColor back = window.pixelColor(at + QPoint(440, 280));
        for (const auto& [name, w] : controls) {
            SCOPED_TRACE(std::string(name) + " in look " + std::to_string(int(style)));
            const QImage shot = window.copy(QRect(w->mapTo(&host, QPoint()), w->size()));
            EXPECT_GT(skin_test::CountPixels(shot, [&](QColor c) { return c != back; }),
                      shot.width() * shot.height() / 20);
            byLook[name].push_back(shot);
        }
    }
    for (const char* name : {"navigator", "grid", "lookup"})
        for (std::size_t a = 0; a < byLook[name].size(); ++a)
            for (std::size_t b = a + 1; b < byLook[name].size(); ++b)
                EXPECT_NE(byLook[name][a], byLook[name][b]) << name << ": looks " << a << " and " << b << " alike";
}
