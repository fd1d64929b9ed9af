#pragma once
// What the font engine gives the text tools: a character's native outline as
// contours of records, and the black-box metrics of the reference glyph that
// scales every character. Coordinates are 16.16 fixed point in pixels,
// relative to the glyph origin, y growing upwards.
//
// The real source (FreeType and fontconfig) lives in the platform layer; the
// tests use a hand-built one, so the conversion arithmetic is exact.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// A font as the operator chose it. pixelSize is the em size in pixels.
struct FontChoice {
    std::string family;
    int pixelSize = 11;
    bool bold = false;
    bool italic = false;

    bool operator==(const FontChoice&) const = default;
};

/// A 16.16 value as stored: integer part raw >> 16 (signed), fraction raw & 0xFFFF.
struct PointFx {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

/// Record types of a contour.
inline constexpr std::uint16_t kOutlineLine = 1;
inline constexpr std::uint16_t kOutlineQuadratic = 2;
inline constexpr std::uint16_t kOutlineCubic = 3;

/// A line record lists the points the line runs through; a spline record lists
/// its control points and ends with the on-curve point it runs to.
struct OutlineRecord {
    std::uint16_t type = kOutlineLine;
    std::vector<PointFx> points;
};

/// One closed contour: a start point, then records continuing from it. The
/// closing segment back to the start is implied.
struct OutlineContour {
    PointFx start;
    std::vector<OutlineRecord> records;
};

/// Black-box metrics in whole pixels.
struct BlackBox {
    std::uint32_t boxX = 0;
    std::uint32_t boxY = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
};

/// The double-byte code of the reference glyph (the first ideograph of GB2312).
inline constexpr std::uint16_t kReferenceGlyphCode = 0xB0A1;

struct GlyphOutline {
    enum class Status {
        Ok,
        /// The engine cannot tell the outline's size: the rest of the text is skipped.
        NoOutline,
        /// The outline could not be read: the conversion ends at once.
        ReadFailed,
    };
    Status status = Status::Ok;
    /// Empty for a character without outline (a space).
    std::vector<OutlineContour> contours;
};

/// GUI thread only: font engines are not thread-safe.
class GlyphOutlineSource {
public:
    virtual ~GlyphOutlineSource() = default;
    /// Metrics of the reference glyph in this font, taken from a fallback face
    /// when the font lacks it; nullopt when no installed face has it.
    virtual std::optional<BlackBox> ReferenceMetrics(const FontChoice& font) = 0;
    /// The native outline of a character code (below 128: the byte; else lead * 256 + trail).
    /// A character the font lacks comes from another face that holds it; one that no face
    /// holds has no contours.
    virtual GlyphOutline Outline(const FontChoice& font, std::uint16_t code) = 0;
    /// The outline of a character GBK cannot hold, by its Unicode code point; found as
    /// Outline finds one. A source that knows no such characters leaves them out.
    virtual GlyphOutline UnicodeOutline(const FontChoice&, char32_t) { return {}; }
    /// The family of the face the font's name stands for (an alias names another face).
    virtual std::string ResolvedFamily(const FontChoice& font) { return font.family; }
};
