#include "app/output_settings_window.h"
#include "app/shell_fixture.h"
#include "common/full_disk.h"
#include "common/test_files.h"
#include "common/test_points.h"
#include "editor/draw_window.h"
#include "editor/draw_document.h"
#include "editor/draw_play_panel.h"
#include "editor/editor_player.h"
#include "editor/frame_pages_panel.h"
#include "editor/frame_thumbnail.h"
#include "editor/palette_grid_panel.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/palette.h"
#include "model/screen_colour.h"
#include "output/play_handover.h"
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/grids/draw_grid.h"
#include "skin/eliding_label.h"
#include "skin/tool_bar.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <iostream>

namespace {

// A frame of `points` points on a small star whose size grows with the frame number.
TILDAframe StarFrame(int index, int points = 40)
{
    TILDAframe frame;
    const double r = 30 + (index % 8) * 12;
    for (int k = 0; k <= points; ++k) {
        const double a = 2 * M_PI * k / points;
        const double rr = (k % 2 == 0) ? r : r / 2;
        auto p = std::make_unique<LaserPoint>();
        p->x = int(rr * std::cos(a + index * 0.2));
        p->y = int(rr * std::sin(a + index * 0.2));
        p->colour = std::uint8_t(1 + (index + k / 8) % 60);
        p->blank = k == 0;
        frame.Points.push_back(std::move(p));
    }
    return frame;
}

class DrawPanelsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        QDir(folder_.path()).mkpath(QStringLiteral("ILDAimage"));
        QDir(folder_.path()).mkpath(QStringLiteral("Drawing"));
        Windows();
        SizeX = 20;
        SizeY = 20;
        IldaFrameInterval = 2;
        OutputChannel = 1;
        draw_ = Windows().Create<TForm1>();
        pagesPanel_ = draw_->FramePages();
        palettePanel_ = draw_->Palette();
        playPanel_ = draw_->PlayPanel();
    }

    DrawDocument& Doc() { return draw_->Document(); }
    QString WriteImage(int frames)
    {
        TILDAimage image;
        for (int i = 0; i < frames; ++i)
            image.Frames.push_back(StarFrame(i));
        const QString path = QDir(folder_.path()).filePath(QStringLiteral("ILDAimage/stars.ild"));
        EXPECT_TRUE(WriteIldaFile(path, image));
        return path;
    }
    void Click(QWidget* in, const char* name)
    {
        QWidget* w = in->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    QStringList Labels(std::initializer_list<const char*> names) const
    {
        QStringList texts;
        for (const char* name : names)
            texts << pagesPanel_->LabelText(name);
        return texts;
    }
    int VisibleThumbnails() const
    {
        int n = 0;
        for (int slot = 0; slot < kThumbnailsPerPage; ++slot)
            n += pagesPanel_->Thumbnail(slot)->isVisibleTo(pagesPanel_) ? 1 : 0;
        return n;
    }

    TForm1* draw_ = nullptr;
    FramePagesPanel* pagesPanel_ = nullptr;
    PaletteGridPanel* palettePanel_ = nullptr;
    DrawPlayPanel* playPanel_ = nullptr;
};

