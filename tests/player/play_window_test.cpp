#include "app/shell_fixture.h"
#include "common/held_listing.h"
#include "common/layout_checks.h"
#include "common/test_files.h"
#include "common/test_points.h"
#include "chain_fixtures.h"
#include "recording_sink.h"
#include "common/square_glyphs.h"

#include "app/create_windows.h"
#include "app/main_window.h"
#include "editor/draw_window.h"
#include "editor/frame_pages_panel.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "output/play_handover.h"
#include "output/tick_timer.h"
#include "platform/freetype_glyph_source.h"
#include "player/colour_panel.h"
#include "player/drawing_preview.h"
#include "player/folder_model.h"
#include "player/folder_tree.h"
#include "player/ilda_preview.h"
#include "player/live_play_controls.h"
#include "player/play_window.h"
#include "player/show_file_list.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/eliding_label.h"
#include "skin/memo.h"
#include "skin/menus/popup_menu.h"
#include "skin/radio_group.h"
#include "skin/tool_bar.h"
#include "skin/track_bar.h"

#include <QAction>
#include <QDir>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <array>
#include <cmath>
#include <chrono>
#include <memory>
#include <mutex>

namespace {

// Frame f is a polygon of f + 3 corners (f + 4 points), in ILDA space.
TILDAimage Frames(int count)
{
    TILDAimage image;
    for (int f = 0; f < count; ++f) {
        TILDAframe frame;
        Drawing d = TestPolygon(f + 3, 0, 0, 90, std::uint8_t(2 + f));
        frame.Points = std::move(d[0]);
        frame.FrameNumber = std::uint32_t(f);
        frame.TotalFrames = std::uint32_t(count);
        image.Frames.push_back(std::move(frame));
    }
    return image;
}

// Records frames on the play thread; the test reads them under the lock.
class LockedSink final : public FrameSink {
public:
    void SendSettings(const DeviceSettingsPacket& s) override
    {
        std::lock_guard lock(mutex);
        settings.push_back(s);
    }
    void SendFrame(const std::optional<DeviceSettingsPacket>&, const FramePacket& frame) override
    {
        {
            std::lock_guard lock(mutex);
            sizes.push_back(frame.PointCount());
        }
        WaitUnlessStopped(std::chrono::microseconds(500));
    }
    void Idle() override { WaitUnlessStopped(std::chrono::microseconds(500)); }
    std::vector<std::size_t> Sizes()
    {
        std::lock_guard lock(mutex);
        return sizes;
    }
    std::mutex mutex;
    std::vector<DeviceSettingsPacket> settings;
    std::vector<std::size_t> sizes;
};

bool NotBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                return true;
    return false;
}

class PlayWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        QDir root(folder_.path());
        root.mkpath("Drawing");
        root.mkpath("ILDAimage");
        ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/ring.ddr"), TestPolygon(24, 150, 140, 70, 90), 1));
        ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/square.ddr"), TestPolygon(4, 100, 100, 60, 40), 1));
        ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/star.ddr"), TestPolygon(5, 128, 128, 90, 2), 1));
        ASSERT_TRUE(WriteIldaFile(folder_.filePath("ILDAimage/three.ild"), Frames(3)));
        IldaFrameInterval.store(40);
        SizeX.store(20);
        SizeY.store(20);
        auto clock = std::make_unique<ManualTickSource>();
        browse_ = clock.get();
        form_ = new TForm4(Windows(), std::move(clock));
        owned_.reset(form_);
        auto sink = std::make_unique<LockedSink>();
        sink_ = sink.get();
        form_->SetFrameSink(std::move(sink));
        form_->SetGlyphSource(std::make_unique<SquareGlyphs>());
    }
    void TearDown() override
    {
        owned_.reset();
        ShellTest::TearDown();
    }

    QString Message() const { return form_->Label18->text(); }
    void Select(ShowFileList* list, const QString& name)
    {
        list->SetItemIndex(list->IndexOf(name));
        emit list->OnClick();
    }
    /// The ILDA list's listings wait while `held` holds its folder.
    void ListImagesThrough(const HeldListing& held)
    {
        form_->FileListBox2->SetFolderLister([gate = held.Gate()](const QString& directory, const QString& mask) {
            gate(directory);
            return ShowFileList::ListFolder(directory, mask);
        });
    }
    /// The ILDA list refreshed, as its popup's "refresh" does, and its listing come back.
    void RefreshIldaList()
    {
        form_->RefreshIldaList();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form_->FileListBox2->ListingPending(); }, 20000));
    }
    void WaitFrames(std::size_t n)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return sink_->Sizes().size() >= n; }, 60000));
    }

    TForm4* form_ = nullptr;
    std::unique_ptr<TForm4> owned_;
    ManualTickSource* browse_ = nullptr;
    LockedSink* sink_ = nullptr;
};

}  // namespace

