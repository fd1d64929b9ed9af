// The five built-in theme tables and their readers.
// Generated once from the theme list, then kept by hand.
#include "skin/themes.h"

#include "skin/skin_drawing.h"

#include <array>

namespace {
struct Cell {
    std::int32_t value;
    const char* name;
};

using Table = std::array<Cell, kThemeElementCount>;

constexpr std::int32_t C(int r, int g, int b) { return std::int32_t(RGBColor(r, g, b)); }

constexpr std::array<TskType, kThemeElementCount> kTypes = {
    TskType::Int,  // 1
    TskType::Color,  // 2
    TskType::Color,  // 3
    TskType::Int,  // 4
    TskType::Int,  // 5
    TskType::Int,  // 6
    TskType::Int,  // 7
    TskType::Color,  // 8
    TskType::Color,  // 9
    TskType::Color,  // 10
    TskType::Color,  // 11
    TskType::Color,  // 12
    TskType::Color,  // 13
    TskType::Color,  // 14
    TskType::Color,  // 15
    TskType::Color,  // 16
    TskType::Color,  // 17
    TskType::Color,  // 18
    TskType::Color,  // 19
    TskType::Int,  // 20
    TskType::Int,  // 21
    TskType::Int,  // 22
    TskType::Str,  // 23
    TskType::Str,  // 24
    TskType::Str,  // 25
    TskType::Str,  // 26
    TskType::Str,  // 27
    TskType::Str,  // 28
    TskType::Str,  // 29
    TskType::Str,  // 30
    TskType::Str,  // 31
    TskType::Str,  // 32
    TskType::Str,  // 33
    TskType::Str,  // 34
    TskType::Str,  // 35
    TskType::Str,  // 36
    TskType::Str,  // 37
    TskType::Str,  // 38
    TskType::Str,  // 39
    TskType::Str,  // 40
    TskType::Str,  // 41
    TskType::Str,  // 42
    TskType::Str,  // 43
    TskType::Str,  // 44
    TskType::Str,  // 45
    TskType::Str,  // 46
    TskType::Str,  // 47
    TskType::Str,  // 48
    TskType::Str,  // 49
    TskType::Str,  // 50
    TskType::Str,  // 51
    TskType::Str,  // 52
    TskType::Str,  // 53
    TskType::Str,  // 54
    TskType::Str,  // 55
    TskType::Str,  // 56
    TskType::Str,  // 57
    TskType::Str,  // 58
    TskType::Str,  // 59
    TskType::Str,  // 60
    TskType::Str,  // 61
    TskType::Str,  // 62
    TskType::Str,  // 63
    TskType::Str,  // 64
    TskType::Str,  // 65
    TskType::Bool,  // 66
    TskType::Int,  // 67
    TskType::Int,  // 68
    TskType::Int,  // 69
    TskType::Str,  // 70
    TskType::Str,  // 71
    TskType::Str,  // 72
    TskType::Int,  // 73
    TskType::Color,  // 74
    TskType::Str,  // 75
    TskType::Str,  // 76
    TskType::Str,  // 77
    TskType::Str,  // 78
    TskType::Color,  // 79
    TskType::Color,  // 80
    TskType::Color,  // 81
    TskType::Color,  // 82
    TskType::Color,  // 83
    TskType::Color,  // 84
    TskType::Str,  // 85
    TskType::Str,  // 86
    TskType::Str,  // 87
    TskType::Str,  // 88
    TskType::Str,  // 89
    TskType::Str,  // 90
    TskType::Str,  // 91
};

constexpr Table kPearl = {{
    {1, ""},  // 1
    {C(127, 127, 127), ""},  // 2
    {C(231, 231, 231), ""},  // 3
    {1, ""},  // 4
    {21, ""},  // 5
    {130, ""},  // 6
    {0, ""},  // 7
    {C(127, 127, 127), ""},  // 8
    {C(231, 231, 231), ""},  // 9
    {C(0, 0, 0), ""},  // 10
    {C(57, 115, 196), ""},  // 11
    {C(57, 115, 196), ""},  // 12
    {C(255, 255, 255), ""},  // 13
    {C(0, 0, 0), ""},  // 14
    {C(0, 0, 0), ""},  // 15
    {C(0, 0, 0), ""},  // 16
    {C(0, 0, 0), ""},  // 17
    {C(0, 0, 0), ""},  // 18
    {C(0, 0, 0), ""},  // 19
    {20, ""},  // 20
    {12, ""},  // 21
    {26, ""},  // 22
    {0, "MENU_CHECKED"},  // 23
    {0, "PEARL_BUTTON_NORMAL"},  // 24
    {0, "PEARL_BUTTON_MOUSEON"},  // 25
    {0, "PEARL_BUTTON_MOUSEDOWN"},  // 26
    {0, "PEARL_CHECKBOX_DISABLE_CHECK"},  // 27
    {0, "PEARL_CHECKBOX_DISABLE_UNCHECK"},  // 28
    {0, "PEARL_CHECKBOX_CHECK"},  // 29
    {0, "PEARL_CHECKBOX_UNCHECK"},  // 30
    {0, "PEARL_CHECKBOX_CHECK"},  // 31
    {0, "PEARL_CHECKBOX_UNCHECK"},  // 32
    {0, "PEARL_CHECKBOX_CHECK"},  // 33
    {0, "PEARL_CHECKBOX_UNCHECK"},  // 34
    {0, "PEARL_RADIOBUTTON_DISABLE_CHECK"},  // 35
    {0, "PEARL_RADIOBUTTON_DISABLE_UNCHECK"},  // 36
    {0, "PEARL_RADIOBUTTON_CHECK"},  // 37
    {0, "PEARL_RADIOBUTTON_UNCHECK"},  // 38
    {0, "PEARL_RADIOBUTTON_CHECK"},  // 39
    {0, "PEARL_RADIOBUTTON_UNCHECK"},  // 40
    {0, "PEARL_RADIOBUTTON_CHECK"},  // 41
    {0, "PEARL_RADIOBUTTON_UNCHECK"},  // 42
    {0, "PEARL_PROGRESSBAR"},  // 43
    {0, "PEARL_PROGRESSBAR_V"},  // 44
    {0, "PEARL_TITLE_LEFT"},  // 45
    {0, "PEARL_TITLE_CLIENT"},  // 46
    {0, "PEARL_TITLE_RIGHT"},  // 47
    {0, "PEARL_TITLEBTN_CLOSE_NORMAL"},  // 48
    {0, "PEARL_TITLEBTN_CLOSE_MOUSEON"},  // 49
    {0, "PEARL_TITLEBTN_CLOSE_MOUSEDOWN"},  // 50
    {0, "PEARL_TITLEBTN_MAX_NORMAL"},  // 51
    {0, "PEARL_TITLEBTN_MAX_MOUSEON"},  // 52
    {0, "PEARL_TITLEBTN_MAX_MOUSEDOWN"},  // 53
    {0, "PEARL_TITLEBTN_MIN_NORMAL"},  // 54
    {0, "PEARL_TITLEBTN_MIN_MOUSEON"},  // 55
    {0, "PEARL_TITLEBTN_MIN_MOUSEDOWN"},  // 56
    {0, "PEARL_TITLEBTN_HELP_NORMAL"},  // 57
    {0, "PEARL_TITLEBTN_HELP_MOUSEON"},  // 58
    {0, "PEARL_TITLEBTN_HELP_MOUSEDOWN"},  // 59
    {0, "PEARL_TITLEBTN_CTLBOX_NORMAL"},  // 60
    {0, "PEARL_TITLEBTN_CTLBOX_MOUSEON"},  // 61
    {0, "PEARL_TITLEBTN_CTLBOX_MOUSEDOWN"},  // 62
    {0, "PEARL_TITLEBTN_MAX_NORMAL"},  // 63
    {0, "PEARL_TITLEBTN_MAX_MOUSEON"},  // 64
    {0, "PEARL_TITLEBTN_MAX_MOUSEDOWN"},  // 65
    {0, ""},  // 66
    {3, ""},  // 67
    {-2, ""},  // 68
    {4, ""},  // 69
    {0, "PEARL_TAB_ACTIVE"},  // 70
    {0, "PEARL_TAB_INACTIVE"},  // 71
    {0, "PEARL_TAB_LINE"},  // 72
    {34, ""},  // 73
    {C(231, 231, 231), ""},  // 74
    {0, "PEARL_TRACKBAR_BAR"},  // 75
    {0, "PEARL_TRACKBAR_SLIDER"},  // 76
    {0, "PEARL_TRACKBAR_BAR"},  // 77
    {0, "PEARL_TRACKBAR_SLIDER_V"},  // 78
    {C(238, 238, 238), ""},  // 79
    {C(71, 71, 71), ""},  // 80
    {C(239, 239, 239), ""},  // 81
    {C(216, 216, 216), ""},  // 82
    {C(231, 231, 231), ""},  // 83
    {C(201, 201, 201), ""},  // 84
    {0, "PEARL_SCROLLBAR_TOPBUTTON_NORMAL"},  // 85
    {0, "PEARL_SCROLLBAR_TOPBUTTON_MOUSEON"},  // 86
    {0, "PEARL_SCROLLBAR_TOPBUTTON_MOUSEDOWN"},  // 87
    {0, "PEARL_SCROLLBAR_BTMBUTTON_NORMAL"},  // 88
    {0, "PEARL_SCROLLBAR_BTMBUTTON_MOUSEON"},  // 89
    {0, "PEARL_SCROLLBAR_BTMBUTTON_MOUSEDOWN"},  // 90
    {0, "PEARL_SCROLLBAR_TRACK"},  // 91
}};

constexpr Table kAzure = {{
    {2, ""},  // 1
    {C(0, 44, 200), ""},  // 2
    {C(239, 235, 222), ""},  // 3
    {3, ""},  // 4
    {27, ""},  // 5
    {150, ""},  // 6
    {13, ""},  // 7
    {C(104, 104, 104), ""},  // 8
    {C(239, 235, 222), ""},  // 9
    {C(2, 70, 207), ""},  // 10
    {C(49, 105, 198), ""},  // 11
    {C(198, 211, 239), ""},  // 12
    {C(0, 0, 0), ""},  // 13
    {C(0, 0, 0), ""},  // 14
    {C(255, 255, 255), ""},  // 15
    {C(0, 0, 0), ""},  // 16
    {C(214, 211, 206), ""},  // 17
    {C(132, 130, 132), ""},  // 18
    {C(173, 166, 156), ""},  // 19
    {21, ""},  // 20
    {5, ""},  // 21
    {26, ""},  // 22
    {0, "MENU_CHECKED"},  // 23
    {0, "AZURE_BUTTON_NORMAL"},  // 24
    {0, "AZURE_BUTTON_MOUSEON"},  // 25
    {0, "AZURE_BUTTON_MOUSEDOWN"},  // 26
    {0, "AZURE_CHECKBOX_DISABLE_CHECK"},  // 27
    {0, "AZURE_CHECKBOX_DISABLE_UNCHECK"},  // 28
    {0, "AZURE_CHECKBOX_NORMAL_CHECK"},  // 29
    {0, "AZURE_CHECKBOX_NORMAL_UNCHECK"},  // 30
    {0, "AZURE_CHECKBOX_MOUSEON_CHECK"},  // 31
    {0, "AZURE_CHECKBOX_MOUSEON_UNCHECK"},  // 32
    {0, "AZURE_CHECKBOX_MOUSEDOWN_CHECK"},  // 33
    {0, "AZURE_CHECKBOX_MOUSEDOWN_UNCHECK"},  // 34
    {0, "AZURE_RADIOBUTTON_DISABLE_CHECK"},  // 35
    {0, "AZURE_RADIOBUTTON_DISABLE_UNCHECK"},  // 36
    {0, "AZURE_RADIOBUTTON_NORMAL_CHECK"},  // 37
    {0, "AZURE_RADIOBUTTON_NORMAL_UNCHECK"},  // 38
    {0, "AZURE_RADIOBUTTON_MOUSEON_CHECK"},  // 39
    {0, "AZURE_RADIOBUTTON_MOUSEON_UNCHECK"},  // 40
    {0, "AZURE_RADIOBUTTON_MOUSEDOWN_CHECK"},  // 41
    {0, "AZURE_RADIOBUTTON_MOUSEDOWN_UNCHECK"},  // 42
    {0, "AZURE_PROGRESSBAR"},  // 43
    {0, "AZURE_PROGRESSBAR_V"},  // 44
    {0, "AZURE_TITLE_LEFT"},  // 45
    {0, "AZURE_TITLE_CLIENT"},  // 46
    {0, "AZURE_TITLE_RIGHT"},  // 47
    {0, "AZURE_TITLEBTN_CLOSE_NORMAL"},  // 48
    {0, "AZURE_TITLEBTN_CLOSE_MOUSEON"},  // 49
    {0, "AZURE_TITLEBTN_CLOSE_MOUSEDOWN"},  // 50
    {0, "AZURE_TITLEBTN_MAX_NORMAL"},  // 51
    {0, "AZURE_TITLEBTN_MAX_MOUSEON"},  // 52
    {0, "AZURE_TITLEBTN_MAX_MOUSEDOWN"},  // 53
    {0, "AZURE_TITLEBTN_MIN_NORMAL"},  // 54
    {0, "AZURE_TITLEBTN_MIN_MOUSEON"},  // 55
    {0, "AZURE_TITLEBTN_MIN_MOUSEDOWN"},  // 56
    {0, "AZURE_TITLEBTN_HELP_NORMAL"},  // 57
    {0, "AZURE_TITLEBTN_HELP_MOUSEON"},  // 58
    {0, "AZURE_TITLEBTN_HELP_MOUSEDOWN"},  // 59
    {0, "AZURE_TITLEBTN_CTLBOX_NORMAL"},  // 60
    {0, "AZURE_TITLEBTN_CTLBOX_MOUSEON"},  // 61
    {0, "AZURE_TITLEBTN_CTLBOX_MOUSEDOWN"},  // 62
    {0, "AZURE_TITLEBTN_RST_NORMAL"},  // 63
    {0, "AZURE_TITLEBTN_RST_MOUSEON"},  // 64
    {0, "AZURE_TITLEBTN_RST_MOUSEDOWN"},  // 65
    {0, ""},  // 66
    {2, ""},  // 67
    {-2, ""},  // 68
    {5, ""},  // 69
    {0, "AZURE_TAB_ACTIVE"},  // 70
    {0, "AZURE_TAB_INACTIVE"},  // 71
    {0, "AZURE_TAB_LINE"},  // 72
    {19, ""},  // 73
    {C(239, 235, 222), ""},  // 74
    {0, "AZURE_TRACKBAR_BAR"},  // 75
    {0, "AZURE_TRACKBAR_SLIDER"},  // 76
    {0, "AZURE_TRACKBAR_BAR"},  // 77
    {0, "AZURE_TRACKBAR_SLIDER_V"},  // 78
    {C(239, 235, 222), ""},  // 79
    {C(49, 105, 198), ""},  // 80
    {C(198, 211, 239), ""},  // 81
    {C(147, 172, 225), ""},  // 82
    {C(239, 235, 222), ""},  // 83
    {C(249, 249, 249), ""},  // 84
    {0, "AZURE_SCROLLBAR_TOPBUTTON_NORMAL"},  // 85
    {0, "AZURE_SCROLLBAR_TOPBUTTON_MOUSEON"},  // 86
    {0, "AZURE_SCROLLBAR_TOPBUTTON_MOUSEDOWN"},  // 87
    {0, "AZURE_SCROLLBAR_BTMBUTTON_NORMAL"},  // 88
    {0, "AZURE_SCROLLBAR_BTMBUTTON_MOUSEON"},  // 89
    {0, "AZURE_SCROLLBAR_BTMBUTTON_MOUSEDOWN"},  // 90
    {0, "AZURE_SCROLLBAR_TRACK"},  // 91
}};

constexpr Table kNavy = {{
    {3, ""},  // 1
    {C(0, 0, 0), ""},  // 2
    {C(232, 232, 232), ""},  // 3
    {1, ""},  // 4
    {30, ""},  // 5
    {130, ""},  // 6
    {0, ""},  // 7
    {C(0, 0, 0), ""},  // 8
    {C(232, 232, 232), ""},  // 9
    {C(0, 0, 0), ""},  // 10
    {C(68, 74, 160), ""},  // 11
    {C(68, 74, 160), ""},  // 12
    {C(255, 255, 255), ""},  // 13
    {C(0, 0, 0), ""},  // 14
    {C(255, 255, 255), ""},  // 15
    {C(0, 0, 0), ""},  // 16
    {C(214, 211, 206), ""},  // 17
    {C(132, 130, 132), ""},  // 18
    {C(173, 166, 156), ""},  // 19
    {21, ""},  // 20
    {5, ""},  // 21
    {26, ""},  // 22
    {0, "MENU_CHECKED"},  // 23
    {0, "NAVY_BUTTON_NORMAL"},  // 24
    {0, "NAVY_BUTTON_MOUSEON"},  // 25
    {0, "NAVY_BUTTON_MOUSEDOWN"},  // 26
    {0, "NAVY_CHECKBOX_DISABLE_CHECK"},  // 27
    {0, "NAVY_CHECKBOX_DISABLE_UNCHECK"},  // 28
    {0, "NAVY_CHECKBOX_CHECK"},  // 29
    {0, "NAVY_CHECKBOX_UNCHECK"},  // 30
    {0, "NAVY_CHECKBOX_CHECK"},  // 31
    {0, "NAVY_CHECKBOX_UNCHECK"},  // 32
    {0, "NAVY_CHECKBOX_CHECK"},  // 33
    {0, "NAVY_CHECKBOX_UNCHECK"},  // 34
    {0, "NAVY_RADIOBUTTON_DISABLE_CHECK"},  // 35
    {0, "NAVY_RADIOBUTTON_DISABLE_UNCHECK"},  // 36
    {0, "NAVY_RADIOBUTTON_CHECK"},  // 37
    {0, "NAVY_RADIOBUTTON_UNCHECK"},  // 38
    {0, "NAVY_RADIOBUTTON_CHECK"},  // 39
    {0, "NAVY_RADIOBUTTON_UNCHECK"},  // 40
    {0, "NAVY_RADIOBUTTON_CHECK"},  // 41
    {0, "NAVY_RADIOBUTTON_UNCHECK"},  // 42
    {0, "NAVY_PROGRESSBAR"},  // 43
    {0, "NAVY_PROGRESSBAR_V"},  // 44
    {0, "NAVY_TITLE_LEFT"},  // 45
    {0, "NAVY_TITLE_CLIENT"},  // 46
    {0, "NAVY_TITLE_RIGHT"},  // 47
    {0, "NAVY_TITLEBTN_CLOSE_NORMAL"},  // 48
    {0, "NAVY_TITLEBTN_CLOSE_MOUSEON"},  // 49
    {0, "NAVY_TITLEBTN_CLOSE_MOUSEDOWN"},  // 50
    {0, "NAVY_TITLEBTN_MAX_NORMAL"},  // 51
    {0, "NAVY_TITLEBTN_MAX_MOUSEON"},  // 52
    {0, "NAVY_TITLEBTN_MAX_MOUSEDOWN"},  // 53
    {0, "NAVY_TITLEBTN_MIN_NORMAL"},  // 54
    {0, "NAVY_TITLEBTN_MIN_MOUSEON"},  // 55
    {0, "NAVY_TITLEBTN_MIN_MOUSEDOWN"},  // 56
    {0, "NAVY_TITLEBTN_HELP_NORMAL"},  // 57
    {0, "NAVY_TITLEBTN_HELP_MOUSEON"},  // 58
    {0, "NAVY_TITLEBTN_HELP_MOUSEDOWN"},  // 59
    {0, "NAVY_TITLEBTN_CTLBOX_NORMAL"},  // 60
    {0, "NAVY_TITLEBTN_CTLBOX_MOUSEON"},  // 61
    {0, "NAVY_TITLEBTN_CTLBOX_MOUSEDOWN"},  // 62
    {0, "NAVY_TITLEBTN_MAX_NORMAL"},  // 63
    {0, "NAVY_TITLEBTN_MAX_MOUSEON"},  // 64
    {0, "NAVY_TITLEBTN_MAX_MOUSEDOWN"},  // 65
    {0, ""},  // 66
    {0, ""},  // 67
    {0, ""},  // 68
    {2, ""},  // 69
    {0, "NAVY_TAB_ACTIVE"},  // 70
    {0, "NAVY_TAB_INACTIVE"},  // 71
    {0, "NAVY_TAB_LINE"},  // 72
    {22, ""},  // 73
    {C(232, 232, 232), ""},  // 74
    {0, "NAVY_TRACKBAR_BAR"},  // 75
    {0, "NAVY_TRACKBAR_SLIDER"},  // 76
    {0, "NAVY_TRACKBAR_BAR"},  // 77
    {0, "NAVY_TRACKBAR_SLIDER_V"},  // 78
    {C(232, 232, 232), ""},  // 79
    {C(71, 71, 71), ""},  // 80
    {C(239, 239, 239), ""},  // 81
    {C(216, 216, 216), ""},  // 82
    {C(232, 232, 232), ""},  // 83
    {C(245, 245, 245), ""},  // 84
    {0, "NAVY_SCROLLBAR_TOPBUTTON_NORMAL"},  // 85
    {0, "NAVY_SCROLLBAR_TOPBUTTON_MOUSEON"},  // 86
    {0, "NAVY_SCROLLBAR_TOPBUTTON_MOUSEDOWN"},  // 87
    {0, "NAVY_SCROLLBAR_BTMBUTTON_NORMAL"},  // 88
    {0, "NAVY_SCROLLBAR_BTMBUTTON_MOUSEON"},  // 89
    {0, "NAVY_SCROLLBAR_BTMBUTTON_MOUSEDOWN"},  // 90
    {0, "NAVY_SCROLLBAR_TRACK"},  // 91
}};

constexpr Table kIvory = {{
    {4, ""},  // 1
    {C(0, 0, 0), ""},  // 2
    {C(251, 251, 251), ""},  // 3
    {1, ""},  // 4
    {21, ""},  // 5
    {130, ""},  // 6
    {0, ""},  // 7
    {C(0, 0, 0), ""},  // 8
    {C(251, 251, 251), ""},  // 9
    {C(0, 0, 0), ""},  // 10
    {C(45, 48, 196), ""},  // 11
    {C(45, 48, 196), ""},  // 12
    {C(255, 255, 255), ""},  // 13
    {C(0, 0, 0), ""},  // 14
    {C(255, 255, 255), ""},  // 15
    {C(0, 0, 0), ""},  // 16
    {C(214, 211, 206), ""},  // 17
    {C(132, 130, 132), ""},  // 18
    {C(173, 166, 156), ""},  // 19
    {21, ""},  // 20
    {5, ""},  // 21
    {26, ""},  // 22
    {0, "MENU_CHECKED"},  // 23
    {0, "IVORY_BUTTON_NORMAL"},  // 24
    {0, "IVORY_BUTTON_MOUSEON"},  // 25
    {0, "IVORY_BUTTON_MOUSEDOWN"},  // 26
    {0, "IVORY_CHECKBOX_DISABLE_CHECK"},  // 27
    {0, "IVORY_CHECKBOX_DISABLE_UNCHECK"},  // 28
    {0, "IVORY_CHECKBOX_CHECK"},  // 29
    {0, "IVORY_CHECKBOX_UNCHECK"},  // 30
    {0, "IVORY_CHECKBOX_CHECK"},  // 31
    {0, "IVORY_CHECKBOX_UNCHECK"},  // 32
    {0, "IVORY_CHECKBOX_CHECK"},  // 33
    {0, "IVORY_CHECKBOX_UNCHECK"},  // 34
    {0, "IVORY_RADIOBUTTON_DISABLE_CHECK"},  // 35
    {0, "IVORY_RADIOBUTTON_DISABLE_UNCHECK"},  // 36
    {0, "IVORY_RADIOBUTTON_CHECK"},  // 37
    {0, "IVORY_RADIOBUTTON_UNCHECK"},  // 38
    {0, "IVORY_RADIOBUTTON_CHECK"},  // 39
    {0, "IVORY_RADIOBUTTON_UNCHECK"},  // 40
    {0, "IVORY_RADIOBUTTON_CHECK"},  // 41
    {0, "IVORY_RADIOBUTTON_UNCHECK"},  // 42
    {0, "IVORY_PROGRESSBAR"},  // 43
    {0, "IVORY_PROGRESSBAR_V"},  // 44
    {0, "IVORY_TITLE_LEFT"},  // 45
    {0, "IVORY_TITLE_CLIENT"},  // 46
    {0, "IVORY_TITLE_RIGHT"},  // 47
    {0, "IVORY_TITLEBTN_CLOSE_NORMAL"},  // 48
    {0, "IVORY_TITLEBTN_CLOSE_MOUSEON"},  // 49
    {0, "IVORY_TITLEBTN_CLOSE_MOUSEDOWN"},  // 50
    {0, "IVORY_TITLEBTN_MAX_NORMAL"},  // 51
    {0, "IVORY_TITLEBTN_MAX_MOUSEON"},  // 52
    {0, "IVORY_TITLEBTN_MAX_MOUSEDOWN"},  // 53
    {0, "IVORY_TITLEBTN_MIN_NORMAL"},  // 54
    {0, "IVORY_TITLEBTN_MIN_MOUSEON"},  // 55
    {0, "IVORY_TITLEBTN_MIN_MOUSEDOWN"},  // 56
    {0, "IVORY_TITLEBTN_HELP_NORMAL"},  // 57
    {0, "IVORY_TITLEBTN_HELP_MOUSEON"},  // 58
    {0, "IVORY_TITLEBTN_HELP_MOUSEDOWN"},  // 59
    {0, "IVORY_TITLEBTN_CTLBOX_NORMAL"},  // 60
    {0, "IVORY_TITLEBTN_CTLBOX_MOUSEON"},  // 61
    {0, "IVORY_TITLEBTN_CTLBOX_MOUSEDOWN"},  // 62
    {0, "IVORY_TITLEBTN_MAX_NORMAL"},  // 63
    {0, "IVORY_TITLEBTN_MAX_MOUSEON"},  // 64
    {0, "IVORY_TITLEBTN_MAX_MOUSEDOWN"},  // 65
    {1, ""},  // 66
    {0, ""},  // 67
    {0, ""},  // 68
    {2, ""},  // 69
    {0, "IVORY_TAB_ACTIVE"},  // 70
    {0, "IVORY_TAB_INACTIVE"},  // 71
    {0, "IVORY_TAB_LINE"},  // 72
    {22, ""},  // 73
    {C(251, 251, 251), ""},  // 74
    {0, "IVORY_TRACKBAR_BAR"},  // 75
    {0, "IVORY_TRACKBAR_SLIDER"},  // 76
    {0, "IVORY_TRACKBAR_BAR"},  // 77
    {0, "IVORY_TRACKBAR_SLIDER_V"},  // 78
    {C(251, 251, 251), ""},  // 79
    {C(71, 71, 71), ""},  // 80
    {C(239, 239, 239), ""},  // 81
    {C(216, 216, 216), ""},  // 82
    {C(251, 251, 251), ""},  // 83
    {C(245, 245, 245), ""},  // 84
    {0, "IVORY_SCROLLBAR_TOPBUTTON_NORMAL"},  // 85
    {0, "IVORY_SCROLLBAR_TOPBUTTON_MOUSEON"},  // 86
    {0, "IVORY_SCROLLBAR_TOPBUTTON_MOUSEDOWN"},  // 87
    {0, "IVORY_SCROLLBAR_BTMBUTTON_NORMAL"},  // 88
    {0, "IVORY_SCROLLBAR_BTMBUTTON_MOUSEON"},  // 89
    {0, "IVORY_SCROLLBAR_BTMBUTTON_MOUSEDOWN"},  // 90
    {0, "IVORY_SCROLLBAR_TRACK"},  // 91
}};

constexpr Table kCrystal = {{
    {5, ""},  // 1
    {C(0, 0, 0), ""},  // 2
    {C(231, 231, 231), ""},  // 3
    {1, ""},  // 4
    {31, ""},  // 5
    {270, ""},  // 6
    {11, ""},  // 7
    {C(0, 0, 0), ""},  // 8
    {C(231, 231, 231), ""},  // 9
    {C(0, 0, 0), ""},  // 10
    {C(94, 94, 236), ""},  // 11
    {C(94, 94, 236), ""},  // 12
    {C(255, 255, 255), ""},  // 13
    {C(0, 0, 0), ""},  // 14
    {C(231, 231, 231), ""},  // 15
    {C(0, 0, 0), ""},  // 16
    {C(214, 211, 206), ""},  // 17
    {C(132, 130, 132), ""},  // 18
    {C(173, 166, 156), ""},  // 19
    {21, ""},  // 20
    {5, ""},  // 21
    {26, ""},  // 22
    {0, "MENU_CHECKED"},  // 23
    {0, "CRYSTAL_BUTTON_NORMAL"},  // 24
    {0, "CRYSTAL_BUTTON_MOUSEON"},  // 25
    {0, "CRYSTAL_BUTTON_MOUSEDOWN"},  // 26
    {0, "CRYSTAL_CHECKBOX_DISABLE_CHECK"},  // 27
    {0, "CRYSTAL_CHECKBOX_DISABLE_UNCHECK"},  // 28
    {0, "CRYSTAL_CHECKBOX_CHECK"},  // 29
    {0, "CRYSTAL_CHECKBOX_UNCHECK"},  // 30
    {0, "CRYSTAL_CHECKBOX_CHECK"},  // 31
    {0, "CRYSTAL_CHECKBOX_UNCHECK"},  // 32
    {0, "CRYSTAL_CHECKBOX_CHECK"},  // 33
    {0, "CRYSTAL_CHECKBOX_UNCHECK"},  // 34
    {0, "CRYSTAL_RADIOBUTTON_DISABLE_CHECK"},  // 35
    {0, "CRYSTAL_RADIOBUTTON_DISABLE_UNCHECK"},  // 36
    {0, "CRYSTAL_RADIOBUTTON_CHECK"},  // 37
    {0, "CRYSTAL_RADIOBUTTON_UNCHECK"},  // 38
    {0, "CRYSTAL_RADIOBUTTON_CHECK"},  // 39
    {0, "CRYSTAL_RADIOBUTTON_UNCHECK"},  // 40
    {0, "CRYSTAL_RADIOBUTTON_CHECK"},  // 41
    {0, "CRYSTAL_RADIOBUTTON_UNCHECK"},  // 42
    {0, "CRYSTAL_PROGRESSBAR"},  // 43
    {0, "CRYSTAL_PROGRESSBAR_V"},  // 44
    {0, "CRYSTAL_TITLE_LEFT"},  // 45
    {0, "CRYSTAL_TITLE_CLIENT"},  // 46
    {0, "CRYSTAL_TITLE_RIGHT"},  // 47
    {0, "CRYSTAL_TITLEBTN_CLOSE_NORMAL"},  // 48
    {0, "CRYSTAL_TITLEBTN_CLOSE_MOUSEON"},  // 49
    {0, "CRYSTAL_TITLEBTN_CLOSE_MOUSEDOWN"},  // 50
    {0, "CRYSTAL_TITLEBTN_MAX_NORMAL"},  // 51
    {0, "CRYSTAL_TITLEBTN_MAX_MOUSEON"},  // 52
    {0, "CRYSTAL_TITLEBTN_MAX_MOUSEDOWN"},  // 53
    {0, "CRYSTAL_TITLEBTN_MIN_NORMAL"},  // 54
    {0, "CRYSTAL_TITLEBTN_MIN_MOUSEON"},  // 55
    {0, "CRYSTAL_TITLEBTN_MIN_MOUSEDOWN"},  // 56
    {0, "CRYSTAL_TITLEBTN_HELP_NORMAL"},  // 57
    {0, "CRYSTAL_TITLEBTN_HELP_MOUSEON"},  // 58
    {0, "CRYSTAL_TITLEBTN_HELP_MOUSEDOWN"},  // 59
    {0, "CRYSTAL_TITLEBTN_CTLBOX_NORMAL"},  // 60
    {0, "CRYSTAL_TITLEBTN_CTLBOX_MOUSEON"},  // 61
    {0, "CRYSTAL_TITLEBTN_CTLBOX_MOUSEDOWN"},  // 62
    {0, "CRYSTAL_TITLEBTN_MAX_NORMAL"},  // 63
    {0, "CRYSTAL_TITLEBTN_MAX_MOUSEON"},  // 64
    {0, "CRYSTAL_TITLEBTN_MAX_MOUSEDOWN"},  // 65
    {1, ""},  // 66
    {4, ""},  // 67
    {-3, ""},  // 68
    {6, ""},  // 69
    {0, "CRYSTAL_TAB_ACTIVE"},  // 70
    {0, "CRYSTAL_TAB_INACTIVE"},  // 71
    {0, "CRYSTAL_TAB_LINE"},  // 72
    {22, ""},  // 73
    {C(213, 214, 233), ""},  // 74
    {0, "CRYSTAL_TRACKBAR_BAR"},  // 75
    {0, "CRYSTAL_TRACKBAR_SLIDER"},  // 76
    {0, "CRYSTAL_TRACKBAR_BAR"},  // 77
    {0, "CRYSTAL_TRACKBAR_SLIDER_V"},  // 78
    {C(231, 231, 231), ""},  // 79
    {C(71, 71, 71), ""},  // 80
    {C(239, 239, 239), ""},  // 81
    {C(216, 216, 216), ""},  // 82
    {C(231, 231, 231), ""},  // 83
    {C(244, 244, 244), ""},  // 84
    {0, "CRYSTAL_SCROLLBAR_TOPBUTTON_NORMAL"},  // 85
    {0, "CRYSTAL_SCROLLBAR_TOPBUTTON_MOUSEON"},  // 86
    {0, "CRYSTAL_SCROLLBAR_TOPBUTTON_MOUSEDOWN"},  // 87
    {0, "CRYSTAL_SCROLLBAR_BTMBUTTON_NORMAL"},  // 88
    {0, "CRYSTAL_SCROLLBAR_BTMBUTTON_MOUSEON"},  // 89
    {0, "CRYSTAL_SCROLLBAR_BTMBUTTON_MOUSEDOWN"},  // 90
    {0, "CRYSTAL_SCROLLBAR_TRACK"},  // 91
}};

const Table* TableOf(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::Pearl: return &kPearl;
    case TskUIStyle::Azure: return &kAzure;
    case TskUIStyle::Navy: return &kNavy;
    case TskUIStyle::Ivory: return &kIvory;
    case TskUIStyle::Crystal: return &kCrystal;
    case TskUIStyle::Custom: break;
    }
    return nullptr;  // Custom, or a value no style has
}