QString LabelOf(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

TEST_F(DrawPanelsTest, PagingSelectingAndExchangingFramesThroughTheButtons)
{
    EXPECT_EQ(std::pair(VisibleThumbnails(), pagesPanel_->LabelText("FileName")), std::pair(0, QString("*.ild")));
    dialogs_->fileNames = {WriteImage(64)};
    Click(draw_, "skButton4");
    EXPECT_EQ(Labels({"FileName", "TotalFrames", "PageCount"}), (QStringList{"stars.ild", "64", "3"}));
    EXPECT_EQ(VisibleThumbnails(), 24);

    Click(draw_, "skButton3");
    Click(draw_, "skButton3");
    Click(draw_, "skButton3");  // already on the last page
    EXPECT_EQ(std::pair(pagesPanel_->LabelText("Page"), VisibleThumbnails()), std::pair(QString("3"), 16));

    QTest::mouseClick(pagesPanel_->Thumbnail(5), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Labels({"FrameNumber", "PointCount"}), (QStringList{"54", "41"}));
    // The selected thumbnail carries the mark, the others do not.
    auto marks = [&] {
        std::vector<QColor> out;
        for (int slot : {4, 5, 6})
            out.push_back(pagesPanel_->Thumbnail(slot)->Picture().pixelColor(32, 32));
        return out;
    };
    EXPECT_EQ(marks(), (std::vector<QColor>{Qt::black, Qt::red, Qt::black}));
    QTest::mouseClick(pagesPanel_->Thumbnail(6), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(marks(), (std::vector<QColor>{Qt::black, Qt::black, Qt::red}));

    Click(draw_, "skButton6");  // Send To Drawing
    EXPECT_EQ(LabelOf(*draw_, "Label6"), QStringLiteral("41")) << "the canvas is redrawn";
    ASSERT_EQ(Doc().Drawing.size(), 1u);
    ASSERT_EQ(Doc().Drawing[0].size(), 41u);
    Doc().Drawing[0][3]->x = 40;  // an edit on the canvas
    Doc().Drawing[0][3]->y = 60;
    Doc().PushUndo();
    Click(draw_, "skButton5");  // Get From Drawing
    const LaserPoint& edited = *pagesPanel_->Pages().EditedImage.Frames[54].Points[3];
    EXPECT_EQ(std::pair(edited.x, edited.y), std::pair(40 / 2 - 128, 128 - 60 / 2));

    const QString editedPath = QDir(folder_.path()).filePath(QStringLiteral("ILDAimage/edited.ild"));
    dialogs_->fileNames = {QDir(folder_.path()).filePath(QStringLiteral("ILDAimage/edited"))};
    Click(draw_, "skButton11");
    EXPECT_EQ(pagesPanel_->LabelText("FileName"), QStringLiteral("edited.ild"));
    TILDAimage back;
    ASSERT_TRUE(ReadIldaFile(editedPath, back));
    ASSERT_EQ(back.Frames.size(), 64u);
    EXPECT_EQ(std::pair(back.Frames[54].Points[3]->x, back.Frames[54].Points[3]->y), std::pair(-108, 98));

    Click(draw_, "skButton9");  // Del frame 55
    EXPECT_EQ(Labels({"TotalFrames", "FrameNumber"}), (QStringList{"63", "55"}));
    EXPECT_EQ(VisibleThumbnails(), 15);
    dialogs_->asked.clear();
    Click(draw_, "skButton10");  // saves over the opened file without asking
    EXPECT_TRUE(dialogs_->asked.isEmpty());
    ASSERT_TRUE(ReadIldaFile(editedPath, back));
    EXPECT_EQ(back.Frames.size(), 63u);

    // The first tick comes after 300 ms; then one frame per 15.625 ms tick.
    Click(draw_, "ToolButton1");
    EXPECT_EQ(draw_->Status(), QStringLiteral("ILDAimage playing start....."));
    EditorPlayer& player = playPanel_->Player();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.Shared().Current().EditorFrameIndex >= 3; }, 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return playPanel_->PointCountText() == QStringLiteral("41"); }, 60000));
    Click(draw_, "ToolButton8");
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    ASSERT_TRUE(QTest::qWaitFor([&] { return draw_->Status() == QStringLiteral("ILDAimage playing end..."); }, 60000));
    EXPECT_FALSE(player.Timer1().isEnabled());

    Click(draw_, "BitBtn28");
    EXPECT_EQ(draw_->Status(), QStringLiteral("drawing playing start..."));
    Click(draw_, "ToolButton8");
    ASSERT_TRUE(QTest::qWaitFor([&] { return draw_->Status() == QStringLiteral("drawing playing end..."); }, 60000));

    // New_D forgets the file; Save_D then asks for a name.
    Click(draw_, "BitBtn1");
    dialogs_->fileNames = {QDir(folder_.path()).filePath(QStringLiteral("Drawing/empty"))};
    Click(draw_, "BitBtn4");
    EXPECT_EQ(Doc().DrawingFileName, QDir(folder_.path()).filePath(QStringLiteral("Drawing/empty.ddr")));
    EXPECT_EQ(LabelOf(*draw_, "Label8"), QStringLiteral("empty.ddr"));
}

// Send To Drawing is one step of the history: Undo brings back the drawing it replaced,
// edits the history never recorded (a paste) included.
TEST_F(DrawPanelsTest, SendToDrawingIsOneUndoStep)
{
    auto points = [this] { return PointPositions(Doc().Drawing); };
    dialogs_->fileNames = {WriteImage(3)};
    Click(draw_, "skButton4");
    Doc().Drawing = TestPolygon(3, 200, 200, 50, 2);
    Doc().PushUndo();
    Click(draw_, "skButton30");  // SaveBuff
    Click(draw_, "skButton31");  // ReadBuff: pasted without an undo step
    const auto unsaved = points();
    ASSERT_EQ(unsaved.size(), 8u);

    QTest::mouseClick(pagesPanel_->Thumbnail(1), Qt::LeftButton, {}, QPoint(10, 10));
    Click(draw_, "skButton6");  // Send To Drawing
    const auto sent = points();
    ASSERT_NE(sent, unsaved);
    Click(draw_, "skButton32");
    EXPECT_EQ(points(), unsaved);
    Click(draw_, "skButton33");
    EXPECT_EQ(points(), sent);
    Click(draw_, "skButton32");
    Click(draw_, "skButton32");  // the step before the paste
    EXPECT_EQ(points().size(), 4u);
}