TEST_F(PlayWindowTest, ShowsItsOwnCaptionsAndNamesItsSendSpeedBar)
{
    LivePlayControls& c = form_->Controls();
    QStringList captions;
    for (const QLabel* label : c.findChildren<QLabel*>())
        captions << label->text();
    captions << c.skCheckBox3->Caption();
    for (const char* own : {"B AllSpeed", "E H_Stretch", "F V_Stretch", "I  H_Bounce", "M  Loc_Angle", "N Ch_Color_Sp",
                            "P Send speed", "PointDraw"})
        EXPECT_TRUE(captions.contains(QLatin1String(own))) << own;
    for (const char* sections : {"E H_stretch", "F V_stretch", "N Ch_color_sp", "P Send_speed", "O PointDraw"})
        EXPECT_FALSE(captions.contains(QLatin1String(sections))) << sections;
    EXPECT_EQ(c.findChild<ColourPanel*>("Panel2")->Caption(), "Whilte");

    // The send-speed bar and its label carry this window's names; "skTrackBar4" is the scroll step alone.
    auto* bar = form_->findChild<TskTrackBar*>("skTrackBar9");
    ASSERT_EQ(bar, c.skTrackBar4);
    EXPECT_EQ(form_->findChildren<TskTrackBar*>("skTrackBar4").size(), 1);
    bar->SetPosition(80);
    EXPECT_EQ(SendSpeedByte.load(), 20);
    EXPECT_EQ(form_->findChild<QLabel*>("Label92")->text(), "80");
}

TEST_F(PlayWindowTest, FindSelectsByExactNameAndDeleteKeySelectsTheNeighbour)
{
    EXPECT_EQ(Message(), "Ready");
    EXPECT_EQ(form_->FileListBox1->SelectedText(), "ring.ddr") << "the first entry at creation";
    dialogs_->texts = {QString("star"), QString("nothing"), QString("nothing")};
    form_->FindDrawingClick();
    EXPECT_EQ(form_->FileListBox1->SelectedText(), "star.ddr");
    EXPECT_EQ(form_->Label29->text(), "6") << "the thumbnail follows the find";
    form_->FindDrawingClick();
    EXPECT_EQ(Message(), "drawing have not found!");
    form_->FindIldaClick();
    EXPECT_EQ(Message(), "Image have not found!");

    // The Delete key removes the file and selects the neighbour.
    Select(form_->FileListBox1, "square.ddr");
    QTest::keyClick(form_->FileListBox1, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(folder_.filePath("Drawing/square.ddr")));
    EXPECT_EQ(form_->Label29->text(), "6");  // the neighbour's preview

    // The only ILDA image, previewed: gone, and the preview box unticked.
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    ASSERT_TRUE(form_->skCheckBox1->Checked());
    QTest::keyClick(form_->FileListBox2, Qt::Key_Delete);
    EXPECT_TRUE(form_->FileListBox2->Items().isEmpty());
    EXPECT_FALSE(form_->skCheckBox1->Checked());
    EXPECT_FALSE(form_->IldaPreview().Active());
}

// Creation reads no file: the drawing's thumbnail comes at the first show,
// the image with its preview or a play. A drawing too large to read shows
// nothing, says which file it is, and its play is refused with the same words.
TEST_F(PlayWindowTest, CreationReadsNoFileAndARefusedDrawingShowsNothingAndSaysWhy)
{
    EXPECT_TRUE(form_->IldaPreview().Image().Frames.empty());
    EXPECT_EQ(form_->Label29->text(), "0");
    form_->show();
    EXPECT_EQ(form_->Label29->text(), "25");
    EXPECT_TRUE(form_->IldaPreview().Image().Frames.empty());

    const QString big = MakeSparseTestFile(folder_.filePath("Drawing/big.ddr"), kTebibyte);
    form_->RefreshDrawingList();
    Select(form_->FileListBox1, "big.ddr");
    EXPECT_TRUE(Message().contains(big)) << Message().toStdString();
    EXPECT_EQ(form_->Label29->text(), "0");
    EXPECT_EQ(form_->Image2->Picture(), DrawDrawingPreview({}));
    form_->skRadioGroup1->SetItemIndex(0);
    form_->Label18->setText("Ready");
    form_->ToolButton1Click();
    EXPECT_TRUE(Message().contains(big)) << Message().toStdString();
    EXPECT_FALSE(form_->Timer2().isEnabled()) << "nothing started";

    Select(form_->FileListBox1, "star.ddr");
    EXPECT_EQ(form_->Label29->text(), "6");
    form_->skRadioGroup1->SetItemIndex(1);
    form_->ToolButton1Click();
    EXPECT_EQ(Message(), "ILDAimage playing start...");
    // The image read for the play is the one it plays: the window, its play list
    // and the loop share it (and the look taken here).
    EXPECT_GE(form_->IldaPreview().SharedImage().use_count(), 3);
    WaitFrames(1);
    form_->StopClick();
}

