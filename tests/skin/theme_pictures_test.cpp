// The theme pictures: present, at their sizes, keyed the way their drawers read them.

#include "skin/theme_pictures.h"

#include <gtest/gtest.h>

#include <QSet>

#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

bool HasColour(const QImage& img, QRgb colour)
{
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

TEST(ThemePictures, InventoryHasEveryNameOnceWithTheCountsPerLook)
{
    const auto& list = ThemePictureInventory();
    std::map<TskUIStyle, int> perStyle;
    QSet<QString> names;
    for (const ThemePictureEntry& entry : list) {
        EXPECT_FALSE(names.contains(entry.name)) << entry.name.toStdString();
        names.insert(entry.name);
        ++perStyle[entry.style];
    }
    EXPECT_EQ(list.size(), 247u);
    // Custom: MENU_CHECKED, dialog icons, font marks, side channel.
    EXPECT_EQ(perStyle, (std::map<TskUIStyle, int>{{TskUIStyle::Pearl, 48}, {TskUIStyle::Azure, 55}, {TskUIStyle::Navy, 44},
                                                   {TskUIStyle::Ivory, 45}, {TskUIStyle::Crystal, 44}, {TskUIStyle::Custom, 11}}));

    // Every picture name the tables hold is in the list.
    for (TskUIStyle style : {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy, TskUIStyle::Ivory,
                             TskUIStyle::Crystal}) {
        for (int index = 1; index <= kThemeElementCount; ++index) {
            const QString name = GetThemeString(style, index);
            if (!name.isEmpty()) {
                EXPECT_TRUE(names.contains(name)) << name.toStdString();
            }
        }
    }
    for (const char* fixed : {"PEARL_COMBOBOX_BUTTON", "PEARL_MENU_BAR", "PEARL_MENU_SELECT",
                              "PEARL_FORM_BACKGROUND", "IVORY_FORM_BACKGROUND"})
        EXPECT_TRUE(names.contains(fixed)) << fixed;
}

TEST(ThemePictures, SizesOfSomeParts)
{
    const std::pair<const char*, QSize> sizes[] = {
        {"PEARL_RADIOBUTTON_CHECK", {16, 17}}, {"PEARL_CHECKBOX_CHECK", {15, 17}},
        {"IVORY_TITLE_LEFT", {441, 23}},       {"CRYSTAL_BUTTON_MOUSEDOWN", {77, 27}},
        {"AZURE_TRACKBAR_SLIDER_V", {22, 11}}, {"CRYSTAL_SCROLLBAR_BTMBUTTON_MOUSEON", {17, 16}},
        {"AZURE_PROGRESSBAR_V", {10, 6}},      {"MENU_CHECKED", {16, 16}}};
    for (const auto& [name, size] : sizes)
        EXPECT_EQ(ThemeImage(name).size(), size) << name;
}

TEST(ThemePictures, EveryPictureLoadsAtItsSizeWithItsKey)
{
    for (const ThemePictureEntry& entry : ThemePictureInventory()) {
        SCOPED_TRACE(entry.name.toStdString());
        ASSERT_TRUE(ThemePictureExists(entry.name));
        const QImage img = ThemeImage(entry.name);
        ASSERT_FALSE(img.isNull());
        ASSERT_EQ(img.size(), entry.size);
        const QRgb topLeft = img.pixel(0, 0) & 0xFFFFFF;
        switch (entry.key) {
        case PictureKey::Opaque:
            EXPECT_FALSE(HasColour(img, kMagenta));
            break;
        case PictureKey::MagentaCorners:
            EXPECT_EQ(topLeft, kMagenta & 0xFFFFFF);
            EXPECT_NE(img.pixel(img.width() / 2, img.height() / 2) & 0xFFFFFF, kMagenta & 0xFFFFFF);
            break;
        case PictureKey::TopLeftMagenta:
            EXPECT_EQ(topLeft, kMagenta & 0xFFFFFF);
            break;
        case PictureKey::TopLeftColor: {
            const TColor c = GetThemeColor(entry.style, 79);
            EXPECT_EQ(QColor(topLeft), ToQColor(c));
            EXPECT_FALSE(HasColour(img, kMagenta));
            break;
        }
        case PictureKey::White:
            EXPECT_EQ(topLeft, 0xFFFFFFu);
            EXPECT_TRUE(HasColour(img, qRgb(16, 16, 16)) || img.pixel(8, 8) != img.pixel(0, 0));
            break;
        }
    }
}

// Pictures that are stretched along one axis must not change along it.
// The pictures of one control in its states (normal, under the mouse,
// pressed, disabled; checked or not) must each look different, or a state
// change shows nothing. They are grouped by the name without its state words.
TEST(ThemePictures, EveryStateOfAMultiStatePictureDiffers)
{
    std::map<QString, std::vector<QString>> groups;
    for (const ThemePictureEntry& entry : ThemePictureInventory()) {
        QString stem = entry.name;
        for (const char* state : {"_NORMAL", "_MOUSEON", "_MOUSEDOWN", "_DISABLE"})
            stem.remove(QLatin1String(state));
        stem.replace(QLatin1String("_UNCHECK"), QLatin1String("_CHECK"));
        groups[stem].push_back(entry.name);
    }
    int compared = 0;
    for (const auto& [stem, names] : groups) {
        for (size_t i = 0; i < names.size(); ++i) {
            for (size_t j = i + 1; j < names.size(); ++j) {
                EXPECT_TRUE(ThemeImage(names[i]) != ThemeImage(names[j]))
                    << names[i].toStdString() << " looks the same as " << names[j].toStdString();
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 150);  // the grouping found the state families
}

// Navy and Crystal share a blue family in their tables; their caption bars
// must still be told apart at a glance.
TEST(ThemePictures, NavyAndCrystalCaptionBarsAreFarApart)
{
    auto mean = [](const QImage& img) {
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
            }
        }
        const double n = double(img.width()) * img.height();
        return std::array<double, 3>{r / n, g / n, b / n};
    };
    const auto navy = mean(ThemeImage("NAVY_TITLE_CLIENT"));
    const auto crystal = mean(ThemeImage("CRYSTAL_TITLE_CLIENT"));
    const double distance = std::hypot(navy[0] - crystal[0], navy[1] - crystal[1], navy[2] - crystal[2]);
    EXPECT_GT(distance, 100.0);
}

TEST(ThemePictures, StretchedPicturesAreUniformAlongTheirLength)
{
    auto uniformAlongX = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 1; x < img.width(); ++x)
                if (img.pixel(x, y) != img.pixel(0, y))
                    return false;
        return true;
    };
    for (const ThemePictureEntry& entry : ThemePictureInventory()) {
        const QString& n = entry.name;
        const QImage img = ThemeImage(n);
        if (n.endsWith("_PROGRESSBAR") || n.endsWith("_TITLE_CLIENT") || n.endsWith("_TAB_LINE")) {
            EXPECT_TRUE(uniformAlongX(img)) << n.toStdString();
        }
        if (n.endsWith("_PROGRESSBAR_V")) {
            EXPECT_TRUE(uniformAlongX(img.transformed(QTransform().rotate(90)))) << n.toStdString();
        }
        if (n.endsWith("_TRACKBAR_BAR")) {  // the middle third of a three-part strip
            const int third = img.width() / 3;
            EXPECT_TRUE(uniformAlongX(img.copy(third, 0, third, img.height()))) << n.toStdString();
        }
    }
}