TEST_F(DrawPanelsTest, AnIldaFileNameShowsWholeOrCutBeforeTotalFrames)
{
    draw_->show();
    const QString shortName = WriteImage(1);
    const QString underscored = QDir(folder_.path()).filePath("ILDAimage/font_Arial.ild");
    const QString longName = QDir(folder_.path()).filePath("ILDAimage/a_very_long_name_for_a_show_image.ild");
    for (const QString& target : {underscored, longName})
        ASSERT_TRUE(QFile::copy(shortName, target));
    ElidingLabel* label = nullptr;
    for (QLabel* l : pagesPanel_->findChildren<QLabel*>())
        if (l->text() == "*.ild")
            label = qobject_cast<ElidingLabel*>(l);
    ASSERT_NE(label, nullptr) << "the file name is cut with dots when too long";
    const QLabel* total = nullptr;
    for (QLabel* l : pagesPanel_->findChildren<QLabel*>())
        if (l->text() == "Total Frames")
            total = l;
    ASSERT_NE(total, nullptr);
    EXPECT_FALSE(label->geometry().intersects(total->geometry()));

    // Tall enough for the underscore, and whole when it fits.
    dialogs_->fileNames = {underscored};
    Click(pagesPanel_, "skButton4");
    EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height());
    EXPECT_TRUE(label->TextFits() && label->ShownText() == "font_Arial.ild") << label->ShownText().toStdString();

    // A long name keeps its text and shows a cut that fits the label.
    dialogs_->fileNames = {longName};
    Click(pagesPanel_, "skButton4");
    EXPECT_EQ(pagesPanel_->LabelText("FileName"), "a_very_long_name_for_a_show_image.ild");
    EXPECT_FALSE(label->TextFits());
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->ShownText()), label->width());
}

TEST_F(DrawPanelsTest, PaletteCellChoosesTheColourOfNewPoints)
{
    EXPECT_EQ(palettePanel_->LabelText("ColorIndex"), QStringLiteral("4"));
    draw_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(draw_));
    TskDrawGrid* grid = palettePanel_->Grid();
    const QRect cell = grid->CellRect(1, 2);
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Doc().CurrentColor, 66);
    const QColor c = ToQColor(PaletteColour(66));
    EXPECT_EQ((QStringList{palettePanel_->LabelText("ColorIndex"), palettePanel_->LabelText("R"), palettePanel_->LabelText("G"),
                           palettePanel_->LabelText("B")}),
              (QStringList{"66", QString::number(c.red()), QString::number(c.green()), QString::number(c.blue())}));
    EXPECT_EQ(palettePanel_->SwatchColour(), c);
}

TEST_F(DrawPanelsTest, DrawingFilesAndBufferThroughTheButtons)
{
    Doc().Drawing = TestPolygon(2, 200, 200, 50, 4);
    Click(playPanel_, "skButton30");
    EXPECT_EQ(draw_->Status(), QStringLiteral("save to buffer success!"));
    Click(playPanel_, "skButton31");
    EXPECT_EQ(draw_->Status(), QStringLiteral("read from buffer success!"));
    EXPECT_EQ(std::pair(Doc().Drawing.size(), Doc().Selection.size()), std::pair(std::size_t{2}, std::size_t{3}));
}

