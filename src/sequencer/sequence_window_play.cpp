// The Sequence window's play: the start through the music's lead-in and the
// track hand-over, the time base, the preview with the end of the sequence,
// and the repeat watcher.

#include "sequencer/sequence_window.h"

#include "model/sequence_file.h"
#include "output/music_player.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "player/show_file_list.h"
#include "sequencer/sequence_preview.h"
#include "shell/window_registry.h"
#include "skin/tool_bar.h"

#include <QLabel>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// First intervals of the time base and the preview, then what they ask after their first firing
// (the time base rounds both up to one system tick).
constexpr int kTickFirst = 100;
constexpr int kTickInterval = 2;
constexpr int kPreviewFirst = 50;
constexpr int kPreviewInterval = 1;

bool AnyTrackRunning()
{
    for (const auto& running : TrackRunning)
        if (running.load(kRelaxed) != 0)
            return true;
    return false;
}

}  // namespace

// ---- play ------------------------------------------------------------------------------

void TForm8::SequencePlayStart()
{
    if (!EndCellEdits())
        return;
    if (FileListBox4->ItemIndex() < 0 || FileListBox4->Count() == 0)
        return;
    // A start waiting for its music's lead-in is not started twice.
    if (StartPending())
        return;
    restartPause_.stop();
    SequencePlaying.store(0, kRelaxed);
    // Stops whatever plays, ends the music and joins the tracks before their sequence is replaced.
    if (!windows_.HandOver().stopAll()) {
        Label18->setText(QString::fromUtf8(kPlayStillRunningText));
        return;
    }
    LoopPlay.store(ToolButton5->Down() ? 1 : 0, kRelaxed);
    MirrorY.store(ToolButton3->Down() ? 1 : 0, kRelaxed);
    MirrorX.store(ToolButton9->Down() ? 1 : 0, kRelaxed);
    FreezePlay.store(ToolButton10->Down() ? 1 : 0, kRelaxed);
    const QString path = FileListBox4->SelectedPath();
    if (!IsRegularFile(path))
        return;
    auto sequence = std::make_shared<TSequence>();
    const ShowTextRead result = LoadSequenceFile(path, folders_, *sequence);
    if (result.extent == ShowTextRead::Extent::Unchanged) {
        // Refused or unreadable: no music, no tracks.
        Label18->setText(result.message);
        return;
    }
    playSequence_ = std::move(sequence);
    StartSequencePlay();
    if (!result)
        Label18->setText(result.message);
    timer4_->setEnabled(true);
}

void TForm8::StartSequencePlay()
{
    Label18->setText(QStringLiteral("Sequence playing start..."));
    tracksPending_ = true;
    // The tracks start after the music's lead-in; a stop or another play before then abandons them.
    windows_.Music().Start(playSequence_->MusicFile, [this] { StartTracks(); });
}

void TForm8::StartTracks()
{
    tracksPending_ = false;
    const std::shared_ptr<const TSequence> sequence = playSequence_;
    const PlayStart start = windows_.HandOver().startTracks(
        [&] {
            for (int t = 0; t < kTrackCount; ++t) {
                windows_.HandOver().setTrackLoop(
                    static_cast<std::uint8_t>(t + 1),
                    {[this, sequence, t] {
                         TrackContext context{t, *sink_, controls_, states_[std::size_t(t)]};
                         PlayTrack(TrackOf(*sequence, t), context);
                     },
                     {},
                     this});
            }
            // Raised before the tracks run, so the first preview tick does not take the sequence for ended.
            SequencePlaying.store(1, kRelaxed);
            return true;
        },
        MusicAtStart::Keep);
    if (!start.started()) {
        SequencePlaying.store(0, kRelaxed);
        windows_.Music().Stop();
        if (!start.status.isEmpty())
            Label18->setText(start.status);
        return;
    }
    timer1_->setInterval(kTickFirst);
    timer1_->setEnabled(true);
    timer2_->setInterval(kPreviewFirst);
    timer2_->setEnabled(true);
}

void TForm8::StopClick()
{
    restartPause_.stop();
    windows_.HandOver().stopAll();
    EndAbandonedStart();
}

void TForm8::CancelSequence()
{
    // A sequence under way (leading in, or its tracks shown by the preview) ends here:
    // the preview that would have said so is stopped with it.
    const bool underWay = tracksPending_ || timer2_->isEnabled();
    restartPause_.stop();
    tracksPending_ = false;
    timer4_->setEnabled(false);
    EndPlayTimers();
    SequencePlaying.store(0, kRelaxed);
    if (underWay)
        ShowSequenceEnd();
}

void TForm8::EndAbandonedStart()
{
    if (!tracksPending_)
        return;
    tracksPending_ = false;
    ShowSequenceEnd();
}

void TForm8::ShowSequenceEnd()
{
    Label18->setText(QStringLiteral("Sequence playing end..."));
}

void TForm8::EndPlayTimers()
{
    timer1_->setEnabled(false);
    timer2_->setEnabled(false);
}

void TForm8::Timer1Timer()
{
    timer1_->setInterval(kTickInterval);
    for (int t = 0; t < kTrackCount; ++t) {
        TrackTimeTick[t].store(1, kRelaxed);
        TrackFrameTick[t].store(1, kRelaxed);
    }
}

void TForm8::ShowPreview()
{
    // The whole output square, scaled to the box, so nothing at the right or bottom edge is hidden.
    Image1->setPixmap(QPixmap::fromImage(preview_).scaled(208, 208, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void TForm8::Timer2Timer()
{
    timer2_->setEnabled(false);
    timer2_->setInterval(kPreviewInterval);
    bool drew = false;
    if (FrameChanged.exchange(0, kRelaxed) != 0) {
        drew = true;
        SequencePreviewInput in;
        in.sequence = playSequence_.get();
        in.states = &states_;
        for (int t = 0; t < kTrackCount; ++t)
            in.running[std::size_t(t)] = TrackRunning[t].load(kRelaxed) != 0;
        in.colourMode = controls_.SequenceColorMode.load(kRelaxed);
        in.pointDraw = controls_.SequencePointDraw.load(kRelaxed) != 0;
        in.geometry = CurrentOutputGeometry();
        Label31->setText(QString::number(RenderSequencePreview(preview_, in)));
        ShowPreview();
    }
    if (AnyTrackRunning()) {
        timer2_->setEnabled(true);
        return;
    }
    timer1_->setEnabled(false);
    ShowSequenceEnd();
    const SequenceEndAction action = EndOfSequence(drew, LoopPlay.load(kRelaxed) != 0);
    if (action.endMusic)
        windows_.Music().Stop();
    if (action.stop) {
        StopRequested.store(1, kRelaxed);
        SequencePlaying.store(0, kRelaxed);
    }
}

void TForm8::SequenceRepeatWatch()
{
    // A player that ended by itself leaves no zombie until the sequence stops.
    windows_.Music().ReapIfEnded();
    // The stop flag stays raised while the music leads in; the start is not over yet.
    if (StartPending())
        return;
    if (StopRequested.load(kRelaxed) != 0) {
        timer4_->setEnabled(false);
        SequencePlaying.store(0, kRelaxed);
        windows_.Music().Stop();
        // A stop from elsewhere cut the lead-in short.
        EndAbandonedStart();
        return;
    }
    if (ToolButton5->Down() && !AnyTrackRunning() && SequencePlaying.load(kRelaxed) != 0 &&
        !restartPause_.isActive()) {
        SequencePlaying.store(0, kRelaxed);
        windows_.Music().Stop();
        restartPause_.start();
    }
}
