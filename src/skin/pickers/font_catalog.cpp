#include "skin/pickers/font_catalog.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>

#include <cmath>

namespace {

class QtFontCatalog : public FontCatalog {
public:
    std::vector<FontFamilyInfo> Families() const override
    {
        std::vector<FontFamilyInfo> list;
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        QSet<QString> listed;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(family))
                continue;
            // A family that several foundries make is listed once, by its plain name.
            const QString plain = PlainFamilyName(family);
            if (listed.contains(plain.toCaseFolded()))
                continue;
            listed.insert(plain.toCaseFolded());
            FontFamilyInfo info;
            info.family = plain;
            info.scalable = QFontDatabase::isSmoothlyScalable(family);
            info.fixedPitch = QFontDatabase::isFixedPitch(family);
            const auto systems = QFontDatabase::writingSystems(family);
            info.symbol = systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin);
            info.latin = systems.contains(QFontDatabase::Latin);
            if (!info.scalable) {
                // Qt reports a bitmap face's sizes in points at the screen's resolution.
                for (int points : QFontDatabase::pointSizes(family))
                    info.pixelSizes.push_back(int(std::lround(points * dpi / 72.0)));
            }
            list.push_back(std::move(info));
        }
        return list;
    }
};

}  // namespace

QString PlainFamilyName(const QString& family)
{
    // Qt names a family that more than one foundry makes "Family [foundry]".
    if (family.endsWith(u']')) {
        const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
        if (open > 0)
            return family.left(open);
    }
    return family;
}

std::shared_ptr<const FontCatalog> SystemFontCatalog() { return std::make_shared<QtFontCatalog>(); }
