#include "editor/text_layout.h"

#include "model/gbk_text.h"
#include "model/trunc_to_int.h"

#include <algorithm>

Drawing LayoutText(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font,
                   const TextFactors& factors, std::uint8_t colour)
{
    const int widthInterval = std::max(factors.WidthIntervalFactor, 1);
    const int heightInterval = std::max(factors.HeightIntervalFactor, 1);
    Drawing paths;
    for (int i = 0; i < lines.size(); ++i) {
        const std::vector<TextCharacter> characters = TextCharacters(lines[i], kTextLineBytes);
        for (std::size_t j = 0; j < characters.size(); ++j) {
            const QByteArray& character = characters[j].gbk;
            const GlyphRequest request{CharacterCell(character, factors.CharWidthFactor, factors.CharHeightFactor), character,
                                       font, colour, characters[j].unicode};
            Path path;
            GlyphToPolylines(source, request, path, factors.FineCoarseFactor);
            const std::int32_t shift = NarrowLetterShift(character, factors.CharWidthFactor);
            const int columnX = static_cast<int>(j) * 256 / widthInterval;
            const int rowY = i * 256 / heightInterval;
            for (auto& p : path) {
                p->x = TruncToInt(static_cast<double>(std::int64_t{p->x} + shift) * kLetterScaleX + columnX);
                p->y = TruncToInt(static_cast<double>(p->y) * kLetterScaleY + rowY);
            }
            paths.push_back(std::move(path));
        }
    }
    return paths;
}
