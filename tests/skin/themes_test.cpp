// Theme tables, their readers and the routines that pass a form's look on.

#include "skin/progress_bar.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <array>
#include <vector>

namespace {

constexpr std::array<TskUIStyle, 5> kBuiltIn = {TskUIStyle::Pearl, TskUIStyle::Azure, TskUIStyle::Navy,
                                                TskUIStyle::Ivory, TskUIStyle::Crystal};

TEST(ThemeReaders, CustomUnknownStylesStrayIndexesAndWrongTypesGiveNeutralValues)
{
    const std::pair<TskUIStyle, int> reads[] = {{TskUIStyle::Custom, 20}, {TskUIStyle::Custom, 8},
                                                {TskUIStyle::Custom, 24}, {TskUIStyle(6), 66},
                                                {TskUIStyle(255), 20}, {TskUIStyle::Azure, 0},
                                                {TskUIStyle::Azure, -1}, {TskUIStyle::Azure, 92}};
    for (const auto& [style, index] : reads) {
        SCOPED_TRACE(index);
        EXPECT_EQ(GetThemeInt(style, index), -1);
        EXPECT_EQ(GetThemeColor(style, index), 0u);
        EXPECT_FALSE(GetThemeBool(style, index));
        EXPECT_TRUE(GetThemeString(style, index).isEmpty());
        const ThemeElement e = GetThemeElement(style, index);
        EXPECT_EQ(e.type, TskType::Int);
        EXPECT_EQ(e.value, -1);
    }
    EXPECT_EQ(GetThemeElementType(92), TskType::Int);
    // Each reader refuses an element of another type.
    EXPECT_TRUE(GetThemeString(TskUIStyle::Azure, 8).isEmpty());  // a colour
    EXPECT_EQ(GetThemeInt(TskUIStyle::Azure, 8), -1);
    EXPECT_EQ(GetThemeColor(TskUIStyle::Azure, 20), 0u);          // an int
    EXPECT_FALSE(GetThemeBool(TskUIStyle::Pearl, 1));             // int 1 is not a flag
    EXPECT_EQ(GetThemeColor(TskUIStyle::Ivory, 66), 0u);          // a flag
    EXPECT_EQ(GetThemeInt(TskUIStyle::Ivory, 24), -1);            // a picture name
}

TEST(ThemeReaders, ValuesOfEachType)
{
    EXPECT_EQ(GetThemeColor(TskUIStyle::Azure, 2), 0x00C82C00u);
    EXPECT_EQ(ToQColor(GetThemeColor(TskUIStyle::Azure, 2)), QColor(0, 44, 200));
    EXPECT_EQ(ToQColor(GetThemeColor(TskUIStyle::Crystal, 11)), QColor(94, 94, 236));
    EXPECT_EQ(GetThemeColor(TskUIStyle::Azure, 3), 14609391u);
    EXPECT_EQ(GetThemeInt(TskUIStyle::Pearl, 20), 20);
    EXPECT_EQ(GetThemeInt(TskUIStyle::Crystal, 68), -3);
    EXPECT_EQ(GetThemeInt(TskUIStyle::Azure, 7), 13);
    EXPECT_EQ(GetThemeInt(TskUIStyle::Azure, 73), 19);
    EXPECT_TRUE(GetThemeBool(TskUIStyle::Ivory, 66));
    EXPECT_TRUE(GetThemeBool(TskUIStyle::Crystal, 66));
    EXPECT_FALSE(GetThemeBool(TskUIStyle::Azure, 66));
    for (std::size_t i = 0; i < kBuiltIn.size(); ++i)
        EXPECT_EQ(GetThemeInt(kBuiltIn[i], 1), int(i) + 1);
}

TEST(ThemeReaders, PictureNamesFollowTheStyleAndItsExceptions)
{
    EXPECT_EQ(GetThemeString(TskUIStyle::Azure, 64), "AZURE_TITLEBTN_RST_MOUSEON");
    EXPECT_EQ(GetThemeString(TskUIStyle::Ivory, 64), "IVORY_TITLEBTN_MAX_MOUSEON");
    EXPECT_EQ(GetThemeString(TskUIStyle::Azure, 31), "AZURE_CHECKBOX_MOUSEON_CHECK");
    EXPECT_EQ(GetThemeString(TskUIStyle::Navy, 31), "NAVY_CHECKBOX_CHECK");
    EXPECT_EQ(GetThemeString(TskUIStyle::Navy, 34), "NAVY_CHECKBOX_UNCHECK");
    EXPECT_EQ(GetThemeString(TskUIStyle::Azure, 42), "AZURE_RADIOBUTTON_MOUSEDOWN_UNCHECK");
    EXPECT_EQ(GetThemeString(TskUIStyle::Crystal, 35), "CRYSTAL_RADIOBUTTON_DISABLE_CHECK");
    EXPECT_EQ(GetThemeString(TskUIStyle::Pearl, 91), "PEARL_SCROLLBAR_TRACK");
    for (TskUIStyle style : kBuiltIn) {
        EXPECT_EQ(GetThemeString(style, 23), "MENU_CHECKED");
        EXPECT_EQ(GetThemeString(style, 77), GetThemeString(style, 75));
        const QString prefix = ThemeStylePrefix(style) + '_';
        for (int index = 24; index <= kThemeElementCount; ++index) {
            if (GetThemeElementType(index) == TskType::Str) {
                EXPECT_TRUE(GetThemeString(style, index).startsWith(prefix)) << index;
            }
        }
    }
}

TEST(ThemeReaders, TypeColumnIsSharedAndComplete)
{
    int counts[4] = {};
    for (int index = 1; index <= kThemeElementCount; ++index) {
        const TskType type = GetThemeElementType(index);
        ++counts[int(type)];
        for (TskUIStyle style : kBuiltIn)
            EXPECT_EQ(GetThemeElement(style, index).type, type) << index;
    }
    EXPECT_EQ(counts[int(TskType::Bool)], 1);
    EXPECT_EQ(counts[int(TskType::Str)], 91 - 22 - 4 - 2 - 6);  // all but 1..22, 66..69, 73, 74, 79..84
}

// --- forms --------------------------------------------------------------------

class FakeFrame : public QWidget, public SkinFormFrame {
public:
    FakeFrame(QWidget* parent, TskUIStyle style, TColor color) : QWidget(parent), style_(style), color_(color) {}
    TskUIStyle FrameUIStyle() const override { return style_; }
    TColor FrameColor() const override { return color_; }

private:
    TskUIStyle style_;
    TColor color_;
};

TEST(SkinForm, TheFirstFrameAmongTheFormsChildrenDecidesElseNavy)
{
    QWidget form;
    QWidget panel(&form);
    FakeFrame nested(&panel, TskUIStyle::Pearl, 0);  // inside a panel: not the form's frame
    EXPECT_EQ(GetSkinFormStyle(&panel), TskUIStyle::Navy);
    EXPECT_EQ(GetSkinFormColor(&panel), clBtnFace);
    EXPECT_EQ(GetBorderColor(&panel), 0u);
    EXPECT_EQ(GetSkinFormStyle(nullptr), TskUIStyle::Navy);

    FakeFrame first(&form, TskUIStyle::Crystal, RGBColor(1, 2, 3));
    FakeFrame second(&form, TskUIStyle::Azure, RGBColor(4, 5, 6));
    QWidget inner(&panel);
    EXPECT_EQ(GetSkinFormStyle(&inner), TskUIStyle::Crystal);
    EXPECT_EQ(GetSkinFormStyle(&form), TskUIStyle::Crystal);
    EXPECT_EQ(GetSkinFormColor(&inner), RGBColor(1, 2, 3));
    EXPECT_EQ(GetBorderColor(&inner), GetThemeColor(TskUIStyle::Crystal, 8));
    TskProgressBar bar(&panel);  // constructors take the style of their form's frame
    EXPECT_EQ(bar.UIStyle(), TskUIStyle::Crystal);
}

// --- restyling containers -----------------------------------------------------

struct Call {
    QString who;
    TskUIStyle style;
    bool sub;
};

class Recorder : public QWidget, public SkinStyleHooks {
public:
    Recorder(QWidget* parent, QString name, std::vector<Call>& log) : QWidget(parent), name_(std::move(name)), log_(log) {}
    TskUIStyle UIStyleOf() const override { return TskUIStyle::Navy; }
    void ApplyContainerStyle(TskUIStyle style) override { log_.push_back({name_, style, false}); }
    void ApplySubContainerStyle(TskUIStyle style) override
    {
        log_.push_back({name_, style, true});
        ContainerApplyUIStyle(this, style);
    }

private:
    QString name_;
    std::vector<Call>& log_;
};

TEST(ContainerStyle, VisitsDirectChildrenInOrderOnly)
{
    std::vector<Call> log;
    QWidget form;
    Recorder a(&form, "a", log);
    QWidget plain(&form);
    Recorder nested(&plain, "nested", log);
    Recorder b(&form, "b", log);
    Recorder deep(&b, "deep", log);

    ContainerApplyUIStyle(&form, TskUIStyle::Ivory);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].who, "a");
    EXPECT_EQ(log[1].who, "b");
    EXPECT_EQ(log[1].style, TskUIStyle::Ivory);

    log.clear();
    SubContainerApplyUIStyle(&form, TskUIStyle::Pearl);
    // Each direct child restyles its own children, one level down.
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].who, "a");
    EXPECT_TRUE(log[0].sub);
    EXPECT_EQ(log[1].who, "b");
    EXPECT_EQ(log[2].who, "deep");
    EXPECT_FALSE(log[2].sub);

    ContainerApplyUIStyle(nullptr, TskUIStyle::Pearl);  // no container: nothing to do
}