bool IndexInRange(int index) { return index >= 1 && index <= kThemeElementCount; }

}  // namespace

ThemeElement GetThemeElement(TskUIStyle style, int index)
{
    const Table* table = TableOf(style);
    if (!table || !IndexInRange(index))
        return {};
    const Cell& cell = (*table)[std::size_t(index - 1)];
    return {kTypes[std::size_t(index - 1)], cell.value, cell.name};
}

TskType GetThemeElementType(int index)
{
    return IndexInRange(index) ? kTypes[std::size_t(index - 1)] : TskType::Int;
}

QString GetThemeString(TskUIStyle style, int index)
{
    const ThemeElement e = GetThemeElement(style, index);
    return e.type == TskType::Str ? PCharToStr(e.name) : QString();
}

std::int32_t GetThemeInt(TskUIStyle style, int index)
{
    const ThemeElement e = GetThemeElement(style, index);
    return e.type == TskType::Int ? e.value : -1;
}

bool GetThemeBool(TskUIStyle style, int index)
{
    const ThemeElement e = GetThemeElement(style, index);
    return e.type == TskType::Bool && (e.value & 0xFF) != 0;
}

TColor GetThemeColor(TskUIStyle style, int index)
{
    const ThemeElement e = GetThemeElement(style, index);
    return e.type == TskType::Color ? TColor(e.value) : 0;
}

bool IsBuiltInStyle(TskUIStyle style) { return TableOf(style) != nullptr; }

QString ThemeStylePrefix(TskUIStyle style)
{
    switch (style) {
    case TskUIStyle::Pearl: return QStringLiteral("PEARL");
    case TskUIStyle::Azure: return QStringLiteral("AZURE");
    case TskUIStyle::Navy: return QStringLiteral("NAVY");
    case TskUIStyle::Ivory: return QStringLiteral("IVORY");
    case TskUIStyle::Crystal: return QStringLiteral("CRYSTAL");
    case TskUIStyle::Custom: break;
    }
    return {};
}