TEST_F(DrawPanelsTest, DrawingPlayOfMoreThanAFrameHoldsSaysWhereTheFrameIsCut)
{
    sim_->Attach(0);
    PublishDeviceTargets(MakeDeviceTargets("ezusb-0", {}, false));
    // 20,000 points on two paths, saved and opened as the operator does.
    std::vector<QPoint> points;
    for (int i = 0; i < 10000; ++i)
        points.push_back(QPoint(i % 250, i / 250));
    WriteShape("big.ddr", points, 3);
    dialogs_->fileNames = {QDir(folder_.path()).filePath("Drawing/big.ddr")};
    Click(draw_, "BitBtn3");
    Doc().Drawing.push_back(std::move(TestPolygon(10000, 200, 200, 50, 4)[0]));
    ASSERT_EQ(Doc().PointCount(), 20001);

    Click(draw_, "BitBtn28");
    EXPECT_EQ(draw_->Status(), QStringLiteral("drawing playing start... (cut to 16384 pts)"));
    auto* status = draw_->findChild<ElidingLabel*>("Label1");
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->TextFits()) << status->ShownText().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !SentFrames().empty(); }, 60000));
    EXPECT_EQ(SentFrames().front(), 16384u);
    Click(draw_, "ToolButton8");

    // A drawing that fits says only the start.
    Doc().Drawing.resize(1);
    Click(draw_, "BitBtn28");
    EXPECT_EQ(draw_->Status(), QStringLiteral("drawing playing start..."));
    Click(draw_, "ToolButton8");
}

TEST_F(DrawPanelsTest, ToolButtonsWriteTheSharedSwitchesAndShowTheOutputSettings)
{
    auto switches = [] { return std::vector<int>{MirrorX.load(), MirrorY.load(), FreezePlay.load(), LoopPlay.load()}; };
    Click(playPanel_, "ToolButton9");
    Click(playPanel_, "ToolButton3");
    Click(playPanel_, "ToolButton10");
    EXPECT_EQ(switches(), (std::vector<int>{1, 1, 1, 0}));
    Click(playPanel_, "ToolButton10");
    Click(playPanel_, "ToolButton5");
    EXPECT_EQ(switches(), (std::vector<int>{1, 1, 0, 1}));

    TForm13* settings = Windows().Create<TForm13>();
    EXPECT_FALSE(settings->isVisible());
    Click(playPanel_, "ToolButton2");
    EXPECT_TRUE(settings->isVisible());
}

// A path's kind and bytes, to compare before and after.
struct DiskState {
    bool isFile = false;
    bool isDir = false;
    qint64 size = 0;
    QByteArray bytes;  ///< the first MB: a terabyte is told by its size
    bool operator==(const DiskState&) const = default;
};

DiskState StateOf(const QString& path)
{
    const QFileInfo info(path);
    DiskState state{info.isFile(), info.isDir(), info.isFile() ? info.size() : 0, {}};
    QFile file(path);
    if (state.isFile && file.open(QIODevice::ReadOnly))
        state.bytes = file.read(qint64{1} << 20);
    return state;
}

// Ways for an existing file to be unreadable; each says whether it could be made.
struct BadFile {
    const char* name;
    std::function<bool(const QString& path, const QByteArray& good)> make;
};

std::vector<BadFile> BadFiles()
{
    return {
        {"pipe", [](const QString& p, const QByteArray&) { return mkfifo(qPrintable(p), 0600) == 0; }},
        {"folder", [](const QString& p, const QByteArray&) { return QDir().mkpath(p); }},
        {"empty file", [](const QString& p, const QByteArray&) { return !WriteTestFile(p, {}).isEmpty(); }},
        {"cut in the first record",
         [](const QString& p, const QByteArray& good) { return !WriteTestFile(p, good.left(4)).isEmpty(); }},
        {"no read permission",
         [](const QString& p, const QByteArray& good) {
             WriteTestFile(p, good);
             return geteuid() != 0 && QFile::setPermissions(p, QFileDevice::WriteOwner);
         }},
        // Larger than any file of its kind may be; sparse, so it takes no disk.
        {"a terabyte",
         [](const QString& p, const QByteArray& good) {
             QFile file(WriteTestFile(p, good));
             return file.resize(qint64{1} << 40);
         }},
    };
}