TEST_F(PlayWindowTest, BrowsePreviewClockRunsOnlyWithAnImageToShow)
{
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    EXPECT_FALSE(browse_->Enabled()) << "\"Preview .ild\" unticked: nothing to animate";
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    ASSERT_TRUE(browse_->Enabled());
    browse_->Fire();
    const QImage shown = form_->Image3->Picture();
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    EXPECT_FALSE(browse_->Enabled());
    EXPECT_EQ(form_->Image3->Picture(), shown);
    EXPECT_EQ(form_->Label6->text(), "4");
}

TEST_F(PlayWindowTest, AFolderMadeWhileRunningShowsInTheTreeOnceItsParentIsChosen)
{
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    FolderTree* tree = form_->DirectoryListBox1;
    const QString program = QDir::cleanPath(folder_.path());
    ASSERT_TRUE(QDir(program).mkpath("Shows"));
    ASSERT_TRUE(WriteIldaFile(program + "/Shows/two.ild", Frames(2)));

    const auto click = [&](const QString& folder) {
        const QModelIndex index = tree->Model()->index(folder);
        tree->scrollTo(index);
        const QRect row = tree->visualRect(index);  // may start left of the view, scrolled sideways
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(std::max(row.left(), 0) + 4, row.center().y()));
    };
    // The tree reads its folders on threads of their own: the ILDA folder shows once they answer.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return tree->Model()->filePath(tree->currentIndex()) == program + "/ILDAimage"; }, 20000));
    click(program);
    ASSERT_EQ(tree->Model()->filePath(tree->currentIndex()).toStdString(), program.toStdString());
    const auto listed = [&] {
        const QModelIndex parent = tree->Model()->index(program);
        QStringList names;
        for (int row = 0; row < tree->Model()->rowCount(parent); ++row)
            names << tree->Model()->index(row, 0, parent).data().toString();
        return names;
    };
    QTest::qWaitFor([&] { return listed().contains("Shows"); }, 20000);
    EXPECT_TRUE(listed().contains("Shows")) << listed().join(' ').toStdString();
    click(program + "/Shows");
    // Its files are listed off the GUI thread too.
    QTest::qWaitFor([&] { return !form_->FileListBox2->Items().isEmpty(); }, 20000);
    EXPECT_EQ(form_->FileListBox2->Items().join(' ').toStdString(), "two.ild");
}

// An image folder whose listing never answers (a hung network mount), chosen
// in the tree: the window answers meanwhile, the list stays empty, another
// choice is listed, and the late answer changes nothing.
TEST_F(PlayWindowTest, AnImageFolderThatDoesNotAnswerLeavesTheWindowAnswering)
{
    const QString program = QDir::cleanPath(folder_.path());
    const QString hung = program + "/Hung";
    ASSERT_TRUE(QDir(program).mkpath("Hung"));
    ASSERT_TRUE(WriteIldaFile(hung + "/late.ild", Frames(2)));
    HeldListing held(hung);
    ListImagesThrough(held);

    form_->DirectoryListBox1Change(hung);  // as the tree's choice runs it
    EXPECT_TRUE(form_->FileListBox2->Items().isEmpty());
    Select(form_->FileListBox1, "star.ddr");
    EXPECT_EQ(form_->Label29->text(), "6") << "the window answers";
    form_->DirectoryListBox1Change(program + "/ILDAimage");
    QTest::qWaitFor([&] { return !form_->FileListBox2->Items().isEmpty(); }, 20000);
    EXPECT_EQ(form_->FileListBox2->Items().join(' ').toStdString(), "three.ild");
    EXPECT_FALSE(held.TimedOut()) << "the window waited for the listing";
    held.Release();
    QTest::qWait(200);
    EXPECT_EQ(form_->FileListBox2->Items().join(' ').toStdString(), "three.ild") << "the late answer changes nothing";
}

