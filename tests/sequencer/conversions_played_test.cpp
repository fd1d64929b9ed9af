// Tried as a new user: what the FILE window converts is played at once in the
// Section and Play windows of the same show folder, into the simulated
// controller, and each play's stop button ends it.

#include "common/test_points.h"
#include "app/shell_fixture.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "player/live_play_controls.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "player/show_file_list.h"
#include "sequencer/file_window.h"
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/edit.h"
#include "skin/radio_group.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <set>

namespace {

class ConversionsPlayedTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        for (const char* sub : {"Drawing", "Section", "ILDAimage"})
            ASSERT_TRUE(QDir(folder_.path()).mkpath(QLatin1String(sub)));
        sim_->Attach(0);
        PublishDeviceTargets(MakeDeviceTargets("ezusb-0", {}, false));
        OutputChannel.store(1);
        IldaFrameInterval.store(40);
    }
    QString Path(const QString& relative) const { return folder_.filePath(relative); }
    void WriteShape(const QString& name, const std::vector<QPoint>& points, int colour)
    {
        Drawing drawing(1);
        for (QPoint p : points)
            drawing[0].push_back(TestPoint(p.x(), p.y(), colour, drawing[0].empty() ? 1 : 0));
        ASSERT_TRUE(WriteDrawingFile(Path("Drawing/" + name), drawing, kFileScale));
    }
    /// Frame f is a line of f % 5 + 3 points turning about the centre.
    void WriteImage(const QString& name, int frames)
    {
        TILDAimage image;
        for (int f = 0; f < frames; ++f) {
            TILDAframe frame;
            const double a = f * 2 * M_PI / frames;
            for (int i = 0; i <= f % 5 + 2; ++i)
                frame.Points.push_back(
                    TestPoint(int(20.0 * i * std::cos(a)), int(20.0 * i * std::sin(a)), 1 + i % 7, i == 0));
            image.Frames.push_back(std::move(frame));
        }
        ASSERT_TRUE(WriteIldaFile(Path("ILDAimage/" + name), image));
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
    /// Point counts of the frames the controller was sent from request `from` on.
    std::vector<std::size_t> SentFrames(std::size_t from = 0) const
    {
        std::vector<std::size_t> sizes;
        const auto requests = sim_->Requests();
        for (std::size_t i = from; i < requests.size(); ++i)
            if (requests[i].code == kRequestBulkWrite && requests[i].bytes.size() > 2)
                sizes.push_back(requests[i].bytes.size() / 4);
        return sizes;
    }
    void Click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    template <class T>
    T* Child(QWidget* window, const char* name)
    {
        T* child = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
};

TEST_F(ConversionsPlayedTest, ConvertedSectionAndImagePlayInTheSectionAndPlayWindows)
{
    WriteShape("square.ddr", {{40, 40}, {215, 40}, {215, 215}, {40, 215}, {40, 40}}, 2);
    WriteShape("triangle.ddr", {{128, 30}, {226, 200}, {30, 200}, {128, 30}}, 4);
    std::vector<QPoint> star;
    for (int i = 0; i <= 10; ++i) {
        const double a = i * M_PI / 5 - M_PI / 2;
        const double r = i % 2 ? 45 : 110;
        star.push_back(QPoint(128 + int(r * std::cos(a)), 128 + int(r * std::sin(a))));
    }
    WriteShape("star.ddr", star, 6);
    WriteImage("spin.ild", 12);
    WriteImage("Shapes.ild", 1);  // an older image under the name the list is converted to

    TForm9* file = Windows().Create<TForm9>();
    TForm5* section = Windows().Create<TForm5>();
    TForm4* play = Windows().Create<TForm4>();

    // D: the image into drawings and a section.
    ASSERT_GE(file->FileListBox3()->SelectByText("spin.ild"), 0);
    Child<TskEdit>(file, "skEdit4")->setText("Spin");
    Click(Child<TskButton>(file, "skButton7"));
    ASSERT_EQ(file->FileListBox2()->SelectedText(), "Spin.sec");

    // B: three drawings into the image of the same name as the old one, replaced after asking.
    for (const char* name : {"square.ddr", "triangle.ddr", "star.ddr"}) {
        ASSERT_GE(file->FileListBox1()->SelectByText(QLatin1String(name)), 0) << name;
        Click(Child<TskButton>(file, "BitBtn2"));
    }
    Child<TskEdit>(file, "skEdit3")->setText("Shapes");
    dialogs_->answers = {Dialogs::Answer::Yes};
    Click(Child<TskButton>(file, "skButton9"));
    ASSERT_EQ(dialogs_->asked.size(), 1);
    EXPECT_EQ(dialogs_->asked.last().toStdString(), "FILE: This ILDAimage have already exists,replace it?");
    const std::set<std::size_t> shapes = PointCounts(Path("ILDAimage/Shapes.ild"));
    ASSERT_EQ(shapes.size(), 3u) << "three drawings of different sizes, three frames";

    // The section plays in the Section window from its play button.
    section->RefreshFileLists();
    section->FileListBox2->SetItemIndex(section->FileListBox2->IndexOf("Spin.sec"));
    ASSERT_GE(section->FileListBox2->ItemIndex(), 0);
    Click(section->Controls().ToolButton1);
    EXPECT_EQ(section->Label18->text(), "section playing start...");
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentFrames().size() >= 5; }, 5000));
    const std::set<std::size_t> spin = PointCounts(Path("ILDAimage/spin.ild"));
    for (std::size_t n : SentFrames())
        EXPECT_TRUE(spin.count(n)) << n << " points: not a frame of the converted section";
    Click(section->Controls().ToolButton8);
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    section->Timer2Timer();
    EXPECT_EQ(section->Label18->text(), "section playing end.....");
    const std::size_t afterSection = sim_->Requests().size();

    // The new image plays in the Play window, repeating until stopped, its frames stepped by ticks.
    play->RefreshIldaList();
    play->FileListBox2->SetItemIndex(play->FileListBox2->IndexOf("Shapes.ild"));
    emit play->FileListBox2->OnClick();
    play->skRadioGroup1->SetItemIndex(1);
    Click(play->Controls().ToolButton5);
    Click(play->Controls().ToolButton1);
    EXPECT_EQ(play->Label18->text(), "ILDAimage playing start...");
    for (int i = 0; i < 6; ++i) {
        const std::size_t before = SentFrames(afterSection).size();
        play->Timer1Timer();
        ASSERT_TRUE(QTest::qWaitFor([&] { return SentFrames(afterSection).size() > before; }, 5000));
    }
    std::set<std::size_t> sent;
    for (std::size_t n : SentFrames(afterSection)) {
        EXPECT_TRUE(shapes.count(n)) << n << " points: not a frame of the converted image";
        sent.insert(n);
    }
    EXPECT_EQ(sent, shapes) << "every frame of the image reached the controller";
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    Click(play->Controls().ToolButton8);
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    play->Timer2Timer();
    EXPECT_EQ(play->Label18->text(), "ILDAimage playing end...");
    const std::size_t afterStop = sim_->Requests().size();
    QTest::qWait(100);
    EXPECT_EQ(SentFrames(afterStop).size(), 0u) << "nothing is sent after the stop";
}

}  // namespace
