#include "platform/freetype_glyph_source.h"

#include "model/gbk_text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

// Unicode of the reference glyph (GBK B0 A1).
constexpr char32_t kReferenceUnicode = 0x554A;
// Faces asked for the reference glyph when the requested one lacks it.
const char* const kFallbackFamilies[] = {"WenQuanYi Micro Hei"};
constexpr int kMaxPixelSize = 2000;

struct FaceKey {
    std::string file;
    int index = 0;
    bool operator<(const FaceKey& o) const { return std::tie(file, index) < std::tie(o.file, o.index); }
};

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
    void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetDeleter>;

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

// One face of fontconfig's ordered list for a font, with the characters it holds.
struct CoveringFace {
    FaceKey key;
    CharSetPtr charset;
};

using StyleKey = std::tuple<std::string, bool, bool>;

// A family as the font dialog names it: "Family [foundry]" when several
// foundries make a family of that name.
struct FamilyName {
    std::string family;
    std::string foundry;
};

FamilyName SplitFoundry(const std::string& name)
{
    const std::size_t open = name.rfind(" [");
    if (name.size() < 4 || name.back() != ']' || open == std::string::npos || open == 0
        || open + 3 >= name.size())
        return {name, {}};
    return {name.substr(0, open), name.substr(open + 2, name.size() - open - 3)};
}

