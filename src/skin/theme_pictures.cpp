#include "skin/theme_pictures.h"

#include <QDebug>
#include <QFile>
#include <QHash>

// The generated pictures live in a resource file linked into this static
// library; registering it here pulls it into every program that loads one.
static void RegisterThemeResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(skin_art);
        return true;
    }();
    (void)registered;
}

namespace {

struct PictureCache {
    QHash<QString, QImage> images;
    QHash<QString, QPixmap> pixmaps;
};

PictureCache& Cache()
{
    static PictureCache cache;
    return cache;
}

QString ResourcePath(const QString& name) { return QStringLiteral(":/skin/") + name + QStringLiteral(".png"); }

}  // namespace

bool ThemePictureExists(const QString& name)
{
    RegisterThemeResources();
    return !name.isEmpty() && QFile::exists(ResourcePath(name));
}

QImage ThemeImage(const QString& name)
{
    RegisterThemeResources();
    PictureCache& cache = Cache();
    const auto found = cache.images.constFind(name);
    if (found != cache.images.constEnd())
        return *found;
    QImage image;
    if (!name.isEmpty() && image.load(ResourcePath(name)))
        image = image.convertToFormat(QImage::Format_RGB32);
    else
        qWarning("skin: no theme picture named \"%s\"", qPrintable(name));
    cache.images.insert(name, image);  // a miss is cached too, so it warns once
    return image;
}

QPixmap ThemePixmap(const QString& name)
{
    PictureCache& cache = Cache();
    const auto found = cache.pixmaps.constFind(name);
    if (found != cache.pixmaps.constEnd())
        return *found;
    const QImage image = ThemeImage(name);
    QPixmap pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    cache.pixmaps.insert(name, pixmap);
    return pixmap;
}

QImage MaskedImage(const QImage& picture, QRgb key)
{
    if (picture.isNull())
        return {};
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] | 0xFF000000u) == opaqueKey && qAlpha(line[x]) == 255)
                line[x] = 0;
        }
    }
    return out;
}
