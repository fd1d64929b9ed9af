#include "skin/font_catalog.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

class QtFontCatalog : public FontCatalog {
public:
    std::vector<FontFamilyInfo> Families() const override
    {
        std::vector<FontFamilyInfo> list;
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(family))
                continue;
            FontFamilyInfo info;
            info.family = family;
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

std::shared_ptr<const FontCatalog> SystemFontCatalog() { return std::make_shared<QtFontCatalog>(); }
