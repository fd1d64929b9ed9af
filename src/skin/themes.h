#pragma once
// The five built-in looks of the skinned controls, their 91-element theme
// tables, and the routines that hand a form's look to its controls.

#include "skin/skin_color.h"

#include <QString>

#include <cstdint>

class QWidget;

enum class TskUIStyle : std::uint8_t { Custom = 0, Pearl = 1, Azure = 2, Navy = 3, Ivory = 4, Crystal = 5 };

enum class TskType : std::uint8_t { Int = 0, Color = 1, Str = 2, Bool = 3 };

/// Elements are numbered 1..kThemeElementCount.
inline constexpr int kThemeElementCount = 91;

/// One element of a theme table. `value` holds Int, Color (0x00BBGGRR) and
/// Bool (0/1); `name` holds a Str element's picture name (empty otherwise).
struct ThemeElement {
    TskType type = TskType::Int;
    std::int32_t value = -1;
    const char* name = "";
};

/// Entry index of the style's table. Custom, an unknown style or an index
/// outside 1..91 give the neutral element (Int, -1).
ThemeElement GetThemeElement(TskUIStyle style, int index);
/// The picture name of a Str element; empty for any other type.
QString GetThemeString(TskUIStyle style, int index);
/// The value of an Int element; -1 for any other type.
std::int32_t GetThemeInt(TskUIStyle style, int index);
/// The flag of a Bool element; false for any other type.
bool GetThemeBool(TskUIStyle style, int index);
/// The colour of a Color element; 0 (black) for any other type.
TColor GetThemeColor(TskUIStyle style, int index);
/// The type every style gives the index (Int outside 1..91).
TskType GetThemeElementType(int index);
/// "PEARL".."CRYSTAL"; empty for Custom and unknown styles.
QString ThemeStylePrefix(TskUIStyle style);
/// True for Pearl..Crystal.
bool IsBuiltInStyle(TskUIStyle style);

// --- Forms -----------------------------------------------------------------

/// What a skinned form frame shows to the controls of its form. The frame
/// class (a direct child of the top-level window) implements it; being such a
/// child is all the registration it needs.
class SkinFormFrame {
public:
    virtual ~SkinFormFrame() = default;
    /// GUI thread. The frame's current look.
    virtual TskUIStyle FrameUIStyle() const = 0;
    /// GUI thread. The frame's `Color`.
    virtual TColor FrameColor() const = 0;
};

/// GUI thread. The frame of the window that holds `owner` (the first direct
/// child of owner->window() that is a SkinFormFrame); null without one.
const SkinFormFrame* FindSkinFormFrame(const QWidget* owner);
/// GUI thread. The look of the frame of owner's window; Navy without a frame
/// (or without an owner). Constructors of skinned controls call it with their parent.
TskUIStyle GetSkinFormStyle(const QWidget* owner);
/// GUI thread. The frame's Color; clBtnFace without a frame.
TColor GetSkinFormColor(const QWidget* owner);
/// GUI thread. Theme colour 8 of the frame's look; 0 without a frame.
TColor GetBorderColor(const QWidget* owner);

// --- Restyling containers ----------------------------------------------------

/// The hooks through which ContainerApplyUIStyle and SubContainerApplyUIStyle
/// reach a control. Each skinned class overrides them with the rules of its
/// class (calling its base class first, so a control that is of several
/// tested classes is handled by each, in the order of the tests). A control
/// that does not implement this interface is left alone.
class SkinStyleHooks {
public:
    virtual ~SkinStyleHooks() = default;
    /// GUI thread. The control's own look.
    virtual TskUIStyle UIStyleOf() const = 0;
    /// GUI thread. What ContainerApplyUIStyle does to this control: e.g. a
    /// button whose own look is not Custom takes `style`; a group box takes
    /// the theme's colours (unless `style` is Custom, see ThemeColorsApply).
    virtual void ApplyContainerStyle(TskUIStyle style) = 0;
    /// GUI thread. What SubContainerApplyUIStyle does: containers (image
    /// panel, group box, tab control, tab sheet) restyle their own children
    /// with ContainerApplyUIStyle; other controls do nothing.
    virtual void ApplySubContainerStyle(TskUIStyle style) {}
};

/// Colour rules of ContainerApplyUIStyle write theme colours only for a
/// built-in look: Custom means "keep your own colours", so it writes nothing.
bool ThemeColorsApply(TskUIStyle style);

/// GUI thread. Runs ApplyContainerStyle on every direct child of the
/// container, in child order. Does not descend into nested containers.
void ContainerApplyUIStyle(QWidget* container, TskUIStyle style);
/// GUI thread. Runs ApplySubContainerStyle on every direct child, in child
/// order (one level down only).
void SubContainerApplyUIStyle(QWidget* container, TskUIStyle style);
