#include "common/held_listing.h"
#include "common/test_files.h"
#include "common/test_points.h"
#include "common/window_clicks.h"
#include "app/create_windows.h"
#include "app/output_settings_window.h"
#include "app/shell_fixture.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "player/drawing_preview.h"
#include "player/ilda_preview.h"
#include "player/live_play_controls.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "player/show_file_list.h"
#include "sequencer/file_window.h"
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/radio_group.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <set>

namespace {

class FileWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        for (const char* sub : {"Drawing", "Section", "ILDAimage"})
            ASSERT_TRUE(QDir(folder_.path()).mkpath(QLatin1String(sub)));
        // Drawings as the Draw window saves them: a square, a triangle, a star.
        WriteShape("square.ddr", {{40, 40}, {215, 40}, {215, 215}, {40, 215}, {40, 40}}, 2);
        WriteShape("triangle.ddr", {{128, 30}, {226, 200}, {30, 200}, {128, 30}}, 4);
        std::vector<QPoint> star;
        for (int i = 0; i <= 10; ++i) {
            const double a = i * M_PI / 5 - M_PI / 2;
            const double r = i % 2 ? 45 : 110;
            star.push_back(QPoint(128 + int(r * std::cos(a)), 128 + int(r * std::sin(a))));
        }
        WriteShape("star.ddr", star, 6);
        WriteImage("spin.ild", 36);
    }
    void TearDown() override
    {
        window_.reset();
        ShellTest::TearDown();
    }
    QString Path(const QString& relative) const { return folder_.filePath(relative); }
    /// A rotating line of `frames` frames with a blanked start and several colours.
    void WriteImage(const QString& name, int frames)
    {
        TILDAimage image;
        for (int f = 0; f < frames; ++f) {
            TILDAframe frame;
            const double a = f * 2 * M_PI / frames;
            for (int i = 0; i <= f % 5 + 2; ++i) {
                const double r = 20.0 * i;
                frame.Points.push_back(TestPoint(int(r * std::cos(a)), int(r * std::sin(a)), 1 + i % 7, i == 0));
            }
            image.Frames.push_back(std::move(frame));
        }
        ASSERT_TRUE(WriteIldaFile(Path("ILDAimage/" + name), image));
    }
    TForm9& Window()
    {
        if (!window_) {
            auto clock = std::make_unique<ManualTickSource>();
            ticks_ = clock.get();
            window_ = std::make_unique<TForm9>(Windows(), std::move(clock));
        }
        return *window_;
    }
    template <class T = QWidget>
    T* Child(const char* name)
    {
        T* child = Window().findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Press(const char* button) { QTest::mouseClick(Child<TskButton>(button), Qt::LeftButton); }
    void Tick(const char* box) { QTest::mouseClick(Child<TskCheckBox>(box), Qt::LeftButton); }
    QString Text(const char* label) { return Child<QLabel>(label)->text(); }
    void Type(const char* edit, const QString& text) { Child<TskEdit>(edit)->setText(text); }
    /// The operator picks a drawing and presses a convert-list command.
    void AddDrawing(const QString& name, const char* button = "BitBtn2")
    {
        ASSERT_GE(Window().FileListBox1()->SelectByText(name), 0) << name.toStdString();
        Press(button);
    }
    QStringList Convert() { return Window().ListBox1()->Items(); }
    /// Whether the image list's listing off the GUI thread has come back.
    bool ImagesListed()
    {
        return QTest::qWaitFor([&] { return !Window().FileListBox3()->ListingPending(); }, 20000);
    }
    static std::set<std::size_t> PointCounts(const QString& path)
    {
        TILDAimage image;
        EXPECT_TRUE(ReadIldaFile(path, image)) << path.toStdString();
        std::set<std::size_t> counts;
        for (const TILDAframe& frame : image.Frames)
            counts.insert(frame.Points.size());
        return counts;
    }
    /// Spin.sec plays in the Section window and Shapes.ild in the Play window, each to its stop.
    void PlayConvertedFiles()
    {
        sim_->Attach(0);
        PublishDeviceTargets(MakeDeviceTargets("ezusb-0", {}, false));
        OutputChannel.store(1);
        IldaFrameInterval.store(40);
        TForm5* section = Windows().Create<TForm5>();
        section->FileListBox2->SetItemIndex(section->FileListBox2->IndexOf("Spin.sec"));
        ASSERT_GE(section->FileListBox2->ItemIndex(), 0);
        QTest::mouseClick(section->Controls().ToolButton1, Qt::LeftButton);
        EXPECT_EQ(section->Label18->text(), "section playing start...");
        ASSERT_TRUE(QTest::qWaitFor([&] { return SentFrames().size() >= 5; }, 60000));
        const std::set<std::size_t> spin = PointCounts(Path("ILDAimage/spin.ild"));
        for (std::size_t n : SentFrames())
            EXPECT_TRUE(spin.count(n)) << n << " points: not a frame of the converted section";
        QTest::mouseClick(section->Controls().ToolButton8, Qt::LeftButton);
        EXPECT_EQ(PlayLoopRunning.load(), 0);
        section->Timer2Timer();
        EXPECT_EQ(section->Label18->text(), "section playing end.....");
        const std::size_t afterSection = sim_->Requests().size();

        // The image repeats until stopped, its frames stepped by ticks; every frame reaches the controller.
        TForm4* play = Windows().Create<TForm4>();
        play->FileListBox2->SetItemIndex(play->FileListBox2->IndexOf("Shapes.ild"));
        emit play->FileListBox2->OnClick();
        play->skRadioGroup1->SetItemIndex(1);
        QTest::mouseClick(play->Controls().ToolButton5, Qt::LeftButton);
        QTest::mouseClick(play->Controls().ToolButton1, Qt::LeftButton);
        EXPECT_EQ(play->Label18->text(), "ILDAimage playing start...");
        for (int i = 0; i < 6; ++i) {
            const std::size_t before = SentFrames(afterSection).size();
            play->Timer1Timer();
            ASSERT_TRUE(QTest::qWaitFor([&] { return SentFrames(afterSection).size() > before; }, 60000));
        }
        const std::vector<std::size_t> sent = SentFrames(afterSection);
        EXPECT_EQ(std::set<std::size_t>(sent.begin(), sent.end()), PointCounts(Path("ILDAimage/Shapes.ild")));
        QTest::mouseClick(play->Controls().ToolButton8, Qt::LeftButton);
        EXPECT_FALSE(Windows().HandOver().anyWorker());
        play->Timer2Timer();
        EXPECT_EQ(play->Label18->text(), "ILDAimage playing end...");
        const std::size_t afterStop = sim_->Requests().size();
        QTest::qWait(100);
        EXPECT_EQ(SentFrames(afterStop).size(), 0u) << "nothing is sent after the stop";
    }

    std::unique_ptr<TForm9> window_;
    ManualTickSource* ticks_ = nullptr;
};

