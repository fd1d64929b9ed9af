#include "common/held_listing.h"
#include "common/test_files.h"
#include "common/test_points.h"
#include "model/ilda_file.h"
#include "model/palette.h"
#include "output/play_state.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"
#include "player/play_preview.h"
#include "model/drawing_file.h"
#include "player/folder_model.h"
#include "player/folder_tree.h"
#include "player/ilda_preview.h"
#include "player/show_file_list.h"
#include "shell/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

std::uint32_t Bgr(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return std::uint32_t(qRed(c)) | std::uint32_t(qGreen(c)) << 8 | std::uint32_t(qBlue(c)) << 16;
}

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        for (const char* name : {"b.ddr", "A.DDR", "c.ddr", "notes.txt"})
            Touch(QLatin1String(name));
        ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.ddr"));
        ASSERT_TRUE(QFile::link(dir_.filePath("gone"), dir_.filePath("broken.ddr")));
        list_.SetMask("*.ddr");
        list_.SetDirectory(dir_.path());
    }
    void Touch(const QString& name)
    {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir_;
    ShowFileList list_;
};

TEST_F(FileListTest, ListsRegularFilesMatchingTheMaskIgnoringCaseAndSelectsByName)
{
    EXPECT_EQ(list_.Items(), QStringList({"A.DDR", "b.ddr", "c.ddr"}));
    EXPECT_EQ(list_.ItemIndex(), -1);
    EXPECT_EQ(list_.SelectedPath(), dir_.path() + "/");
    EXPECT_EQ(list_.SelectByText("a.ddr"), 0);
    EXPECT_EQ(list_.SelectedPath(), dir_.filePath("A.DDR"));
    EXPECT_EQ(list_.SelectByText("zz.ddr"), -1);
    EXPECT_EQ(list_.ItemIndex(), -1);

    // A refresh keeps the name, or falls back to the first entry.
    list_.SelectByText("c.ddr");
    Touch("0first.ddr");
    list_.RefreshKeepingSelection();
    EXPECT_EQ(list_.SelectedText(), "c.ddr");
    QFile::remove(dir_.filePath("c.ddr"));
    list_.RefreshKeepingSelection();
    EXPECT_EQ(list_.SelectedText(), "0first.ddr");
    list_.SetItemIndex(-1);
    list_.RefreshKeepingSelection();
    EXPECT_EQ(list_.ItemIndex(), 0);
}

TEST_F(FileListTest, DeleteKeyDeletesAtOnceAndSelectsTheNeighbour)
{
    std::vector<std::pair<ShowFileList::DeleteOutcome, QString>> seen;
    QObject::connect(&list_, &ShowFileList::FileDeleteAttempted,
                     [&](ShowFileList::DeleteOutcome outcome, const QString& failure) { seen.push_back({outcome, failure}); });
    list_.SelectByText("b.ddr");
    QTest::keyClick(&list_, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(dir_.filePath("b.ddr")));
    EXPECT_EQ(list_.Items(), QStringList({"A.DDR", "c.ddr"}));
    EXPECT_EQ(list_.SelectedText(), "c.ddr");  // the next one
    QTest::keyClick(&list_, Qt::Key_Delete);
    EXPECT_EQ(list_.SelectedText(), "A.DDR");  // the last went: the previous one
    // A file that vanished meanwhile: nothing to delete, the list follows the disk.
    QFile::remove(dir_.filePath("A.DDR"));
    EXPECT_EQ(list_.DeleteSelectedFile(), ShowFileList::DeleteOutcome::DeletedLast);
    EXPECT_EQ(list_.Count(), 0);
    EXPECT_EQ(list_.DeleteSelectedFile(), ShowFileList::DeleteOutcome::Nothing);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, ShowFileList::DeleteOutcome::Deleted);
    // The folder and the link that matched the mask are untouched.
    EXPECT_TRUE(QFileInfo(dir_.filePath("folder.ddr")).isDir());
    EXPECT_TRUE(QFileInfo(dir_.filePath("broken.ddr")).isSymLink());
}

