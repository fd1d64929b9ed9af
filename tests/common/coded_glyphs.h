#pragma once
// An outline source for the text tests whose outline differs with every character: a line
// and a quadratic record with points taken from the code, so a layout that laid one
// character as another, or at another cell, gives other points. A blank has none.

#include "model/glyph_outline.h"
#include "model/show_model.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <string>

class CodedGlyphs : public GlyphOutlineSource {
public:
    std::optional<BlackBox> ReferenceMetrics(const FontChoice&) override { return BlackBox{40, 44, 3, 44}; }
    GlyphOutline Outline(const FontChoice&, std::uint16_t code) override { return Shape(code); }
    GlyphOutline UnicodeOutline(const FontChoice&, char32_t unicode) override { return Shape(unicode); }

    static GlyphOutline Shape(std::uint32_t c)
    {
        if (c == ' ')
            return {};
        auto fx = [](std::uint32_t whole, std::uint32_t fraction = 0) {
            return static_cast<std::int32_t>(whole * 65536 + fraction % 65536);
        };
        const std::uint32_t a = c % 17;
        const std::uint32_t b = c / 17 % 23;
        return {GlyphOutline::Status::Ok,
                {{{fx(a, c * 977), fx(b)},
                  {{kOutlineLine, {{fx(40 - a), fx(b, 123)}, {fx(40), fx(30 + a % 5)}}},
                   {kOutlineQuadratic, {{fx(20), fx(44 + b % 3)}, {fx(a), fx(40)}, {fx(1), fx(b + 1)}}}}}}};
    }
};

/// Every field of every point, path by path, as a SHA-1 in hex: equal digests are equal layouts.
inline std::string LayoutDigest(const Drawing& paths)
{
    QByteArray text;
    for (const Path& path : paths) {
        for (const auto& p : path)
            text += QByteArray::number(p->x) + ',' + QByteArray::number(p->y) + ',' + QByteArray::number(p->z) + ','
                    + QByteArray::number(p->colour) + ',' + QByteArray::number(p->mark) + ','
                    + QByteArray::number(p->blank) + ';';
        text += '|';
    }
    return QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().toStdString();
}