bool HasFamily(FcPattern* face, const std::string& family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(face, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (name && FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
            return true;
    return false;
}

std::int32_t To16Dot16(FT_Pos v)
{
    // 26.6 to 16.16.
    const long long raw = static_cast<long long>(v) * 1024;
    return static_cast<std::int32_t>(std::clamp<long long>(raw, INT32_MIN, INT32_MAX));
}

PointFx ToFx(const FT_Vector& v)
{
    return {To16Dot16(v.x), To16Dot16(v.y)};
}

// One FreeType contour as the records a native outline holds: runs of
// on-curve points become line records, runs of control points spline records
// ending at the next on-curve point (the start point when the run closes the
// contour). No closing record: the start is implied.
std::optional<OutlineContour> ContourRecords(const FT_Outline& outline, int first, int last)
{
    const int n = last - first + 1;
    if (n < 2)
        return std::nullopt;
    auto point = [&](int i) { return outline.points[first + i]; };
    auto tag = [&](int i) { return FT_CURVE_TAG(outline.tags[first + i]); };

    OutlineContour contour;
    int from = 0;  // first point after the start
    int to = n;    // one past the last point walked
    if (tag(0) == FT_CURVE_TAG_ON) {
        contour.start = ToFx(point(0));
        from = 1;
    } else if (tag(n - 1) == FT_CURVE_TAG_ON) {
        contour.start = ToFx(point(n - 1));
        to = n - 1;
    } else {
        FT_Vector mid{(point(0).x + point(n - 1).x) / 2, (point(0).y + point(n - 1).y) / 2};
        contour.start = ToFx(mid);
    }
    int i = from;
    while (i < to) {
        OutlineRecord record;
        if (tag(i) == FT_CURVE_TAG_ON) {
            record.type = kOutlineLine;
            while (i < to && tag(i) == FT_CURVE_TAG_ON)
                record.points.push_back(ToFx(point(i++)));
        } else {
            record.type = tag(i) == FT_CURVE_TAG_CUBIC ? kOutlineCubic : kOutlineQuadratic;
            while (i < to && tag(i) != FT_CURVE_TAG_ON)
                record.points.push_back(ToFx(point(i++)));
            if (i < to)
                record.points.push_back(ToFx(point(i++)));
            else
                record.points.push_back(contour.start);
        }
        contour.records.push_back(std::move(record));
    }
    return contour;
}

}  // namespace

struct FreeTypeGlyphSource::Impl {
    FT_Library library = nullptr;
    // Declared after the library so they are done first.
    std::map<FaceKey, FacePtr> faces;
    std::map<StyleKey, std::optional<FaceKey>> resolved;
    // fontconfig's faces for a font in order of preference, and the face each
    // character the font lacks is drawn from.
    std::map<StyleKey, std::vector<CoveringFace>> sorted;
    std::map<std::tuple<std::string, bool, bool, char32_t>, std::optional<FaceKey>> covering;
    std::map<std::tuple<std::string, bool, bool, int>, std::pair<std::optional<BlackBox>, std::string>> references;

    ~Impl()
    {
        faces.clear();
        if (library)
            FT_Done_FreeType(library);
    }

    // requiredFamily: the match must be a face of this family, else nothing.
    static std::optional<FaceKey> Match(FcPattern* pattern, const std::string& requiredFamily = {})
    {
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        PatternPtr match(FcFontMatch(nullptr, pattern, &result));
        if (!match || (!requiredFamily.empty() && !HasFamily(match.get(), requiredFamily)))
            return std::nullopt;
        FcChar8* file = nullptr;
        if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
            return std::nullopt;
        int index = 0;
        FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
        return FaceKey{reinterpret_cast<const char*>(file), index};
    }

    // The family without its foundry; the foundry only where asked for.
    static PatternPtr Pattern(const std::string& name, bool bold, bool italic, bool withFoundry = false)
    {
        PatternPtr pattern(FcPatternCreate());
        const FamilyName family = SplitFoundry(name);
        if (!family.family.empty())
            FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.family.c_str()));
        if (withFoundry && !family.foundry.empty())
            FcPatternAddString(pattern.get(), FC_FOUNDRY, reinterpret_cast<const FcChar8*>(family.foundry.c_str()));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        return pattern;
    }

    std::optional<FaceKey> Resolve(const FontChoice& font)
    {
        const auto key = std::make_tuple(font.family, font.bold, font.italic);
        auto it = resolved.find(key);
        if (it == resolved.end()) {
            // fontconfig ranks the foundry above the family: it only picks among the
            // family's faces, and a foundry that makes no face of the family is let go.
            std::optional<FaceKey> face;
            if (const FamilyName name = SplitFoundry(font.family); !name.foundry.empty())
                if (PatternPtr pattern = Pattern(font.family, font.bold, font.italic, true))
                    face = Match(pattern.get(), name.family);
            if (!face)
                if (PatternPtr pattern = Pattern(font.family, font.bold, font.italic))
                    face = Match(pattern.get());
            it = resolved.emplace(key, face).first;
        }
        return it->second;
    }

    const std::vector<CoveringFace>& SortedFaces(const FontChoice& font)
    {
        const StyleKey key{font.family, font.bold, font.italic};
        auto it = sorted.find(key);
        if (it != sorted.end())
            return it->second;
        std::vector<CoveringFace> faces;
        if (PatternPtr pattern = Pattern(font.family, font.bold, font.italic)) {
            FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
            FcDefaultSubstitute(pattern.get());
            FcResult result = FcResultNoMatch;
            // Trimmed: a face that adds no character to those before it is left out.
            const FontSetPtr set(FcFontSort(nullptr, pattern.get(), FcTrue, nullptr, &result));
            for (int i = 0; set && i < set->nfont; ++i) {
                FcPattern* face = set->fonts[i];
                FcChar8* file = nullptr;
                FcCharSet* charset = nullptr;
                FcBool outline = FcFalse;
                if (FcPatternGetString(face, FC_FILE, 0, &file) != FcResultMatch || !file
                    || FcPatternGetCharSet(face, FC_CHARSET, 0, &charset) != FcResultMatch || !charset)
                    continue;
                // Bitmap faces have no outlines to draw.
                if (FcPatternGetBool(face, FC_OUTLINE, 0, &outline) == FcResultMatch && !outline)
                    continue;
                int index = 0;
                FcPatternGetInteger(face, FC_INDEX, 0, &index);
                faces.push_back({FaceKey{reinterpret_cast<const char*>(file), index}, CharSetPtr(FcCharSetCopy(charset))});
            }
        }
        return sorted.emplace(key, std::move(faces)).first->second;
    }

    // The face a character is drawn from: the font's own when it holds it, else
    // the first face of fontconfig's list for the font that does.
    std::optional<FaceKey> FaceFor(const FontChoice& font, char32_t unicode)
    {
        const std::optional<FaceKey> own = Resolve(font);
        if (own && unicode) {
            FT_Face face = Face(*own, font.pixelSize);
            if (face && FT_Get_Char_Index(face, unicode) != 0)
                return own;
        }
        if (!unicode)
            return std::nullopt;
        const auto cacheKey = std::make_tuple(font.family, font.bold, font.italic, unicode);
        if (auto it = covering.find(cacheKey); it != covering.end())
            return it->second;
        std::optional<FaceKey> found;
        for (const CoveringFace& candidate : SortedFaces(font)) {
            if (!FcCharSetHasChar(candidate.charset.get(), unicode))
                continue;
            FT_Face face = Face(candidate.key, font.pixelSize);
            if (face && FT_Get_Char_Index(face, unicode) != 0) {
                found = candidate.key;
                break;
            }
        }
        return covering.emplace(cacheKey, found).first->second;
    }

    FT_Face Face(const FaceKey& key, int pixelSize)
    {
        if (!library)
            return nullptr;
        auto it = faces.find(key);
        if (it == faces.end()) {
            FT_Face face = nullptr;
            if (FT_New_Face(library, key.file.c_str(), key.index, &face) != 0)
                face = nullptr;
            it = faces.emplace(key, FacePtr(face)).first;
        }
        FT_Face face = it->second.get();
        if (face && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::clamp(pixelSize, 1, kMaxPixelSize))) != 0)
            return nullptr;
        return face;
    }

    // Loads the unhinted outline of a glyph index; false when it has none.
    static bool LoadOutline(FT_Face face, FT_UInt glyphIndex)
    {
        if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0)
            return false;
        return face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
    }

    // The black box of the loaded glyph in whole pixels, grown outwards.
    static BlackBox BoxOf(FT_Face face)
    {
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        const long xMin = static_cast<long>(std::floor(box.xMin / 64.0));
        const long xMax = static_cast<long>(std::ceil(box.xMax / 64.0));
        const long yMin = static_cast<long>(std::floor(box.yMin / 64.0));
        const long yMax = static_cast<long>(std::ceil(box.yMax / 64.0));
        return {static_cast<std::uint32_t>(std::max(0L, xMax - xMin)),
                static_cast<std::uint32_t>(std::max(0L, yMax - yMin)), static_cast<std::int32_t>(xMin),
                static_cast<std::int32_t>(yMax)};
    }

    std::optional<BlackBox> ReferenceFrom(const std::optional<FaceKey>& key, int pixelSize)
    {
        if (!key)
            return std::nullopt;
        FT_Face face = Face(*key, pixelSize);
        if (!face)
            return std::nullopt;
        const FT_UInt index = FT_Get_Char_Index(face, kReferenceUnicode);
        if (index == 0 || !LoadOutline(face, index))
            return std::nullopt;
        const BlackBox box = BoxOf(face);
        if (static_cast<std::int64_t>(box.boxX) + box.originX <= 0)
            return std::nullopt;
        return box;
    }

    std::string FamilyOf(const FaceKey& key)
    {
        FT_Face face = Face(key, 11);
        return face && face->family_name ? face->family_name : std::string();
    }

    const std::pair<std::optional<BlackBox>, std::string>& Reference(const FontChoice& font)
    {
        const auto cacheKey = std::make_tuple(font.family, font.bold, font.italic, font.pixelSize);
        auto it = references.find(cacheKey);
        if (it != references.end())
            return it->second;

        std::pair<std::optional<BlackBox>, std::string> found;
        std::vector<std::optional<FaceKey>> chain{Resolve(font)};
        for (const char* family : kFallbackFamilies)
            chain.push_back(Resolve({family, font.pixelSize, font.bold, font.italic}));
        // Last: any installed face that holds the character.
        if (PatternPtr anyFace{FcPatternCreate()}) {
            FcCharSet* charset = FcCharSetCreate();
            FcCharSetAddChar(charset, kReferenceUnicode);
            FcPatternAddCharSet(anyFace.get(), FC_CHARSET, charset);
            FcCharSetDestroy(charset);
            chain.push_back(Match(anyFace.get()));
        }
        for (const std::optional<FaceKey>& key : chain) {
            if (std::optional<BlackBox> box = ReferenceFrom(key, font.pixelSize)) {
                found = {box, FamilyOf(*key)};
                break;
            }
        }
        return references.emplace(cacheKey, std::move(found)).first->second;
    }
};