TEST_F(FileWindowTest, ListsFollowTheDiskOnActivationAndWhenASourceVanished)
{
    EXPECT_EQ(Window().FileListBox1()->ItemIndex(), 0);
    EXPECT_EQ(Window().FileListBox3()->SelectedText(), "spin.ild");
    EXPECT_EQ(Text("Label18"), "ready");
    Window().FileListBox1()->SelectByText("star.ddr");
    WriteShape("arrow.ddr", {{10, 10}, {50, 50}}, 3);
    Window().FormActivate();
    EXPECT_EQ(Window().FileListBox1()->Count(), 3);  // auto refresh is off
    Tick("skCheckBox2");
    EXPECT_EQ(Window().FileListBox1()->Items(), QStringList({"arrow.ddr", "square.ddr", "star.ddr", "triangle.ddr"}));
    EXPECT_EQ(Window().FileListBox1()->SelectedText(), "star.ddr");
    EXPECT_EQ(Text("Label29"), "11");
    WriteImage("more.ild", 2);
    Window().FormActivate();
    ASSERT_TRUE(ImagesListed());
    EXPECT_EQ(Window().FileListBox3()->Items(), QStringList({"more.ild", "spin.ild"}));
    EXPECT_EQ(Window().FileListBox3()->SelectedText(), "spin.ild");

    // The selected image vanished: the list is read again and nothing is written or asked.
    QFile::remove(Path("ILDAimage/spin.ild"));
    Press("skButton7");
    ASSERT_TRUE(ImagesListed());
    EXPECT_EQ(Window().FileListBox3()->Items(), QStringList({"more.ild"}));
    EXPECT_FALSE(QFile::exists(Path("Section/NewSection.sec")));
    EXPECT_TRUE(dialogs_->asked.isEmpty());
}