// The image folder, listed already, stops answering (its mount hangs): the
// popup's "refresh", ticking "Auto refresh file list" and activations list it
// off the GUI thread. The window answers meanwhile, the entries stay until the
// listing comes, one listing waits however often the folder is asked for, and
// the listing shows when it comes, the selection kept by name. A refresh that
// comes back after another folder was chosen changes nothing.
TEST_F(PlayWindowTest, RefreshesOfAnImageFolderThatDoesNotAnswerLeaveTheWindowAnswering)
{
    const QString ilda = QDir::cleanPath(folder_.filePath("ILDAimage"));
    ShowFileList& images = *form_->FileListBox2;
    const auto listed = [&] { return images.Items().join(' ').toStdString(); };
    auto held = std::make_unique<HeldListing>(ilda);
    ListImagesThrough(*held);
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    ASSERT_EQ(images.SelectedText(), "three.ild");
    ASSERT_TRUE(WriteIldaFile(ilda + "/apple.ild", Frames(2)));

    QAction* refresh = nullptr;
    for (QAction* action : form_->skPopupMenu2->actions())
        if (action->text() == "refresh")
            refresh = action;
    ASSERT_NE(refresh, nullptr);
    refresh->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held->Waiting() == 1; }, 20000)) << listed();
    EXPECT_EQ(listed(), "three.ild") << "the entries stay until the listing comes";
    Select(form_->FileListBox1, "star.ddr");
    EXPECT_EQ(form_->Label29->text(), "6") << "the window answers";

    QTest::mouseClick(form_->skCheckBox2, Qt::LeftButton);
    ASSERT_TRUE(form_->skCheckBox2->Checked());
    QWidget other;
    other.show();
    for (QWidget* window : {&other, static_cast<QWidget*>(form_)}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(held->Waiting(), 1) << "one listing of the folder at a time";
    EXPECT_EQ(listed(), "three.ild");

    held->Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed() == "apple.ild three.ild"; }, 20000)) << listed();
    EXPECT_EQ(images.SelectedText(), "three.ild") << "the selection kept by name";
    EXPECT_FALSE(held->TimedOut()) << "the window waited for the listing";

    // Refreshed again, the folder hangs; meanwhile another folder is chosen.
    held = std::make_unique<HeldListing>(ilda);
    ListImagesThrough(*held);
    refresh->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held->Waiting() == 1; }, 20000));
    const QString shows = QDir::cleanPath(folder_.path()) + "/Shows";
    ASSERT_TRUE(QDir().mkpath(shows));
    ASSERT_TRUE(WriteIldaFile(shows + "/two.ild", Frames(2)));
    form_->DirectoryListBox1Change(shows);  // as the tree's choice runs it
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed() == "two.ild"; }, 20000)) << listed();
    held->Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held->Waiting() == 0; }, 20000));
    QTest::qWait(200);
    EXPECT_EQ(listed(), "two.ild") << "the late answer changes nothing";
    EXPECT_EQ(images.Directory(), shows);
}

TEST_F(PlayWindowTest, TheTwoLineTextCaptionHasARowOfItsOwn)
{
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    std::vector<QLabel*> captions;
    for (const char* text : {"StayTime", "Number of visible\ncharacter/lines", "Char_width_factor"}) {
        for (QLabel* label : form_->findChildren<QLabel*>())
            if (label->text() == QLatin1String(text))
                captions.push_back(label);
    }
    ASSERT_EQ(captions.size(), 3u);
    // Where each caption's lines are painted, in the window.
    std::vector<QRect> texts;
    for (QLabel* label : captions)
        texts.push_back(QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                            QFontMetrics(label->font()).size(0, label->text()), label->contentsRect())
                            .translated(label->pos()));
    EXPECT_TRUE(layout_checks::ShowsWhole(*captions[1], 0));
    // Clear space above and below its two lines.
    EXPECT_GE(texts[1].top() - texts[0].bottom(), 8);
    EXPECT_GE(texts[2].top() - texts[1].bottom(), 8);
    for (std::size_t i = 0; i + 1 < captions.size(); ++i)
        EXPECT_FALSE(captions[i]->geometry().intersects(captions[i + 1]->geometry())) << i;
}