TEST(ThemePictures, FormBackgroundsStayWithinTwoLevelsOfTheFormColour)
{
    for (const char* name : {"PEARL_FORM_BACKGROUND", "IVORY_FORM_BACKGROUND"}) {
        const QImage img = ThemeImage(name);
        const QColor base = ToQColor(GetThemeColor(QString(name).startsWith("PEARL") ? TskUIStyle::Pearl
                                                                                      : TskUIStyle::Ivory, 3));
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                EXPECT_LE(std::abs(qRed(img.pixel(x, y)) - base.red()), 2) << name;
    }
}

TEST(ThemePictures, MissingNamesGiveNullPicturesPicturesAreCachedMasksClearTheKey)
{
    EXPECT_FALSE(ThemePictureExists("NO_SUCH_PICTURE"));
    EXPECT_TRUE(ThemeImage("NO_SUCH_PICTURE").isNull() && ThemeImage("NO_SUCH_PICTURE").isNull());
    EXPECT_TRUE(ThemePixmap("NO_SUCH_PICTURE").isNull() && ThemeImage(QString()).isNull());
    const QImage a = ThemeImage("AZURE_BUTTON_NORMAL");
    EXPECT_EQ(a.cacheKey(), ThemeImage("AZURE_BUTTON_NORMAL").cacheKey());

    // The mask clears only the key colour.
    QImage img(2, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, kMagenta);
    img.setPixel(1, 0, qRgb(255, 0, 254));
    const QImage m = MaskedImage(img, kMagenta);
    EXPECT_EQ((std::tuple{qAlpha(m.pixel(0, 0)), qAlpha(m.pixel(1, 0))}), std::tuple(0, 255));
    EXPECT_TRUE(MaskedImage(QImage(), kMagenta).isNull());
}

}  // namespace
