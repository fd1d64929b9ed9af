#pragma once
// The Section window (caption "Section " with a trailing blank): composes a
// section as rows of drawings with their effect parameters A..R, saves and
// opens section files, and plays either a saved section row after row or the
// drawing chosen in its drawing list with the live controls.
//
// A play always reads the saved file. The loops run on the play thread and
// read only play lists the window prepared after the previous loop was
// joined; the preview draws from those same immutable lists and from the
// animation state the loop publishes.

#include "model/show_folders.h"
#include "player/frame_sink.h"
#include "player/live_parameters.h"
#include "player/section_grid.h"
#include "player/section_loops.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QLabel;
class TickTimer;
class TskButton;
class TskCheckBox;
class TskEdit;
class TskListBox;
class TskPopupMenu;
class TskStringGrid;
class LivePlayControls;
class LiveOffsetPad;
class PreviewBox;
class WindowRegistry;
struct PlayStart;

class TForm5 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm5(WindowRegistry& windows);
    /// Stops and joins the play before the play lists go.
    ~TForm5() override;

    // Commands, as the buttons and popups run them.
    void StartSectionPlay();
    void StartSectionDrawingPlay();
    void NewSectionClick();
    void OpenSectionClick();
    void SaveSectionClick();
    void SaveAsSectionClick();
    void AddClick();
    void InsertClick();
    void RemoveClick();
    void MoveUpClick();
    void MoveDownClick();
    /// Section list popup "Edit": the drawing list's selected drawing opens in the Draw window.
    void EditDrawingClick();
    void FindDrawingClick();
    void FindSectionClick();
    void StopClick();
    /// Re-reads both file lists keeping their selections.
    void RefreshFileLists();
    /// The preview timer's firing.
    void Timer2Timer();

    /// Tests: where the loops send (the device fan-out unless replaced).
    void SetFrameSink(std::unique_ptr<FrameSink> sink);

    const SectionGrid& Grid() const { return grid_; }
    LivePlayControls& Controls() { return *controls_; }
    LiveParameters& Live() { return SectionLiveParameters; }
    const PublishedAnimation& Animation() const { return animation_; }
    /// 0 section, 1 single drawing.
    int SectionPlayKind() const { return playKind_; }
    const QImage& PreviewImage() const { return preview_; }
    TickTimer& Timer1() { return *timer1_; }
    TickTimer& Timer2() { return *timer2_; }

    TskEdit* skEdit1 = nullptr;
    TskEdit* skEdit2 = nullptr;
    TskStringGrid* skStringGrid1 = nullptr;
    TskListBox* FileListBox1 = nullptr;
    TskListBox* FileListBox2 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label67 = nullptr;
    QLabel* Label68 = nullptr;
    QLabel* Image1 = nullptr;
    LiveOffsetPad* Image4 = nullptr;
    TskCheckBox* skCheckBox2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    QString DrawingFolder() const;
    QString SectionFolder() const;
    void RefreshList(TskListBox* list, const QString& folder, const QString& mask);
    void DrawingListChanged();
    void GridRowSelected(int row);
    void DeleteSelectedFile(TskListBox* list);
    void ShowGrid();
    std::optional<QStringList> NewRow();
    bool GridCommandAllowed() const;
    /// Ends an open cell edit into its own row before a command; false (the grid's
    /// message shown) when the typed value cannot stand in the grid.
    bool EndCellEdit();
    void SaveUnder(const QString& name, bool armed, const QString& doneText);
    void ShowPreview(const QImage& image);
    /// After a start: shows the refusal, or starts the tick and preview timers.
    void StartTimersAfter(const PlayStart& start, int firstTick, int firstPreview);
    void FormActivate();
    int SelectedGridRow() const;

    WindowRegistry& windows_;
    ShowFolders folders_;
    LiveParameters SectionLiveParameters;
    PublishedAnimation animation_;
    std::unique_ptr<FrameSink> sink_;
    SectionGrid grid_;
    LivePlayControls* controls_ = nullptr;
    TickTimer* timer1_ = nullptr;
    TickTimer* timer2_ = nullptr;
    PreviewBox* image2_ = nullptr;
    PreviewBox* image3_ = nullptr;
    TskPopupMenu* skPopupMenu1 = nullptr;
    TskPopupMenu* skPopupMenu2 = nullptr;
    TskPopupMenu* skPopupMenu3 = nullptr;

    // Play lists: replaced only between plays, read by the loop and the preview.
    std::shared_ptr<const SectionPlayList> SectionPlayRows = std::make_shared<SectionPlayList>();
    std::shared_ptr<const Drawing> SectionDrawingPlayList = std::make_shared<Drawing>();
    int playKind_ = 0;

    /// Creation reads no file: the drawing list's thumbnail is drawn at the first show.
    bool shownOnce_ = false;
    QImage preview_{256, 256, QImage::Format_RGB32};
};
