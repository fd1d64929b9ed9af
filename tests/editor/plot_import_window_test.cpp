#include "editor_fixture.h"

#include "editor/plot_import_window.h"
#include "editor/rotation_window.h"
#include "skin/skin_color.h"
#include "skin/skin_form.h"
#include "skin/button.h"
#include "skin/edit.h"
#include "skin/track_bar.h"

#include <QLabel>
#include <QTest>

namespace {

class PlotImportWindow : public EditorDialogTest {
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        form = windows->Create<TForm17>();
    }
    TForm17* form = nullptr;
};

TEST_F(PlotImportWindow, StartsWithTheDefaultFactorsAndABlackPreview)
{
    EXPECT_EQ(std::pair(form->Label1()->text(), LitPixels(form->PreviewPltBitmap())), std::pair(QString("5"), 0));
    form->TrackBar2()->SetPosition(19);
    EXPECT_EQ(form->Label7()->text(), "19");

    dialogs->fileNames = {"", "/x/plot.plt"};
    form->Edit1()->SetText("kept.plt");
    form->Button1Click();
    EXPECT_EQ(form->Edit1()->Text(), "kept.plt") << "a cancelled choice keeps the name";
    form->Button1Click();
    EXPECT_EQ(form->Edit1()->Text(), "/x/plot.plt");
}

// Each dialog wears its own look: the import Pearl with a grey border, its file name edit alike;
// the rotation dialog keeps Crystal with a black border.
TEST_F(PlotImportWindow, WearsPearlWithAGreyBorderAroundItAndItsEdit)
{
    constexpr TColor kGrey = 8355711;
    const TskForm* frame = form->findChild<TskForm*>("skForm1");
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::pair(frame->UIStyle(), frame->BorderColor()), std::pair(TskUIStyle::Pearl, kGrey));
    EXPECT_EQ(form->Edit1()->BorderColor(), kGrey);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    const QImage window = form->grab().toImage();
    EXPECT_EQ(window.pixelColor(0, window.height() / 2), ToQColor(kGrey));
    const QImage edit = form->Edit1()->grab().toImage();
    EXPECT_EQ(edit.pixelColor(0, edit.height() / 2), ToQColor(kGrey));

    const TskForm* rotation = windows->Create<TForm3>()->findChild<TskForm*>("skForm1");
    ASSERT_TRUE(rotation);
    EXPECT_EQ(std::pair(rotation->UIStyle(), rotation->BorderColor()), std::pair(TskUIStyle::Crystal, clBlack));
}

TEST_F(PlotImportWindow, PreviewThenOkAddsThePathsAsTheSelectionInOneUndoStep)
{
    AddSelectedPath({{10, 10}, {20, 20}});
    LaserPoint* old = Doc().Selection.front();
    Doc().CurrentColor = 6;
    form->Edit1()->SetText(Write("square.plt", kSquarePlot));
    form->TrackBar2()->SetPosition(19);
    form->BitBtn3()->Click();
    EXPECT_EQ(form->Label5()->text(), "7");
    EXPECT_GT(LitPixels(form->PreviewPltBitmap()), 300);
    EXPECT_TRUE(Doc().Drawing.size() == 1u) << "the preview adds nothing";

    form->show();
    form->BitBtn1()->Click();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(Doc().Drawing.size(), 3u);
    EXPECT_EQ(old->mark, kMarkNone) << "the previous selection is cleared";
    ASSERT_EQ(Doc().Selection.size(), 7u);
    for (const LaserPoint* p : Doc().Selection)
        EXPECT_EQ(std::pair(p->mark, p->colour), std::pair(kMarkSelected, std::uint8_t(6)));
    EXPECT_EQ(std::pair(Doc().Drawing[1][2]->x, Doc().Drawing[1][2]->y), std::pair(500, 10));
    EXPECT_TRUE(form->ImportObjects().empty() && Doc().SnapshotCount() == 3);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().Drawing.size(), 1u);
}

