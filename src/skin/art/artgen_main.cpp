// Paints every theme picture as a PNG into the output folder and lists them
// in a resource file; a PNG of the same name in the override folder is used
// in place of the painted one.

#include "skin/art/recipes.h"
#include "skin/theme_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThreadPool>

#include <atomic>
#include <cstdio>

namespace {

int Generate(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_artgen OUTPUT_DIR [OVERRIDE_DIR]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString overrideDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "skin_artgen: cannot create %s\n", argv[1]);
        return 1;
    }

    QString qrc;
    QTextStream qrcOut(&qrc);
    qrcOut << "<RCC>\n  <qresource prefix=\"/skin\">\n";
    for (const ThemePictureEntry& entry : ThemePictureInventory()) {
        const QString file = entry.name + QStringLiteral(".png");
        const QString target = outDir + QLatin1Char('/') + file;
        const QString handMade = overrideDir.isEmpty() ? QString() : overrideDir + QLatin1Char('/') + file;
        QImage picture;
        if (!handMade.isEmpty() && QFileInfo(handMade).isFile() && picture.load(handMade)) {
            picture = picture.convertToFormat(QImage::Format_RGB32);
        } else {
            picture = PaintThemePicture(entry);
        }
        if (picture.isNull() || !picture.save(target, "PNG")) {
            std::fprintf(stderr, "skin_artgen: cannot write %s\n", qPrintable(target));
            return 1;
        }
        qrcOut << "    <file>" << file << "</file>\n";
    }
    qrcOut << "  </qresource>\n</RCC>\n";
    qrcOut.flush();

    const QString qrcPath = outDir + QStringLiteral("/skin_art.qrc");
    QFile qrcFile(qrcPath);
    if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || qrcFile.write(qrc.toUtf8()) < 0) {
        std::fprintf(stderr, "skin_artgen: cannot write %s\n", qPrintable(qrcPath));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Qt spreads large fills over its global thread pool unless the painting
    // thread is itself one of the pool's. Painting on a pool thread keeps the
    // generator single-threaded: its output never depends on scheduling, and
    // ThreadSanitizer, which cannot see the futex hand-back inside Qt, has
    // nothing to report.
    std::atomic<int> rc{1};
    QThreadPool::globalInstance()->start([&] { rc = Generate(argc, argv); });
    QThreadPool::globalInstance()->waitForDone();
    return rc.load();
}
