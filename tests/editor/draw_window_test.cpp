#include "app/create_windows.h"
#include "app/main_window.h"
#include "app/shell_fixture.h"
#include "editor/core/editor_fixture.h"
#include "editor/draw_window_fixture.h"
#include "editor/draw_canvas.h"
#include "editor/draw_window.h"
#include "editor/palette_grid_panel.h"
#include "skin/grids/draw_grid.h"
#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "editor/text_window.h"
#include "editor/up_down.h"
#include "model/palette.h"
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/tool_bar.h"

#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTest>

namespace {

class DrawWindowTest : public DrawWindowFixture {
protected:
    // The operator's drawing: a polyline, a rectangle, an ellipse and a polygon.
    void DrawFourShapes()
    {
        Tool("BitBtn27");
        Click(40, 60);
        Click(140, 40);
        Click(200, 140);
        Right();
        Tool("skButton16");
        Click(280, 40);
        Click(460, 160);
        Tool("skButton15");
        Click(50, 300);
        Click(210, 440);
        Tool("skButton18");
        Click(370, 370);
        Click(450, 370);
    }
};

TEST_F(DrawWindowTest, CreatedFromSettingsWithBadValuesFallingBackAndClamped)
{
    SettingsFile lines;
    lines.setLine(kBackColorSetting.line, "x");
    lines.setValue(kBlankColorSetting, 300);
    lines.setValue(kGridStepXSetting, 0);
    lines.setValue(kGridStepYSetting, 7);
    lines.setValue(kPointDistanceSetting, 0);
    lines.setValue(kPolygonSidesSetting, 999);
    WriteSettings(lines.toBytes());
    const DrawDocument& doc = Doc();
    EXPECT_EQ((std::vector<int>{doc.BackColor, doc.BlankColor, doc.GridStepX, doc.GridStepY, doc.PointDistance,
                                doc.PolygonSides}),
              (std::vector<int>{0, 255, 1, 7, 1, 100}));
    EXPECT_EQ((QStringList{Child<TskEdit>("Edit1")->text(), Child<TskEdit>("Edit2")->text(), Text("Label1"), Text("Label8")}),
              (QStringList{"100", "1", "Auto create a new drawing", "newdrawing"}));
    EXPECT_EQ(std::pair(Draw().size(), Draw().Image90()->size()), std::pair(QSize(1011, 719), QSize(512, 512)));
    EXPECT_EQ(Doc().CurrentColor, 4);

    Doc().PolygonSides = 9;
    ASSERT_TRUE(Windows().Form15()->FormClose());
    const SettingsFile saved = SettingsFile::FromBytes(ReadSettings());
    EXPECT_EQ(saved.line(kPolygonSidesSetting.line), "9");
    EXPECT_EQ(saved.line(kGridStepXSetting.line), "1");
}

TEST_F(DrawWindowTest, EveryShapeToolDrawsAStrokeWithTheMouse)
{
    Draw().show();
    struct Stroke {
        const char* button;
        const char* caption;
        const char* status;
        std::vector<QPoint> clicks;
    };
    const Stroke strokes[] = {
        {"BitBtn27", "2P Line", "two point line", {{10, 10}, {60, 10}, {60, 60}}},
        {"skButton12", "MP Line", "multiple point line", {{10, 100}, {100, 100}}},
        {"skButton14", "3P Arc", "three point arc", {{200, 200}, {260, 200}, {200, 260}}},
        {"skButton15", "Ellipse", "ellipse", {{300, 10}, {400, 80}}},
        {"skButton16", "4P Rect", "four point rectangle", {{10, 300}, {80, 380}}},
        {"skButton17", "MP Rect", "multiple point rectangle", {{100, 300}, {180, 380}}},
        {"skButton18", "Polygon", "polygon", {{300, 300}, {350, 300}}},
        {"skButton19", "MPolygon", "multiple point polygon", {{420, 420}, {480, 420}}},
        {"skButton13", "Point", "draw point", {{500, 20}}},
    };
    std::size_t paths = 0;
    for (const Stroke& stroke : strokes) {
        EXPECT_EQ(Child<TskToolButton>(stroke.button)->toolTip(), stroke.caption);
        Tool(stroke.button);
        EXPECT_EQ(Text("Label1"), stroke.status);
        EXPECT_TRUE(Child<TskToolButton>(stroke.button)->Down());
        for (QPoint p : stroke.clicks)
            Click(p.x(), p.y());
        if (Draw().Tools().ToolMode() <= Tool::MultiPointLine)
            Right();
        EXPECT_FALSE(Draw().Image90()->Grabbed()) << stroke.button;
        EXPECT_EQ(Doc().Drawing.size(), ++paths) << stroke.button;
    }
    EXPECT_EQ(Text("Label6"), QString::number(Doc().PointCount()));
    EXPECT_EQ((QStringList{Text("Label2"), Text("Label3")}), (QStringList{"500", "20"}));
    QTest::mouseMove(Draw().Image90(), QPoint(33, 44));
    EXPECT_EQ((QStringList{Text("Label17"), Text("Label18")}), (QStringList{"33", "44"}));
    // The point tool's square shows in the point's colour.
    EXPECT_EQ(Pixel(497, 17), PaletteColour(4));
}

TEST_F(DrawWindowTest, SelectionAndPointToolsWithTheMouse)
{
    Draw().show();
    Doc().Drawing.push_back(MakePath({{100, 100}, {300, 100}}));
    Doc().Drawing.push_back(MakePath({{100, 200}, {300, 200}}));
    Draw().RedrawDrawing();

    Tool("skButton21");  // Select_P: one point
    Click(102, 102);
    EXPECT_EQ(Doc().Selection.size(), 1u);
    Tool("skButton22");  // Select_O: the second line whole
    Click(200, 201);
    EXPECT_EQ(Doc().Selection.size(), 3u);
    Right();
    EXPECT_TRUE(Doc().Selection.empty());
    Click(50, 50);  // a box over the first line
    QTest::mouseMove(Draw().Image90(), QPoint(320, 120));
    EXPECT_EQ(Pixel(60, 60), 0x000000FFu);  // the red box under the drawing
    Click(320, 120);
    EXPECT_EQ(Doc().Selection.size(), 2u);

    Tool("BitBtn7");  // Move_O: the pointer is held from the first click
    Click(1, 1);
    EXPECT_TRUE(Draw().Image90()->Grabbed());
    QTest::mouseMove(Draw().Image90(), QPoint(11, 6));
    EXPECT_EQ(Doc().Drawing[0][0]->x, 110);
    Click(21, 11);
    EXPECT_FALSE(Draw().Image90()->Grabbed());
    EXPECT_EQ(Doc().Drawing[0][0]->x, 120);

    Tool("BitBtn13");  // Add point
    Click(200, 200);
    EXPECT_EQ(Doc().Drawing[1].size(), 3u);

    Doc().CurrentColor = 9;
    Draw().Palette()->Grid()->SetCol(1);
    Draw().Palette()->Grid()->SetRow(6);
    QSignalSpy picked(&Draw(), &TForm1::CurrentColorPicked);
    Tool("skButton29");  // pick colour
    Click(150, 200);
    EXPECT_EQ(Doc().CurrentColor, 4);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(0).toInt(), 4);
    EXPECT_EQ(Draw().Palette()->Grid()->Col(), 0) << "the palette grid follows the picked colour";
    EXPECT_EQ(Draw().Palette()->Grid()->Row(), 4);
}

