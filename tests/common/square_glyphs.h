#pragma once
// An outline source for the text tests: every character is a 64-pixel square, a blank has none.

#include "model/glyph_outline.h"

class SquareGlyphs : public GlyphOutlineSource {
public:
    std::optional<BlackBox> reference = BlackBox{64, 64, 0, 64};
    std::optional<BlackBox> ReferenceMetrics(const FontChoice&) override { return reference; }
    GlyphOutline Outline(const FontChoice&, std::uint16_t code) override
    {
        if (code == ' ')
            return {};
        auto fx = [](int v) { return v * 65536; };
        return {GlyphOutline::Status::Ok,
                {{{fx(0), fx(0)}, {{kOutlineLine, {{fx(63), fx(0)}, {fx(63), fx(63)}, {fx(0), fx(63)}}}}}}};
    }
};
