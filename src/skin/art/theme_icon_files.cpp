#include "skin/art/theme_icon_files.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace {

// The theme's contexts, the ones holding button-like icons first.
constexpr std::array kContexts = {"actions", "places", "status", "devices", "apps", "categories",
                                  "emblems", "mimetypes", "preferences", "emotes", "applets"};
// Sizes in order of preference; any other size folder comes after these.
constexpr std::array kSizes = {"22", "16", "24", "32", "48", "64", "12"};

QString Existing(const QString& path)
{
    const QFileInfo info(path);
    // exists() follows links, so a dangling link is not found.
    return info.exists() && info.isFile() ? info.absoluteFilePath() : QString();
}

}  // namespace

QString FindThemeIconFile(const QString& themeDir, const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return {};
    const QString file = name + QStringLiteral(".svg");
    for (const char* size : kSizes) {
        for (const char* context : kContexts) {
            const QString found = Existing(themeDir + QLatin1Char('/') + QLatin1String(context) + QLatin1Char('/')
                                           + QLatin1String(size) + QLatin1Char('/') + file);
            if (!found.isEmpty())
                return found;
        }
    }
    // Any other folder of the theme (symbolic, 22@2x and the like).
    for (const char* context : kContexts) {
        const QDir dir(themeDir + QLatin1Char('/') + QLatin1String(context));
        for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString found = Existing(dir.filePath(sub + QLatin1Char('/') + file));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

QImage RenderIconFile(const QString& file, int size)
{
    QSvgRenderer renderer(file);
    if (!renderer.isValid() || size <= 0)
        return {};
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(0, 0, size, size));
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}
