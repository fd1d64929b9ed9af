#include "app/shell_fixture.h"
#include "common/cell_typing.h"
#include "common/layout_checks.h"
#include "common/stand_in_player.h"
#include "common/test_files.h"
#include "common/test_points.h"
#include "common/window_clicks.h"
#include "editor/draw_window.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/shared_drawings.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "output/tick_timer.h"
#include "player/drawing_preview.h"
#include "player/ilda_preview.h"
#include "player/show_file_list.h"
#include "skin/button.h"
#include "sequencer/sequence_window.h"
#include "shell/dialogs.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/radio_group.h"
#include "skin/grids/string_grid.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <cmath>

#include <sys/stat.h>

namespace {

class SequenceWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        for (const char* sub : {"Drawing", "Section", "ILDAimage", "Sequence", "Music"})
            ASSERT_TRUE(QDir(folder_.path()).mkpath(QLatin1String(sub)));
        // Four points (track 1 plays it), six points (the section's row), a three-point ILDA image.
        WriteShape("Star.ddr", {{40, 40}, {215, 40}, {215, 215}, {40, 215}}, 2);
        WriteShape("hex.ddr", {{128, 30}, {210, 80}, {210, 180}, {128, 226}, {46, 180}, {46, 80}}, 4);
        WriteShape("line.ddr", {{10, 10}, {240, 240}}, 6);
        WriteFile("Section/row.sec", "hex.ddr|20|50|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n");
        TILDAimage image;
        for (int f = 0; f < 4; ++f) {
            TILDAframe frame;
            for (int i = 0; i < 3; ++i)
                frame.Points.push_back(TestPoint(int(60 * std::cos(f + i * 2.1)), int(60 * std::sin(f + i * 2.1)), 3 + i,
                                             i == 0));
            image.Frames.push_back(std::move(frame));
        }
        ASSERT_TRUE(WriteIldaFile(folder_.filePath("ILDAimage/spin.ild"), image));
        WriteFile("Music/song.wav", "RIFF");  // the stand-in player never reads it
        player_ = WriteStandInPlayer(folder_.filePath("players"), "player", record());
        WriteFile("Registry.ini",
                  "[SOFTWARE\\Microsoft\\Multimedia\\WMPlayer]\nPlayer.Path=" + QFile::encodeName(player_) + "\n");
    }
    void TearDown() override
    {
        form_.reset();
        ShellTest::TearDown();
    }

    TForm8& Form()
    {
        if (!form_) {
            auto clock = std::make_unique<ManualTickSource>();
            ildaTicks_ = clock.get();
            form_ = std::make_unique<TForm8>(Windows(), std::move(clock));
        }
        return *form_;
    }
    QString record() const { return folder_.filePath("record"); }
    void WriteFile(const QString& relative, const QByteArray& bytes) { WriteTestFile(folder_.filePath(relative), bytes); }
    QByteArray ReadFile(const QString& relative) const
    {
        QFile f(folder_.filePath(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString Message() { return Form().Label18->text(); }
    std::vector<TrackGridRow> Rows(int track) { return Form().Grid(track).Rows(); }
    void Select(ShowFileList* list, const QString& name) { ASSERT_GE(list->SelectByText(name), 0) << name.toStdString(); }
    void Answer(const QString& text)
    {
        Form();
        dialogs_->texts.push_back(text);
    }
    void EditTrack(int t) { Form().skRadioGroup1->SetItemIndex(t); }
    void Add(int t, int list, const QString& name, const QString& time)
    {
        EditTrack(t);
        Form().skEdit2->SetText(time);
        Select(list == 0 ? Form().FileListBox1 : list == 1 ? Form().FileListBox2 : Form().FileListBox3, name);
        Form().AddTrackRow(list);
    }
    /// A saved three-track sequence: Star on track 1, the section on 2, the image on 3.
    void SaveThreeTracks(const QString& name, const QString& times = "40")
    {
        Add(0, 0, "Star.ddr", times);
        Add(1, 1, "row.sec", times);
        Add(2, 2, "spin.ild", times);
        Form().skEdit3->SetText("song.wav");
        Answer(name);
        Form().SaveSequenceClick();
        ASSERT_EQ(Message(), "Save sequence......");
    }

    QString player_;
    ManualTickSource* ildaTicks_ = nullptr;
    std::unique_ptr<TForm8> form_;
};

// What is typed into a track's cell belongs to that cell's row, whatever the operator clicks next.
TEST_F(SequenceWindowTest, CellStillBeingEditedStaysInItsOwnRow)
{
    Add(0, 0, "Star.ddr", "10");
    Add(0, 0, "line.ddr", "20");
    Add(0, 0, "hex.ddr", "30");
    Answer("show");
    ClickChild(Form(), "BitBtn5");
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    const auto times = [&](int t) {
        QStringList shown;
        for (const TrackGridRow& row : Rows(t))
            shown << row.PlayTime;
        for (int r = 1; r < Form().Grids[std::size_t(t)]->RowCount(); ++r)
            shown << Form().Grids[std::size_t(t)]->Cells(1, r);
        return shown.join(u' ').toStdString();
    };

    TypeIntoCell(*Form().Grids[0], 1, 2, "88");
    ClickChild(Form(), "BitBtn2");  // Remove: row 2 goes with what was typed into it
    EXPECT_EQ(times(0), "10 30 10 30");
    TypeIntoCell(*Form().Grids[0], 1, 1, "77");
    ClickChild(Form(), "skButton10");  // Move down
    EXPECT_EQ(times(0), "30 77 30 77");
    TypeIntoCell(*Form().Grids[0], 1, 2, "4321");
    ClickChild(Form(), "BitBtn5");  // Save, without Enter
    EXPECT_EQ(Message(), "Save sequence......");
    const QByteArray saved = ReadFile("Sequence/show.seq");
    EXPECT_TRUE(saved.contains("star.ddr|4321\r\n")) << saved.toStdString();

    // An edit in a grid other than the edited track's ends into its own grid.
    TypeIntoCell(*Form().Grids[1], 1, 1, "5");
    EditTrack(0);
    ClickChild(Form(), "skButton9");  // Move up on Track1
    EXPECT_EQ(std::pair(times(0), times(1)), std::pair(std::string("4321 30 4321 30"), std::string("5 5")));

    // A value the grid refuses stops the command with the row named; nothing moves.
    TypeIntoCell(*Form().Grids[0], 1, 2, "4x");
    ClickChild(Form(), "skButton9");
    ASSERT_FALSE(dialogs_->asked.isEmpty());
    EXPECT_TRUE(dialogs_->asked.back().startsWith("Sequence: Track1, row 2:")) << dialogs_->asked.back().toStdString();
    EXPECT_EQ(times(0), "4321 4x 4321 4x");

    // Open replaces the grids: what was typed into the old ones goes with them.
    TypeIntoCell(*Form().Grids[0], 1, 1, "99");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(times(0), "30 4321 30 4321");
    EXPECT_FALSE(Form().Grids[0]->EditorMode());
}

TEST_F(SequenceWindowTest, GridCommandsFollowTheRowRules)
{
    Add(0, 0, "Star.ddr", "300");
    // The blank first row takes the first item; the name is lowered.
    EXPECT_EQ(Rows(0), (std::vector<TrackGridRow>{{"star.ddr", "300"}}));
    Add(0, 0, "line.ddr", "");
    EXPECT_EQ(Rows(0).back(), (TrackGridRow{"line.ddr", "0"}));
    Form().Grids[0]->SetRow(1);
    Form().skEdit2->SetText("7");
    Select(Form().FileListBox3, "spin.ild");
    Form().InsertTrackRow(2);
    EXPECT_EQ(Rows(0), (std::vector<TrackGridRow>{{"spin.ild", "7"}, {"star.ddr", "300"}, {"line.ddr", "0"}}));
    EXPECT_EQ(Message(), "Insert one row...");
    Form().Grids[0]->SetRow(3);
    Form().MoveTrackRowUp();
    EXPECT_EQ(Rows(0)[1].FileName, "line.ddr");
    EXPECT_EQ(Form().Grids[0]->Row(), 2);
    Form().MoveTrackRowDown();
    EXPECT_EQ(Rows(0)[2].FileName, "line.ddr");
    Form().Grids[0]->SetRow(1);
    Form().RemoveTrackRow();
    EXPECT_EQ(Message(), "Remove one row...");
    EXPECT_EQ(Rows(0).size(), 2u);
    // A play time that is not a whole number: the conversion message, the grid untouched.
    Form().skEdit2->SetText("abc");
    Form().AddTrackRow(0);
    EXPECT_EQ(Rows(0).size(), 2u);
    ASSERT_FALSE(dialogs_->asked.isEmpty());
    EXPECT_TRUE(dialogs_->asked.back().endsWith("'abc' is not a valid integer value"));
    // Removing the only item empties its row, written as "|".
    EditTrack(1);
    Add(1, 1, "row.sec", "5");
    Form().Grids[1]->SetRow(1);
    Form().RemoveTrackRow();
    EXPECT_EQ(Rows(1), (std::vector<TrackGridRow>{{"", ""}}));
}

TEST_F(SequenceWindowTest, SaveOpenRoundTripAndHeaderOnlyTracks)
{
    Add(0, 0, "Star.ddr", "30");
    Add(0, 0, "line.ddr", "40");
    Add(2, 2, "spin.ild", "50");
    Form().Grids[1]->SetRow(1);
    EditTrack(1);
    Form().RemoveTrackRow();  // track 2 keeps one empty row: "|"
    Form().skEdit3->SetText("song.wav");
    Answer("round");
    Form().SaveSequenceClick();
    EXPECT_EQ(ReadFile("Sequence/round.seq"),
              QByteArray("[Music]\r\nsong.wav\r\n[Track1]\r\nstar.ddr|30\r\nline.ddr|40\r\n[Track2]\r\n|\r\n"
                         "[Track3]\r\nspin.ild|50\r\n"));
    // A saved track with no item line opens as the header alone; row commands then do nothing.
    WriteFile("Sequence/sparse.seq", "[Music]\r\n\r\n[Track1]\r\n[Track2]\r\nline.ddr|9\r\n[Track3]\r\n");
    Form().RefreshSequenceList();
    Select(Form().FileListBox4, "sparse.seq");
    Form().OpenSequenceClick();
    EXPECT_EQ(Form().skEdit1->Text(), "sparse");
    EXPECT_EQ(Form().Grids[0]->RowCount(), 1);
    EditTrack(0);
    Form().RemoveTrackRow();
    Form().MoveTrackRowUp();
    Form().InsertTrackRow(0);
    EXPECT_EQ(Form().Grids[0]->RowCount(), 1);
    Add(0, 0, "line.ddr", "3");
    EXPECT_EQ(Rows(0), (std::vector<TrackGridRow>{{"line.ddr", "3"}}));
    Select(Form().FileListBox4, "round.seq");
    Form().OpenSequenceClick();
    EXPECT_EQ(Rows(0), (std::vector<TrackGridRow>{{"star.ddr", "30"}, {"line.ddr", "40"}}));
    EXPECT_EQ(Form().skEdit3->Text(), "song.wav");
}

// "Open sequence" applies the items bound a play applies: a sequence of more
// items is refused with the reason, and the grids keep what they showed.
TEST_F(SequenceWindowTest, OpenRefusesASequencePastTheItemsBound)
{
    QByteArray items = "[Music]\r\nsong.wav\r\n[Track1]\r\n";
    for (std::uint64_t i = 0; i <= kMaxRowsPerRead; ++i)
        items += "a|1\r\n";
    WriteFile("Sequence/huge.seq", items);
    Add(0, 0, "Star.ddr", "30");
    const std::vector<TrackGridRow> shown = Rows(0);
    Form().RefreshSequenceList();
    Select(Form().FileListBox4, "huge.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(Message(), TooManyRowsMessage());
    EXPECT_EQ(Rows(0), shown);
    EXPECT_EQ(Form().skEdit1->Text(), "NewSequence");
}

TEST_F(SequenceWindowTest, NamesAndSavesThatWouldNotReadBackAreRefused)
{
    // Saving right after start writes the empty sequence under the name asked for.
    EXPECT_EQ(Message(), "Auto create a new sequence");
    EXPECT_EQ(Form().skEdit1->Text(), "NewSequence");
    Answer("show1");
    Form().SaveSequenceClick();
    EXPECT_EQ(ReadFile("Sequence/show1.seq"),
              QByteArray("[Music]\r\n\r\n[Track1]\r\n|0\r\n[Track2]\r\n|0\r\n[Track3]\r\n|0\r\n"));
    EXPECT_EQ(Message(), "Save sequence......");
    EXPECT_EQ(Form().FileListBox4->SelectedText(), "show1.seq");
    EXPECT_EQ(Form().skEdit1->Text(), "show1");
    Form().SaveSequenceClick();  // the second save keeps the name without asking
    EXPECT_TRUE(dialogs_->texts.empty());

    // New: an exact entry is a duplicate, the bare name is not; a name with folder parts is refused.
    Answer("show1.seq");
    Form().NewSequenceClick();
    EXPECT_EQ(Message(), "This sequence name have already exists,create failure!");
    Answer("../escape");
    Form().NewSequenceClick();
    EXPECT_NE(Form().skEdit1->Text(), "../escape");
    Answer("show1");
    Form().NewSequenceClick();
    EXPECT_EQ(Message(), "Create a new sequence.....");
    EXPECT_EQ(Form().skEdit1->Text(), "show1");
    // A cell holding "|" would not read back: refused naming the row, no success text, old file kept.
    const QByteArray before = ReadFile("Sequence/show1.seq");
    Add(0, 0, "line.ddr", "5");
    Form().Grids[0]->SetRow(1);
    emit Form().Grids[0]->OnSetEditText(0, 1, "a|b.ddr");
    Form().SaveSequenceClick();
    EXPECT_NE(Message(), "Save sequence......");
    EXPECT_TRUE(Message().contains("1")) << Message().toStdString();
    EXPECT_EQ(ReadFile("Sequence/show1.seq"), before);
    // SaveAs names a new file too: a name with folder parts is refused before anything is checked or written.
    Answer("../escape");
    Form().SaveAsSequenceClick();
    EXPECT_TRUE(Message().startsWith("The name \"../escape\" may not")) << Message().toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder_.filePath("escape.seq")));
    EXPECT_EQ(Form().skEdit1->Text(), "show1");
}

TEST_F(SequenceWindowTest, OpenReadInPartIsANewSequenceThatNeverReplacesAFileUnasked)
{
    WriteFile("Sequence/damaged.seq", "[Music]\r\nsong.wav\r\n[Track1]\r\nstar.ddr|30\r\nline.ddr|4x0\r\nhex.ddr|5\r\n"
                                      "[Track2]\r\nrow.sec|7\r\n[Track3]\r\nspin.ild|9\r\n");
    WriteFile("Sequence/long.seq", "[Music]\r\n\r\n[Track1]\r\nstar.ddr|" + QByteArray(200000, '9') + "\r\n");
    WriteFile("Sequence/gone.seq", "[Music]\r\n\r\n[Track1]\r\nline.ddr|3\r\n[Track2]\r\n[Track3]\r\n");
    Form().RefreshSequenceList();
    const FolderBytes before = ReadFolderBytes(folder_.path());
    const int questions = int(dialogs_->asked.size());

    // What was read is shown, the operator is told, and the sequence has no file.
    Select(Form().FileListBox4, "damaged.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(Rows(0), (std::vector<TrackGridRow>{{"star.ddr", "30"}}));
    EXPECT_TRUE(Rows(1).empty());
    EXPECT_EQ(Form().skEdit3->Text(), "song.wav");
    EXPECT_EQ(Form().skEdit1->Text(), "NewSequence");
    EXPECT_EQ(Message(), "'4x0' is not a valid integer value");
    ASSERT_EQ(dialogs_->asked.size(), questions + 1);
    EXPECT_TRUE(dialogs_->asked.back().contains("'4x0' is not a valid integer value"));

    // Save and SaveAs ask for a name and ask again before replacing the damaged file; No keeps it.
    for (const char* button : {"BitBtn5", "BitBtn16"}) {
        Answer("damaged");
        ClickChild(Form(), button);
        EXPECT_TRUE(dialogs_->asked.back().endsWith("This sequence name have already exists,replace it?"));
        EXPECT_EQ(Form().skEdit1->Text(), "NewSequence");
    }
    EXPECT_EQ(ChangedFiles(before, folder_.path()), "");
    // A new name is written; the next Save goes to it without a question.
    Answer("rescued");
    ClickChild(Form(), "BitBtn5");
    EXPECT_EQ(ReadFile("Sequence/rescued.seq"),
              QByteArray("[Music]\r\nsong.wav\r\n[Track1]\r\nstar.ddr|30\r\n[Track2]\r\n[Track3]\r\n"));
    const int asked = int(dialogs_->asked.size());
    ClickChild(Form(), "BitBtn5");
    EXPECT_EQ(dialogs_->asked.size(), asked);
    EXPECT_EQ(ChangedFiles(before, folder_.path()), "Sequence/rescued.seq");

    // A 200,000-digit play time is quoted in a few dozen characters.
    Select(Form().FileListBox4, "long.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_LE(Message().size(), 60) << Message().left(100).toStdString();
    EXPECT_TRUE(Message().startsWith("'9999")) << Message().left(100).toStdString();
    EXPECT_LE(dialogs_->asked.back().size(), 200);

    // A file that can no longer be read changes nothing: name, grids, music.
    Answer("fresh");
    ClickChild(Form(), "BitBtn5");
    Add(0, 0, "hex.ddr", "8");
    const std::vector<TrackGridRow> rows = Rows(0);
    QFile::remove(folder_.filePath("Sequence/gone.seq"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder_.filePath("Sequence/gone.seq")).constData(), 0644), 0);
    Select(Form().FileListBox4, "gone.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(Form().skEdit1->Text(), "fresh");
    EXPECT_EQ(Rows(0), rows);
    QFile::remove(folder_.filePath("Sequence/gone.seq"));
}

TEST_F(SequenceWindowTest, MusicChooserFileListsFindDeleteAndEditInTheDrawWindow)
{
    Form();
    dialogs_->fileNames.push_back(folder_.filePath("Music/song.wav"));
    Form().ChooseMusicFile();
    EXPECT_EQ(Form().skEdit3->Text(), "song.wav");
    WriteFile("elsewhere.wav", "RIFF");
    dialogs_->fileNames.push_back(folder_.filePath("elsewhere.wav"));
    Form().ChooseMusicFile();
    EXPECT_EQ(Form().skEdit3->Text(), folder_.filePath("elsewhere.wav"));

    Answer("hex");
    Form().FindDrawingClick();
    EXPECT_EQ(Form().FileListBox1->SelectedText(), "hex.ddr");
    EXPECT_EQ(Form().Label29->text(), "6");
    Answer("nothing");
    Form().FindSectionClick();
    EXPECT_EQ(Message(), "This section have not been found!");
    // Deleting the only ILDA file while "Preview ild" is ticked unticks it.
    Form().skCheckBox1->SetChecked(true);
    Select(Form().FileListBox3, "spin.ild");
    QTest::keyClick(Form().FileListBox3, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(folder_.filePath("ILDAimage/spin.ild")));
    EXPECT_FALSE(Form().skCheckBox1->Checked());
    TForm1* draw = Windows().Create<TForm1>();
    Select(Form().FileListBox1, "Star.ddr");
    Form().EditDrawingClick();
    EXPECT_EQ(draw->Document().DrawingFileName, folder_.filePath("Drawing/Star.ddr"));
}

TEST_F(SequenceWindowTest, ThreeTracksPlayIntoTheControllerWithTheMusicAroundThem)
{
    sim_->Attach(0);
    PublishDeviceTargets(MakeDeviceTargets("ezusb-0", {}, false));
    OutputChannel.store(1);
    SendSpeedByte.store(40);
    IldaFrameInterval.store(2);
    SaveThreeTracks("e2e");
    Form().SequencePlayStart();
    // The music starts first, as one argument with the resolved path; the tracks after its lead-in.
    const QStringList args = ReadRecord(record());
    ASSERT_GE(args.size(), 2);
    EXPECT_EQ(args.last(), folder_.filePath("Music/song.wav"));
    const pid_t pid = Windows().Music().MusicProcessHandle();
    EXPECT_GT(pid, 0);
    EXPECT_TRUE(Form().StartPending());
    Form().SequencePlayStart();  // ignored while pending
    ASSERT_TRUE(QTest::qWaitFor([] { return SequencePlaying.load() == 1; }, 60000));
    EXPECT_EQ(Windows().Music().MusicProcessHandle(), pid);  // started once
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form().Label31->text().toInt() == 4 + 6 + 3; }, 60000));
    // The tracks end by themselves; the preview ends the sequence and the music.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Message() == "Sequence playing end..."; }, 10000));
    EXPECT_EQ(Windows().Music().MusicProcessHandle(), 0);
    EXPECT_TRUE(Reaped(pid));
    EXPECT_EQ(StopRequested.load(), 1);
    // Frames of all three tracks arrived interleaved: 4 points (drawing), 6 (section row), 3 (image).
    const std::vector<std::size_t> sizes = SentFrames();
    auto firstOf = [&](std::size_t n) { return std::find(sizes.begin(), sizes.end(), n) - sizes.begin(); };
    auto lastOf = [&](std::size_t n) { return sizes.rend() - std::find(sizes.rbegin(), sizes.rend(), n); };
    for (std::size_t n : {4u, 6u, 3u})
        ASSERT_LT(firstOf(n), std::ptrdiff_t(sizes.size())) << n;
    EXPECT_LT(firstOf(3), lastOf(4));
    EXPECT_LT(firstOf(4), lastOf(6));
}

