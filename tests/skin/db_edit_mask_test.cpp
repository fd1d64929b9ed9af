// The DB edit's edit masks and its right-click menu, over a real SQLite file.

#include "db_test_database.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/edit_mask.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <tuple>

namespace {

struct DbEditExtras : ::testing::Test {
    DbFixture f;
    QWidget form;
    TskDBEdit* edit = nullptr;
    TskDBEdit* other = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(f.set->Open());
        form.resize(400, 300);
        edit = new TskDBEdit(&form);
        other = new TskDBEdit(&form);
        other->move(0, 40);
    }
    void Bind(const QString& field)
    {
        edit->SetDataSource(f.source.get());
        edit->SetDataField(field);
        form.show();
        form.activateWindow();
        edit->setFocus();
        QApplication::processEvents();
    }
    QAction* MenuAction(QMenu& menu, const char* name)
    {
        for (QAction* a : menu.actions())
            if (a->objectName() == QLatin1String(name))
                return a;
        ADD_FAILURE() << "no action " << name;
        return nullptr;
    }
};

}  // namespace

TEST(ParsedEditMask, TranslatesCommandsEscapesLiteralsAndOptions)
{
    const ParsedEditMask phone = ParsedEditMask::Parse(QStringLiteral("!(999) 000-0000;0;*"));
    EXPECT_EQ(std::tuple(phone.inputMask, phone.saveLiterals, phone.blank, phone.StoredText("(*55) 123-4567")),
              std::tuple(QString("(000) 999-9999;*"), false, QChar('*'), QString("551234567")));
    EXPECT_EQ(std::tuple(phone.IsBlank("(*55) 123-4567"), phone.IsBlank("(***) ***-****")), std::tuple(false, true));

    // Letters, case switches, escaped and command-like literals, defaults.
    const ParsedEditMask code = ParsedEditMask::Parse(QStringLiteral(">LLl<>Aa\\LCc_N#"));
    EXPECT_EQ(std::tuple(code.inputMask, code.saveLiterals, code.StoredText("ABc12L;_ N_")),
              std::tuple(QString(">AAa!NnLXx \\N#;_"), true, QString("ABc12L; N")));
    EXPECT_TRUE(ParsedEditMask::Parse(QString()).inputMask.isEmpty());
}

TEST_F(DbEditExtras, MaskedValueIsRefusedAtPostUntilItFillsTheMask)
{
    f.set->FindField("mode")->SetEditMask(QStringLiteral(">LL-00;1;_"));
    Bind("mode");
    EXPECT_EQ(QStringList({edit->inputMask(), edit->displayText()}), QStringList({">AA-99;_", "R_-__"}));

    edit->selectAll();
    QTest::keyClicks(edit, "ab1");
    EXPECT_EQ(std::tuple(f.set->State(), edit->displayText()), std::tuple(TDataSetState::dsEdit, QString("AB-1_")));
    EXPECT_FALSE(f.set->Post());
    EXPECT_TRUE(f.set->LastError().contains("does not fill the edit mask") && f.set->LastError().contains("AB-1_"));
    // The edit stays.
    EXPECT_EQ(std::tuple(f.set->State(), edit->displayText(), f.Stored(1, "mode").toString()),
              std::tuple(TDataSetState::dsEdit, QString("AB-1_"), QString("r")));

    // Leaving with the short value keeps the operator in the edit.
    other->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(edit->hasFocus() && !edit->LastError().isEmpty());

    edit->selectAll();
    QTest::keyClicks(edit, "ab12");
    EXPECT_EQ(f.Posted(1, "mode").toString(), "AB-12");

    // Without literals the typed characters are stored; emptying every typed
    // position empties the field instead of failing.
    f.set->FindField("mode")->SetEditMask(QStringLiteral("LL-00;0;_"));
    edit->selectAll();
    QTest::keyClicks(edit, "xy34");
    ASSERT_TRUE(f.set->Post()) << f.set->LastError().toStdString();
    // Shown through the mask again.
    EXPECT_EQ(QStringList({f.Stored(1, "mode").toString(), edit->displayText()}), QStringList({"xy34", "xy-34"}));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    EXPECT_TRUE(f.Posted(1, "mode").isNull() || f.Stored(1, "mode").toString().isEmpty());
}

TEST_F(DbEditExtras, ContextMenuCutAndPasteStartAnEdit)
{
    Bind("mode");
    f.set->Next();  // "Green"
    ASSERT_EQ(edit->text(), "Green");
    ASSERT_TRUE(edit->isReadOnly());
    edit->selectAll();
    auto trigger = [&](const char* name) {
        auto menu = edit->CreateContextMenu();
        QAction* action = MenuAction(*menu, name);
        ASSERT_TRUE(action && action->isEnabled()) << name;
        action->trigger();
    };
    trigger("edit-cut");
    EXPECT_EQ(std::tuple(f.set->State(), edit->text(), QApplication::clipboard()->text()),
              std::tuple(TDataSetState::dsEdit, QString(), QString("Green")));
    QApplication::clipboard()->setText(QStringLiteral("Blue"));
    trigger("edit-paste");
    EXPECT_EQ(edit->text(), "Blue");
    EXPECT_EQ(f.Posted(2, "mode").toString(), "Blue");

    // A read-only binding offers neither, and triggering changes nothing.
    edit->SetReadOnly(true);
    edit->selectAll();
    auto menu = edit->CreateContextMenu();
    QAction* cut = MenuAction(*menu, "edit-cut");
    QAction* paste = MenuAction(*menu, "edit-paste");
    ASSERT_TRUE(cut && paste);
    EXPECT_FALSE(cut->isEnabled() || paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(std::tuple(f.set->State(), edit->text()), std::tuple(TDataSetState::dsBrowse, QString("Blue")));
}