TEST(FileListDelete, AFileThatCannotBeDeletedStaysListedAndSelected)
{
    // Files of the kernel's settings folder are regular files that nobody, root included, can unlink.
    const QString folder = QStringLiteral("/proc/sys/kernel");
    if (!QFileInfo(folder + "/hostname").isFile())
        GTEST_SKIP() << "no " << folder.toStdString();
    ShowFileList list;
    list.SetMask("host*");
    list.SetDirectory(folder);
    ASSERT_GE(list.SelectByText("hostname"), 0);
    QString failure;
    EXPECT_EQ(list.DeleteSelectedFile(&failure), ShowFileList::DeleteOutcome::Failed);
    EXPECT_TRUE(failure.contains("hostname")) << failure.toStdString();
    EXPECT_EQ(list.SelectedText(), "hostname");
    EXPECT_TRUE(QFileInfo(folder + "/hostname").isFile());
}

TEST_F(FileListTest, FindAppendsTheExactExtensionAndLooksUpIgnoringCase)
{
    EXPECT_EQ((std::vector<std::optional<QString>>{FindName("star", ".ddr"), FindName("star.ddr", ".ddr"),
                                                   FindName("abc.DDR", ".ddr"), FindName(" x ", ".ddr"),
                                                   FindName("   ", ".ddr")}),
              (std::vector<std::optional<QString>>{"star.ddr", "star.ddr", "abc.DDR.ddr", " x .ddr", std::nullopt}));

    ScriptedDialogs dialogs;
    const FindTexts texts{"Find drawing", "drawing name", "drawing1", ".ddr", "This drawing have not been found!"};
    dialogs.texts = {QString("b"), QString("a.ddr"), QString("A.DDR"), QString("nothing"), std::nullopt, QString("  ")};
    EXPECT_EQ(FindInList(list_, dialogs, texts), FindOutcome::Found);
    EXPECT_EQ(list_.SelectedText(), "b.ddr");
    EXPECT_EQ(FindInList(list_, dialogs, texts), FindOutcome::Found);
    EXPECT_EQ(list_.SelectedText(), "A.DDR");
    list_.SelectByText("c.ddr");
    // "A.DDR" looks for A.DDR.ddr.
    EXPECT_EQ((std::vector<FindOutcome>{FindInList(list_, dialogs, texts), FindInList(list_, dialogs, texts),
                                        FindInList(list_, dialogs, texts), FindInList(list_, dialogs, texts)}),
              (std::vector<FindOutcome>{FindOutcome::NotFound, FindOutcome::NotFound, FindOutcome::Cancelled,
                                        FindOutcome::Cancelled}));
    EXPECT_EQ(list_.SelectedText(), "c.ddr");
    EXPECT_EQ(dialogs.asked.front(), "Find drawing: drawing name");
}

// A listing that read the folder before the latest ask is not the answer: the
// folder is listed once more, so a file written meanwhile shows.
TEST_F(FileListTest, AListingThatReadBeforeTheLatestAskIsTakenAgain)
{
    const QString folder = QDir::cleanPath(dir_.path());
    HeldListing held(folder);
    // The folder is read, then its answer held.
    list_.SetFolderLister([gate = held.Gate()](const QString& directory, const QString& mask) {
        const QStringList names = ShowFileList::ListFolder(directory, mask);
        gate(directory);
        return names;
    });
    list_.SetListedOffThread(true);
    list_.RefreshOffThread();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.Waiting() == 1; }, 20000));
    Touch("new.ddr");
    list_.RefreshOffThread();
    EXPECT_EQ(held.Waiting(), 1) << "one listing of the folder at a time";
    held.Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list_.ListingPending(); }, 20000));
    EXPECT_EQ(list_.Items().join(' ').toStdString(), "A.DDR b.ddr c.ddr new.ddr");
    EXPECT_FALSE(held.TimedOut());
}