// A sequence refused by the point bound plays nothing: no music, no tracks.
TEST_F(SequenceWindowTest, RefusedReadStartsNeitherMusicNorTracks)
{
    QFile huge(folder_.filePath("Drawing/huge.ddr"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 40));  // sparse: refused unread
    WriteFile("Sequence/huge.seq", "[Music]\r\nsong.wav\r\n[Track1]\r\nStar.ddr|30\r\nhuge.ddr|30\r\n[Track2]\r\n[Track3]\r\n");
    Select(Form().FileListBox4, "huge.seq");
    Form().SequencePlayStart();
    EXPECT_EQ(Message(), TooManyPointsMessage());
    EXPECT_FALSE(Form().StartPending());
    EXPECT_EQ(Windows().Music().MusicProcessHandle(), 0);
    EXPECT_FALSE(QFileInfo::exists(record()));  // the stand-in player was never started
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    EXPECT_EQ(SequencePlaying.load(), 0);
}

TEST_F(SequenceWindowTest, StopDuringTheLeadInAbandonsTheStartAndSaysItEnded)
{
    SaveThreeTracks("lead");
    Form().SequencePlayStart();
    ASSERT_FALSE(ReadRecord(record()).isEmpty());
    const pid_t pid = Windows().Music().MusicProcessHandle();
    Form().StopClick();
    EXPECT_TRUE(Reaped(pid));
    EXPECT_EQ(Message(), "Sequence playing end...");
    QTest::qWait(1200);  // longer than the lead-in
    EXPECT_EQ(SequencePlaying.load(), 0);
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    EXPECT_EQ(StopRequested.load(), 1);

    // The other ways a lead-in is cut short: the main window's stop (seen at the
    // watcher's next tick) and a play started in another window.
    for (const bool otherPlay : {false, true}) {
        Form().SequencePlayStart();
        ASSERT_EQ(Message(), "Sequence playing start...");
        ASSERT_TRUE(Form().StartPending());
        if (otherPlay) {
            Windows().HandOver().setPlayLoop(kModeSection, {[] {}, {}, nullptr});
            ASSERT_TRUE(Windows().HandOver().startPlay(kModeSection, [] { return true; }).started());
        } else {
            const pid_t music = Windows().Music().MusicProcessHandle();
            Windows().HandOver().stopAll();
            EXPECT_TRUE(Reaped(music)) << "the stop of every play ends the music too";
            Form().SequenceRepeatWatch();
        }
        EXPECT_EQ(Message(), "Sequence playing end...") << otherPlay;
        EXPECT_FALSE(Form().StartPending());
        Windows().HandOver().stopAll();
    }
}

