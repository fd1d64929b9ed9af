// The controls bound to one field, over a real SQLite file.

#include "db_test_database.h"
#include "skin/data_aware/db_check_box.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_image.h"
#include "skin/data_aware/db_list_box.h"
#include "skin/data_aware/db_memo.h"
#include "skin/data_aware/db_radio_group.h"
#include "skin/radio_button.h"
#include "skin_test_events.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QTest>

#include <tuple>

namespace {

struct BoundControls : ::testing::Test {
    DbFixture f;
    QWidget form;

    void SetUp() override
    {
        ASSERT_TRUE(f.set->Open());
        form.resize(400, 300);
    }
    void ShowAndFocus(QWidget& w)
    {
        form.show();
        form.activateWindow();
        w.setFocus();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(BoundControls, EditShowsDisplayTextUntilFocusedWritesOnExitAndAReadOnlyBindingDropsTyping)
{
    f.set->FindField("speed")->SetDisplayFormat("0.00");
    auto* edit = f.Bind(new TskDBEdit(&form), "speed");
    auto* other = new TskDBEdit(&form);
    EXPECT_EQ(std::tuple(edit->text(), edit->isReadOnly(), edit->alignment() & Qt::AlignHorizontal_Mask),
              std::tuple(QString("1.50"), true, Qt::AlignRight));

    ShowAndFocus(*edit);
    EXPECT_EQ(edit->text(), "1.5");  // the edit text while focused
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X);  // refused by a float field: beeps, changes nothing
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);
    QTest::keyClicks(edit, "3.7");
    EXPECT_EQ(std::tuple(f.set->State(), edit->text()), std::tuple(TDataSetState::dsEdit, QString("3.7")));

    // Escape takes the stored value back and selects it.
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(QStringList({edit->text(), edit->selectedText()}), QStringList({"1.5", "1.5"}));

    QTest::keyClicks(edit, "4.25");
    other->setFocus();  // leaving writes into the record
    QApplication::processEvents();
    EXPECT_EQ(edit->text(), "4.25");
    EXPECT_DOUBLE_EQ(f.set->FindField("speed")->AsFloat(), 4.25);
    EXPECT_DOUBLE_EQ(f.Posted(1, "speed").toDouble(), 4.25);

    // A read-only binding drops typing; a string's size limits the length.
    edit->SetDataField("title");
    EXPECT_EQ(edit->TypedLimit(), 20);
    edit->SetReadOnly(true);
    ShowAndFocus(*edit);
    QTest::keyClicks(edit, "xyz");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(std::tuple(edit->text(), f.set->State()), std::tuple(QString("Opening"), TDataSetState::dsBrowse));

    // Unbound, the edit is empty; a closed data set empties it too.
    edit->SetDataField("nosuch");
    EXPECT_EQ(edit->text(), "");
    edit->SetDataField("title");
    f.set->Close();
    EXPECT_EQ(std::tuple(edit->text(), edit->Field()), std::tuple(QString(), nullptr));

