#pragma once
// The Draw window made through the window registry, driven as an operator
// drives it: its named buttons and tools, and mouse clicks on the canvas.

#include "app/create_windows.h"
#include "app/shell_fixture.h"
#include "editor/draw_canvas.h"
#include "editor/draw_window.h"
#include "skin/button.h"
#include "skin/tool_bar.h"

#include <QLabel>
#include <QTest>

class DrawWindowFixture : public ShellTest {
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
    /// A click on the canvas at (x, y); (0, 0) would mean the centre to QTest.
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
};
