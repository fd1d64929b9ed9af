// Every theme picture as a file of its own under pictures/, and a sheet per
// look at three times the size.

#include "gallery.h"
#include "skin/theme_pictures.h"

#include <QPainter>

#include <map>
#include <vector>

void WriteThemePictureSheets(GalleryReport& report)
{
    std::map<TskUIStyle, std::vector<const ThemePictureEntry*>> byStyle;
    for (const ThemePictureEntry& entry : ThemePictureInventory()) {
        report.Save(ThemeImage(entry.name), "pictures/" + entry.name + ".png");
        byStyle[entry.style].push_back(&entry);
    }
    constexpr int kScale = 3;
    constexpr int kSheetWidth = 1500;
    for (const auto& [style, entries] : byStyle) {
        int x = 4, y = 4, rowHeight = 0;
        QImage sheet(kSheetWidth, 1400, QImage::Format_RGB32);
        sheet.fill(QColor(128, 128, 128));
        QPainter p(&sheet);
        for (const ThemePictureEntry* entry : entries) {
            const QSize s = entry->size * kScale;
            const int w = std::min(s.width(), kSheetWidth - 8);
            if (x + w > kSheetWidth - 4) {
                x = 4;
                y += rowHeight + 6;
                rowHeight = 0;
            }
            p.drawImage(QRect(x, y, w, s.height()), ThemeImage(entry->name));
            x += w + 6;
            rowHeight = std::max(rowHeight, s.height());
        }
        p.end();
        const QString name = style == TskUIStyle::Custom ? QString("FIXED") : ThemeStylePrefix(style);
        report.Save(sheet.copy(0, 0, kSheetWidth, y + rowHeight + 4), "pictures/sheet_" + name + ".png");
    }
}
