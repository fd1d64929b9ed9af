#pragma once
// Text to laser paths: each character's outline contours become runs of
// points scaled into the character's cell. Every run starts with a blanked
// point and ends with a copy of its start; points where records meet (the
// outline's corners) get z = 2, points inside a curve z = 0.

#include "model/glyph_outline.h"
#include "model/show_model.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

/// A rectangle of cell coordinates (y down).
struct CellRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct GlyphRequest {
    CellRect cell;
    /// GBK bytes of the character(s).
    QByteArray text;
    FontChoice font;
    /// Palette index of every point.
    std::uint8_t colour = 0;
    /// With text empty: one character GBK cannot hold, drawn from this code point
    /// and laid out as one two-byte character.
    char32_t unicode = 0;
};

/// Where one character's outline is laid: left x0, top y0, width and height.
struct GlyphBox {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

/// The reference glyph's scale: D = black-box width + origin x divides both
/// axes, B = black-box height is the box's top line.
struct ReferenceScale {
    std::int32_t D = 0;
    std::int32_t B = 0;
};

/// Any thread. The scale of the reference metrics.
ReferenceScale ScaleOf(const BlackBox& reference);

/// Any thread. One 16.16 outline point into integer cell coordinates (y flipped
/// to grow downwards). scale.D must not be 0.
void OutlinePointToCell(PointFx point, const GlyphBox& box, const ReferenceScale& scale,
                        std::int32_t& x, std::int32_t& y);

/// GUI thread (uses the source). Appends the points of request.text to output.
/// With a thinning distance d, afterwards every point closer than d to the last
/// kept point of output is removed (the first point always stays). A font whose
/// reference glyph is missing appends nothing.
void GlyphToPolylines(GlyphOutlineSource& source, const GlyphRequest& request, Path& output,
                      std::optional<int> thinningDistance);

/// Any thread. Removes every point of path closer than distance to the last kept point.
void ThinPath(Path& path, int distance);

/// The cell of one character (one or two GBK bytes) for width factor F and
/// height factor G (each 1..20; values below 1 count as 1). A character GBK
/// cannot hold (no bytes) has the cell of a two-byte character.
CellRect CharacterCell(const QByteArray& character, int widthFactor, int heightFactor);

/// Where the text tools put a converted character: its cell coordinates are
/// scaled by 3/4 across and 1 down before the pitch is added. A letter is as
/// tall as its cell (a capital about 2/3 of it, an ideograph nearly all); 3/4
/// across keeps a one-byte letter, laid into a box twice its cell wide, inside
/// its pitch.
inline constexpr double kLetterScaleX = 0.75;
inline constexpr double kLetterScaleY = 1.0;

/// How far right the narrow letters "ijlrtfIJ" move after conversion, in cell
/// units: 1000 / (9 F), which placed at kLetterScaleX is 1000 / (12 F), a third
/// of the cell, so a narrow letter stands in the middle of its pitch. 0 for others.
std::int32_t NarrowLetterShift(const QByteArray& character, int widthFactor);