TEST_F(SequenceWindowTest, LoopPlayRepeatsUntilAnotherWindowPlays)
{
    QFile::remove(folder_.filePath("Registry.ini"));
    Windows().Music().SetPlayer({});  // no music: the tracks start at once
    SaveThreeTracks("loop", "3");
    Form().SetRestartPause(1);
    Form().ToolButton5->click();
    ASSERT_TRUE(Form().ToolButton5->Down());
    Form().SequencePlayStart();
    ASSERT_EQ(SequencePlaying.load(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Message() == "Sequence playing end..."; }, 10000));
    // With loop play the end keeps the sequence; the watcher restarts it.
    EXPECT_EQ(SequencePlaying.load(), 1);
    Form().SequenceRepeatWatch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Message() == "Sequence playing start..."; }, 60000));
    ASSERT_TRUE(QTest::qWaitFor([] { return SequencePlaying.load() == 1; }, 60000));
    // A play started in another window cancels the sequence: no watcher, no repeat on top.
    Windows().HandOver().setPlayLoop(kModeSection, {[] {}, {}, nullptr});
    ASSERT_TRUE(Windows().HandOver().startPlay(kModeSection, [] { return true; }).started());
    EXPECT_FALSE(Form().Timer4().isEnabled());
    EXPECT_FALSE(Form().Timer2().isEnabled());
    EXPECT_EQ(SequencePlaying.load(), 0);
    EXPECT_EQ(Message(), "Sequence playing end...");
    Windows().HandOver().stopAll();
}