// Mouse events go through the window system here, as a real mouse's do, so
// that the canvas's hold on the mouse decides who receives them.
TEST_F(DrawWindowTest, ClicksOutsideTheCanvasNeverBecomePointsWhileAToolHoldsThePointer)
{
    Draw().show();
    TForm15& main = *Windows().Form15();
    main.show();
    // Side by side, as on the operator's screen.
    Draw().move(0, 0);
    main.move(Draw().frameGeometry().right() + 20, 0);
    DrawCanvas* canvas = Draw().Image90();
    auto click = [](QWidget* target, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* top = target->window();
        const QPoint p = target->mapTo(top, at);
        QTest::mouseMove(top->windowHandle(), p);
        QTest::mouseClick(top->windowHandle(), button, {}, p);
    };
    auto centre = [](QWidget* w) { return w->rect().center(); };
    QWidget* ellipse = Child<TskToolButton>("skButton15");
    QWidget* undo = Child<TskButton>("skButton32");
    QPushButton* exit = nullptr;
    for (QPushButton* b : main.findChildren<QPushButton*>())
        if (b->text().trimmed() == "EXIT")
            exit = b;
    ASSERT_NE(exit, nullptr);
    // Every stray click of the operator, on this window and on another.
    auto strayClicks = [&] {
        click(ellipse, centre(ellipse));
        click(undo, centre(undo));
        click(exit, centre(exit));
        click(exit, centre(exit));
    };

    Tool("BitBtn27");  // an open polyline
    click(canvas, {100, 100});
    click(canvas, {200, 100});
    ASSERT_TRUE(canvas->Grabbed());
    ASSERT_EQ(Doc().Drawing.at(0).size(), 2u);
    const int steps = Doc().SnapshotCount();
    // Towards the tool bar: the pointer is put back on the canvas's edge.
    QTest::mouseMove(Draw().windowHandle(), canvas->mapTo(&Draw(), QPoint(250, -40)));
    EXPECT_EQ(canvas->mapFromGlobal(QCursor::pos()), QPoint(250, 0));
    EXPECT_EQ(Text("Label18"), "0");
    strayClicks();
    EXPECT_EQ(Doc().Drawing.at(0).size(), 2u);
    EXPECT_EQ(Doc().SnapshotCount(), steps);
    EXPECT_EQ(Draw().Tools().ToolMode(), Tool::TwoPointLine);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(canvas->Grabbed());
    click(canvas, {200, 200});  // the stroke goes on where it stood
    EXPECT_EQ(Xy(Doc().Drawing.at(0)).back(), (std::pair<int, int>{200, 200}));
    click(canvas, {5, 5}, Qt::RightButton);
    EXPECT_FALSE(canvas->Grabbed());
    click(ellipse, centre(ellipse));  // free again: the first click works
    EXPECT_EQ(Draw().Tools().ToolMode(), Tool::Ellipse);

    // A drag of the selection, and a shape between its two corners.
    Doc().SelectAll();
    Tool("BitBtn7");
    click(canvas, {10, 10});
    ASSERT_TRUE(canvas->Grabbed());
    strayClicks();  // the selection follows the pointer along the edge, not dropped there
    EXPECT_EQ(Draw().Tools().ToolPoints().size(), 1u);
    EXPECT_TRUE(canvas->Grabbed());
    click(canvas, {20, 10});
    EXPECT_EQ(Xy(Doc().Drawing.at(0)).front(), (std::pair<int, int>{110, 100}));
    Tool("skButton16");
    click(canvas, {300, 300});
    strayClicks();
    EXPECT_EQ(Doc().Drawing.size(), 1u);
    click(canvas, {400, 400});
    EXPECT_EQ(Doc().Drawing.size(), 2u);
    EXPECT_FALSE(canvas->Grabbed());
    click(undo, centre(undo));
    EXPECT_EQ(Doc().Drawing.size(), 1u);
}