TEST_F(PlayWindowTest, RefreshKeepsTheSelectionByNameAndBrowsePreviewRuns)
{
    Select(form_->FileListBox1, "star.ddr");
    ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/apple.ddr"), TestPolygon(3, 60, 60, 30, 1), 1));
    QFile::remove(folder_.filePath("Drawing/star.ddr"));
    form_->RefreshDrawingList();
    EXPECT_EQ(form_->FileListBox1->SelectedText(), "apple.ddr") << "a vanished selection falls back to the first";
    EXPECT_EQ(form_->Label29->text(), "4");

    // The browse preview paints frame by frame once ticked, and wraps.
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    browse_->SetEnabled(true);
    std::vector<QString> counts;
    for (int i = 0; i < 4; ++i) {
        browse_->Fire();
        counts.push_back(form_->Label6->text());
    }
    EXPECT_EQ(counts, (std::vector<QString>{"4", "5", "6", "4"}));

    // Focus sets only the mode's index; a blank memo does not play on a double click.
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(form_->skMemo1, &in);
    EXPECT_EQ(form_->skRadioGroup1->ItemIndex(), 2);
    QCoreApplication::sendEvent(form_->FileListBox2, &in);
    EXPECT_EQ(form_->skRadioGroup1->ItemIndex(), 1);
    form_->skMemo1->SetText("   \n ");
    emit form_->skMemo1->OnDblClick();
    EXPECT_FALSE(Windows().HandOver().anyWorker());
}

TEST_F(PlayWindowTest, DrawingPlayCopiesTheFlagsPreviewsAndStopsAtOnce)
{
    LivePlayControls& c = form_->Controls();
    QTest::mouseClick(c.ToolButton9, Qt::LeftButton);   // mirror X
    QTest::mouseClick(c.ToolButton10, Qt::LeftButton);  // freeze
    MirrorX.store(0);
    FreezePlay.store(0);
    Select(form_->FileListBox1, "star.ddr");
    QTest::mouseClick(c.ToolButton1, Qt::LeftButton);
    EXPECT_EQ(Message(), "drawing playing start...");
    EXPECT_EQ((std::vector<int>{MirrorX.load(), FreezePlay.load(), MirrorY.load(), LoopPlay.load(), form_->PlayMode()}),
              (std::vector<int>{1, 1, 0, 0, 0}));
    EXPECT_TRUE(form_->Timer1().isEnabled());
    EXPECT_EQ(form_->Timer2().interval(), 100);
    WaitFrames(3);
    EXPECT_EQ(sink_->Sizes().front(), 6u);
    FrameChanged.store(1);
    form_->Timer2Timer();
    EXPECT_TRUE(NotBlack(form_->PreviewImage()));
    EXPECT_EQ(form_->Label1->text(), "6");
    EXPECT_EQ(form_->Timer2().interval(), 5);
    EXPECT_TRUE(form_->Timer2().isEnabled());

    QTest::mouseClick(c.ToolButton8, Qt::LeftButton);  // stop: joined before the click returns
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_FALSE(Windows().HandOver().anyWorker());
    form_->Timer2Timer();
    EXPECT_EQ(Message(), "drawing playing end...");
    EXPECT_FALSE(form_->Timer1().isEnabled());
    EXPECT_FALSE(form_->Timer2().isEnabled());
}

TEST_F(PlayWindowTest, AnotherWindowsPlayIsNotThisPreviewsPlay)
{
    form_->ToolButton1Click();
    WaitFrames(1);
    QObject other;
    Windows().HandOver().setPlayLoop(kModeSection, {[] {
                                                        while (StopRequested.load() == 0)
                                                            std::this_thread::yield();
                                                    },
                                                    {}, &other});
    ASSERT_TRUE(Windows().HandOver().startPlay(kModeSection, {}).started());
    ASSERT_EQ(PlayLoopRunning.load(), 1);
    form_->Timer2Timer();
    EXPECT_EQ(Message(), "drawing playing end...");
    EXPECT_FALSE(form_->Timer1().isEnabled());
    Windows().HandOver().stopAll();
}

TEST_F(PlayWindowTest, TheFontButtonOffersTheFaceInUse)
{
    form_->SetGlyphSource(std::make_unique<FreeTypeGlyphSource>());
    if (FreeTypeGlyphSource().ResolvedFamily({"Arial", 11}) != "Liberation Sans")
        GTEST_SKIP() << "Liberation Sans is not installed";
    QString offered;
    form_->SetFontChooser([&](QWidget*, const QFont& current) {
        offered = current.family();
        return std::optional<QFont>(current);  // OK without a change
    });
    form_->FontClick();
    EXPECT_EQ(offered, "Liberation Sans") << "not the alias \"Arial\", which the chooser does not list";
    EXPECT_EQ(form_->TextFont().family(), "Liberation Sans");
    EXPECT_EQ(form_->TextFont().pointSize(), 8);
}

