#pragma once
// Glyph outlines from the fonts installed on this machine: fontconfig finds a
// face by name (a name it does not know gives its closest match, so text never
// fails for a missing font), FreeType reads unhinted outlines at the font's
// pixel size. Double-byte codes are GBK and go through iconv to Unicode.
//
// Family names are taken as the font dialog gives them: "Z003 [urw]" is the
// family Z003 made by the foundry urw (the foundry only chooses among that
// family's faces).
//
// A character the face lacks is drawn from the first face of fontconfig's
// ordered list for the font whose character set holds it (as other Linux text
// renderers do); a character that no installed face holds has no contours.
//
// The reference glyph comes from the requested face when it has it, else from
// the fallback faces (WenQuanYi Micro Hei first, then any face fontconfig knows
// that holds the character).
//
// GUI thread only: FreeType handles are not shared between threads.

#include "model/glyph_outline.h"

#include <memory>
#include <string>

class FreeTypeGlyphSource final : public GlyphOutlineSource {
public:
    FreeTypeGlyphSource();
    ~FreeTypeGlyphSource() override;
    FreeTypeGlyphSource(const FreeTypeGlyphSource&) = delete;
    FreeTypeGlyphSource& operator=(const FreeTypeGlyphSource&) = delete;

    std::optional<BlackBox> ReferenceMetrics(const FontChoice& font) override;
    GlyphOutline Outline(const FontChoice& font, std::uint16_t code) override;
    GlyphOutline UnicodeOutline(const FontChoice& font, char32_t unicode) override;

    /// The family name of the face the font resolves to; empty when none.
    std::string ResolvedFamily(const FontChoice& font) override;
    /// The family name of the face a character code is drawn from; empty when no face holds it.
    std::string FamilyFor(const FontChoice& font, std::uint16_t code);
    /// The family name of the face the reference glyph came from; empty when none has it.
    std::string ReferenceFamily(const FontChoice& font);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
