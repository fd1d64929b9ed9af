#include "editor/editor_player.h"

#include "model/palette.h"
#include "model/screen_colour.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/worker_threads.h"

#include <algorithm>

namespace {

constexpr auto r = std::memory_order_relaxed;

// The settings file keeps the interval in 2..200; a value below that must never
// make a timer that fires continuously.
int FrameIntervalMs() { return std::max(2, int(IldaFrameInterval.load(r))); }

// A toggle button's state: kept for the panel, published for the play loops.
void SetButtonFlag(bool& own, std::atomic<std::uint8_t>& shared, bool down)
{
    own = down;
    shared.store(down ? 1 : 0, r);
}

// The start text, and where a drawing too big for one frame is cut: the
// controllers get only the first points of it.
QString DrawingPlayStartText(std::size_t points)
{
    QString text = QString::fromLatin1(kDrawingPlayStartText);
    if (points > FramePacket::kMaxPoints)
        text += QStringLiteral(" (cut to %1 pts)").arg(FramePacket::kMaxPoints);
    return text;
}

}  // namespace

EditorPlayer::EditorPlayer(PlayHandOver& handOver, StatusSink status, std::uint8_t backColour, QObject* parent)
    : QObject(parent)
    , handOver_(handOver)
    , status_(std::move(status))
    , preview_(256, 256, QImage::Format_RGB32)
{
    preview_.fill(ToQColor(PaletteColour(backColour)));
    // The loops hold the shared lists themselves, so they never reach into this object.
    handOver_.setPlayLoop(kModeEditorIlda, PlayLoop{[shared = shared_] { EditorPlayIldaLoop(*shared); }});
    handOver_.setPlayLoop(kModeEditorDrawing,
                          PlayLoop{[shared = shared_] { EditorPlayDrawingLoop(*shared); },
                                   [this] { ShowDrawingPlayEnd(); }, this});
    connect(&timer1_, &TickTimer::timeout, this, &EditorPlayer::Timer1Timer);
    connect(&timer2_, &TickTimer::timeout, this, &EditorPlayer::Timer2Timer);
}

EditorPlayer::~EditorPlayer()
{
    // A loop that does not stop within the bound keeps the shared lists alive by itself.
    handOver_.stopAll();
    handOver_.setPlayLoop(kModeEditorIlda, {});
    handOver_.setPlayLoop(kModeEditorDrawing, {});
}

void EditorPlayer::ShowDrawingPlayEnd()
{
    status_(QString::fromLatin1(kDrawingPlayEndText));
}

void EditorPlayer::SetRepeat(bool down) { SetButtonFlag(repeat_, LoopPlay, down); }
void EditorPlayer::SetMirrorX(bool down) { SetButtonFlag(mirrorX_, MirrorX, down); }
void EditorPlayer::SetMirrorY(bool down) { SetButtonFlag(mirrorY_, MirrorY, down); }
void EditorPlayer::SetHold(bool down) { SetButtonFlag(hold_, FreezePlay, down); }

void EditorPlayer::Stop()
{
    handOver_.stopAll();
}

void EditorPlayer::StartImagePlay(const TILDAimage& image)
{
    const PlayStart start = handOver_.startPlay(kModeEditorIlda, [&] {
        LoopPlay.store(repeat_ ? 1 : 0, r);
        MirrorX.store(mirrorX_ ? 1 : 0, r);
        MirrorY.store(mirrorY_ ? 1 : 0, r);
        if (image.Frames.empty())
            return false;
        status_(QString::fromLatin1(kIldaPlayStartText));
        shared_->EditorIldaPlayList = std::make_shared<const PlayList>(MakeIldaPlayList(image));
        shared_->Publish(nullptr, -1);
        SendSpeedByte.store(kFastestSpeedByte, r);
        return true;
    });
    if (start.result == PlayStart::Result::Refused) {
        status_(start.status);
        return;
    }
    if (!start.started())
        return;
    for (TickTimer* timer : {&timer1_, &timer2_}) {
        timer->setEnabled(false);
        timer->setInterval(kFirstPlayTickMs);
        timer->setEnabled(true);
    }
}

void EditorPlayer::StartDrawingPlay(const Drawing& drawing)
{
    const PlayStart start = handOver_.startPlay(kModeEditorDrawing, [&] {
        // An image play this start ended says so before the drawing's own text.
        if (timer2_.isEnabled())
            EndImagePreview();
        MirrorX.store(mirrorX_ ? 1 : 0, r);
        MirrorY.store(mirrorY_ ? 1 : 0, r);
        shared_->EditorDrawingPlayList = std::make_shared<const PlayList>();
        if (drawing.empty())
            return false;
        auto list = std::make_shared<const PlayList>(MakeDrawingPlayList(drawing));
        const std::size_t points = PlayPointCount(*list);
        previewPoints_ = int(points);
        status_(DrawingPlayStartText(points));
        DrawDrawingPreview(preview_, *list, OutputTransform::Current());
        shared_->EditorDrawingPlayList = std::move(list);
        if (SendSpeedByte.load(r) == kFastestSpeedByte)
            SendSpeedByte.store(kDrawingSpeedByte, r);
        return true;
    });
    if (start.result == PlayStart::Result::Refused) {
        status_(start.status);
        return;
    }
    if (start.started())
        emit PreviewChanged();
}

void EditorPlayer::Timer1Timer()
{
    timer1_.setInterval(FrameIntervalMs());
    EditorFrameTick.store(1, r);
    // A loop waiting out an unsent frame moves on at the tick.
    StopRequested.WakeWaiters();
}

void EditorPlayer::Timer2Timer()
{
    timer2_.setEnabled(false);
    timer2_.setInterval(std::max(1, FrameIntervalMs() / 2));
    if (PlayLoopRunningFor(kModeEditorIlda) && TakeFrameChanged(kModeEditorIlda)) {
        const EditorPlayShared::Shown shown = shared_->Current();
        if (const PlayPath* frame = shown.frame()) {
            preview_ = DrawIldaPreview(*frame, shown.EditorFrameIndex, OutputTransform::Current());
            previewPoints_ = int(frame->size());
            emit PreviewChanged();
        }
    }
    if (!PlayLoopRunningFor(kModeEditorIlda))
        EndImagePreview();
    else
        timer2_.setEnabled(true);
}

void EditorPlayer::EndImagePreview()
{
    timer1_.setEnabled(false);
    timer2_.setEnabled(false);
    status_(QString::fromLatin1(kIldaPlayEndText));
}
