// The list of theme pictures: every picture name of the five tables plus the
// pictures loaded by fixed names, with the size and keying each drawer expects.

#include "skin/theme_pictures.h"

#include <array>

namespace {

constexpr std::array<TskUIStyle, 5> kStyles = {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy,
                                               TskUIStyle::Ivory, TskUIStyle::Crystal};

struct PartSize {
    const char* part;  // the name after the style prefix, or its leading part
    std::array<QSize, 5> sizes;  // Pearl, Azure, Navy, Ivory, Crystal
};

// Longest prefixes first: the first entry that the part starts with wins.
const std::array<PartSize, 17>& PartSizes()
{
    static const std::array<PartSize, 17> sizes = {{
        {"BUTTON_", {QSize(84, 23), QSize(18, 21), QSize(74, 21), QSize(74, 21), QSize(77, 27)}},
        {"CHECKBOX_", {QSize(15, 17), QSize(13, 13), QSize(13, 13), QSize(13, 13), QSize(13, 13)}},
        {"RADIOBUTTON_", {QSize(16, 17), QSize(13, 13), QSize(13, 13), QSize(13, 13), QSize(13, 13)}},
        {"PROGRESSBAR_V", {QSize(13, 13), QSize(10, 6), QSize(10, 1), QSize(10, 1), QSize(10, 1)}},
        {"PROGRESSBAR", {QSize(13, 10), QSize(6, 10), QSize(1, 10), QSize(1, 10), QSize(1, 10)}},
        {"TITLE_LEFT", {QSize(48, 23), QSize(35, 29), QSize(97, 32), QSize(441, 23), QSize(162, 33)}},
        {"TITLE_CLIENT", {QSize(49, 23), QSize(37, 29), QSize(98, 32), QSize(1, 23), QSize(179, 33)}},
        {"TITLE_RIGHT", {QSize(48, 23), QSize(35, 29), QSize(97, 32), QSize(1, 23), QSize(101, 33)}},
        {"TITLEBTN_", {QSize(17, 17), QSize(21, 21), QSize(19, 19), QSize(19, 19), QSize(19, 19)}},
        {"TAB_LINE", {QSize(17, 7), QSize(8, 1), QSize(5, 5), QSize(10, 5), QSize(10, 5)}},
        {"TAB_", {QSize(18, 27), QSize(9, 18), QSize(6, 17), QSize(9, 17), QSize(9, 17)}},
        {"TRACKBAR_BAR", {QSize(45, 5), QSize(45, 8), QSize(45, 4), QSize(45, 4), QSize(45, 4)}},
        {"TRACKBAR_SLIDER_V", {QSize(19, 11), QSize(22, 11), QSize(18, 11), QSize(18, 11), QSize(18, 11)}},
        {"TRACKBAR_SLIDER", {QSize(11, 20), QSize(11, 21), QSize(11, 20), QSize(11, 20), QSize(11, 20)}},
        {"SCROLLBAR_TRACK", {QSize(16, 33), QSize(16, 21), QSize(16, 21), QSize(16, 21), QSize(16, 21)}},
        {"SCROLLBAR_", {QSize(16, 22), QSize(16, 17), QSize(16, 16), QSize(16, 16), QSize(17, 16)}},
        {"", {QSize(), QSize(), QSize(), QSize(), QSize()}},
    }};
    return sizes;
}

QSize SizeOf(const QString& part, int styleSlot)
{
    for (const PartSize& p : PartSizes()) {
        if (part.startsWith(QLatin1String(p.part)))
            return p.sizes[std::size_t(styleSlot)];
    }
    return {};
}

PictureKey KeyOf(const QString& part, TskUIStyle style)
{
    if (part.startsWith(QLatin1String("BUTTON_")))
        return style == TskUIStyle::Crystal ? PictureKey::MagentaCorners : PictureKey::Opaque;
    if (part.startsWith(QLatin1String("RADIOBUTTON_")) || part.startsWith(QLatin1String("SCROLLBAR_TOPBUTTON"))
        || part.startsWith(QLatin1String("SCROLLBAR_BTMBUTTON")) || part == QLatin1String("TAB_ACTIVE")
        || part == QLatin1String("TAB_INACTIVE"))
        return PictureKey::TopLeftMagenta;
    if (part.startsWith(QLatin1String("TITLEBTN_")))
        return GetThemeBool(style, 66) ? PictureKey::TopLeftMagenta : PictureKey::Opaque;
    if (part == QLatin1String("TRACKBAR_BAR"))
        return PictureKey::TopLeftColor;
    return PictureKey::Opaque;
}

std::vector<ThemePictureEntry> BuildInventory()
{
    std::vector<ThemePictureEntry> list;
    auto add = [&list](ThemePictureEntry entry) {
        for (const ThemePictureEntry& s : list) {
            if (s.name == entry.name)
                return;
        }
        list.push_back(std::move(entry));
    };
    add({QStringLiteral("MENU_CHECKED"), QSize(16, 16), PictureKey::White, TskUIStyle::Custom});
    for (std::size_t slot = 0; slot < kStyles.size(); ++slot) {
        const TskUIStyle style = kStyles[slot];
        const QString prefix = ThemeStylePrefix(style) + QLatin1Char('_');
        for (int index = 1; index <= kThemeElementCount; ++index) {
            const QString name = GetThemeString(style, index);
            if (!name.startsWith(prefix))
                continue;  // not a picture, or a name shared by every style
            const QString part = name.mid(prefix.size());
            add({name, SizeOf(part, int(slot)), KeyOf(part, style), style});
        }
    }
    add({QStringLiteral("PEARL_COMBOBOX_BUTTON"), QSize(16, 17), PictureKey::Opaque, TskUIStyle::Pearl});
    add({QStringLiteral("PEARL_MENU_BAR"), QSize(1, 22), PictureKey::Opaque, TskUIStyle::Pearl});
    add({QStringLiteral("PEARL_MENU_SELECT"), QSize(1, 21), PictureKey::Opaque, TskUIStyle::Pearl});
    add({QStringLiteral("PEARL_FORM_BACKGROUND"), QSize(8, 8), PictureKey::Opaque, TskUIStyle::Pearl});
    add({QStringLiteral("IVORY_FORM_BACKGROUND"), QSize(8, 8), PictureKey::Opaque, TskUIStyle::Ivory});
    // Dialog icons, font marks and side-channel pictures, shared by every look.
    for (const char* name : {"MSGDLG_WARNING", "MSGDLG_ERROR", "MSGDLG_INFORMATION", "MSGDLG_QUESTION"})
        add({QString::fromLatin1(name), QSize(32, 32), PictureKey::TopLeftMagenta, TskUIStyle::Custom});
    for (const char* name : {"FONTCOMBO_TRUETYPE_FNT", "FONTCOMBO_DEVICE_FNT"})
        add({QString::fromLatin1(name), QSize(16, 12), PictureKey::TopLeftMagenta, TskUIStyle::Custom});
    for (const char* name : {"SIDECHANNEL_BTN_NOONTOP", "SIDECHANNEL_BTN_ONTOP"})
        add({QString::fromLatin1(name), QSize(16, 14), PictureKey::TopLeftMagenta, TskUIStyle::Custom});
    for (const char* name : {"SIDECHANNEL_BAR_NORMAL", "SIDECHANNEL_BAR_MOUSEON"})
        add({QString::fromLatin1(name), QSize(10, 120), PictureKey::Opaque, TskUIStyle::Custom});
    return list;
}

}  // namespace

const std::vector<ThemePictureEntry>& ThemePictureInventory()
{
    static const std::vector<ThemePictureEntry> inventory = BuildInventory();
    return inventory;
}