    // A source that goes away unbinds the control.
    f.set->Open();
    EXPECT_EQ(edit->text(), "Opening");
    f.source.reset();
    EXPECT_EQ(std::tuple(edit->text(), edit->DataSource()), std::tuple(QString(), nullptr));
}

TEST_F(BoundControls, CheckBoxMapsAlternativesCaseNullUnmatchedBooleansAndARefusedEdit)
{
    auto* box = new TskDBCheckBox(&form);
    box->SetValueChecked("on;yes");
    box->SetValueUnchecked("off;no");
    f.Bind(box, "state");
    std::vector<TCheckBoxState> seen{box->State()};  // "ON"
    f.set->Next();
    seen.push_back(box->State());  // "maybe" matches neither
    f.set->Next();
    seen.push_back(box->State());  // null
    f.set->Edit();
    for (const char* text : {"YES", "No"}) {
        f.set->FindField("state")->SetAsString(text);
        seen.push_back(box->State());
    }
    f.set->Cancel();
    EXPECT_EQ(seen, (std::vector{TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed, TCheckBoxState::cbGrayed,
                                 TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked}));

    // A click from grey checks and writes the first alternative.
    box->Click();
    EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
    EXPECT_EQ(f.Posted(3, "state").toString(), "on");
    box->Click();
    EXPECT_EQ(f.Posted(3, "state").toString(), "off");

    // With grey allowed, the grey state clears the field.
    box->SetAllowGrayed(true);
    box->Click();
    EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
    EXPECT_TRUE(f.Posted(3, "state").isNull());

    // On a boolean field.
    f.set->First();
    box = f.Bind(new TskDBCheckBox(&form), "looped");
    EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
    const QImage checked = box->grab().toImage();
    box->Click();
    EXPECT_EQ(f.Posted(1, "looped").toInt(), 0);
    const QImage unchecked = box->grab().toImage();

    // The grey state of a null is drawn with its own picture.
    f.set->Last();
    ASSERT_EQ(box->State(), TCheckBoxState::cbGrayed);
    const QImage grey = box->grab().toImage();
    EXPECT_TRUE(grey != checked && grey != unchecked);
    const QImage picture = TskDBCheckBox::GreyedBoxPicture(QImage(13, 13, QImage::Format_RGB32));
    EXPECT_EQ(picture.pixelColor(6, 6), QColor(0x80, 0x80, 0x80));

    f.set->First();
    f.source->SetAutoEdit(false);
    box->Click();  // nothing changes when the edit is refused
    EXPECT_EQ(std::tuple(box->State(), f.set->State()), std::tuple(TCheckBoxState::cbUnchecked, TDataSetState::dsBrowse));
}

TEST_F(BoundControls, RadioGroupMatchesValuesExactlyAndWritesTheClickedValue)
{
    auto* group = new TskDBRadioGroup(&form);
    group->resize(200, 100);
    group->SetItems({"Red", "Green", "Blue"});
    group->SetValues({"r", "", "b"});
    int changes = 0;
    QObject::connect(group, &TskDBRadioGroup::OnChange, [&] { ++changes; });
    f.Bind(group, "mode");
    EXPECT_EQ(std::tuple(group->ItemIndex(), changes), std::tuple(0, 1));  // "r" from Values
    f.set->Next();
    EXPECT_EQ(group->ItemIndex(), 1);  // "Green": the caption stands for an empty value
    f.set->Edit();
    f.set->FindField("mode")->SetAsString("R");
    EXPECT_EQ(group->ItemIndex(), -1);  // compared exactly
    f.set->FindField("mode")->SetAsString("R");
    EXPECT_EQ(changes, 3);  // OnChange only when the value changes
    f.set->Cancel();

    group->Button(2)->Click();
    EXPECT_EQ(group->Value(), "b");
    EXPECT_EQ(f.Posted(2, "mode").toString(), "b");

    // Refused edits keep the checked button.
    f.source->SetAutoEdit(false);
    group->Button(0)->Click();
    EXPECT_EQ(group->ItemIndex(), 2);
}

TEST_F(BoundControls, MemoShowsTheLabelUntilLoadedAndWritesItsText)
{
    auto* memo = new TskDBMemo(&form);
    memo->resize(200, 80);
    memo->SetAutoDisplay(false);
    EXPECT_EQ(f.Bind(memo, "notes")->Text(), "(notes)");
    ShowAndFocus(*memo);
    QTest::keyClicks(memo, "x");  // ignored until loaded
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->Text(), "first line");
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "second");
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    EXPECT_EQ(f.Posted(1, "notes").toString(), "first line\nsecond");
}

