#pragma once
// The Play window's drawing and ILDA play: the play lists made from the
// loaded drawing or ILDA image, and the two loops that send them through the
// effect chain with the window's live parameters. The loops run on the play
// thread and read only their own prepared, immutable play list; they send a
// settings packet at their start and again only when the send speed or the
// port selection changed.

#include "player/effect_chain.h"
#include "player/frame_sink.h"
#include "player/live_parameters.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

/// What the Play window's loops send: turned source, phases zeroed above 510,
/// gobo, M and output angle on every point, colours already device codes.
inline constexpr LoopOptions kPlayLoopOptions{SourceMapping::Turned, PhaseWrap::ZeroAbove510, OptionalSteps::Always,
                                              ColourSource::DeviceCode, false};
/// What the Play window's preview draws with.
inline constexpr LoopOptions kPlayPreviewOptions{SourceMapping::Screen, PhaseWrap::ZeroAbove510,
                                                 OptionalSteps::Always, ColourSource::DeviceCode, true};

/// One ILDA frame's play list, a single path: x = clamp(x + 128), y = 255 - clamp(y + 128)
/// (the frames are kept top-down, so the loop's turned mapping sends y upwards and the
/// preview draws it upright); colour = the device code, mark = the palette index, blank 0
/// or 1; erased points left out.
Drawing PrepareIldaFrame(const TILDAframe& frame);

/// The frames of an ILDA play: the image the play was given, shared with the
/// window that shows it (never changed while shared), each frame turned into
/// its play list only when it is played or previewed, so a play holds one
/// frame's list beside the image instead of a second image.
class IldaPlayFrames {
public:
    IldaPlayFrames() = default;
    explicit IldaPlayFrames(std::shared_ptr<const TILDAimage> image) : image_(std::move(image)) {}
    std::size_t size() const { return image_ ? image_->Frames.size() : 0; }
    bool empty() const { return size() == 0; }
    /// Frame f's play list (PrepareIldaFrame), made now; f below size().
    Drawing operator[](std::size_t f) const { return PrepareIldaFrame(image_->Frames[f]); }
    const std::shared_ptr<const TILDAimage>& Image() const { return image_; }

private:
    std::shared_ptr<const TILDAimage> image_;
};

/// What a Play window loop reads and writes besides its play list.
struct PlayLoopContext {
    FrameSink& sink;
    const LiveParameters& live;
    /// Phases for the preview; SectionRowIndex is `PlayCurrentFrame`.
    PublishedAnimation& animation;
    /// `PlayFrameTick`: raised by the window's frame timer, consumed here.
    std::atomic<std::uint8_t>& tick;
};

/// The ILDA play of the shared image (frames by PrepareIldaFrame). Nothing when the image
/// has no frame (the previous play list stays).
std::optional<IldaPlayFrames> PrepareIldaPlay(std::shared_ptr<const TILDAimage> image);
/// As above, of a copy of the image.
std::optional<IldaPlayFrames> PrepareIldaPlay(const TILDAimage& image);

/// Sends the settings packet whenever the send speed or port selection moved since the last one sent.
class SettingsOnChange {
public:
    /// Worker thread. Sends the current settings to every controller and remembers them.
    void SendNow(FrameSink& sink);
    /// Worker thread. The current settings when they differ from the last sent (remembered as sent), else nothing.
    std::optional<DeviceSettingsPacket> Changed();

private:
    DeviceSettingsPacket sent_;
};

/// Worker thread. `PlayDrawingLoop`: the drawing over and over with the live parameters until
/// StopRequested; a stop before a path ends the frame, which is sent as far as it got.
void PlayDrawingLoop(const Drawing& drawing, PlayLoopContext& context);

/// Worker thread. `PlayIldaLoop`: each frame is sent over and over until the next frame tick
/// (held while frozen), the frames in order, again from the first while `LoopPlay` is set.
/// A stop ends the walk at once.
void PlayIldaLoop(const IldaPlayFrames& frames, PlayLoopContext& context);
