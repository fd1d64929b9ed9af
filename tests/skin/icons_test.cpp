// Button icons: every listed name is compiled in as a real picture, the drawn
// ones are told apart, unknown names get a visible placeholder, and the
// generator refuses a list it cannot honour.

#include "common/test_files.h"
#include "skin/icons.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <tuple>
#include <vector>

namespace {

std::vector<QString> SourceList()
{
    std::vector<QString> names;
    QFile file(QStringLiteral(ZARN_ICON_LIST));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty() && !name.startsWith(QLatin1Char('#')))
            names.push_back(name);
    }
    return names;
}

QImage Pixels(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 64 ? 1 : 0;
    return count;
}

// A one-colour square icon in the theme's format.
QByteArray SolidSvg(const char* colour)
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 22 22\">"
                      "<rect x=\"2\" y=\"2\" width=\"18\" height=\"18\" style=\"fill:")
        + colour + "\"/></svg>";
}

struct GeneratorRun {
    int exitCode = -1;
    QString errors;
};

GeneratorRun RunGenerator(const QString& list, const QString& theme, const QString& out)
{
    QProcess process;
    process.start(QStringLiteral(ZARN_ARTGEN), {QStringLiteral("--icons"), list, theme, out});
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(SkinIcons, EveryListedNameIsCompiledInAsARealPictureAtBothSizes)
{
    const std::vector<QString> listed = SourceList();
    ASSERT_GE(listed.size(), 50u);
    for (const QString& name : listed) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(SkinIconExists(name));
        const QIcon icon = SkinIcon(name);
        const QImage small = Pixels(icon, 22);
        // The 2x rendering, not the small one scaled.
        EXPECT_EQ((std::tuple{small.size(), icon.pixmap(QSize(44, 44)).toImage().size()}), std::tuple(QSize(22, 22), QSize(44, 44)));
        // Enough drawn pixels to be a picture, and not the stand-in of an unknown name.
        EXPECT_GT(OpaquePixels(small), 12);
        EXPECT_NE(small, Pixels(SkinIcon(QStringLiteral("unknown-") + name), 22));
    }
    // The compiled-in index is the list, in order, with the program's mark.
    std::vector<QString> expected = listed;
    if (std::find(expected.begin(), expected.end(), QStringLiteral("zarn-program")) == expected.end())
        expected.push_back(QStringLiteral("zarn-program"));
    EXPECT_EQ(SkinIconNames(), expected);
}

TEST(SkinIcons, DrawnIconsDifferFromEachOther)
{
    std::vector<std::pair<QString, QImage>> drawn;
    for (const QString& name : SkinIconNames()) {
        if (name.startsWith(QLatin1String("zarn-")))
            drawn.emplace_back(name, Pixels(SkinIcon(name), 22));
    }
    ASSERT_GE(drawn.size(), 28u);
    for (size_t i = 0; i < drawn.size(); ++i) {
        for (size_t j = i + 1; j < drawn.size(); ++j) {
            // Differ in a visible share of pixels, not in antialiasing noise.
            int differing = 0;
            for (int y = 0; y < 22; ++y)
                for (int x = 0; x < 22; ++x)
                    differing += drawn[i].second.pixel(x, y) != drawn[j].second.pixel(x, y) ? 1 : 0;
            EXPECT_GT(differing, 22) << drawn[i].first.toStdString() << " vs " << drawn[j].first.toStdString();
        }
    }
}

TEST(SkinIcons, UnknownNamesGetALetteredPlaceholderNeverABlank)
{
    for (const QString& name : {QStringLiteral("no-such-icon"), QString(), QStringLiteral("../icons/edit-undo"),
                                QStringLiteral("index.txt"), QStringLiteral("Edit-Undo")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(SkinIconExists(name));
        const QIcon icon = SkinIcon(name);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(OpaquePixels(Pixels(icon, 22)) > 22 * 22 / 2 && OpaquePixels(Pixels(icon, 44)) > 44 * 44 / 2);
    }
    // The letter tells two unknown names apart.
    EXPECT_NE(Pixels(SkinIcon("alpha"), 22), Pixels(SkinIcon("beta"), 22));
}

TEST(SkinIcons, ProgramIconComesAtEverySizeAWindowManagerAsksFor)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
    EXPECT_GT(OpaquePixels(icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32)), 16 * 16 / 2);
}

TEST(IconGenerator, PrefersThe22PixelFileFollowsLinksAndRefusesWhatItCannotFind)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString theme = temp.filePath("theme");
    WriteTestFile(theme + "/index.theme", "[Icon Theme]\nName=Fixture\n");
    WriteTestFile(theme + "/actions/16/shape.svg", SolidSvg("#ff0000"));
    WriteTestFile(theme + "/actions/22/shape.svg", SolidSvg("#0000ff"));
    WriteTestFile(theme + "/places/32/only-large.svg", SolidSvg("#00ff00"));
    WriteTestFile(theme + "/status/22/real.svg", SolidSvg("#ffff00"));
    ASSERT_TRUE(QFile::link(theme + "/status/22/real.svg", theme + "/status/22/linked.svg"));

    const QString list = temp.filePath("icons.txt");
    WriteTestFile(list, "# comment\nshape\n\nonly-large\nlinked\nzarn-grid\n");
    const QString out = temp.filePath("out");
    const GeneratorRun ok = RunGenerator(list, theme, out);
    ASSERT_EQ(ok.exitCode, 0) << ok.errors.toStdString();
    auto centre = [&](const QString& file) { return QImage(out + "/" + file).pixel(11, 11) & 0xFFFFFF; };
    // Shape from the 22 px file, not the 16 px one.
    EXPECT_EQ((std::vector<QRgb>{centre("shape.png"), centre("only-large.png"), centre("linked.png")}),
              (std::vector<QRgb>{0x0000FFu, 0x00FF00u, 0xFFFF00u}));
    EXPECT_EQ(QImage(out + "/2x/shape.png").size(), QSize(44, 44));
    EXPECT_TRUE(QFile::exists(out + "/zarn-grid.png") && QFile::exists(out + "/skin_icons.qrc"));

    // A name the theme lacks, a link to nothing and a "zarn-" name without a
    // recipe each fail the run and are named in the message, with their line.
    ASSERT_TRUE(QFile::link(theme + "/status/22/gone.svg", theme + "/status/22/dangling.svg"));
    WriteTestFile(list, "shape\nmissing-icon\ndangling\nzarn-nothing\n");
    const GeneratorRun bad = RunGenerator(list, theme, temp.filePath("out2"));
    EXPECT_NE(bad.exitCode, 0);
    for (const char* message : {"icons.txt:2: error: icon \"missing-icon\" is not in the icon theme", "\"dangling\"",
                                "icons.txt:4: error: icon \"zarn-nothing\" has no recipe"})
        EXPECT_TRUE(bad.errors.contains(message)) << message << "\n" << bad.errors.toStdString();
    EXPECT_FALSE(QFile::exists(temp.filePath("out2/skin_icons.qrc")));  // nothing for rcc to pick up
}