TEST(ContainerStyle, ControlsOfCustomLookKeepIt)
{
    QWidget form;
    TskProgressBar custom(&form);
    custom.SetUIStyle(TskUIStyle::Custom);
    custom.SetColor(RGBColor(10, 20, 30));
    TskProgressBar themed(&form);
    themed.SetUIStyle(TskUIStyle::Azure);

    ContainerApplyUIStyle(&form, TskUIStyle::Crystal);
    EXPECT_EQ(custom.UIStyle(), TskUIStyle::Custom);
    EXPECT_EQ(custom.Color(), RGBColor(10, 20, 30));
    EXPECT_EQ(themed.UIStyle(), TskUIStyle::Crystal);
    EXPECT_EQ(themed.Color(), GetThemeColor(TskUIStyle::Crystal, 9));
}

TEST(ContainerStyle, AHookMayDeleteALaterSibling)
{
    QWidget form;
    std::vector<Call> log;
    class Killer : public Recorder {
    public:
        using Recorder::Recorder;
        QWidget* victim = nullptr;
        void ApplyContainerStyle(TskUIStyle style) override
        {
            Recorder::ApplyContainerStyle(style);
            delete victim;
            victim = nullptr;
        }
    };
    Killer killer(&form, "killer", log);
    killer.victim = new Recorder(&form, "victim", log);
    ContainerApplyUIStyle(&form, TskUIStyle::Navy);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].who, "killer");
}

}  // namespace
