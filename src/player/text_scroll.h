#pragma once
// Scrolling text: memo lines become text units (one per character for the
// horizontal scroll, one per line for the vertical), and the two loops move a
// window of units through the 0..255 square, cutting every unit at the edges
// it crosses (what lies outside is left out, never pressed onto the edge),
// holding each position for StayTime frame ticks.
//
// Text is counted in GBK bytes (a character GBK lacks counts as two and is
// drawn from its Unicode code point). The glyphs come from the outline source on
// the GUI thread (the prepare functions); the loops see only the prepared
// units. Each placed frame is published as an immutable snapshot for the
// preview, which never reads a frame the loop is rebuilding.

#include "model/glyph_outline.h"
#include "model/show_model.h"
#include "player/play_loops.h"

#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

/// The text parameters TA..TE the loops read as they run.
struct TextScrollParameters {
    std::atomic<std::int32_t> ScrollStep{5};             ///< TA, 0..64
    std::atomic<std::int32_t> StayTime{2};               ///< TB, 0..100
    std::atomic<std::int32_t> VisibleCount{8};           ///< TC, 1..20
    std::atomic<std::int32_t> TextCharWidthFactor{8};    ///< TD, 1..20
    std::atomic<std::int32_t> TextCharHeightFactor{8};   ///< TE, 1..20
};

/// Bytes of a line the vertical scroll keeps.
inline constexpr int kVerticalLineBytes = 20;

/// GUI thread (uses the outline source). One unit per character of every line, in order;
/// each the glyph in its cell (factors TD, TE), narrow letters shifted right.
Drawing PrepareTextHorizontal(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font, int TD,
                              int TE, std::uint8_t colour);
/// GUI thread. One unit per non-empty line, cut to 20 bytes on a character boundary: its
/// characters at the letter scale on a column pitch of 256 / max(bytes, TD), narrowed
/// across in the ratio of that pitch to 256 / TD.
Drawing PrepareTextVertical(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font, int TD,
                            int TE, std::uint8_t colour);

/// The edges a unit is clipped at.
enum class ClipEdge { Left, Right, Top, Bottom };

/// Any thread. The path cut at one edge line (x = 0, x = 255, y = 0 or y = 255): points
/// outside go; where the path enters or leaves the square a point is put on the edge line
/// (blanked when entering); a point exactly on the line reached from outside becomes blanked.
Path ClipPath(const Path& path, ClipEdge edge);
/// Any thread. The path cut at every edge of the 0..255 square it crosses.
void ClipToSquare(Path& path);

/// Any thread. Rebuilds `frame` from `window` at `offset` with TC characters per square, every
/// unit cut to the square; an empty window leaves the frame as it was.
void PlaceTextWindowHorizontal(const Drawing& window, Drawing& frame, std::int32_t offset, std::int32_t TC);
/// Any thread. Rebuilds `frame` (emptied also for an empty window) with lines 512 / TC apart,
/// every line cut to the square.
void PlaceTextWindowVertical(const Drawing& window, Drawing& frame, std::int32_t offset, std::int32_t TC);

/// The text frame the loop placed last; the preview takes a reference to an immutable copy.
class TextFrameSnapshot {
public:
    /// Any thread.
    void Publish(std::shared_ptr<const Drawing> frame);
    /// Any thread. Never null.
    std::shared_ptr<const Drawing> Load() const;

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const Drawing> frame_ = std::make_shared<const Drawing>();
};

/// What the text loops read besides the Play window's loop context.
struct TextLoopContext {
    PlayLoopContext& play;
    const TextScrollParameters& text;
    TextFrameSnapshot& published;
};

/// Worker thread. `PlayTextHorizontalLoop`: the units scroll left until the last has reached the
/// start of the square, again from the first while `LoopPlay` is set; until StopRequested.
void PlayTextHorizontalLoop(const Drawing& units, TextLoopContext& context);
/// Worker thread. `PlayTextVerticalLoop`: the lines scroll upwards, as the horizontal loop.
void PlayTextVerticalLoop(const Drawing& units, TextLoopContext& context);