TEST_F(PlayWindowTest, TheFontButtonKeepsWeightAndSlantWhenTheFamilyChanges)
{
    form_->SetGlyphSource(std::make_unique<FreeTypeGlyphSource>());
    const QStringList families = QFontDatabase::families();
    if (!families.contains("Liberation Sans") || !families.contains("DejaVu Sans Mono"))
        GTEST_SKIP() << "Liberation Sans or DejaVu Sans Mono is not installed";
    // The operator picks a family in the real font dialog and presses OK.
    QString family;
    auto pickFamily = [&](QWidget*, const QFont& current) {
        QFontDialog dialog(current);
        for (QListView* list : dialog.findChildren<QListView*>()) {
            const QModelIndexList found =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, family, 1, Qt::MatchExactly);
            if (!found.isEmpty())
                list->setCurrentIndex(found.front());
        }
        return std::optional<QFont>(dialog.currentFont());
    };
    form_->SetFontChooser(pickFamily);
    TskButton* fontButton = form_->findChild<TskButton*>("skButton1");
    ASSERT_NE(fontButton, nullptr);
    auto choose = [&](const QString& name) {
        family = name;
        fontButton->Click();
        const QFont& f = form_->TextFont();
        return std::tuple(f.family().toStdString(), f.bold(), f.style() != QFont::StyleNormal);
    };
    // DejaVu Sans Mono calls its upright face "Book", not "Regular"; the dialog then offers
    // its first face, "Oblique". And back, the first face of Liberation Sans is "Bold Italic".
    EXPECT_EQ(choose("DejaVu Sans Mono"), std::tuple(std::string("DejaVu Sans Mono"), false, false));
    EXPECT_EQ(form_->TextFont().pointSize(), 8);
    EXPECT_EQ(choose("Liberation Sans"), std::tuple(std::string("Liberation Sans"), false, false));

    // A face the operator picks stands: in the same family, and in a new one.
    auto answer = [&](const QString& name, const QString& style) {
        form_->SetFontChooser(
            [=](QWidget*, const QFont&) { return std::optional(QFontDatabase::font(name, style, 8)); });
        return choose(name);
    };
    EXPECT_EQ(answer("Liberation Sans", "Bold"), std::tuple(std::string("Liberation Sans"), true, false));
    EXPECT_EQ(answer("DejaVu Sans Mono", "Bold Oblique"), std::tuple(std::string("DejaVu Sans Mono"), true, true));
}

TEST_F(PlayWindowTest, ScrollingTextDrawsLettersOutsideTheChineseCodePage)
{
    form_->SetGlyphSource(std::make_unique<FreeTypeGlyphSource>());
    FreeTypeGlyphSource fonts;
    if (fonts.ResolvedFamily({"Arial", 11}) != "Liberation Sans" || !fonts.ReferenceMetrics({"Arial", 11}))
        GTEST_SKIP() << "Liberation Sans or a face with the reference character is not installed";
    form_->findChild<TskTrackBar*>("skTrackBar6")->SetPosition(10);  // the whole line in the first window
    form_->skRadioGroup1->SetItemIndex(2);
    // The first frame of a play, path by path.
    auto firstFrame = [&](const QString& text) {
        form_->skMemo1->SetText(text);
        form_->ToolButton1Click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form_->PlacedTextFrame()->empty(); }, 60000));
        form_->StopClick();
        std::vector<std::vector<std::array<int, 3>>> paths;
        for (const Path& path : *form_->PlacedTextFrame()) {
            paths.emplace_back();
            for (const auto& p : path)
                paths.back().push_back({p->x, p->y, p->blank});
        }
        return paths;
    };
    const auto text = firstFrame(QString::fromUtf8("Stra\u00DFe 5 \u20AC"));
    const auto questions = firstFrame("Stra?e 5 ?");
    ASSERT_EQ(text.size(), 10u);
    ASSERT_EQ(questions.size(), 10u);
    for (std::size_t j : {4u, 9u}) {
        EXPECT_FALSE(text[j].empty()) << j;
        EXPECT_NE(text[j], questions[j]) << j << " is drawn as a question mark";
    }
    // The sharp s (not at an edge, so not cut) is one contour, the question mark two.
    EXPECT_EQ(std::count_if(text[4].begin(), text[4].end(), [](auto& p) { return p[2] != 0; }), 1);
    EXPECT_EQ(text[3], questions[3]);
}