TEST_F(SequenceWindowTest, StartStopStartAndDestroy)
{
    QFile::remove(folder_.filePath("Registry.ini"));
    Windows().Music().SetPlayer({});
    SaveThreeTracks("sss", "1000");
    for (int i = 0; i < 3; ++i) {
        Form().SequencePlayStart();
        ASSERT_TRUE(QTest::qWaitFor([] { return TrackRunning[0].load() == 1; }, 60000));
        QTest::qWait(30);
        if (i == 1)
            Form().StopClick();
    }
    form_.reset();  // joins the tracks before the sequence goes
    EXPECT_FALSE(Windows().HandOver().anyWorker());
}

TEST_F(SequenceWindowTest, CaptionsAndLongNamesHaveRoomAndAFailedOpensMessageGoes)
{
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    // Every caption, with its glyph, keeps 6 pixels to each edge of its button.
    for (TskButton* button : Form().findChildren<TskButton*>()) {
        if (button->Caption().isEmpty())
            continue;
        const int glyph = button->Glyph().isNull() ? 0 : button->Glyph().width() + button->Spacing();
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->Caption()) + glyph + 12, button->width())
            << button->Caption().toStdString();
    }
    WriteFile("ILDAimage/font_Times_New_Roman.ild", ReadFile("ILDAimage/spin.ild"));
    Form().RefreshFileLists();
    ShowFileList* ilda = Form().FileListBox3;
    ASSERT_GE(ilda->IndexOf("font_Times_New_Roman.ild"), 0);
    EXPECT_LE(ilda->fontMetrics().horizontalAdvance("font_Times_New_Roman.ild") + 12, ilda->viewport()->width());
    EXPECT_EQ(layout_checks::LayoutFaults(Form()), std::vector<std::string>{});

    // A failed Open's message, then a good Open: the message goes; a long one shows whole.
    WriteFile("Sequence/damaged.seq", "[Music]\r\n\r\n[Track1]\r\nstar.ddr|4x0\r\n");
    SaveThreeTracks("good");
    Form().RefreshSequenceList();
    Select(Form().FileListBox4, "damaged.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(Message(), "'4x0' is not a valid integer value");
    Select(Form().FileListBox4, "good.seq");
    ClickChild(Form(), "BitBtn17");
    EXPECT_EQ(Message(), "");
    // A save that fails names the file and the reason: long, and shown whole.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Sequence/blocked.seq"));  // a folder where the file should go
    Answer("blocked");
    ClickChild(Form(), "BitBtn16");
    EXPECT_TRUE(Message().contains("blocked.seq")) << Message().toStdString();
    EXPECT_TRUE(layout_checks::ShowsWhole(*Form().Label18)) << Message().toStdString();
}

