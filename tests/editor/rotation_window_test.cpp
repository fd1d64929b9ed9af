#include "editor_fixture.h"
#include "common/test_points.h"
#include "common/window_clicks.h"

#include "model/drawing_file.h"

#include "editor/rotation_window.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/track_bar.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>

#include <functional>

namespace {

class RotationWindow : public EditorDialogTest {
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        form = windows->Create<TForm3>();
    }
    TForm3* form = nullptr;
};

TEST_F(RotationWindow, PreviewFollowsTheTrackBarAndOkTurnsTheSelectionInPlace)
{
    // An empty selection previews black and OK changes nothing.
    Doc().Drawing.emplace_back().push_back(std::make_unique<LaserPoint>(LaserPoint{100, 100, 0, 4, 0, 1}));
    form->show();
    form->TrackBar1()->SetPosition(45);
    EXPECT_EQ(LitPixels(form->RotationBitmap()), 0);
    form->BitBtn1()->Click();
    EXPECT_EQ(Doc().Drawing[0][0]->x, 100);
    Doc().Drawing.clear();

    AddSelectedPath({{266, 256}, {300, 256}});
    Doc().Selection.push_back(Doc().Selection.front());  // listed twice
    form->show();
    ASSERT_EQ(form->RotatedPoints().size(), 3u);
    EXPECT_GT(LitPixels(form->RotationBitmap()), 0);

    form->TrackBar1()->SetPosition(90);
    EXPECT_EQ(std::pair(form->Label1()->text(), Doc().Drawing[0][0]->x), std::pair(QString("90"), 266)) << "the preview changes nothing";

    // "converse counter" turns the other way; each point once although listed twice.
    form->skCheckBox1()->Click();
    form->BitBtn1()->Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(std::tuple(Doc().Drawing[0][0]->x, Doc().Drawing[0][0]->y, Doc().Drawing.size()), std::tuple(255, 246, std::size_t{1}));

    // Shown again: back to 0 degrees.
    form->show();
    EXPECT_EQ(form->TrackBar1()->Position(), 0);
    form->TrackBar1()->SetPosition(180);
    form->BitBtn2()->Click();
    EXPECT_EQ(Doc().Drawing[0][0]->x, 255) << "Cancel changes nothing";
}

TEST_F(RotationWindow, PreviewShowsWhatOkWillDoAfterEveryInput)
{
    AddSelectedPath({{266, 256}});
    form->show();
    using Xy1 = std::pair<int, int>;
    auto previewed = [this] {
        std::vector<Xy1> out;
        for (const auto& p : form->RotatedPoints())
            out.emplace_back(p->x, p->y);
        return out;
    };
    auto activate = [this] {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(form, &activation);
    };
    const struct {
        const char* input;
        std::function<void()> change;
        std::vector<Xy1> expected;
    } steps[] = {
        {"90 degrees", [this] { form->TrackBar1()->SetPosition(90); }, {{255, 265}}},
        {"converse counter ticked", [this] { QTest::mouseClick(form->skCheckBox1(), Qt::LeftButton); }, {{255, 246}}},
        {"45 degrees, counter-clockwise", [this] { form->TrackBar1()->SetPosition(45); }, {{263, 248}}},
        {"converse counter unticked", [this] { QTest::mouseClick(form->skCheckBox1(), Qt::LeftButton); }, {{263, 263}}},
        {"a point added to the selection in the Draw window",
         [&] {
             AddSelectedPath({{256, 246}});
             activate();
         },
         {{263, 263}, {263, 248}}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.input);
        step.change();
        EXPECT_EQ(previewed(), step.expected);
    }
    // What the preview showed last is what OK does.
    form->BitBtn1()->Click();
    EXPECT_EQ((std::vector<Xy1>{{Doc().Drawing[0][0]->x, Doc().Drawing[0][0]->y}, {Doc().Drawing[1][0]->x, Doc().Drawing[1][0]->y}}),
              (std::vector<Xy1>{{263, 263}, {263, 248}}));
}

// A rotation is one step of the Draw window's history, copies included: Undo
// right after it brings back the drawing before it, and the Undo of a later
// edit stops at the rotated drawing instead of throwing the rotation away.
TEST_F(RotationWindow, OkRecordsOneUndoStepThatLaterUndosKeep)
{
    auto xs = [this] {
        std::vector<int> out;
        for (const Path& path : Doc().Drawing)
            for (const auto& p : path)
                out.push_back(p->x);
        return out;
    };
    auto click = [this](const char* name) {
        windows->Form1()->findChild<TskButton*>(QString::fromLatin1(name))->Click();
    };
    for (const bool copies : {false, true}) {
        SCOPED_TRACE(copies ? "copies" : "in place");
        Doc().NewDrawing();
        Doc().PushUndo();
        AddSelectedPath({{266, 256}, {276, 256}});
        Doc().CopyObjects = copies;
        const std::vector<int> before = xs();
        const int steps = Doc().SnapshotCount();

        form->show();
        form->TrackBar1()->SetPosition(180);
        form->BitBtn1()->Click();
        const std::vector<int> rotated = xs();
        ASSERT_NE(rotated, before);
        EXPECT_EQ(Doc().SnapshotCount(), steps + 1);

        click("skButton32");
        EXPECT_EQ(xs(), before) << "Undo gives back the drawing before the rotation";
        click("skButton33");
        EXPECT_EQ(xs(), rotated);

        // A later edit, then its Undo: the rotation stays.
        AddSelectedPath({{10, 10}});
        click("skButton32");
        EXPECT_EQ(xs(), rotated);
    }

    // A rotation that moves nothing is no step.
    Doc().CopyObjects = false;
    const int steps = Doc().SnapshotCount();
    form->show();
    form->BitBtn1()->Click();
    EXPECT_EQ(Doc().SnapshotCount(), steps);
}

// An opened drawing is the history's first state: a rotation right after Open_D can be undone.
TEST_F(RotationWindow, RotationOfAnOpenedDrawingCanBeUndone)
{
    const QString path = folder.filePath("Drawing/square.ddr");
    ASSERT_TRUE(QDir().mkpath(folder.filePath("Drawing")));
    ASSERT_TRUE(WriteDrawingFile(path, TestPolygon(4, 100, 100, 60, 40), 1));
    TForm1& draw = *windows->Form1();
    dialogs->fileNames = {path};
    ClickChild(draw, "BitBtn3");  // Open_D
    ASSERT_EQ(Doc().DrawingFileName, path);
    auto points = [this] { return PointPositions(Doc().Drawing); };
    const auto opened = points();
    ClickChild(draw, "skButton28");  // SelectAll
    ClickChild(draw, "BitBtn9");  // Rotate_O
    form->TrackBar1()->SetPosition(90);
    form->BitBtn1()->Click();
    ASSERT_NE(points(), opened);
    ClickChild(draw, "skButton32");
    EXPECT_EQ(points(), opened);
}

}  // namespace
