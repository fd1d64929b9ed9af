// The Draw window driven as an operator drives it: tool buttons, canvas
// strokes with the mouse, object commands, undo and redo, labels.

#include "app/create_windows.h"
#include "app/main_window.h"
#include "app/shell_fixture.h"
#include "editor/draw_canvas.h"
#include "editor/draw_window.h"
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class DrawWindowTest : public ShellTest {
protected:
    TForm1& Draw()
    {
        if (!Windows().Form15())
            CreateWindows(Windows());
        return *Windows().Form1();
    }
    DrawDocument& Doc() { return Draw().Document(); }

    template <class T = QWidget>
    T* Child(const char* name)
    {
        T* child = Draw().findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Text(const char* label) { return Child<QLabel>(label)->text(); }

    void Tool(const char* button) { QTest::mouseClick(Child<TskToolButton>(button), Qt::LeftButton); }
    void Command(const char* button) { QTest::mouseClick(Child<TskButton>(button), Qt::LeftButton); }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseMove(Draw().Image90(), QPoint(x, y));
        QTest::mouseClick(Draw().Image90(), button, mods, QPoint(x, y));
    }
    void Right() { Click(5, 5, Qt::RightButton); }
    /// The canvas pixel at (x, y), as 0x00BBGGRR.
    std::uint32_t Pixel(int x, int y)
    {
        const QRgb c = Draw().Image90()->Picture().pixel(x, y);
        return std::uint32_t(qRed(c)) | std::uint32_t(qGreen(c)) << 8 | std::uint32_t(qBlue(c)) << 16;
    }

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

TEST_F(DrawWindowTest, ScreenshotWithFourShapesTwoSelectedAndMirrored)
{
    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZARN_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    Draw().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Draw()));
    DrawFourShapes();
    Tool("skButton22");
    Click(90, 50);   // the polyline
    Click(370, 160); // the rectangle's lower side
    Command("BitBtn18");
    Command("skButton34");
    QTest::qWait(50);
    EXPECT_TRUE(Draw().grab().save(QDir(dir).filePath("draw_window.png")));
}

}  // namespace