TEST_F(SequenceWindowTest, IldaPreviewClockRunsOnlyWithAnImageToShow)
{
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    EXPECT_FALSE(ildaTicks_->Enabled()) << "preview unticked: nothing to animate";
    Select(Form().FileListBox3, "spin.ild");
    QTest::mouseClick(Form().skCheckBox1, Qt::LeftButton);
    ASSERT_TRUE(ildaTicks_->Enabled());
    ildaTicks_->Fire();
    const QImage shown = Form().Image3->Picture();
    QTest::mouseClick(Form().skCheckBox1, Qt::LeftButton);
    EXPECT_FALSE(ildaTicks_->Enabled());
    EXPECT_EQ(Form().Image3->Picture(), shown);
}

// Creation reads no file: the drawing's thumbnail comes at the first show, the
// image with its preview. A drawing too large to read shows nothing and is named.
TEST_F(SequenceWindowTest, CreationReadsNoFileAndARefusedThumbnailSaysWhichFile)
{
    const QString big = MakeSparseTestFile(folder_.filePath("Drawing/a.ddr"), kTebibyte);
    ASSERT_EQ(Form().FileListBox1->SelectedText(), "a.ddr");
    EXPECT_FALSE(Message().contains(big)) << "not read yet";
    Form().show();
    EXPECT_TRUE(Form().IldaPreview().Image().Frames.empty());
    EXPECT_TRUE(Message().contains(big)) << Message().toStdString();
    EXPECT_EQ(Form().Label29->text(), "0");
    EXPECT_FALSE(Form().Image2->Picture().isNull());
    EXPECT_EQ(Form().Image2->Picture(), DrawDrawingPreview({}));

    // The next drawing shows as ever; the image is read once its preview is asked for.
    Form().FileListBox1->SetItemIndex(Form().FileListBox1->IndexOf("Star.ddr"));
    emit Form().FileListBox1->OnClick();
    EXPECT_EQ(Form().Label29->text(), "4");
    Select(Form().FileListBox3, "spin.ild");
    QTest::mouseClick(Form().skCheckBox1, Qt::LeftButton);
    EXPECT_EQ(Form().IldaPreview().Image().Frames.size(), 4u);
}

TEST_F(SequenceWindowTest, ScreenshotDuringPlay)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    QFile::remove(folder_.filePath("Registry.ini"));
    Windows().Music().SetPlayer({});
    SizeX.store(20);
    SizeY.store(20);
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));
    SaveThreeTracks("show", "2000");
    Form().skCheckBox1->Click();
    Select(Form().FileListBox1, "hex.ddr");
    emit Form().FileListBox1->OnClick();
    Select(Form().FileListBox3, "spin.ild");
    emit Form().FileListBox3->OnClick();
    for (int i = 0; i < 3; ++i)
        ildaTicks_->Fire();
    Form().SequencePlayStart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form().Label31->text().toInt() > 0; }, 60000));
    QTest::qWait(400);
    EXPECT_TRUE(Form().grab().save(QDir(dir).filePath("sequence_window.png")));
    Form().StopClick();
}

}  // namespace
