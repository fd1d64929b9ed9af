#pragma once
// The Draw window's play lists and the frame they become on the controllers.
//
// A play list is a value copy made on the GUI thread before a play starts:
// one play path per ILDA frame (image play) or per drawing path (drawing
// play), in output space 0..255. Only the output settings and the mirror
// buttons apply: no section effects. Points marked erased are left out.

#include "model/show_model.h"
#include "output/packets.h"

#include <QImage>

#include <cstdint>
#include <vector>

/// One point of a play list.
struct PlayPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    /// Device colour code 0..7: what is sent.
    std::uint8_t code = 0;
    /// Palette index of the source point: what the preview draws in.
    std::uint8_t palette = 0;
    /// 1 when the beam moves dark to this point.
    std::uint8_t blank = 0;
};
using PlayPath = std::vector<PlayPoint>;
using PlayList = std::vector<PlayPath>;

/// Which way y runs in a play list: ILDA frames upward, drawings downward.
enum class PlayAxis : std::uint8_t { IldaUp, DrawingDown };

/// Any thread. One play path per frame: x + 128 and y + 128, clamped to 0..255.
PlayList MakeIldaPlayList(const TILDAimage& image);
/// Any thread. One play path per drawing path: canvas x / 2 and y / 2 (toward zero), clamped to 0..255.
PlayList MakeDrawingPlayList(const Drawing& drawing);
/// Total points of a play list.
std::size_t PlayPointCount(const PlayList& list);

/// The output settings and mirrors of one frame, read once from the shared values.
struct OutputTransform {
    bool mirrorX = false;
    bool mirrorY = false;
    std::int32_t angle = 0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    std::int32_t sizeX = 20;
    std::int32_t sizeY = 20;

    /// Any thread. The live values of MirrorX, MirrorY, OutputAngle, OffsetX/Y and SizeX/Y.
    static OutputTransform Current();
};

/// Any thread. The point as the controller receives it: the device x axis runs
/// the other way (x = 255 - x), drawing play also turns y over, then the output transform.
DevicePoint DevicePointOf(const PlayPoint& p, const OutputTransform& t, PlayAxis axis) noexcept;

/// Any thread. Appends a path's points to the frame; false once the frame is full
/// (the rest of the path is cut, so a frame never holds more than 16,384 points).
bool AppendPlayPath(FramePacket& frame, const PlayPath& path, const OutputTransform& t, PlayAxis axis);

/// Worker thread. SendPlayFrame: builds the frame of one play path and sends it to
/// the published controllers; returns how many took it.
int SendPlayFrame(FramePacket& frame, const PlayPath& path, const OutputTransform& t);

/// Worker thread. One frame of every path of a drawing play list in order, cut at
/// 16,384 points across all paths, sent to the published controllers; returns how many took it.
int SendDrawingPlayFrame(FramePacket& frame, const PlayList& list, const OutputTransform& t);

/// GUI thread. The preview of image play: black, the frame drawn with y turned up
/// the screen and x unmirrored (as the operator sees it), blank points ringed,
/// the 1-based frame number in white at the top left.
QImage DrawIldaPreview(const PlayPath& path, int frameIndex, const OutputTransform& t);

/// GUI thread. The once-drawn preview of drawing play, painted over `bitmap`
/// (not cleared), pen in the palette colour of each point's device code.
void DrawDrawingPreview(QImage& bitmap, const PlayList& list, const OutputTransform& t);
