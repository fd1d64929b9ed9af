#pragma once
// The Play window "Play": the operator's live console. It lists the drawings
// and ILDA images of the show folders with small previews, and plays the
// chosen drawing, ILDA image or the typed text (scrolling horizontally or
// vertically) with the live effect controls, showing what is sent.
//
// A play starts through the hand-over: the old loop is joined before the
// play lists are rebuilt, and each loop reads only its own immutable list.
// The preview draws from those lists, from the animation state the loop
// publishes and, for text, from the frame snapshot the loop publishes; it
// counts a play as running only while it is this window's own.

#include "editor/text_window.h"
#include "player/frame_sink.h"
#include "player/live_parameters.h"
#include "player/play_loops.h"
#include "player/show_file_list.h"
#include "player/text_scroll.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <memory>

class QLabel;
class FolderTree;
class IldaPreviewAnimator;
class LivePlayControls;
class PreviewBox;
class TickSource;
class TickTimer;
class TskButton;
class TskCheckBox;
class TskMemo;
class TskPopupMenu;
class TskRadioGroup;
class TskTrackBar;
class WindowRegistry;

/// The palette colour of every text point.
inline constexpr std::uint8_t TextColourIndex = 4;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm4(WindowRegistry& windows);
    /// Tests: `browseClock` drives the ILDA browse preview instead of a timer.
    TForm4(WindowRegistry& windows, std::unique_ptr<TickSource> browseClock);
    /// Stops and joins the play before the play lists go.
    ~TForm4() override;

    // Commands, as the buttons, menus and keys run them.
    /// Play (ToolButton1, double clicks).
    void ToolButton1Click();
    /// Stop (ToolButton8).
    void StopClick();
    void FindDrawingClick();
    void FindIldaClick();
    void RefreshDrawingList();
    void RefreshIldaList();
    /// Both lists, keeping their selections (activation with "Auto refresh file list").
    void RefreshFileLists();
    /// "Edit" on the drawing list: the drawing opens in the Draw window.
    void EditDrawingClick();
    /// "Edit" on the ILDA list: the image opens in the Draw window's frame pages, page 1.
    void EditIldaClick();
    /// The ILDA folder changed.
    void DirectoryListBox1Change(const QString& folder);
    void FontClick();
    /// The timers' firings.
    void Timer1Timer();
    void Timer2Timer();

    /// Tests: where the loops send (the device fan-out unless replaced).
    void SetFrameSink(std::unique_ptr<FrameSink> sink);
    /// Tests: the outline source of the text play, and the font chooser.
    void SetGlyphSource(std::unique_ptr<GlyphOutlineSource> source);
    void SetFontChooser(FontChooser chooser);

    LivePlayControls& Controls() { return *controls_; }
    LiveParameters& Live() { return live_; }
    TextScrollParameters& TextParameters() { return text_; }
    const QImage& PreviewImage() const { return PlayPreviewBitmap; }
    IldaPreviewAnimator& IldaPreview() { return *ildaPreview_; }
    /// The play mode of the last Play (0 drawing, 1 ILDA image, 2 text).
    int PlayMode() const { return playMode_; }
    const QFont& TextFont() const { return font_; }
    /// The text frame the loop placed last (what the text preview draws).
    std::shared_ptr<const Drawing> PlacedTextFrame() const { return TextFrame.Load(); }
    TickTimer& Timer1() { return *timer1_; }
    TickTimer& Timer2() { return *timer2_; }

    TskRadioGroup* skRadioGroup1 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr;
    PreviewBox* Image2 = nullptr;
    PreviewBox* Image3 = nullptr;
    ShowFileList* FileListBox1 = nullptr;
    ShowFileList* FileListBox2 = nullptr;
    FolderTree* DirectoryListBox1 = nullptr;
    TskMemo* skMemo1 = nullptr;
    TskCheckBox* skCheckBox1 = nullptr;  ///< "Preview .ild"
    TskCheckBox* skCheckBox2 = nullptr;  ///< "Auto refresh file list"
    TskCheckBox* skCheckBox4 = nullptr;  ///< "Vertical scroll"
    TskPopupMenu* skPopupMenu1 = nullptr;
    TskPopupMenu* skPopupMenu2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    TskTrackBar* AddTextBar(const char* name, const QString& caption, int min, int max, int initial,
                            const char* valueLabel, int x, int y, std::atomic<std::int32_t>& target);
    void FormActivate();
    void LoadDrawingPreview();
    void LoadIldaPreview();
    void RevealIldaFolder();
    void FileDeleted(ShowFileList* list, ShowFileList::DeleteOutcome outcome, const QString& failure);
    FontChoice FontChoiceOf() const;
    bool PrepareDrawingPlay();
    bool PrepareIldaPlay();
    bool PrepareTextPlay(bool vertical);
    void ShowPreview();

    WindowRegistry& windows_;
    LiveParameters live_;
    PublishedAnimation animation_;
    TextScrollParameters text_;
    TextFrameSnapshot TextFrame;
    std::unique_ptr<FrameSink> sink_;
    std::unique_ptr<GlyphOutlineSource> glyphs_;
    FontChooser fontChooser_;
    QFont font_;
    std::unique_ptr<IldaPreviewAnimator> ildaPreview_;
    LivePlayControls* controls_ = nullptr;
    TickTimer* timer1_ = nullptr;
    TickTimer* timer2_ = nullptr;

    // Play lists: replaced only between plays, read by the loop and the preview.
    std::shared_ptr<const Drawing> PlayDrawingList = std::make_shared<Drawing>();
    std::shared_ptr<const IldaPlayFrames> PlayIldaFrames = std::make_shared<IldaPlayFrames>();
    std::shared_ptr<const Drawing> TextUnits = std::make_shared<Drawing>();
    int playMode_ = 0;

    /// The drawing file the thumbnail is of (empty when none): the drawing play reads it.
    QString drawingPreviewPath_;
    /// Whether the window was shown: the drawing's thumbnail is drawn at the first show.
    bool shownOnce_ = false;
    QImage PlayPreviewBitmap{256, 256, QImage::Format_RGB32};
};