TEST(IldaPreview, MapsCornersAndDrawsLinesButNotBlankedMoves)
{
    EXPECT_EQ(IldaPreviewPixel(-128, 127), QPoint(0, 0));
    EXPECT_EQ(IldaPreviewPixel(127, -128), QPoint(127, 128));  // one row below the picture
    EXPECT_EQ(IldaPreviewPixel(-1, 1), QPoint(63, 63));          // truncation toward zero
    EXPECT_EQ((std::vector<int>{IldaPreviewInterval(20), IldaPreviewInterval(0), IldaPreviewInterval(-5)}),
              (std::vector<int>{40, 4, 4}));

    TILDAframe frame;
    frame.Points.push_back(TestPoint(-100, 100, 2, 0));
    frame.Points.push_back(TestPoint(100, 100, 4, 0));   // a line along row 14
    frame.Points.push_back(TestPoint(100, -100, 6, 1));  // a blanked move down
    frame.Points.push_back(TestPoint(-100, -100, 5, 0)); // a line along row 114
    frame.Points.push_back(TestPoint(127, -128, 5, 0));  // off the bottom: clipped
    const QImage picture = DrawIldaPreviewFrame(frame, 7);
    ASSERT_EQ(picture.size(), QSize(kPreviewSize, kPreviewSize));
    EXPECT_EQ((std::vector<std::uint32_t>{Bgr(picture, 64, 14), Bgr(picture, 64, 114), Bgr(picture, 114, 64),
                                          Bgr(picture, 64, 64)}),
              (std::vector<std::uint32_t>{PaletteColour(4), PaletteColour(5), 0, 0}));
}

TEST(IldaPreview, AnimatesOnlyWhenActiveAtTwiceTheFrameIntervalAndWraps)
{
    auto clock = std::make_unique<ManualTickSource>();
    ManualTickSource& ticks = *clock;
    IldaPreviewAnimator animator(std::move(clock));
    EXPECT_EQ(ticks.Interval(), 25);
    for (int f = 0; f < 3; ++f) {
        animator.Image().Frames.emplace_back();
        for (int i = 0; i <= f; ++i)
            animator.Image().Frames.back().Points.push_back(TestPoint(i, i, 1, 0));
    }
    std::vector<int> counts;
    QObject::connect(&animator, &IldaPreviewAnimator::FramePainted,
                     [&](const QImage&, int points) { counts.push_back(points); });
    IldaFrameInterval = 20;
    animator.Start();
    ticks.Fire();
    EXPECT_TRUE(counts.empty());  // not active
    EXPECT_EQ(ticks.Interval(), 25);
    animator.SetActive(true);
    for (int i = 0; i < 4; ++i)
        ticks.Fire();
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(ticks.Interval(), 40);
    EXPECT_TRUE(ticks.Enabled());
    IldaFrameInterval = 0;
    ticks.Fire();
    EXPECT_EQ(ticks.Interval(), 4);
    ResetPlayState();
}

TEST(IldaPreview, ClockRunsOnlyWhileThereIsAFrameToShow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TILDAimage two;
    two.Frames.resize(2);
    two.Frames[0].Points.push_back(TestPoint(0, 0, 1, 0));
    two.Frames[1].Points.push_back(TestPoint(9, 9, 1, 0));
    ASSERT_TRUE(WriteIldaFile(dir.filePath("two.ild"), two));
    auto clock = std::make_unique<ManualTickSource>();
    ManualTickSource& ticks = *clock;
    IldaPreviewAnimator animator(std::move(clock));
    int painted = 0;
    QObject::connect(&animator, &IldaPreviewAnimator::FramePainted, [&] { ++painted; });

    // Started, ticked, or both, with no image: the clock stays off.
    animator.Start();
    EXPECT_FALSE(ticks.Enabled());
    animator.SetActive(true);
    EXPECT_FALSE(ticks.Enabled());
    animator.LoadFile(dir.filePath("missing.ild"));
    EXPECT_FALSE(ticks.Enabled());
    // An image to show starts it; unticking or stopping ends it with nothing painted.
    animator.LoadFile(dir.filePath("two.ild"));
    EXPECT_TRUE(ticks.Enabled());
    ticks.Fire();
    EXPECT_EQ(painted, 1);
    animator.SetActive(false);
    EXPECT_FALSE(ticks.Enabled());
    animator.SetActive(true);
    EXPECT_TRUE(ticks.Enabled());
    animator.Stop();
    EXPECT_FALSE(ticks.Enabled());
    animator.Image().Frames.clear();
    animator.Start();
    EXPECT_FALSE(ticks.Enabled());
    EXPECT_EQ(painted, 1);
}

