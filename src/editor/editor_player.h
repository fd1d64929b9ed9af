#pragma once
// Playing from the Draw window: the edited ILDA image frame by frame (mode 1)
// or the whole drawing as one repeated frame (mode 2), with the repeat, hold
// and mirror switches, the frame tick and the 256 x 256 preview. No widgets:
// the play panel forwards its buttons here and shows PlayPreviewBitmap().
//
// Every start and the destruction go through the hand-over: stop, join with a
// bound, then rebuild the lists; a refused start leaves the lists alone and
// shows the hand-over's status text.

#include "editor/editor_play_loops.h"
#include "output/tick_timer.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class PlayHandOver;

inline constexpr char kIldaPlayStartText[] = "ILDAimage playing start.....";
inline constexpr char kIldaPlayEndText[] = "ILDAimage playing end...";
inline constexpr char kDrawingPlayStartText[] = "drawing playing start...";
inline constexpr char kDrawingPlayEndText[] = "drawing playing end...";

/// First tick of both timers after an image play starts, in timer milliseconds.
inline constexpr int kFirstPlayTickMs = 300;
/// The send speed image play sets (slider 100, byte 0) and the one drawing play puts back after it (slider 85, byte 15).
inline constexpr std::uint8_t kFastestSpeedByte = 0;
inline constexpr std::uint8_t kDrawingSpeedByte = 100 - 85;

class EditorPlayer : public QObject {
    Q_OBJECT
public:
    using StatusSink = std::function<void(const QString&)>;

    /// GUI thread. Registers the two loops with the hand-over; the preview starts
    /// filled with the palette colour `backColour`.
    EditorPlayer(PlayHandOver& handOver, StatusSink status, std::uint8_t backColour, QObject* parent = nullptr);
    /// Stops and joins any play through the hand-over, then withdraws the loops.
    ~EditorPlayer() override;

    /// ToolButton1: plays the image's frames (nothing when it holds none).
    void StartImagePlay(const TILDAimage& image);
    /// BitBtn28: plays the drawing (canvas coordinates) until stopped (nothing when it holds no path);
    /// the start text says so when the drawing is cut to one frame's 16,384 points.
    void StartDrawingPlay(const Drawing& drawing);
    /// ToolButton8: ends any play and the music.
    void Stop();

    /// ToolButton5 (repeat), ToolButton9 (mirror x), ToolButton3 (mirror y),
    /// ToolButton10 (hold): the down states, written through to the loops at once
    /// (repeat and the mirrors are read again by the starts).
    void SetRepeat(bool down);
    void SetMirrorX(bool down);
    void SetMirrorY(bool down);
    void SetHold(bool down);
    bool Repeat() const { return repeat_; }
    bool MirroredX() const { return mirrorX_; }
    bool MirroredY() const { return mirrorY_; }
    bool Held() const { return hold_; }

    /// Timer1: the frame tick.
    void Timer1Timer();
    /// Timer2: redraws the preview when the loop published a new frame; ends the timers when image play is over.
    void Timer2Timer();
    TickTimer& Timer1() { return timer1_; }
    TickTimer& Timer2() { return timer2_; }

    /// The 256 x 256 preview (Image1).
    const QImage& PlayPreviewBitmap() const { return preview_; }
    /// Point count of the previewed frame (Label39).
    int PreviewPointCount() const { return previewPoints_; }
    /// The lists the last start prepared, shared with its loop.
    const EditorPlayShared& Shared() const { return *shared_; }

signals:
    /// The preview picture or its point count changed.
    void PreviewChanged();

private:
    void EndImagePreview();
    /// GUI thread, once the drawing loop has ended: the status line says so.
    void ShowDrawingPlayEnd();

    PlayHandOver& handOver_;
    StatusSink status_;
    std::shared_ptr<EditorPlayShared> shared_ = std::make_shared<EditorPlayShared>();
    TickTimer timer1_;
    TickTimer timer2_;
    QImage preview_;
    int previewPoints_ = 0;
    bool repeat_ = false;
    bool mirrorX_ = false;
    bool mirrorY_ = false;
    bool hold_ = false;
};