FreeTypeGlyphSource::FreeTypeGlyphSource() : m_impl(std::make_unique<Impl>())
{
    if (FT_Init_FreeType(&m_impl->library) != 0)
        m_impl->library = nullptr;
}

FreeTypeGlyphSource::~FreeTypeGlyphSource() = default;

std::optional<BlackBox> FreeTypeGlyphSource::ReferenceMetrics(const FontChoice& font)
{
    return m_impl->Reference(font).first;
}

std::string FreeTypeGlyphSource::ReferenceFamily(const FontChoice& font)
{
    return m_impl->Reference(font).second;
}

std::string FreeTypeGlyphSource::ResolvedFamily(const FontChoice& font)
{
    const std::optional<FaceKey> key = m_impl->Resolve(font);
    return key ? m_impl->FamilyOf(*key) : std::string();
}

std::string FreeTypeGlyphSource::FamilyFor(const FontChoice& font, std::uint16_t code)
{
    const std::optional<FaceKey> key = m_impl->FaceFor(font, GbkCodeToUnicode(code));
    return key ? m_impl->FamilyOf(*key) : std::string();
}

GlyphOutline FreeTypeGlyphSource::Outline(const FontChoice& font, std::uint16_t code)
{
    return UnicodeOutline(font, GbkCodeToUnicode(code));
}

GlyphOutline FreeTypeGlyphSource::UnicodeOutline(const FontChoice& font, char32_t unicode)
{
    const std::optional<FaceKey> own = m_impl->Resolve(font);
    if (!own || !m_impl->Face(*own, font.pixelSize))
        return {GlyphOutline::Status::NoOutline, {}};
    const std::optional<FaceKey> key = m_impl->FaceFor(font, unicode);
    // No installed face holds the character: it is left out.
    if (!key)
        return {};
    FT_Face face = m_impl->Face(*key, font.pixelSize);
    if (!face || !Impl::LoadOutline(face, FT_Get_Char_Index(face, unicode)))
        return {GlyphOutline::Status::NoOutline, {}};

    GlyphOutline result;
    const FT_Outline& outline = face->glyph->outline;
    int first = 0;
    for (int c = 0; c < outline.n_contours; ++c) {
        const int last = outline.contours[c];
        if (last < first || last >= outline.n_points)
            break;
        if (std::optional<OutlineContour> contour = ContourRecords(outline, first, last))
            result.contours.push_back(std::move(*contour));
        first = last + 1;
    }
    return result;
}