TEST_F(PlayWindowTest, EditOpensTheDrawingInTheDrawWindowAtEditorScale)
{
    TForm1* draw = Windows().Create<TForm1>();
    Select(form_->FileListBox1, "square.ddr");
    form_->EditDrawingClick();
    EXPECT_EQ(draw->Document().DrawingFileName, folder_.filePath("Drawing/square.ddr"));
    EXPECT_EQ(draw->Document().PointCount(), 5u);
    Drawing file;
    ReadDrawingFile(folder_.filePath("Drawing/square.ddr"), file, 1);
    EXPECT_EQ(draw->Document().Drawing[0][1]->x, 2 * file[0][1]->x);
    // The history starts from the drawing as read.
    EXPECT_EQ(std::pair(draw->Document().SnapshotCount(), draw->Document().UndoIndex), std::pair(1, 0));
    EXPECT_TRUE(draw->Document().Selection.empty());

    // The ILDA image: into the frame pages, first page, no frame selected.
    ASSERT_TRUE(WriteIldaFile(folder_.filePath("ILDAimage/many.ild"), Frames(25)));
    RefreshIldaList();
    Select(form_->FileListBox2, "many.ild");
    form_->EditIldaClick();
    FramePagesPanel& pages = *draw->FramePages();
    EXPECT_EQ(pages.Pages().IldaFileName, folder_.filePath("ILDAimage/many.ild"));
    QStringList labels;
    for (const char* name : {"FileName", "TotalFrames", "PageCount", "Page", "FrameNumber"})
        labels << pages.LabelText(name);
    EXPECT_EQ(labels, (QStringList{"many.ild", "25", "2", "1", "0"}));
}

// The Draw window comes to the front with the frames read: the fault is told in a box, not only
// in this window's status line under it.
TEST_F(PlayWindowTest, EditOfADamagedIldaImageSaysReadErrorInABox)
{
    TForm1* draw = Windows().Create<TForm1>();
    QFile file(folder_.filePath("ILDAimage/three.ild"));
    ASSERT_TRUE(file.resize(file.size() - 40));  // cut inside the last frame
    RefreshIldaList();
    Select(form_->FileListBox2, "three.ild");
    form_->EditIldaClick();
    EXPECT_EQ(draw->FramePages()->LabelText("FileName"), "NewImage.ild");
    ASSERT_EQ(dialogs_->asked.size(), 1);
    EXPECT_TRUE(dialogs_->asked[0].endsWith("Read Error!")) << dialogs_->asked[0].toStdString();
    EXPECT_EQ(Message(), "Read Error!");

    // A whole image asks nothing.
    ASSERT_TRUE(WriteIldaFile(folder_.filePath("ILDAimage/whole.ild"), Frames(2)));
    RefreshIldaList();
    Select(form_->FileListBox2, "whole.ild");
    form_->EditIldaClick();
    EXPECT_EQ(draw->FramePages()->LabelText("FileName"), "whole.ild");
    EXPECT_EQ(dialogs_->asked.size(), 1);
}

// Under Xvfb with ZARN_SCREENSHOT_DIR set: an ILDA image too large to read, its preview asked for.
TEST_F(PlayWindowTest, ScreenshotOfARefusedImage)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    MakeSparseTestFile(folder_.filePath("ILDAimage/big.ild"), kTebibyte);
    RefreshIldaList();
    form_->FileListBox2->SetItemIndex(form_->FileListBox2->IndexOf("big.ild"));
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    const QString ilda = QDir::cleanPath(folder_.filePath("ILDAimage"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return form_->DirectoryListBox1->Model()->filePath(form_->DirectoryListBox1->currentIndex()) == ilda; },
        20000));
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    EXPECT_EQ(form_->Label6->text(), "0");
    EXPECT_TRUE(form_->grab().save(QDir(dir).filePath("play_window_refused_image.png")));
}

