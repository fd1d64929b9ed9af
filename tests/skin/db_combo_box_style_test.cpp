// The DB combo box's simple style (its list always open) over a real SQLite file.

#include "db_test_database.h"
#include "skin/data_aware/db_combo_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

struct DbComboStyles : ::testing::Test {
    DbFixture f;
    QWidget form;
    TskDBComboBox* combo = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(f.set->Open());
        form.resize(400, 300);
        combo = new TskDBComboBox(&form);
        combo->SetItems({"r", "Green", "b"});
        combo->SetDataSource(f.source.get());
        combo->SetDataField("mode");
        form.show();
        form.activateWindow();
        combo->setFocus();
        QApplication::processEvents();
    }
    void ClickRow(int row)
    {
        QListView* list = combo->SimpleList();
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
};

}  // namespace

TEST_F(DbComboStyles, SimpleStyleKeepsItsListOpenUnderTheEditRow)
{
    EXPECT_EQ(combo->SimpleList(), nullptr);
    const int rowHeight = combo->height();
    combo->SetStyle(TComboBoxStyle::csSimple);
    QListView* list = combo->SimpleList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_GT(combo->height(), 2 * rowHeight);
    EXPECT_EQ(list->geometry().top(), rowHeight);
    EXPECT_LE(combo->lineEdit()->geometry().bottom(), rowHeight);
    EXPECT_EQ(list->model()->rowCount(), 3);

    // The list follows the field: a listed value is selected, an unlisted one selects none.
    EXPECT_EQ(list->currentIndex().row(), 0);
    f.set->Next();
    EXPECT_EQ(list->currentIndex().row(), 1);
    f.set->Next();
    EXPECT_FALSE(list->currentIndex().isValid());
    EXPECT_EQ(combo->currentText(), "");

    // Opening the list changes nothing: it is already open.
    combo->showPopup();
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);

    // A click on an item edits the record and writes the item at the post.
    ClickRow(2);
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    EXPECT_EQ(combo->ComboText(), "b");
    ASSERT_TRUE(f.set->Post()) << f.set->LastError().toStdString();
    EXPECT_EQ(f.Stored(3, "mode").toString(), "b");
    EXPECT_EQ(list->currentIndex().row(), 2);

    // Typing into the edit row is written; styling again keeps one connection to it.
    combo->SetStyle(TComboBoxStyle::csSimple);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Amber");
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    ASSERT_TRUE(f.set->Post()) << f.set->LastError().toStdString();
    EXPECT_EQ(f.Stored(3, "mode").toString(), "Amber");

    // A read-only binding: the click neither edits nor moves the choice.
    combo->SetReadOnly(true);
    ClickRow(1);
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(combo->currentText(), "Amber");
    EXPECT_FALSE(combo->SimpleList()->currentIndex().isValid());

    // Back to the drop-down style: the list goes and the box is one row high.
    combo->SetStyle(TComboBoxStyle::csDropDown);
    EXPECT_EQ(combo->SimpleList(), nullptr);
    EXPECT_EQ(combo->height(), rowHeight);
}