TEST_F(PlotImportWindow, ABadOrEmptyFileImportsNothingAndNothingStale)
{
    // A preview of a good file, then a file without any "LT": nothing from the first comes in.
    form->Edit1()->SetText(Write("square.plt", kSquarePlot));
    form->BitBtn3()->Click();
    ASSERT_EQ(form->ImportObjects().size(), 2u);
    form->Edit1()->SetText(Write("nolt.plt", "IN;\nPU0 0;\nPD5 5;\n"));
    form->BitBtn1()->Click();
    EXPECT_TRUE(Doc().Drawing.empty() && Doc().SnapshotCount() == 1);

    form->Edit1()->SetText(Write("bad.plt", "LT;\nPU0 0;\nPD10 10;\nPU100,200;\nSP0;\n"));
    form->BitBtn3()->Click();
    EXPECT_EQ(std::pair(dialogs->asked, form->Label5()->text()), std::pair(QStringList{}, QString("0")));
    form->BitBtn1()->Click();
    EXPECT_TRUE(Doc().Drawing.empty() && Doc().SnapshotCount() == 1);

    // A missing file: preview does nothing, OK only closes.
    form->Edit1()->SetText(folder.filePath("none.plt"));
    form->show();
    form->BitBtn1()->Click();
    EXPECT_TRUE(!form->isVisible() && Doc().Drawing.empty());
}

TEST_F(PlotImportWindow, AFileWithoutPathsSaysSoInTheDialogAndOkKeepsItOpen)
{
    const QString layout = "one command per line, \"PUx y;\" or \"PDx y;\", paths separated by \"LT\"";
    const struct {
        const char* file;
        QByteArray text;
        const char* reason;
    } files[] = {
        {"one_line.plt", "IN;SP1;PU0,0;PD1000,0;PD1000,1000;PU0,0;SP0;", "no path found in this file"},
        {"no_points.plt", "IN;\nLT;\nSP1;\nSP0;\n", "no path found in this file"},
        {"commas.plt", "IN;\nLT;\nPU0,0;\nPD100,100;\nSP0;\n", "a point line could not be read"},
    };
    form->show();
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        form->Edit1()->SetText(Write(f.file, f.text));
        form->BitBtn3()->Click();
        EXPECT_TRUE(form->MessageLabel()->text().startsWith(f.reason)) << form->MessageLabel()->text().toStdString();
        EXPECT_TRUE(form->MessageLabel()->text().replace(QChar(0xa0), ' ').contains(layout));
        EXPECT_EQ(form->Label5()->text(), "0");
        form->MessageLabel()->clear();
        form->BitBtn1()->Click();
        EXPECT_TRUE(form->isVisible()) << "nothing was imported: the dialog stays and says why";
        EXPECT_TRUE(form->MessageLabel()->text().startsWith(f.reason) && Doc().Drawing.empty() && Doc().SnapshotCount() == 1);
    }
    // A file with paths clears the message, and OK imports and closes.
    form->Edit1()->SetText(Write("square.plt", kSquarePlot));
    form->BitBtn3()->Click();
    EXPECT_TRUE(form->MessageLabel()->text().isEmpty());
    form->BitBtn1()->Click();
    EXPECT_TRUE(!form->isVisible() && Doc().Drawing.size() == 2u);
}

TEST_F(PlotImportWindow, ANewFileDropsTheOldPreviewAndEachFaultIsOneMessageInTheDialog)
{
    form->show();
    form->Edit1()->SetText(Write("square.plt", kSquarePlot));
    form->BitBtn3()->Click();
    ASSERT_EQ(form->Label5()->text(), "7");
    ASSERT_GT(LitPixels(form->PreviewPltBitmap()), 0);

    // "Find...." chooses a file with a bad point line: the old preview and count go at once.
    dialogs->fileNames = {Write("bad.plt", "IN;\nLT;\nPU0 0;\nPD10 10;\nPU100,200;\nSP0;\n")};
    QTest::mouseClick(form->findChild<QWidget*>("Button1"), Qt::LeftButton);
    EXPECT_EQ(std::pair(LitPixels(form->PreviewPltBitmap()), form->Label5()->text()), std::pair(0, QString("0")));
    EXPECT_EQ(LitPixels(form->Image1()->pixmap().toImage()), 0);
    form->BitBtn1()->Click();
    EXPECT_EQ(dialogs->asked, QStringList{"file: Import Plt"}) << "no box over the dialog";
    EXPECT_TRUE(form->MessageLabel()->text().startsWith("a point line could not be read: line 5 \"PU100,200;\""))
        << form->MessageLabel()->text().toStdString();
    EXPECT_TRUE(form->isVisible() && Doc().Drawing.empty());

    // A typed name of a file that is not there: Preview says so.
    form->BitBtn3()->Click();
    form->Edit1()->selectAll();
    QTest::keyClicks(form->Edit1(), folder.filePath("none.plt"));
    EXPECT_TRUE(form->MessageLabel()->text().isEmpty()) << "a new name drops the old message";
    form->BitBtn3()->Click();
    EXPECT_EQ(form->MessageLabel()->text(), "file not found: " + folder.filePath("none.plt"));
    EXPECT_EQ(dialogs->asked.size(), 1);
}

}  // namespace