TEST(DrawingPreview, DrawsAtHalfSizeOnBlack)
{
    Drawing drawing(1);
    drawing[0].push_back(TestPoint(20, 40, 4, 1));
    drawing[0].push_back(TestPoint(200, 40, 4, 0));
    const QImage picture = DrawDrawingPreview(drawing);
    EXPECT_EQ((std::vector<std::uint32_t>{Bgr(picture, 50, 20), Bgr(picture, 50, 21), Bgr(picture, 127, 127)}),
              (std::vector<std::uint32_t>{PaletteColour(4), 0, 0}));
}

// The thumbnail is drawn a batch at a time: a path longer than a batch, and
// the paths after it, look as they do drawn whole; only the picture and the
// count are kept.
TEST(DrawingThumbnail, DrawnInBatchesLooksAsDrawnWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Drawing drawing(3);
    // One path across three batches: it stays in one corner but for the lines
    // across the cuts between batches (at every 65,536 points or so).
    for (int i = 0; i < 150000; ++i) {
        const bool far = i % 65536 == 0 && i > 0;
        drawing[0].push_back(TestPoint(far ? 250 : 4 + i % 3, far ? 250 - i / 65536 * 60 : 6, 1 + i % 7, i == 0));
    }
    for (int i = 0; i < 40; ++i)
        drawing[1 + i % 2].push_back(TestPoint(10 + 5 * i, 200 - 4 * i, 3, i < 2));
    const QString path = dir.filePath("long.ddr");
    ASSERT_TRUE(WriteDrawingFile(path, drawing, kFileScale));
    Drawing whole;
    ASSERT_TRUE(ReadDrawingFile(path, whole, kFileScale));

    const DrawingThumbnail thumbnail = ReadDrawingThumbnail(path);
    EXPECT_TRUE(thumbnail.failure.isEmpty());
    EXPECT_EQ(thumbnail.points, 150040u);
    EXPECT_EQ(thumbnail.picture, DrawDrawingPreview(whole));

    QImage rendered(128, 128, QImage::Format_RGB32);
    RenderThumbnail(rendered, whole);
    EXPECT_EQ(ReadDrawingThumbnail(path, DrawThumbnailPaths).picture, rendered);

    // Missing: nothing, silently. Too large: nothing, and the file named.
    const DrawingThumbnail missing = ReadDrawingThumbnail(dir.filePath("gone.ddr"));
    EXPECT_EQ(std::tuple(missing.points, missing.failure), std::tuple(std::uint64_t{0}, QString()));
    EXPECT_EQ(missing.picture, DrawDrawingPreview({}));
    const QString big = MakeSparseTestFile(dir.filePath("big.ddr"), kTebibyte);
    const DrawingThumbnail refused = ReadDrawingThumbnail(big);
    EXPECT_EQ(refused.points, 0u);
    EXPECT_TRUE(refused.failure.contains(big)) << refused.failure.toStdString();
    EXPECT_EQ(refused.picture, DrawDrawingPreview({}));
}

TEST(DrawingPreview, ABoxSmallerThanThePictureShowsEveryOnePixelLine)
{
    // A square whose edges fall on the picture's pixels 2 and 125.
    Drawing drawing(1);
    for (auto [x, y] : {std::pair{4, 4}, {250, 4}, {250, 250}, {4, 250}, {4, 4}})
        drawing[0].push_back(TestPoint(x, y, 4, 0));
    PreviewBox box(nullptr, 104);
    box.SetPicture(DrawDrawingPreview(drawing));
    const QImage shown = box.Shown();
    ASSERT_EQ(shown.size(), QSize(104, 104));
    const auto lit = [&](int x, int y) { return qGreen(shown.pixel(x, y)) >= 96; };
    // Somewhere within five pixels of each edge: left, right (along row 52), top, bottom (along column 52).
    const auto litNear = [&](int from, bool column) {
        for (int i = from; i < from + 5; ++i)
            if (column ? lit(i, 52) : lit(52, i))
                return true;
        return false;
    };
    EXPECT_EQ((std::vector<bool>{litNear(0, true), litNear(99, true), litNear(0, false), litNear(99, false)}),
              std::vector<bool>(4, true));
    EXPECT_FALSE(lit(52, 52));
}