// The image folder, listed already, stops answering (its mount hangs): the
// auto refresh, activations, the Delete key and a conversion that writes an
// image list it off the GUI thread. The window answers meanwhile, one listing
// waits however often the folder is asked for, and the last one asked for
// shows when it comes.
TEST_F(FileWindowTest, AnImageFolderThatDoesNotAnswerLeavesTheWindowAnswering)
{
    const QString ilda = QDir::cleanPath(Path("ILDAimage"));
    ShowFileList& images = *Window().FileListBox3();
    HeldListing held(ilda);
    images.SetFolderLister([gate = held.Gate()](const QString& directory, const QString& mask) {
        gate(directory);
        return ShowFileList::ListFolder(directory, mask);
    });
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    WriteImage("more.ild", 2);

    Tick("skCheckBox2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.Waiting() == 1; }, 20000)) << images.Items().join(' ').toStdString();
    EXPECT_EQ(images.Items(), QStringList({"spin.ild"})) << "the entries stay until the listing comes";
    Window().FileListBox1()->SelectByText("triangle.ddr");
    emit Window().FileListBox1()->OnClick();
    EXPECT_EQ(Text("Label29"), "4") << "the window answers";
    QWidget other;
    other.show();
    for (QWidget* window : {&other, static_cast<QWidget*>(&Window())}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    EXPECT_EQ(images.Items(), QStringList({"spin.ild"}));

    // The Delete key: the entry goes at once.
    QTest::keyClick(&images, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(Path("ILDAimage/spin.ild")));
    EXPECT_TRUE(images.Items().isEmpty());
    // An image written by a conversion is selected once the folder is listed.
    AddDrawing("square.ddr");
    Type("skEdit3", "Square");
    Press("skButton9");
    EXPECT_TRUE(QFile::exists(Path("ILDAimage/Square.ild")));
    QCoreApplication::processEvents();
    EXPECT_EQ(held.Waiting(), 1) << "one listing of the folder at a time";

    held.Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return images.Items() == QStringList({"more.ild", "Square.ild"}); }, 20000))
        << images.Items().join(' ').toStdString();
    EXPECT_EQ(images.SelectedText(), "Square.ild");
    EXPECT_FALSE(held.TimedOut()) << "the window waited for the listing";
}

