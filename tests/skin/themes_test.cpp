// Theme tables, their readers and the routines that pass a form's look on.

#include "skin/progress_bar.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <array>
#include <tuple>
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
        const ThemeElement e = GetThemeElement(style, index);
        EXPECT_EQ((std::tuple{GetThemeInt(style, index), GetThemeColor(style, index), GetThemeBool(style, index),
                              GetThemeString(style, index), e.type, e.value}),
                  std::tuple(-1, 0u, false, QString(), TskType::Int, -1));
    }
    EXPECT_EQ(GetThemeElementType(92), TskType::Int);
    // Each reader refuses an element of another type.
    // Azure 8 is a colour, Azure 20 an int, Pearl 1 int 1 (not a flag), Ivory 66 a flag, Ivory 24 a name.
    EXPECT_EQ((std::tuple{GetThemeString(TskUIStyle::Azure, 8), GetThemeInt(TskUIStyle::Azure, 8),
                          GetThemeColor(TskUIStyle::Azure, 20), GetThemeBool(TskUIStyle::Pearl, 1),
                          GetThemeColor(TskUIStyle::Ivory, 66), GetThemeInt(TskUIStyle::Ivory, 24)}),
              std::tuple(QString(), -1, 0u, false, 0u, -1));
}

TEST(ThemeReaders, ValuesOfEachType)
{
    EXPECT_EQ(GetThemeColor(TskUIStyle::Azure, 2), 0x00C82C00u);
    EXPECT_EQ(ToQColor(GetThemeColor(TskUIStyle::Azure, 2)), QColor(0, 44, 200));
    EXPECT_EQ(ToQColor(GetThemeColor(TskUIStyle::Crystal, 11)), QColor(94, 94, 236));
    EXPECT_EQ(GetThemeColor(TskUIStyle::Azure, 3), 14609391u);
    EXPECT_EQ((std::vector<int>{GetThemeInt(TskUIStyle::Pearl, 20), GetThemeInt(TskUIStyle::Crystal, 68),
                                GetThemeInt(TskUIStyle::Azure, 7), GetThemeInt(TskUIStyle::Azure, 73)}),
              (std::vector<int>{20, -3, 13, 19}));
    EXPECT_EQ((std::vector<bool>{GetThemeBool(TskUIStyle::Ivory, 66), GetThemeBool(TskUIStyle::Crystal, 66),
                                 GetThemeBool(TskUIStyle::Azure, 66)}),
              (std::vector<bool>{true, true, false}));
    for (std::size_t i = 0; i < kBuiltIn.size(); ++i)
        EXPECT_EQ(GetThemeInt(kBuiltIn[i], 1), int(i) + 1);
}

TEST(ThemeReaders, PictureNamesFollowTheStyleAndItsExceptions)
{
    EXPECT_EQ((QStringList{GetThemeString(TskUIStyle::Azure, 64), GetThemeString(TskUIStyle::Ivory, 64),
                           GetThemeString(TskUIStyle::Azure, 31), GetThemeString(TskUIStyle::Navy, 31),
                           GetThemeString(TskUIStyle::Navy, 34), GetThemeString(TskUIStyle::Azure, 42),
                           GetThemeString(TskUIStyle::Crystal, 35), GetThemeString(TskUIStyle::Pearl, 91)}),
              (QStringList{"AZURE_TITLEBTN_RST_MOUSEON", "IVORY_TITLEBTN_MAX_MOUSEON", "AZURE_CHECKBOX_MOUSEON_CHECK",
                           "NAVY_CHECKBOX_CHECK", "NAVY_CHECKBOX_UNCHECK", "AZURE_RADIOBUTTON_MOUSEDOWN_UNCHECK",
                           "CRYSTAL_RADIOBUTTON_DISABLE_CHECK", "PEARL_SCROLLBAR_TRACK"}));
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
    EXPECT_EQ((std::tuple{GetSkinFormStyle(&panel), GetSkinFormColor(&panel), GetBorderColor(&panel), GetSkinFormStyle(nullptr)}),
              std::tuple(TskUIStyle::Navy, clBtnFace, 0u, TskUIStyle::Navy));

    FakeFrame first(&form, TskUIStyle::Crystal, RGBColor(1, 2, 3));
    FakeFrame second(&form, TskUIStyle::Azure, RGBColor(4, 5, 6));
    QWidget inner(&panel);
    TskProgressBar bar(&panel);  // constructors take the style of their form's frame
    EXPECT_EQ((std::tuple{GetSkinFormStyle(&inner), GetSkinFormStyle(&form), bar.UIStyle()}),
              std::tuple(TskUIStyle::Crystal, TskUIStyle::Crystal, TskUIStyle::Crystal));
    EXPECT_EQ((std::tuple{GetSkinFormColor(&inner), GetBorderColor(&inner)}),
              std::tuple(RGBColor(1, 2, 3), GetThemeColor(TskUIStyle::Crystal, 8)));
}

struct Call {
    QString who;
    TskUIStyle style;
    bool sub;
    bool operator==(const Call&) const = default;
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
    EXPECT_EQ(log, (std::vector<Call>{{"a", TskUIStyle::Ivory, false}, {"b", TskUIStyle::Ivory, false}}));
    log.clear();
    SubContainerApplyUIStyle(&form, TskUIStyle::Pearl);
    // Each direct child restyles its own children, one level down.
    EXPECT_EQ(log, (std::vector<Call>{{"a", TskUIStyle::Pearl, true}, {"b", TskUIStyle::Pearl, true},
                                      {"deep", TskUIStyle::Pearl, false}}));

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
    EXPECT_EQ((std::tuple{custom.UIStyle(), custom.Color(), themed.UIStyle(), themed.Color()}),
              std::tuple(TskUIStyle::Custom, RGBColor(10, 20, 30), TskUIStyle::Crystal, GetThemeColor(TskUIStyle::Crystal, 9)));
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
    EXPECT_EQ(log, (std::vector<Call>{{"killer", TskUIStyle::Navy, false}}));
}

}  // namespace
