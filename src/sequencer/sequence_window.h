#pragma once
// The Sequence window (caption "Sequence"): builds a sequence as three
// tracks of drawings, sections and ILDA images with a music file, saves and
// opens sequence files, and plays the sequence chosen in its sequence list:
// the music first, then, after the music's lead-in, the three tracks on the
// window's time base, with a preview of all three and a repeat on loop play.
//
// A play always reads the saved file, never the grids. The tracks read only
// the sequence loaded after the previous tracks were joined; the preview
// reads the same immutable sequence and the values the tracks publish.

#include "model/show_folders.h"
#include "model/show_model.h"
#include "player/frame_sink.h"
#include "sequencer/sequence_tracks.h"
#include "sequencer/track_grid.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class TickTimer;
class TskButton;
class TskCheckBox;
class TskEdit;
class TskRadioGroup;
class TskStringGrid;
class TskToolButton;
class TskTrackBar;
class ColourPanel;
class ShowFileList;
class PreviewBox;
class IldaPreviewAnimator;
class TickSource;
class WindowRegistry;

class TForm8 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm8(WindowRegistry& windows);
    /// Tests: the ILDA preview runs on `ildaClock` (null: the real timer).
    TForm8(WindowRegistry& windows, std::unique_ptr<TickSource> ildaClock);
    /// Stops and joins the tracks before the sequence they read goes.
    ~TForm8() override;

    // Commands, as the buttons and menus run them.
    void SequencePlayStart();
    void StopClick();
    void NewSequenceClick();
    void OpenSequenceClick();
    void SaveSequenceClick();
    void SaveAsSequenceClick();
    /// list: 0 drawings, 1 sections, 2 ILDA images.
    void AddTrackRow(int list);
    void InsertTrackRow(int list);
    void RemoveTrackRow();
    void MoveTrackRowUp();
    void MoveTrackRowDown();
    void ChooseMusicFile();
    void ShowTimerWindow();
    void FindDrawingClick();
    void FindSectionClick();
    void FindIldaClick();
    void EditDrawingClick();
    void RefreshFileLists();
    void RefreshSequenceList();

    // Timers, as they fire.
    void Timer1Timer();
    void Timer2Timer();
    void SequenceRepeatWatch();

    /// Tests: where the tracks send (the device fan-out unless replaced). Shared by
    /// the three track threads, so it must be safe to call from several threads.
    void SetFrameSink(std::unique_ptr<FrameSink> sink);
    /// Tests: the pause before the watcher restarts a sequence.
    void SetRestartPause(int ms) { restartPause_.setInterval(ms); }

    const TrackGrid& Grid(int track) const { return grids_[std::size_t(track)]; }
    SequenceControls& Controls() { return controls_; }
    const std::array<TrackState, kTrackCount>& States() const { return states_; }
    const TSequence& PlaySequence() const { return *playSequence_; }
    TickTimer& Timer1() { return *timer1_; }
    TickTimer& Timer2() { return *timer2_; }
    TickTimer& Timer4() { return *timer4_; }
    const QImage& PreviewImage() const { return preview_; }
    /// The ILDA list's animation: the image it shows and its clock.
    IldaPreviewAnimator& IldaPreview() { return *ildaPreview_; }
    /// True from Play until the tracks start after the music's lead-in.
    bool StartPending() const;

    std::array<TskStringGrid*, kTrackCount> Grids{};
    TskRadioGroup* skRadioGroup1 = nullptr;
    TskEdit* skEdit1 = nullptr;
    TskEdit* skEdit2 = nullptr;
    TskEdit* skEdit3 = nullptr;
    ShowFileList* FileListBox1 = nullptr;
    ShowFileList* FileListBox2 = nullptr;
    ShowFileList* FileListBox3 = nullptr;
    ShowFileList* FileListBox4 = nullptr;
    TskCheckBox* skCheckBox1 = nullptr;
    TskCheckBox* skCheckBox2 = nullptr;
    TskCheckBox* skCheckBox3 = nullptr;
    TskTrackBar* skTrackBar3 = nullptr;
    TskToolButton* ToolButton1 = nullptr;
    TskToolButton* ToolButton5 = nullptr;
    TskToolButton* ToolButton8 = nullptr;
    TskToolButton* ToolButton9 = nullptr;
    TskToolButton* ToolButton3 = nullptr;
    TskToolButton* ToolButton10 = nullptr;
    TskToolButton* ToolButton2 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label50 = nullptr;
    QLabel* Label61 = nullptr;
    QLabel* Image1 = nullptr;
    PreviewBox* Image2 = nullptr;
    PreviewBox* Image3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static inline const QString kNewSequenceName = QStringLiteral("NewSequence");

    void BuildForm();
    void BuildPlayControls();
    void BuildFileLists();
    void ShowGrid(int track);
    ShowFileList* ListOf(int list) const;
    std::optional<TrackGridRow> NewItem(int list);
    /// Ends the open cell edits of the three grids, each into its own row, before a
    /// command; false (the grid's message shown) when a typed value cannot be saved.
    bool EndCellEdits();
    /// The track a row command edits, after ending the open cell edits; -1 when an
    /// edit was refused, the sequence has no name or no track is chosen.
    int GridCommandTrack();
    /// Closes the open cell edits without storing them: the grids are being replaced.
    void DropCellEdits();
    void SaveUnder(const QString& name, const QString& doneText);
    void StartSequencePlay();
    void StartTracks();
    void CancelSequence();
    // A start whose lead-in was cut short ends as any other end.
    void EndAbandonedStart();
    void ShowSequenceEnd();
    void EndPlayTimers();
    void FormActivate();
    void DrawingListChanged();
    void IldaListChanged();
    void ShowPreview();
    void PanelClicked(std::int32_t value);

    WindowRegistry& windows_;
    ShowFolders folders_;
    std::unique_ptr<FrameSink> sink_;
    SequenceControls controls_;
    std::array<TrackState, kTrackCount> states_;
    std::array<TrackGrid, kTrackCount> grids_;
    // Replaced only while no track runs; shared read-only with the tracks and the preview.
    std::shared_ptr<const TSequence> playSequence_ = std::make_shared<TSequence>();
    TSequence EditSequence;
    // The sequence file the grids were read from whole or last saved to; empty
    // for a new sequence. Saving onto any other existing file asks first.
    QString ownFile_;
    bool tracksPending_ = false;

    TickTimer* timer1_ = nullptr;
    TickTimer* timer2_ = nullptr;
    TickTimer* timer4_ = nullptr;
    QTimer restartPause_;
    /// Whether the window was shown: the drawing's thumbnail is drawn at the first show.
    bool shownOnce_ = false;
    std::unique_ptr<IldaPreviewAnimator> ildaPreview_;
    std::array<ColourPanel*, 12> panels_{};
    QImage preview_{256, 256, QImage::Format_RGB32};
};
