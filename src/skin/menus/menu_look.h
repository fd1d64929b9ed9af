#pragma once
// The look a drop-down menu and a form's main menu share: item and separator
// heights, the picture bar, the colours and the item font.

#include "skin/themes.h"

#include <QString>

#include <cstdint>

struct MenuLook {
    int itemHeight = 21;
    int separatorHeight = 21;
    int barWidth = 0;
    TColor barColor = clBtnFace;
    TColor color = clWhite;
    TColor separatorColor = RGBColor(128, 128, 128);
    TColor selectedBorderColor = clHighlight;
    TColor selectedColor = clHighlight;
    TColor selectedFontColor = clWhite;
    // The desktop's text colour rather than white on the white background.
    TColor fontColor = clWindowText;
    TColor borderColor = clBlack;
    bool flatMenu = false;
    QString fontName = QStringLiteral("MS Sans Serif");
    int fontSize = 8;
    std::uint8_t fontCharset = 1;
    bool useSystemFont = true;

    /// A built-in look's heights, bar and colours; other looks change nothing.
    /// Written directly: the height setters refuse changes in the Pearl look.
    void TakeTheme(TskUIStyle style)
    {
        if (!IsBuiltInStyle(style))
            return;
        itemHeight = GetThemeInt(style, 20);
        separatorHeight = GetThemeInt(style, 21);
        barColor = GetThemeColor(style, 17);
        barWidth = GetThemeInt(style, 22);
        color = GetThemeColor(style, 15);
        separatorColor = GetThemeColor(style, 18);
        selectedBorderColor = GetThemeColor(style, 11);
        selectedColor = GetThemeColor(style, 12);
        selectedFontColor = GetThemeColor(style, 13);
        fontColor = GetThemeColor(style, 16);
        borderColor = GetThemeColor(style, 2);
    }
};
