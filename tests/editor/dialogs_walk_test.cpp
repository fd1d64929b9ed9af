#include "app/create_windows.h"
#include "app/shell_fixture.h"
#include "editor/draw_canvas.h"
#include "editor/draw_window.h"
#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "editor/text_window.h"
#include "skin/button.h"
#include "skin/edit.h"
#include "skin/memo.h"
#include "skin/track_bar.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

const QByteArray kHouse =
    "IN;\nSP1;\nLT;\n"
    "PU1000 1000;\nPD5000 1000;\nPD5000 4000;\nPD3000 6000;\nPD1000 4000;\nPD1000 1000;\n"
    "LT;\n"
    "PU2500 1000;\nPD2500 2500;\nPD3500 2500;\nPD3500 1000;\nSP0;\n";

class DialogsWalk : public ShellTest {
protected:
    TForm1& Draw() { return *Windows().Form1(); }
    void Command(const char* button)
    {
        auto* b = Draw().findChild<TskButton*>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void Press(TskButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(DialogsWalk, ImportRotateAndTextInTwoFontsScreenshot)
{
    CreateWindows(Windows());
    TForm1& draw = Draw();
    draw.move(0, 0);
    draw.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&draw));
    DrawDocument& doc = draw.Document();

    // The plot, scaled by the size factor.
    QFile file(folder_.filePath("house.plt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kHouse);
    file.close();
    Command("BitBtn5");
    TForm17& import = *Windows().Form17();
    ASSERT_TRUE(import.isVisible());
    import.Edit1()->SetText(file.fileName());
    import.TrackBar2()->SetPosition(16);
    Press(import.BitBtn1());
    ASSERT_EQ(doc.Drawing.size(), 2u);
    ASSERT_EQ(doc.Selection.size(), 10u);

    // Moved to the middle with the move tool, then turned about the canvas centre.
    draw.ToolButtonClick(Tool::MoveObjects);
    draw.Image90MouseDown(ToolButton::Left, false, 50, 450);
    draw.Image90MouseMove(false, 230, 300);
    draw.Image90MouseUp(ToolButton::Left, false, 230, 300);
    const int movedX = doc.Drawing[0][1]->x;
    Command("BitBtn9");
    TForm3& rotation = *Windows().Form3();
    ASSERT_TRUE(rotation.isVisible());
    rotation.TrackBar1()->SetPosition(45);
    Press(rotation.BitBtn1());
    EXPECT_NE(doc.Drawing[0][1]->x, movedX);
    EXPECT_EQ(doc.Drawing.size(), 2u);

    // "Zarn" and two ideographs in the default font and factors at the top (the
    // ideographs from a face that has them), then "Zarn" in a serif face further down.
    Command("BitBtn22");
    TForm6& text = *Windows().Form6();
    ASSERT_TRUE(text.isVisible());
    text.move(660, 330);
    text.skMemo1()->SetText(QString::fromUtf8("Zarn \u6FC0\u5149"));
    Press(text.BitBtn3());
    ASSERT_EQ(doc.Drawing.size(), 2u + 6u);

    Command("BitBtn22");
    text.SetFontChooser([](QWidget*, const QFont&) { return std::optional<QFont>(QFont("Liberation Serif", 12)); });
    Press(text.BitBtn1());
    text.skMemo1()->SetText("\n\n\nZarn");
    Press(text.BitBtn3());
    ASSERT_EQ(doc.Drawing.size(), 2u + 10u);
    // The second line of letters lies three rows (3 x 64 canvas units) below the first.
    EXPECT_GT(doc.Drawing[8][0]->y, doc.Drawing[2][0]->y + 150);

    // The dialog open again over the Draw window, previewing the serif text.
    Command("BitBtn22");
    Press(text.BitBtn2());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));

    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QTest::qWait(100);
    const QRect area = draw.frameGeometry().united(text.frameGeometry());
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                                        area.height());
    EXPECT_TRUE(screen.save(QDir(dir).filePath("draw_window_with_dialogs.png")));

    // Each dialog on its own with content: the plot previewed, the text turned by 45 degrees.
    import.show();
    Press(import.BitBtn3());
    rotation.show();
    rotation.TrackBar1()->SetPosition(45);
    const std::pair<QWidget*, const char*> shots[] = {
        {&import, "import_plt_window.png"}, {&rotation, "rotation_window.png"}, {&text, "text_window.png"}};
    for (const auto& [window, name] : shots) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << name;
        EXPECT_TRUE(window->grab().save(QDir(dir).filePath(name))) << name;
    }
}

}  // namespace