TEST(FolderTree, RevealsTheFolderAndIgnoresLaterWritesBesideIt)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.filePath("program");
    const QString ilda = program + "/ILDAimage";
    ASSERT_TRUE(QDir().mkpath(ilda));
    ASSERT_TRUE(QDir().mkpath(root.filePath("beside")));

    FolderTree tree;
    QSignalSpy chosen(&tree, &FolderTree::FolderChosen);
    QSignalSpy firstLoads(tree.Model(), &FolderModel::directoryLoaded);
    tree.Reveal(ilda + "/");
    const auto reads = [&](const QString& folder) {
        return std::count_if(firstLoads.begin(), firstLoads.end(),
                             [&](const QList<QVariant>& args) { return args.at(0).toString() == folder; });
    };
    // Every ancestor is read, once: opening it on the way is no second listing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.Model()->filePath(tree.currentIndex()) == ilda; }, 20000));
    EXPECT_EQ(reads(program), 1);
    EXPECT_EQ(reads(root.path()), 1);
    EXPECT_TRUE(tree.isExpanded(tree.Model()->index(program)));
    EXPECT_EQ(chosen.count(), 0);

    // Files written in the shown ancestors and beside them (a build, temporary
    // files) change no folder the tree shows: the tree reads nothing again.
    QSignalSpy loaded(tree.Model(), &FolderModel::directoryLoaded);
    for (int i = 0; i < 20; ++i) {
        WriteTestFile(program + QString("/out%1.o").arg(i), "x");
        WriteTestFile(root.filePath("beside/tmp%1").arg(i), "y");
        QFile::remove(program + QString("/out%1.o").arg(i));
    }
    EXPECT_FALSE(loaded.wait(1500));
    EXPECT_EQ(loaded.count(), 0);

    // The operator choosing another folder is reported.
    tree.setCurrentIndex(tree.Model()->index(program));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), program);
}

/// The names of the folders the tree lists under `folder`.
std::string ListedUnder(FolderTree& tree, const QString& folder)
{
    const QModelIndex parent = tree.Model()->index(folder);
    QStringList names;
    for (int row = 0; row < tree.Model()->rowCount(parent); ++row)
        names << tree.Model()->index(row, 0, parent).data().toString();
    return names.join(' ').toStdString();
}

TEST(FolderTree, ReadsAFolderAgainWhenItIsChosenOrExpanded)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.filePath("program");
    ASSERT_TRUE(QDir().mkpath(program + "/ILDAimage"));
    FolderTree tree;
    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.Reveal(program + "/ILDAimage");
    // Shown once the listings of its ancestors have come back.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return tree.Model()->filePath(tree.currentIndex()) == program + "/ILDAimage"; }, 20000));
    ASSERT_EQ(ListedUnder(tree, program), "ILDAimage");

    // A folder made after the tree was built shows once its parent is chosen.
    ASSERT_TRUE(QDir().mkpath(program + "/Shows"));
    const QRect parentRow = tree.visualRect(tree.Model()->index(program));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, parentRow.center());
    EXPECT_EQ(tree.Model()->filePath(tree.currentIndex()), program);
    QTest::qWaitFor([&] { return ListedUnder(tree, program) == "ILDAimage Shows"; }, 20000);
    EXPECT_EQ(ListedUnder(tree, program), "ILDAimage Shows");

    // Folded and unfolded from the keyboard: a removed folder goes, a new one comes.
    ASSERT_TRUE(QDir(program + "/Shows").removeRecursively());
    ASSERT_TRUE(QDir().mkpath(program + "/Later"));
    QTest::keyClick(&tree, Qt::Key_Minus);
    ASSERT_FALSE(tree.isExpanded(tree.currentIndex()));
    QTest::keyClick(&tree, Qt::Key_Plus);
    ASSERT_TRUE(tree.isExpanded(tree.currentIndex()));
    QTest::qWaitFor([&] { return ListedUnder(tree, program) == "ILDAimage Later"; }, 20000);
    EXPECT_EQ(ListedUnder(tree, program), "ILDAimage Later");
}