TEST_F(BoundControls, ListAndComboBoxesSelectTheFieldsTextAndWriteTheChoice)
{
    auto* list = new TskDBListBox(&form);
    list->SetItems({"r", "Green", "b"});
    f.Bind(list, "mode");
    EXPECT_EQ(list->ItemIndex(), 0);
    f.set->Last();
    EXPECT_EQ(list->ItemIndex(), -1);

    auto* combo = new TskDBComboBox(&form);
    combo->SetItems({"r", "Green", "b"});
    f.Bind(combo, "mode");
    f.set->First();
    EXPECT_EQ(combo->ItemIndex(), 0);
    f.set->Edit();
    f.set->FindField("mode")->SetAsString("free text");
    // The editable style shows an unlisted text.
    EXPECT_EQ(std::tuple(combo->ItemIndex(), combo->currentText()), std::tuple(-1, QString("free text")));
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    EXPECT_EQ(combo->ComboText(), "");
    f.set->Cancel();

    // A user choice in the list box edits the record and is written at the post.
    ShowAndFocus(*list);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(std::tuple(f.set->State(), list->ItemIndex()), std::tuple(TDataSetState::dsEdit, 1));
    EXPECT_EQ(f.Posted(1, "mode").toString(), "Green");
    EXPECT_EQ(combo->ItemIndex(), 1);

    // A list that cannot edit only takes the focus on a click.
    f.source->SetAutoEdit(false);
    skin_test::Press(*list, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(BoundControls, ImageShowsThePictureOrTheLabelForBytesThatAreNone)
{
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    f.set->Edit();
    f.set->FindField("picture")->SetValue(png);
    ASSERT_TRUE(f.set->Post());
    f.set->Next();
    f.set->Edit();
    f.set->FindField("picture")->SetValue(QByteArray("not a picture"));
    ASSERT_TRUE(f.set->Post());
    f.set->First();

    auto* image = new TskDBImage(&form);
    EXPECT_EQ(image->size(), QSize(105, 105));
    EXPECT_EQ(f.Bind(image, "picture")->Picture().size(), QSize(8, 6));
    EXPECT_EQ(image->grab().toImage().pixelColor(52, 52), QColor(Qt::red));  // centred
    f.set->Next();
    EXPECT_TRUE(image->PictureLoaded() && image->Picture().isNull());
    EXPECT_FALSE(image->grab().toImage().isNull());  // paints "(picture)", never throws

    // Cut clears the picture and the post clears the field.
    f.set->First();
    image->CutToClipboard();
    EXPECT_TRUE(f.Posted(1, "picture").isNull());
}

TEST_F(BoundControls, ValuesStoredAgainstTheirTypeShowAsStoredAndStayWhenOtherFieldsPost)
{
    f.db->Exec("UPDATE shows SET looped = 'yes', speed = 'fast' WHERE id = 3");
    ASSERT_TRUE(f.set->Refresh());
    f.set->Last();
    auto* looped = f.Bind(new TskDBCheckBox(&form), "looped");
    auto* speed = f.Bind(new TskDBEdit(&form), "speed");
    auto* title = f.Bind(new TskDBEdit(&form), "title");
    title->move(0, 40);
    // "yes" is neither True nor False.
    EXPECT_EQ(std::tuple(looped->State(), speed->Text()), std::tuple(TCheckBoxState::cbGrayed, QString("fast")));
    ShowAndFocus(*title);
    title->selectAll();
    QTest::keyClicks(title, "Bows");
    ASSERT_TRUE(f.set->Post());
    EXPECT_EQ(QStringList({f.Stored(3, "title").toString(), f.Stored(3, "looped").toString(),
                           f.Stored(3, "speed").toString()}),
              QStringList({"Bows", "yes", "fast"}));
}

// A combo box of the simple style keeps its list always open.
TEST_F(BoundControls, ComboBoxOfTheSimpleStyleKeepsItsListOpenUnderTheEditRow)
{
    auto* combo = f.Bind(new TskDBComboBox(&form), "mode");
    combo->SetItems({"r", "Green", "b"});
    ShowAndFocus(*combo);
    auto ClickRow = [&](int row) {
        QListView* list = combo->SimpleList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    };
    EXPECT_EQ(combo->SimpleList(), nullptr);
    const int rowHeight = combo->height();
    combo->SetStyle(TComboBoxStyle::csSimple);
    QListView* list = combo->SimpleList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible() && combo->height() > 2 * rowHeight);
    EXPECT_TRUE(combo->lineEdit()->geometry().bottom() <= rowHeight);
    EXPECT_EQ(std::tuple(list->geometry().top(), list->model()->rowCount()), std::tuple(rowHeight, 3));

    // The list follows the field: a listed value is selected, an unlisted one selects none.
    EXPECT_EQ(list->currentIndex().row(), 0);
    f.set->Next();
    EXPECT_EQ(list->currentIndex().row(), 1);
    f.set->Next();
    EXPECT_TRUE(!list->currentIndex().isValid() && combo->currentText().isEmpty());

    // Opening the list changes nothing: it is already open.
    combo->showPopup();
    EXPECT_EQ(f.set->State(), TDataSetState::dsBrowse);

    // A click on an item edits the record and writes the item at the post.
    ClickRow(2);
    EXPECT_EQ(std::tuple(f.set->State(), combo->ComboText()), std::tuple(TDataSetState::dsEdit, QString("b")));
    EXPECT_EQ(f.Posted(3, "mode").toString(), "b");
    EXPECT_EQ(list->currentIndex().row(), 2);

    // Typing into the edit row is written; styling again keeps one connection to it.
    combo->SetStyle(TComboBoxStyle::csSimple);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Amber");
    EXPECT_EQ(f.set->State(), TDataSetState::dsEdit);
    EXPECT_EQ(f.Posted(3, "mode").toString(), "Amber");

    // A read-only binding: the click neither edits nor moves the choice.
    combo->SetReadOnly(true);
    ClickRow(1);
    EXPECT_EQ(std::tuple(f.set->State(), combo->currentText()), std::tuple(TDataSetState::dsBrowse, QString("Amber")));
    EXPECT_FALSE(combo->SimpleList()->currentIndex().isValid());

    // Back to the drop-down style: the list goes and the box is one row high.
    combo->SetStyle(TComboBoxStyle::csDropDown);
    EXPECT_EQ(std::tuple(combo->SimpleList(), combo->height()), std::tuple(nullptr, rowHeight));
}

TEST_F(BoundControls, RightToLeftAlignmentFollowsTheLayoutDirection)
{
    auto* edit = f.Bind(new TskDBEdit(&form), "title");
    auto* memo = f.Bind(new TskDBMemo(&form), "mode");
    edit->setGeometry(10, 10, 200, 24);
    EXPECT_EQ(std::tuple(edit->UseRightToLeftAlignment(), memo->UseRightToLeftAlignment()), std::tuple(false, false));
    form.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(std::tuple(edit->UseRightToLeftAlignment(), memo->UseRightToLeftAlignment()), std::tuple(true, true));
    // The left-aligned title now reads from the right edge.
    const QImage shot = edit->grab().toImage();
    auto dark = [&](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 3; y < shot.height() - 3; ++y)  // inside the frame
                n += qGray(shot.pixel(x, y)) < 100 ? 1 : 0;
        return n;
    };
    EXPECT_GT(dark(shot.width() / 2, shot.width() - 4), 10);
    EXPECT_EQ(dark(4, shot.width() / 2), 0);
}