TEST_F(PlayWindowTest, ScreenshotDuringPlay)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    owned_.reset();
    // The real window: timers, FreeType glyphs, the device sink with no controller attached.
    form_ = Windows().Create<TForm4>();
    LivePlayControls& c = form_->Controls();
    c.Bar('C')->SetPosition(10);
    c.Bar('I')->SetPosition(4);
    QTest::mouseClick(c.findChild<ColourPanel*>("Panel10"), Qt::LeftButton);
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    QTest::mouseClick(form_->skCheckBox1, Qt::LeftButton);
    form_->FileListBox1->SetItemIndex(form_->FileListBox1->IndexOf("star.ddr"));
    emit form_->FileListBox1->OnClick();
    form_->ToolButton1Click();
    QTest::qWait(800);
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    EXPECT_TRUE(form_->grab().save(QDir(dir).filePath("play_window_drawing.png")));

    // Letters and ideographs at the default factors.
    form_->skMemo1->SetText(QString::fromUtf8("HELLO \u6FC0\u5149"));
    c.Bar('C')->SetPosition(0);
    c.Bar('I')->SetPosition(0);
    form_->skRadioGroup1->SetItemIndex(2);
    form_->ToolButton1Click();
    QTest::qWait(1200);
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    EXPECT_TRUE(form_->grab().save(QDir(dir).filePath("play_window_text.png")));

    // Letters the Chinese code page lacks, the whole line in view.
    form_->findChild<TskTrackBar*>("skTrackBar6")->SetPosition(10);
    form_->skMemo1->SetText(QString::fromUtf8("Stra\u00DFe 5 \u20AC"));
    form_->ToolButton1Click();
    QTest::qWait(600);
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    EXPECT_TRUE(form_->grab().save(QDir(dir).filePath("play_window_text_outside_gbk.png")));
    form_->StopClick();
}

// The thumbnail counts: an 18,810-point drawing reads 18810; a count past the room is cut with "…".
TEST_F(PlayWindowTest, ThumbnailCountsShowTheirNumbersWhole)
{
    ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/big.ddr"), TestPolygon(18809, 128, 128, 100, 3), 1));
    form_->RefreshFileLists();
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    Select(form_->FileListBox1, "big.ddr");
    for (QLabel* label : {form_->Label29, form_->Label6}) {
        auto* count = qobject_cast<ElidingLabel*>(label);
        ASSERT_TRUE(count) << label->objectName().toStdString();
        if (count == form_->Label6)
            count->setText("65535");  // the most points an ILDA frame holds
        else
            EXPECT_EQ(count->text(), "18810");
        EXPECT_EQ(count->ShownText(), count->text()) << label->objectName().toStdString();
        EXPECT_TRUE(layout_checks::ShowsWhole(*count, 1)) << label->objectName().toStdString();
        count->setText("20000000");
        EXPECT_TRUE(count->ShownText().endsWith(QChar(0x2026))) << count->ShownText().toStdString();
    }
}

// For review: the count of an 18,810-point drawing beside its thumbnail.
TEST_F(PlayWindowTest, ScreenshotOfALargeDrawingsCount)
{
    ZARN_SCREENSHOT_DIR_OR_SKIP(dir);
    ASSERT_TRUE(WriteDrawingFile(folder_.filePath("Drawing/big.ddr"), TestPolygon(18809, 128, 128, 100, 3), 1));
    form_->RefreshFileLists();
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    Select(form_->FileListBox1, "big.ddr");
    EXPECT_EQ(form_->Label29->text(), "18810");
    QTest::qWait(100);
    EXPECT_TRUE(form_->grab().save(QDir(dir).filePath("play_window_counts.png")));
}

TEST_F(PlayWindowTest, FromTheMainWindowWithNoController)
{
    // Each play runs with nothing attached, previews, and the stop button ends it at once.
    owned_.reset();
    CreateWindows(Windows());
    TForm4* play = Windows().Form4();
    play->SetGlyphSource(std::make_unique<SquareGlyphs>());
    for (QPushButton* b : Windows().Form15()->findChildren<QPushButton*>())
        if (b->text() == "PLAY   ")
            QTest::mouseClick(b, Qt::LeftButton);
    ASSERT_TRUE(play->isVisible());
    // Repeat on, so that the three-frame image is still playing when the stop comes.
    QTest::mouseClick(play->Controls().ToolButton5, Qt::LeftButton);
    auto playAndStop = [&](int mode, const QString& what) {
        play->skRadioGroup1->SetItemIndex(mode);
        play->ToolButton1Click();
        EXPECT_EQ(play->Label18->text(), what + " playing start...");
        QTest::qWait(300);
        EXPECT_EQ(PlayLoopRunning.load(), 1) << mode;
        QTest::mouseClick(play->Controls().ToolButton8, Qt::LeftButton);
        EXPECT_FALSE(Windows().HandOver().anyWorker()) << "joined within the click";
        play->Timer2Timer();  // the preview's next pass, not a wait on its timer
        EXPECT_EQ(play->Label18->text(), what + " playing end...");
    };
    playAndStop(0, "drawing");
    playAndStop(1, "ILDAimage");
    play->skMemo1->SetText("HELLO");
    playAndStop(2, "text");
}