TEST_F(FileWindowTest, ConvertListAddInsertRemoveAndMoveFollowTheirSelectionRules)
{
    AddDrawing("square.ddr");
    AddDrawing("star.ddr");
    EXPECT_EQ(Convert(), QStringList({"square.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 1);
    EXPECT_EQ(Text("Label11"), "11");  // the star's points

    // Insert goes before the selected entry; the selection stays on that entry.
    AddDrawing("triangle.ddr", "BitBtn15");
    EXPECT_EQ(Convert(), QStringList({"square.ddr", "triangle.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 2);
    // With none selected it goes to the top.
    Window().ListBox1()->SetItemIndex(-1);
    AddDrawing("star.ddr", "BitBtn15");
    EXPECT_EQ(Convert(), QStringList({"star.ddr", "square.ddr", "triangle.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 1);

    // Remove reselects the neighbour by its text: the first equal entry.
    Window().ListBox1()->SetItemIndex(2);  // triangle; neighbour star
    Press("BitBtn1");
    EXPECT_EQ(Convert(), QStringList({"star.ddr", "square.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 0);
    // A double click reselects by position.
    Window().ListBox1()->SetItemIndex(1);
    Window().ListBox1DblClick();
    EXPECT_EQ(Convert(), QStringList({"star.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 1);

    AddDrawing("square.ddr");
    Press("skButton5");
    EXPECT_EQ(Convert(), QStringList({"star.ddr", "square.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 1);
    Press("skButton5");
    Press("skButton5");
    EXPECT_EQ(Convert(), QStringList({"square.ddr", "star.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 0);
    Window().ListBox1()->SetItemIndex(2);
    Press("skButton6");
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 2);

    // The Delete key removes the entry; the only entry goes without a neighbour.
    QTest::keyClick(Window().ListBox1(), Qt::Key_Delete);
    EXPECT_EQ(Convert(), QStringList({"square.ddr", "star.ddr"}));
    EXPECT_EQ(Window().ListBox1()->ItemIndex(), 1);
    QTest::keyClick(Window().ListBox1(), Qt::Key_Delete);
    QTest::keyClick(Window().ListBox1(), Qt::Key_Delete);
    EXPECT_TRUE(Convert().isEmpty());
    Press("BitBtn1");  // nothing selected: nothing happens
}

TEST_F(FileWindowTest, FindThenDeleteKeyInFileListsDeletesFilesAndUnticksTheLastImagesPreview)
{
    Window();
    dialogs_->texts = {QString("triangle"), QString("circle"), QString("Section1"), QString("SPIN.ild")};
    Press("skButton1");
    EXPECT_EQ(Window().FileListBox1()->SelectedText(), "triangle.ddr");
    EXPECT_EQ(Text("Label29"), "4");
    Press("skButton1");
    EXPECT_EQ(Window().FileListBox1()->SelectedText(), "triangle.ddr");
    EXPECT_EQ(Text("Label18"), "This drawing have not been found!");
    Press("skButton2");
    EXPECT_EQ(Text("Label18"), "This section have not been found!");
    Window().FileListBox3()->SetItemIndex(-1);
    Press("skButton3");
    EXPECT_EQ(Window().FileListBox3()->SelectedText(), "spin.ild");
    const QStringList finds = {"Find drawing: drawing name", "Find drawing: drawing name",
                               "Find section: section name", "Find ILDAimage: Image name"};
    EXPECT_EQ(dialogs_->asked, finds);

    ShowFileList* drawings = Window().FileListBox1();
    drawings->SelectByText("star.ddr");
    QTest::keyClick(drawings, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(Path("Drawing/star.ddr")));
    EXPECT_EQ(drawings->SelectedText(), "triangle.ddr");
    EXPECT_EQ(Text("Label29"), "4");  // the neighbour's preview

    // The ticked preview animates once the window is active.
    Tick("skCheckBox1");
    Window().FormActivate();
    EXPECT_TRUE(ticks_->Enabled());
    ticks_->Fire();
    ticks_->Fire();
    EXPECT_EQ(Text("Label6"), "4");
    // Deleting the only image unticks its preview, without a question.
    QTest::keyClick(Window().FileListBox3(), Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(Path("ILDAimage/spin.ild")));
    EXPECT_FALSE(Child<TskCheckBox>("skCheckBox1")->Checked());
    EXPECT_FALSE(Window().IldaPreview().Active());
    EXPECT_EQ(dialogs_->asked, finds);
}

TEST_F(FileWindowTest, IldaPreviewClockRunsOnlyWithAnImageToShow)
{
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    EXPECT_FALSE(ticks_->Enabled()) << "preview unticked: nothing to animate";
    Tick("skCheckBox1");
    ASSERT_TRUE(ticks_->Enabled());
    ticks_->Fire();
    const QImage shown = Child<PreviewBox>("Image3")->Picture();
    Tick("skCheckBox1");
    EXPECT_FALSE(ticks_->Enabled());
    EXPECT_EQ(Child<PreviewBox>("Image3")->Picture(), shown);
}

TEST_F(FileWindowTest, TriedAsANewUserAllFourConversionsFromTheButtons)
{
    WriteImage("Shapes.ild", 1);  // an older image under the name the list is converted to
    Window();
    // A: the three drawings into a section.
    AddDrawing("square.ddr");
    AddDrawing("triangle.ddr");
    AddDrawing("star.ddr");
    Type("skEdit1", "Shapes");
    Press("skButton4");
    EXPECT_EQ(Window().FileListBox2()->SelectedText(), "Shapes.sec");
    std::vector<TSectionRecord> rows;
    ASSERT_TRUE(ReadSectionFile(Path("Section/Shapes.sec"), rows, ShowFolders(folder_.path())));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].FileName, "triangle.ddr");
    EXPECT_EQ(PointTotal(rows[1].Paths), 4u);
    EXPECT_EQ(rows[1].A, 50);

    // B: the same list into an image, replacing the old one after asking.
    Type("skEdit3", "Shapes");
    dialogs_->answers = {Dialogs::Answer::Yes};
    Press("skButton9");
    EXPECT_EQ(dialogs_->asked.last(), "FILE: This ILDAimage have already exists,replace it?");
    ASSERT_TRUE(ImagesListed());
    EXPECT_EQ(Window().FileListBox3()->SelectedText(), "Shapes.ild");
    TILDAimage image;
    ASSERT_TRUE(ReadIldaFile(Path("ILDAimage/Shapes.ild"), image));
    EXPECT_EQ(image.Frames.size(), 3u);

    // D: the 36-frame image into drawings and a section.
    Window().FileListBox3()->SelectByText("spin.ild");
    Type("skEdit4", "Spin");
    Press("skButton7");
    EXPECT_EQ(Window().FileListBox2()->SelectedText(), "Spin.sec");
    EXPECT_EQ(Window().FileListBox1()->Count(), 3 + 36);
    EXPECT_GE(Window().FileListBox1()->IndexOf("Spin_sec_00036.ddr"), 0);
    ASSERT_TRUE(ReadSectionFile(Path("Section/Spin.sec"), rows, ShowFolders(folder_.path())));
    EXPECT_EQ(rows.size(), 36u);
    EXPECT_EQ(rows[35].FileName, "Spin_sec_00036.ddr");
    PlayConvertedFiles();

    // C: that section back into an image, replacing one of the same name after asking.
    Type("skEdit6", "Shapes");
    dialogs_->answers = {Dialogs::Answer::Yes};
    Press("skButton8");
    EXPECT_EQ(dialogs_->asked.last(), "FILE: This ILDAimage have already exists,replace?");
    ASSERT_TRUE(ReadIldaFile(Path("ILDAimage/Shapes.ild"), image));
    EXPECT_EQ(image.Frames.size(), 36u);

    // A bad play time is refused with a message and writes nothing.
    Type("skEdit2", "fifty");
    Type("skEdit1", "Other");
    Press("skButton4");
    EXPECT_FALSE(QFile::exists(Path("Section/Other.sec")));
    EXPECT_TRUE(dialogs_->asked.last().startsWith("FILE: The play time"));
}

TEST_F(FileWindowTest, ConversionsWriteOnlyFilesThatReadBackUnderTheNameWritten)
{
    Window();
    // D onto a section whose name differs only in case: after Yes, its drawings follow the file written.
    Window().FileListBox3()->SelectByText("spin.ild");
    Type("skEdit4", "Spin");
    Press("skButton7");
    TILDAimage two;
    two.Frames.resize(2);
    for (int f = 0; f < 2; ++f)
        for (int i = 0; i < 3; ++i)
            two.Frames[f].Points.push_back(TestPoint(50 - 40 * i, -60 + 50 * f, 2 + i, i == 0));
    ASSERT_TRUE(WriteIldaFile(Path("ILDAimage/two.ild"), two));
    Window().FileListBox3()->Reread();
    Window().FileListBox3()->SelectByText("two.ild");
    FolderBytes before = ReadFolderBytes(folder_.path());
    Type("skEdit4", "spin");
    dialogs_->answers = {Dialogs::Answer::Yes};
    Press("skButton7");
    EXPECT_EQ(dialogs_->asked.last(), "FILE: This section have already exists,replace it?");
    EXPECT_EQ(ChangedFiles(before, folder_.path()),
              "Drawing/Spin_sec_00001.ddr Drawing/Spin_sec_00002.ddr Section/Spin.sec");
    std::vector<TSectionRecord> rows;
    ASSERT_TRUE(ReadSectionFile(Path("Section/Spin.sec"), rows, ShowFolders(folder_.path())));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].FileName, "Spin_sec_00002.ddr");
    EXPECT_EQ(PointTotal(rows[1].Paths), 3u);
    EXPECT_EQ(Window().FileListBox2()->SelectedText(), "Spin.sec");

    // A list whose drawing names would split a row is refused before any question or write.
    // Linux allows both in a file name (the program itself never writes such a name).
    WriteTestFile(Path("Drawing/b|c.ddr"), QByteArray(10, '\x40'));
    WriteTestFile(Path("Drawing/line\nbreak.ddr"), QByteArray(10, '\x40'));
    WriteTestFile(Path("Section/Bars.sec"), "square.ddr|50\r\n");
    Window().FileListBox1()->Reread();
    before = ReadFolderBytes(folder_.path());
    for (const QString bad : {"b|c.ddr", "line\nbreak.ddr"}) {
        while (Window().ListBox1()->Count() > 0)
            Window().ListBox1()->DeleteItem(0);
        AddDrawing("square.ddr");
        AddDrawing(bad);
        Type("skEdit1", "Bars");
        const qsizetype asked = dialogs_->asked.size();
        Press("skButton4");
        ASSERT_EQ(dialogs_->asked.size(), asked + 1);
        EXPECT_TRUE(dialogs_->asked.last().contains("cannot be stored in a section")) << dialogs_->asked.last().toStdString();
    }
    EXPECT_EQ(ChangedFiles(before, folder_.path()), "");
}

// A drawing that is there but cannot be read gives no frame and is reported;
// one deleted since it was listed is left out without a word.
TEST_F(FileWindowTest, ListToImageLeavesOutUnreadableDrawingsAndSaysHowMany)
{
    std::vector<QString> broken = {"folder.ddr", "pipe.ddr"};
    if (geteuid() != 0)  // root reads a file whatever its permissions
        broken.push_back("locked.ddr");
    for (const QString& name : broken)
        WriteShape(name, {{10, 10}, {20, 20}}, 1);
    WriteShape("gone.ddr", {{10, 10}, {20, 20}}, 1);
    Window();
    AddDrawing("square.ddr");
    for (const QString& name : broken)
        AddDrawing(name);
    AddDrawing("gone.ddr");
    AddDrawing("star.ddr");
    for (const QString& name : broken)
        ASSERT_TRUE(QFile::remove(Path("Drawing/" + name)));
    ASSERT_TRUE(QFile::remove(Path("Drawing/gone.ddr")));
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Drawing/folder.ddr"));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("Drawing/pipe.ddr")).constData(), 0644), 0);
    if (broken.size() > 2) {
        WriteShape("locked.ddr", {{10, 10}, {20, 20}}, 1);
        ASSERT_TRUE(QFile::setPermissions(Path("Drawing/locked.ddr"), QFileDevice::Permissions()));
    }

    Type("skEdit3", "Mix");
    Press("skButton9");
    TILDAimage image;
    ASSERT_TRUE(ReadIldaFile(Path("ILDAimage/Mix.ild"), image));
    ASSERT_EQ(image.Frames.size(), 2u);  // square and star only: nothing stands in for the others
    EXPECT_EQ(image.Frames[0].Points.size(), 5u);
    EXPECT_EQ(image.Frames[1].Points.size(), 11u);
    ASSERT_FALSE(dialogs_->asked.isEmpty());
    const QString told = dialogs_->asked.last();
    EXPECT_TRUE(told.contains(QString("%1 of %2 drawings could not be read").arg(broken.size()).arg(broken.size() + 3)))
        << told.toStdString();
    for (const QString& name : broken)
        EXPECT_TRUE(told.contains(name)) << name.toStdString();
    EXPECT_FALSE(told.contains("gone.ddr"));
    ASSERT_TRUE(ImagesListed());
    EXPECT_EQ(Window().FileListBox3()->SelectedText(), "Mix.ild");
}

TEST_F(FileWindowTest, OutputSettingsButtonShowsTheSettingsWindow)
{
    CreateWindows(Windows());
    QWidget* settings = Windows().Form13();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->isVisible());
    QTest::mouseClick(Windows().Form9()->findChild<TskButton*>("skButton10"), Qt::LeftButton);
    EXPECT_TRUE(settings->isVisible());
}

TEST_F(FileWindowTest, ScreenshotWithPreviews)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    Window().FileListBox1()->SelectByText("star.ddr");
    Window().FileListBox1Change();
    AddDrawing("square.ddr");
    AddDrawing("triangle.ddr");
    AddDrawing("star.ddr");
    Window().ListBox1()->SetItemIndex(1);
    Window().ListBox1Click();
    Tick("skCheckBox1");
    ticks_->SetEnabled(true);
    for (int i = 0; i < 5; ++i)
        ticks_->Fire();
    QTest::qWait(500);
    EXPECT_TRUE(Window().grab().save(QDir(dir).filePath("file_window.png")));
}

}  // namespace