TEST_F(DrawWindowTest, NewUserDrawsSelectsMirrorsRecoloursAndStepsThroughTheHistory)
{
    CreateWindows(Windows());
    for (QPushButton* button : Windows().Form15()->findChildren<QPushButton*>())
        if (button->text() == "DRAW   ")
            QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(Draw().isVisible());

    DrawFourShapes();
    EXPECT_EQ(Doc().Drawing.size(), 4u);
    EXPECT_EQ(Pixel(90, 50), PaletteColour(4));  // on the polyline's first segment
    const std::size_t points = Doc().PointCount();

    Tool("skButton22");
    Click(90, 50);    // the polyline
    Click(370, 160);  // the rectangle's lower side
    EXPECT_EQ(Doc().Selection.size(), 3u + 5u);
    // The first point's x, the second's colour, and the canvas on the polyline and on its mirror image.
    auto state = [&] {
        return std::tuple(Doc().Drawing[0][0]->x, int(Doc().Drawing[0][1]->colour), Pixel(90, 50), Pixel(510 - 90, 50));
    };
    const auto mirrored = std::tuple(510 - 40, 4, PaletteColour(0), PaletteColour(4));
    Command("BitBtn18");  // Mirror_V: left and right swap
    EXPECT_EQ(state(), mirrored);
    Command("skButton34");  // O_Rainbow_Ch
    EXPECT_EQ(state(), std::tuple(510 - 40, 2, PaletteColour(0), PaletteColour(2)));
    EXPECT_EQ(Text("Label6"), QString::number(points));
    // Under Xvfb with ZARN_SCREENSHOT_DIR set, the window and, after the steps
    // below, the canvas with the mirrored shapes uncoloured are saved.
    const QString shots = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(Draw().grab().save(QDir(shots).filePath("draw_window.png")));
    }

    Command("skButton32");  // undo the colours
    EXPECT_EQ(state(), mirrored);
    EXPECT_TRUE(Doc().Selection.empty());
    Command("skButton32");  // undo the mirror
    EXPECT_EQ(state(), std::tuple(40, 4, PaletteColour(4), PaletteColour(0)));
    Command("skButton33");  // redo the mirror
    EXPECT_EQ(state(), mirrored);
    EXPECT_EQ(Doc().Drawing.size(), 4u);
    if (!shots.isEmpty()) {
        EXPECT_TRUE(Draw().Image90()->grab().save(QDir(shots).filePath("draw_canvas_undo_redo.png")));
    }

    Command("BitBtn1");  // New_D
    EXPECT_EQ((QStringList{Text("Label1"), Text("Label6")}), (QStringList{"create a new drawing", "0"}));
    EXPECT_EQ(std::pair(Doc().SnapshotCount(), Doc().UndoIndex), std::pair(1, 0));  // the new drawing only
}

