// Under Xvfb with ZARN_SCREENSHOT_DIR set, saves what the operator sees of the
// Draw window's dialogs with real content: a previewed plot, a selection turned
// by 45 degrees and "Zarn" with two ideographs in the default font.
#include "editor_fixture.h"

#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "editor/text_window.h"
#include "skin/button.h"
#include "skin/edit.h"
#include "skin/memo.h"
#include "skin/track_bar.h"

#include <QDir>
#include <QTest>

namespace {

// A house with a door, as a drawing program would plot it.
const QByteArray kHousePlot =
    "IN;\nSP1;\nLT;\n"
    "PU1000 1000;\nPD5000 1000;\nPD5000 4000;\nPD3000 6000;\nPD1000 4000;\nPD1000 1000;\n"
    "LT;\n"
    "PU2500 1000;\nPD2500 2500;\nPD3500 2500;\nPD3500 1000;\nSP0;\n";

TEST_F(EditorDialogTest, ScreenshotOfTheDialogs)
{
    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZARN_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);

    TForm17& import = *windows->Create<TForm17>();
    import.Edit1()->SetText(Write("house.plt", kHousePlot));
    import.TrackBar2()->SetPosition(19);
    import.BitBtn3()->Click();

    AddSelectedPath({{156, 156}, {356, 156}, {356, 356}, {156, 356}, {156, 156}});
    TForm3& rotation = *windows->Create<TForm3>();
    Doc().CopyObjects = true;
    rotation.show();
    rotation.TrackBar1()->SetPosition(45);

    // The default font and factors; the ideographs come from a face that has them.
    TForm6& text = *windows->Create<TForm6>();
    text.skMemo1()->SetText(QString::fromUtf8("Zarn \u6FC0\u5149\n\nLaser"));
    text.BitBtn2()->Click();

    const std::pair<QWidget*, const char*> shots[] = {
        {&import, "import_plt_window.png"}, {&rotation, "rotation_window.png"}, {&text, "text_window.png"}};
    for (const auto& [window, file] : shots) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << file;
        EXPECT_TRUE(window->grab().save(QDir(dir).filePath(file))) << file;
    }
}

}  // namespace