TEST_F(DrawPanelsTest, AnIldaFileThatCannotBeOpenedChangesNothing)
{
    TForm1& draw = *draw_;
    const QString good = WriteImage(30);
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.name);
        dialogs_->fileNames = {good};
        Click(&draw, "skButton4");
        Click(&draw, "skButton3");
        ASSERT_EQ(draw.FramePages()->LabelText("Page"), QStringLiteral("2"));
        const QString path = QDir(folder_.path()).filePath(QStringLiteral("ILDAimage/bad-%1.ild").arg(bad.name));
        if (!bad.make(path, StateOf(good).bytes))
            continue;
        const DiskState before = StateOf(path);

        dialogs_->fileNames = {path};
        dialogs_->asked.clear();
        Click(&draw, "skButton4");
        ASSERT_EQ(dialogs_->asked.size(), 2);  // the dialog, then the message
        EXPECT_TRUE(dialogs_->asked[1].startsWith(QStringLiteral("Open: "))) << dialogs_->asked[1].toStdString();
        if (QByteArray(bad.name) == "a terabyte")
            EXPECT_TRUE(dialogs_->asked[1].contains(path) && dialogs_->asked[1].contains(QString::number(kMaxIldaFileBytes)))
                << dialogs_->asked[1].toStdString();
        EXPECT_EQ(Labels({"FileName", "Page", "TotalFrames"}), (QStringList{"stars.ild", "2", "30"}));
        EXPECT_EQ(draw.FramePages()->Pages().IldaFileName, good);

        dialogs_->asked.clear();
        Click(&draw, "skButton10");
        EXPECT_TRUE(dialogs_->asked.isEmpty());
        EXPECT_EQ(StateOf(path), before);
    }
}

TEST_F(DrawPanelsTest, AnIldaFileReadInPartOpensAsANewImage)
{
    TForm1& draw = *draw_;
    const QString whole = WriteImage(8);  // frames of 32 + 8 x 41 bytes
    dialogs_->fileNames = {whole};
    Click(&draw, "skButton4");
    const QString cut = QDir(folder_.path()).filePath(QStringLiteral("ILDAimage/cut.ild"));
    WriteTestFile(cut, StateOf(whole).bytes.left(5 * (32 + 8 * 41) + 20));  // into the sixth frame
    const DiskState before = StateOf(cut);

    dialogs_->fileNames = {cut};
    dialogs_->asked.clear();
    Click(&draw, "skButton4");
    EXPECT_TRUE(dialogs_->asked.contains(QStringLiteral("Open: Read Error!")));
    EXPECT_EQ(Labels({"TotalFrames", "FileName"}), (QStringList{"5", "NewImage.ild"}));

    dialogs_->asked.clear();
    Click(&draw, "skButton10");  // asks for a name: cancelled
    EXPECT_EQ(dialogs_->asked, QStringList{QStringLiteral("file: Save")});
    dialogs_->fileNames = {cut};
    dialogs_->answers = {Dialogs::Answer::No};
    Click(&draw, "skButton11");
    ASSERT_EQ(dialogs_->asked.size(), 3);
    EXPECT_TRUE(dialogs_->asked[2].contains(QStringLiteral("already exists"))) << dialogs_->asked[2].toStdString();
    EXPECT_EQ(StateOf(cut), before);
}

TEST_F(DrawPanelsTest, ADrawingThatCannotBeReadOrIsCutNeverTakesTheFileName)
{
    TForm1& draw = *draw_;
    const QString drawings = QDir(folder_.path()).filePath(QStringLiteral("Drawing/"));
    const QString good = WriteTestFile(drawings + "good.ddr", QByteArray("\x10\x10\x02\x04\x01\x20\x20\x00\x04\x80", 10));
    for (const BadFile& bad : BadFiles()) {
        if (QByteArray(bad.name) == "empty file" || QByteArray(bad.name) == "cut in the first record")
            continue;  // an empty drawing file is an empty drawing; a cut one is read in part below
        SCOPED_TRACE(bad.name);
        dialogs_->fileNames = {good};
        Click(&draw, "BitBtn3");
        const QString path = drawings + "bad-" + bad.name + ".ddr";
        if (!bad.make(path, StateOf(good).bytes))
            continue;
        const DiskState before = StateOf(path);
        dialogs_->fileNames = {path};
        dialogs_->asked.clear();
        Click(&draw, "BitBtn3");
        ASSERT_EQ(dialogs_->asked.size(), 2);
        EXPECT_TRUE(dialogs_->asked[1].startsWith(QStringLiteral("Open_D: Cannot open file"))) << dialogs_->asked[1].toStdString();
        if (QByteArray(bad.name) == "a terabyte")
            EXPECT_TRUE(dialogs_->asked[1].contains(path) && dialogs_->asked[1].contains(QString::number(kMaxDrawingFileBytes)))
                << dialogs_->asked[1].toStdString();
        EXPECT_EQ(std::pair(LabelOf(draw, "Label8"), draw.Document().PointCount()), std::pair(QString("good.ddr"), std::size_t{2}));
        Click(&draw, "BitBtn4");
        EXPECT_EQ(StateOf(path), before);
    }

    const QString cut = WriteTestFile(drawings + "cut.ddr", StateOf(good).bytes.left(7));
    dialogs_->fileNames = {cut};
    dialogs_->asked.clear();
    Click(&draw, "BitBtn3");
    EXPECT_TRUE(dialogs_->asked.contains(QStringLiteral("Open_D: Read Error!")));
    EXPECT_EQ(std::pair(LabelOf(draw, "Label8"), draw.Document().PointCount()), std::pair(QString("newdrawing"), std::size_t{1}));
    dialogs_->asked.clear();
    Click(&draw, "BitBtn4");  // asks for a name: cancelled
    EXPECT_EQ(dialogs_->asked, QStringList{QStringLiteral("file: Save_D")});
    EXPECT_EQ(StateOf(cut).bytes, StateOf(good).bytes.left(7));
}