// A folder whose listing never answers (a hung network mount) holds only
// itself: the tree answers at once, the folder shows as not yet read, other
// folders are read meanwhile, and the answer shows when it comes.
TEST(FolderTree, AFolderThatDoesNotAnswerLeavesTheTreeAnswering)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString hung = root.filePath("mount");
    const QString other = root.filePath("local");
    ASSERT_TRUE(QDir().mkpath(hung + "/shows"));
    ASSERT_TRUE(QDir().mkpath(other + "/ILDAimage"));
    HeldListing held(hung);
    const auto lister = [gate = held.Gate()](const QString& path) {
        gate(path);
        return ListSubfolders(path);
    };
    const auto waited = [&] { return held.Waiting() > 0; };

    FolderTree tree(nullptr, lister);
    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.Reveal(hung + "/shows");
    ASSERT_TRUE(QTest::qWaitFor(waited, 20000));
    // The tree answers while the listing hangs: the folder is there, not read.
    const QModelIndex mount = tree.Model()->index(hung);
    ASSERT_TRUE(mount.isValid());
    EXPECT_TRUE(tree.Model()->Reading(mount));
    EXPECT_TRUE(tree.Model()->hasChildren(mount));
    EXPECT_EQ(tree.Model()->rowCount(mount), 0);
    EXPECT_EQ(mount.data(Qt::ToolTipRole).toString(), "Not read yet: the folder has not answered.");
    EXPECT_FALSE(tree.Model()->index(hung + "/shows").isValid());
    tree.Reveal(other + "/ILDAimage");
    QTest::qWaitFor([&] { return tree.Model()->filePath(tree.currentIndex()) == other + "/ILDAimage"; }, 20000);
    EXPECT_EQ(tree.Model()->filePath(tree.currentIndex()), other + "/ILDAimage");

    EXPECT_FALSE(held.TimedOut()) << "the tree waited for the listing";
    held.Release();
    QTest::qWaitFor([&] { return ListedUnder(tree, hung) == "shows"; }, 20000);
    EXPECT_EQ(ListedUnder(tree, hung), "shows");
    EXPECT_FALSE(tree.Model()->Reading(tree.Model()->index(hung)));
    EXPECT_FALSE(tree.Model()->index(hung).data(Qt::ToolTipRole).isValid());
}

TEST(FolderTree, AClickedFolderIsTheOneHighlightedWhenTheWindowBringsItIntoView)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.filePath("program");
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(QDir().mkpath(program + QString("/F%1").arg(i, 2, 10, QChar('0'))));
    FolderTree tree;
    tree.resize(200, 104);  // as small as the windows show it: the tree scrolls
    // The windows bring the chosen folder into view, as they do for a folder they open.
    QObject::connect(&tree, &FolderTree::FolderChosen, &tree, &FolderTree::Reveal);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.Reveal(program + "/F10");
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.Model()->filePath(tree.currentIndex()) == program + "/F10"; }, 20000));
    QApplication::processEvents();

    const QPoint top(tree.viewport()->width() / 2, 3);
    const QModelIndex clicked = tree.indexAt(top);
    ASSERT_TRUE(clicked.isValid());
    const QString folder = tree.Model()->filePath(clicked);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, top);
    EXPECT_EQ(tree.Model()->filePath(tree.currentIndex()), folder);
    const QModelIndexList selected = tree.selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(tree.Model()->filePath(selected.front()), folder);
}

}  // namespace
