// Paints every theme picture as a PNG into the output folder and lists them
// in a resource file; a PNG of the same name in the override folder is used
// in place of the painted one.
// With --icons it renders the listed button icons instead: names starting
// with "zarn-" from their recipes, every other name from the icon theme.

#include "skin/art/icon_recipes.h"
#include "skin/art/recipes.h"
#include "skin/art/theme_icon_files.h"
#include "skin/theme_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThreadPool>

#include <QRegularExpression>
#include <QHash>
#include <QSet>

#include <atomic>
#include <cstdio>

namespace {

constexpr int kIconSize = 22;
// Sizes of the program's mark for the window manager and task bars.
constexpr int kProgramSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "skin_artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool SavePng(const QImage& image, const QString& path)
{
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "skin_artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The icon at `size` pixels: a recipe for "zarn-" names, else the theme's file.
QImage RenderIcon(const QString& name, const QString& themeFile, int size)
{
    return themeFile.isEmpty() ? PaintIconRecipe(name, size) : RenderIconFile(themeFile, size);
}

int GenerateIcons(const QString& listPath, const QString& themeDir, const QString& outDir)
{
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "skin_artgen: cannot read the icon list %s\n", qPrintable(listPath));
        return 1;
    }
    if (!QDir().mkpath(outDir + QStringLiteral("/program")) || !QDir().mkpath(outDir + QStringLiteral("/2x"))) {
        std::fprintf(stderr, "skin_artgen: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    // One name a line; blank lines and lines starting with '#' are skipped.
    static const QRegularExpression validName(QStringLiteral("^[a-z0-9][a-z0-9._-]*$"));
    QStringList names;
    QSet<QString> seen;
    QHash<QString, int> lineOf;
    int lineNumber = 0;
    int failures = 0;
    while (!list.atEnd()) {
        ++lineNumber;
        const QString name = QString::fromUtf8(list.readLine()).trimmed();
        if (name.isEmpty() || name.startsWith(QLatin1Char('#')))
            continue;
        if (!validName.match(name).hasMatch()) {
            std::fprintf(stderr, "%s:%d: error: \"%s\" is not an icon name (lower-case letters, digits, '.', '-', '_')\n",
                         qPrintable(listPath), lineNumber, qPrintable(name));
            ++failures;
            continue;
        }
        if (seen.contains(name)) {
            std::fprintf(stderr, "%s:%d: error: icon \"%s\" is listed twice\n", qPrintable(listPath), lineNumber,
                         qPrintable(name));
            ++failures;
            continue;
        }
        seen.insert(name);
        lineOf.insert(name, lineNumber);
        names.push_back(name);
    }
    if (!seen.contains(QStringLiteral("zarn-program")))
        names.push_back(QStringLiteral("zarn-program"));

    QString qrc;
    QTextStream qrcOut(&qrc);
    qrcOut << "<RCC>\n  <qresource prefix=\"/icons\">\n";
    for (const QString& name : names) {
        QString themeFile;
        if (name.startsWith(QLatin1String("zarn-"))) {
            if (!HasIconRecipe(name)) {
                std::fprintf(stderr, "%s:%d: error: icon \"%s\" has no recipe in the art generator\n",
                             qPrintable(listPath), lineOf.value(name), qPrintable(name));
                ++failures;
                continue;
            }
        } else {
            themeFile = FindThemeIconFile(themeDir, name);
            if (themeFile.isEmpty()) {
                std::fprintf(stderr, "%s:%d: error: icon \"%s\" is not in the icon theme at %s\n",
                             qPrintable(listPath), lineOf.value(name), qPrintable(name), qPrintable(themeDir));
                ++failures;
                continue;
            }
        }
        for (int scale : {1, 2}) {
            // The double size goes into a folder of its own: an "@2x" name would
            // make the icon treat it as the small size on a high-density screen.
            const QString file = (scale == 1 ? QString() : QStringLiteral("2x/")) + name + QStringLiteral(".png");
            if (!SavePng(RenderIcon(name, themeFile, kIconSize * scale), outDir + QLatin1Char('/') + file))
                return 1;
            qrcOut << "    <file>" << file << "</file>\n";
        }
    }
    for (int size : kProgramSizes) {
        const QString file = QStringLiteral("program/%1.png").arg(size);
        if (!SavePng(PaintIconRecipe(QStringLiteral("zarn-program"), size), outDir + QLatin1Char('/') + file))
            return 1;
        qrcOut << "    <file>" << file << "</file>\n";
    }
    qrcOut << "    <file>index.txt</file>\n  </qresource>\n</RCC>\n";
    qrcOut.flush();
    if (failures > 0) {
        std::fprintf(stderr, "skin_artgen: %d icon(s) of %s cannot be made\n", failures, qPrintable(listPath));
        return 1;
    }
    if (!WriteText(outDir + QStringLiteral("/index.txt"), names.join(QLatin1Char('\n')) + QLatin1Char('\n')))
        return 1;
    return WriteText(outDir + QStringLiteral("/skin_icons.qrc"), qrc) ? 0 : 1;
}

int Generate(int argc, char** argv)
{
    if (argc >= 2 && QLatin1String(argv[1]) == QLatin1String("--icons")) {
        if (argc != 5) {
            std::fprintf(stderr, "usage: skin_artgen --icons ICON_LIST THEME_DIR OUTPUT_DIR\n");
            return 2;
        }
        return GenerateIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                             QString::fromLocal8Bit(argv[4]));
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_artgen OUTPUT_DIR [OVERRIDE_DIR]\n"
                             "       skin_artgen --icons ICON_LIST THEME_DIR OUTPUT_DIR\n");
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
