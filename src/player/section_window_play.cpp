// The Section window's play: a saved section or a single drawing, through the
// hand-over, with the time base and the play preview.

#include "player/section_window.h"

#include "model/drawing_file.h"
#include "model/section_file.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "player/drawing_thumbnail.h"
#include "player/live_play_controls.h"
#include "player/play_preview.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/eliding_label.h"
#include "skin/list_box.h"
#include "skin/grids/string_grid.h"

#include <QLabel>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
// First intervals of the two timers, by play kind (section, single drawing).
constexpr int kTickFirstSection = 200;
constexpr int kTickFirstDrawing = 300;
constexpr int kPreviewFirstSection = 100;
constexpr int kPreviewFirstDrawing = 300;
// Asked interval of the preview after its first firing; it rounds up to one system tick.
constexpr int kPreviewInterval = 1;

}  // namespace

void TForm5::StopClick()
{
    windows_.HandOver().stopAll();
}

void TForm5::StartSectionPlay()
{
    if (!EndCellEdit())
        return;
    if (FileListBox2->ItemIndex() < 0)
        return;
    const QString path = SectionFolder() + u'/' + FileListBox2->Item(FileListBox2->ItemIndex());
    const PlayStart start = windows_.HandOver().startPlay(kModeSection, [&] {
        controls_->CopyToolButtonsToFlags();
        if (!IsRegularFile(path))
            return false;
        auto rows = std::make_shared<SectionPlayList>();
        if (FileResult result = ReadSectionFile(path, *rows, folders_); !result) {
            Label18->setText(result.message);
            windows_.Dialog().Message(this, windowTitle(), result.message);
            return false;
        }
        Label18->setText(QStringLiteral("section playing start..."));
        playKind_ = 0;
        SectionPlayRows = rows;
        windows_.HandOver().setPlayLoop(
            kModeSection, {[this, rows] {
                               SectionLoopContext context{*sink_, SectionLiveParameters, animation_, SectionTick};
                               PlaySectionLoop(*rows, context);
                           },
                           {}, this});
        return true;
    });
    StartTimersAfter(start, kTickFirstSection, kPreviewFirstSection);
}

void TForm5::StartSectionDrawingPlay()
{
    if (!EndCellEdit())
        return;
    if (FileListBox1->ItemIndex() < 0)
        return;
    const PlayStart start = windows_.HandOver().startPlay(kModeSectionDrawing, [&] {
        controls_->CopyToolButtonsToFlags();
        SectionDrawingPlayList = std::make_shared<Drawing>();
        // The selected drawing, read now: the thumbnail keeps only its picture.
        Drawing listDrawing;
        const QString path = DrawingFolder() + u'/' + FileListBox1->Item(FileListBox1->ItemIndex());
        if (IsRegularFile(path)) {
            if (const FileResult read = ReadDrawingCatching(path, listDrawing); !read) {
                Label18->setText(read.message);
                return false;
            }
        }
        if (listDrawing.empty())
            return false;
        Label18->setText(QStringLiteral("drawing playing start..."));
        auto drawing = std::make_shared<const Drawing>(PrepareSectionDrawing(listDrawing));
        SectionDrawingPlayList = drawing;
        playKind_ = 1;
        windows_.HandOver().setPlayLoop(
            kModeSectionDrawing, {[this, drawing] {
                                      SectionLoopContext context{*sink_, SectionLiveParameters, animation_, SectionTick};
                                      PlaySectionDrawingLoop(*drawing, context);
                                  },
                                  {}, this});
        return true;
    });
    StartTimersAfter(start, kTickFirstDrawing, kPreviewFirstDrawing);
}

void TForm5::StartTimersAfter(const PlayStart& start, int firstTick, int firstPreview)
{
    if (!start.started()) {
        if (!start.status.isEmpty())
            Label18->setText(start.status);
        return;
    }
    SectionTick.store(0, kRelaxed);
    timer1_->setInterval(firstTick);
    timer1_->setEnabled(true);
    timer2_->setInterval(firstPreview);
    timer2_->setEnabled(true);
}

void TForm5::ShowPreview(const QImage& image)
{
    Image1->setPixmap(QPixmap::fromImage(image).scaled(208, 208, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void TForm5::Timer2Timer()
{
    timer2_->setEnabled(false);
    timer2_->setInterval(kPreviewInterval);
    // Only this window's play: another window's play counts as this one's end, and its
    // frame news is left for that window's preview.
    const bool owned = windows_.HandOver().playOwner() == this;
    const bool running = owned && PlayLoopRunning.load(kRelaxed) != 0;
    const EffectPhases phases = animation_.Load();
    auto maxPoints = [&](const EffectParameters& p) -> std::int64_t {
        return p.D < 1 ? phases.SectionPointTotal : std::int64_t{phases.SectionSlowDrawPrefix} + 1;
    };

    if (playKind_ == 0) {
        if (owned && FrameChanged.exchange(0, kRelaxed) != 0) {
            Label31->setText(QString::number(phases.SectionPointTotal));
            const int index = animation_.SectionRowIndex.load(kRelaxed);
            const SectionPlayList& rows = *SectionPlayRows;
            preview_.fill(Qt::black);
            if (index >= 0 && std::size_t(index) < rows.size()) {
                PreviewFrame frame;
                frame.drawing = &rows[std::size_t(index)].Paths.get();
                frame.options = kSectionRowPreview;
                frame.params = SectionLiveParameters.ForRow(rows[std::size_t(index)]);
                frame.phases = phases;
                frame.geometry = CurrentOutputGeometry();
                frame.maxPoints = maxPoints(frame.params);
                RenderPreview(preview_, frame);
                DrawRowNumber(preview_, index + 1);
            }
            ShowPreview(preview_);
        }
        if (running) {
            timer2_->setEnabled(true);
        } else {
            timer1_->setEnabled(false);
            SectionTick.store(0, kRelaxed);
            Label18->setText(QStringLiteral("section playing end....."));
        }
        return;
    }

    Label31->setText(QString::number(phases.SectionPointTotal));
    if (running && FrameChanged.load(kRelaxed) != 0) {
        FrameChanged.store(0, kRelaxed);
        PreviewFrame frame;
        frame.drawing = SectionDrawingPlayList.get();
        frame.options = kSectionDrawingPreview;
        frame.params = SectionLiveParameters.Snapshot();
        frame.phases = phases;
        frame.geometry = CurrentOutputGeometry();
        frame.maxPoints = maxPoints(frame.params);
        RenderPreview(preview_, frame);
        ShowPreview(preview_);
    }
    if (!running) {
        timer1_->setEnabled(false);
        SectionTick.store(0, kRelaxed);
        Label18->setText(QStringLiteral("drawing playing end....."));
    } else {
        timer2_->setEnabled(true);
    }
}