TEST_F(DrawWindowTest, SettingFieldsArrowsCopyModeAndDialogs)
{
    Draw().show();
    Draw().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Draw()));
    TskEdit* sides = Child<TskEdit>("Edit1");
    sides->setFocus();
    sides->selectAll();
    QTest::keyClicks(sides, "a0");  // the letter never gets in
    EXPECT_EQ(sides->text(), "0");
    QTest::keyClick(sides, Qt::Key_Return);
    EXPECT_EQ(std::pair(sides->text(), Doc().PolygonSides), std::pair(QString("3"), 3));
    QTest::mouseClick(Child<UpDown>("UpDown1")->UpButton(), Qt::LeftButton);
    EXPECT_EQ(std::pair(sides->text(), Doc().PolygonSides), std::pair(QString("4"), 4));
    TskEdit* distance = Child<TskEdit>("Edit2");
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, "1");
    sides->setFocus();  // leaving the field commits it
    EXPECT_EQ(Doc().PointDistance, 1);
    QTest::mouseClick(Child<UpDown>("UpDown2")->DownButton(), Qt::LeftButton);
    EXPECT_EQ(Doc().PointDistance, 1);

    Child<TskCheckBox>("skCheckBox1")->Click();
    EXPECT_TRUE(Doc().CopyObjects);
    Command("skButton20");
    EXPECT_FALSE(Doc().ShowPoints);
    Doc().CurrentColor = 6;
    Command("skButton26");
    EXPECT_EQ(Doc().BackColor, 6);
    EXPECT_EQ(Pixel(5, 5), PaletteColour(6));

    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs->fileNames.push_back(QStringLiteral(__FILE__));
    Windows().SetDialogs(std::move(dialogs));
    Command("BitBtn21");
    EXPECT_EQ(Doc().PictureFileName, QStringLiteral(__FILE__));
    EXPECT_FALSE(Doc().PictureOn);  // not a picture: dropped at the repaint
    Command("BitBtn11");
    EXPECT_TRUE(Doc().PictureFileName.isEmpty());

    Command("BitBtn9");
    Command("BitBtn22");
    Command("BitBtn5");
    EXPECT_TRUE(Windows().Form3()->isVisible() && Windows().Form6()->isVisible() && Windows().Form17()->isVisible());
}

}  // namespace