TEST_F(DrawPanelsTest, SavesOntoAFullDiskKeepTheFilesAndSayWhy)
{
    TForm1& draw = *draw_;
    for (const bool realDisk : {false, true}) {
        SCOPED_TRACE(realDisk ? "full tmpfs" : "file size limit");
        const QString folder = QDir(folder_.path()).filePath(realDisk ? QStringLiteral("disk") : QStringLiteral("own"));
        std::unique_ptr<SmallDisk> disk;
        if (realDisk) {
            disk = std::make_unique<SmallDisk>(folder);
            if (!disk->mounted()) {
                std::cout << "no right to mount a small disk: the full tmpfs case is left out\n";
                continue;
            }
        }
        QDir().mkpath(folder);
        // A drawing of 300 points (1,500 bytes) and an image of 4 frames, both saved once.
        const QString ddr = WriteTestFile(folder + "/old.ddr", QByteArray(50, '\x40'));
        dialogs_->fileNames = {ddr};
        Click(&draw, "BitBtn3");
        Path path;
        for (int i = 0; i < 300; ++i)
            path.push_back(std::make_unique<LaserPoint>(LaserPoint{i, i, 0, 4, 0, std::uint8_t(i == 0)}));
        draw.Document().Drawing.push_back(std::move(path));
        draw.Document().PushUndo();
        TILDAimage image;
        for (int i = 0; i < 4; ++i)
            image.Frames.push_back(StarFrame(i));
        ASSERT_TRUE(WriteIldaFile(folder + "/old.ild", image));
        dialogs_->fileNames = {folder + "/old.ild"};
        Click(&draw, "skButton4");
        Click(&draw, "skButton7");  // one frame more to save
        const DiskState ddrBefore = StateOf(ddr);
        const DiskState ildBefore = StateOf(folder + "/old.ild");

        dialogs_->asked.clear();
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (disk)
                disk->Fill();
            else
                limit = std::make_unique<FileSizeLimit>(16);
            Click(&draw, "BitBtn4");
            Click(&draw, "skButton10");
        }
        const char* reason = realDisk ? "No space left on device" : "File too large";
        ASSERT_EQ(dialogs_->asked.size(), 2);
        for (int i : {0, 1})
            EXPECT_TRUE(dialogs_->asked[i].startsWith(i ? "Save: Cannot save file" : "Save_D: Cannot save file")
                        && dialogs_->asked[i].contains(reason)) << dialogs_->asked[i].toStdString();
        EXPECT_TRUE(StateOf(ddr) == ddrBefore && StateOf(folder + "/old.ild") == ildBefore);
        EXPECT_EQ(std::tuple(LabelOf(draw, "Label8"), draw.Document().SnapshotCount(), draw.FramePages()->LabelText("FileName")),
                  std::tuple(QString("old.ddr"), 2, QString("old.ild")));
    }
}

TEST_F(DrawPanelsTest, ScreenshotOfThePagesAndThePlayPreview)
{
    const QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZARN_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    TForm1& draw = *draw_;
    dialogs_->fileNames = {WriteImage(40)};
    Click(&draw, "skButton4");
    QTest::mouseClick(draw.FramePages()->Thumbnail(9), Qt::LeftButton, {}, QPoint(5, 5));
    Click(&draw, "skButton6");
    draw.RedrawDrawing();
    Click(&draw, "ToolButton5");
    Click(&draw, "ToolButton1");
    EditorPlayer& player = draw.PlayPanel()->Player();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.Shared().Current().EditorFrameIndex >= 3; }, 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return draw.PlayPanel()->PointCountText() != QStringLiteral("0"); }, 60000));
    draw.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&draw));
    EXPECT_TRUE(draw.grab().save(QDir(dir).filePath(QStringLiteral("draw_frame_pages_and_play.png"))));
    Click(&draw, "ToolButton8");
}

}  // namespace
