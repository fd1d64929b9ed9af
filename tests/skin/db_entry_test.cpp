// Entering bound controls: under a Chinese, Japanese or Korean locale a
// modifiable field is writable as soon as it has the focus, so an input
// method engages, and its composed text starts the edit like a typed key.

#include "db_test_database.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <tuple>

namespace {

bool WritableAfterEntry(QWidget& control, QWidget& away)
{
    control.setFocus();
    QApplication::processEvents();
    bool writable = false;
    if (auto* edit = qobject_cast<QLineEdit*>(&control))
        writable = !edit->isReadOnly() && edit->testAttribute(Qt::WA_InputMethodEnabled);
    else if (auto* memo = qobject_cast<TskDBMemo*>(&control))
        writable = !memo->isReadOnly();
    else if (auto* combo = qobject_cast<TskDBComboBox*>(&control))
        writable = !combo->lineEdit()->isReadOnly();
    away.setFocus();
    QApplication::processEvents();
    return writable;
}

}  // namespace

TEST(DBEntry, FarEastLocaleMakesModifiableFieldsWritableOnEntryAndComposedTextEdits)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    QWidget form;
    form.resize(400, 300);
    auto* edit = f.Bind(new TskDBEdit(&form), "title");
    auto* memo = f.Bind(new TskDBMemo(&form), "mode");
    auto* combo = f.Bind(new TskDBComboBox(&form), "state");
    auto* latin = f.Bind(new TskDBEdit(&form), "title");
    auto* readOnly = f.Bind(new TskDBEdit(&form), "title");
    auto* away = new QLineEdit(&form);
    readOnly->SetReadOnly(true);
    edit->SetSystemLocale(QLocale(QLocale::Chinese, QLocale::China));
    memo->SetSystemLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    combo->SetSystemLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
    readOnly->SetSystemLocale(QLocale(QLocale::Chinese, QLocale::China));
    latin->SetSystemLocale(QLocale(QLocale::German, QLocale::Germany));
    form.show();
    form.activateWindow();

    EXPECT_EQ(std::tuple(WritableAfterEntry(*edit, *away), WritableAfterEntry(*memo, *away),
                         WritableAfterEntry(*combo, *away), WritableAfterEntry(*latin, *away),
                         WritableAfterEntry(*readOnly, *away), f.set->State()),
              std::tuple(true, true, true, false, false, TDataSetState::dsBrowse));
    EXPECT_TRUE(edit->isReadOnly());  // left unedited, it is read-only again

    edit->setFocus();
    QApplication::processEvents();
    edit->setCursorPosition(0);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("开场"));
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(std::tuple(f.set->State(), edit->text()), std::tuple(TDataSetState::dsEdit, QString("开场Opening")));
    away->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.Posted(1, "title").toString(), "开场Opening");
}

TEST(DBEntry, UnderTheFarEastRuleEveryChangeOfTheTextStartsTheEditOrIsRefusedBeforeItShows)
{
    DbFixture f;
    ASSERT_TRUE(f.set->Open());
    QWidget form;
    form.resize(400, 300);
    auto* edit = f.Bind(new TskDBEdit(&form), "title");
    auto* combo = f.Bind(new TskDBComboBox(&form), "state");
    auto* memo = f.Bind(new TskDBMemo(&form), "notes");
    auto* away = new QLineEdit(&form);
    combo->move(0, 40);
    memo->setGeometry(0, 80, 200, 80);
    memo->SetAutoDisplay(false);
    edit->SetSystemLocale(QLocale(QLocale::Chinese, QLocale::China));
    combo->SetSystemLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
    memo->SetSystemLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    form.show();
    form.activateWindow();
    auto enter = [&](QWidget& control) {
        control.setFocus();
        QApplication::processEvents();
    };
    auto leave = [&] {
        away->setFocus();
        QApplication::processEvents();
    };
    // Text dropped in with the mouse changes the text without a key.
    auto drop = [](QWidget& target, const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(1, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QDropEvent dropped(QPointF(1, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &dropped);
    };

    enter(*edit);
    drop(*edit, "Grand ");
    EXPECT_EQ(std::tuple(f.set->State(), edit->text()), std::tuple(TDataSetState::dsEdit, QString("Grand Opening")));
    leave();
    EXPECT_EQ(f.Posted(1, "title").toString(), "Grand Opening");

    enter(*combo);
    drop(*combo->lineEdit(), "N");
    EXPECT_EQ(std::tuple(f.set->State(), combo->currentText()), std::tuple(TDataSetState::dsEdit, QString("NON")));
    leave();
    EXPECT_EQ(f.Posted(1, "state").toString(), "NON");

    // With no automatic edit the change is refused and never shows; leaving keeps the focus away.
    f.source->SetAutoEdit(false);
    enter(*edit);
    drop(*edit, "x");
    EXPECT_EQ(std::tuple(f.set->State(), edit->text()), std::tuple(TDataSetState::dsBrowse, QString("Grand Opening")));
    leave();
    EXPECT_TRUE(away->hasFocus());
    f.source->SetAutoEdit(true);

    // The memo takes keys from entry, before its text was shown.
    enter(*memo);
    QTest::keyClicks(memo, "x");
    EXPECT_EQ(std::tuple(f.set->State(), memo->Text()), std::tuple(TDataSetState::dsEdit, QString("xfirst line")));
    leave();
    EXPECT_EQ(f.Posted(1, "notes").toString(), "xfirst line");
    enter(*memo);
    drop(*memo->viewport(), "y");
    EXPECT_EQ(std::tuple(f.set->State(), memo->Text()), std::tuple(TDataSetState::dsEdit, QString("yxfirst line")));
    leave();
    EXPECT_EQ(f.Posted(1, "notes").toString(), "yxfirst line");
}
