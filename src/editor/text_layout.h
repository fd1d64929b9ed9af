#pragma once
// Lines of text laid out as laser paths: one path per character, its cell
// placed at the text tools' letter scale on a grid of columns and rows. Lines
// are counted in GBK bytes and cut to 20 bytes, never inside a two-byte
// character; a character GBK lacks counts as two bytes and is drawn from its
// Unicode code point.

#include "model/glyph_polylines.h"
#include "model/show_model.h"

#include <QStringList>

// Fields keep the names the Text dialog has always used for its five factors.
struct TextFactors {
    /// Thinning distance (0..40).
    int FineCoarseFactor = 3;
    /// F and G of the character cell (1..20).
    int CharWidthFactor = 8;
    int CharHeightFactor = 8;
    /// Column and row pitch divisors (1..20).
    int WidthIntervalFactor = 8;
    int HeightIntervalFactor = 8;
};

/// Bytes of a line that are laid out.
inline constexpr int kTextLineBytes = 20;

/// GUI thread (uses the outline source). One path per character, in line order
/// then character order (a character without outline gives an empty path).
Drawing LayoutText(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font,
                   const TextFactors& factors, std::uint8_t colour);
