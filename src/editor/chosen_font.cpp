#include "editor/chosen_font.h"

#include "skin/pickers/font_catalog.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

bool SameFamily(const QString& a, const QString& b)
{
    return PlainFamilyName(a).compare(PlainFamilyName(b), Qt::CaseInsensitive) == 0;
}

bool Slanted(const QFont& font)
{
    return font.style() != QFont::StyleNormal;
}

// The dialog keeps a style by its name, or by that name with "Italic" and
// "Oblique", or "Regular" and "Normal", exchanged; else it offers the first.
bool DialogFellBack(const QFont& previous, const QFont& chosen)
{
    const QStringList styles = QFontDatabase::styles(chosen.family());
    if (styles.isEmpty() || chosen.styleName() != styles.front())
        return false;
    const QString name = QFontDatabase::styleString(previous);
    QStringList kept{name};
    for (auto [a, b] : {std::pair("Italic", "Oblique"), std::pair("Oblique", "Italic"),
                        std::pair("Regular", "Normal"), std::pair("Normal", "Regular")})
        if (name.contains(QLatin1String(a)))
            kept << QString(name).replace(QLatin1String(a), QLatin1String(b));
    return std::none_of(kept.begin(), kept.end(), [&](const QString& s) { return styles.contains(s); });
}

}  // namespace

QFont ChosenFontKeepingFace(const QFont& previous, const QFont& chosen)
{
    if (SameFamily(previous.family(), chosen.family()) || !DialogFellBack(previous, chosen))
        return chosen;
    QFont wanted = chosen;
    wanted.setStyleName(QString());
    wanted.setWeight(previous.weight());
    wanted.setStyle(previous.style());
    // The face the font engine matches; it may make up a slant or weight the
    // family lacks, so the face's own flags are asked of the font list.
    const QString style = QFontInfo(wanted).styleName();
    if (style.isEmpty())
        return chosen;
    const QFont face = QFontDatabase::font(chosen.family(), style, 12);
    if (face.bold() != previous.bold() || Slanted(face) != Slanted(previous))
        return chosen;
    wanted.setStyleName(style);
    return wanted;
}

QFont FontToOffer(const QFont& font, const QString& familyInUse)
{
    QFont offered = font;
    if (!familyInUse.isEmpty() && !SameFamily(font.family(), familyInUse))
        offered.setFamily(familyInUse);
    return offered;
}
