#pragma once
// The skinned popup menu: every item drawn by the library (side bar for the
// item pictures, own item and separator heights, selection box, check mark,
// shortcut column, the Pearl look from pictures), and the item painters that
// the skinned main menu shares.

#include "skin/menus/menu_look.h"
#include "skin/themes.h"

#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QProxyStyle>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;
class QStyleOptionMenuItem;

// --- Item painters -------------------------------------------------------------
// Rectangles are Qt rectangles in the menu's item coordinates.

/// Fills the rectangle with the colour.
void Menu_DrawBackGround(QPainter& canvas, const QRect& rect, TColor colour);
/// Frames the rectangle's outermost pixels in the colour.
void Menu_DrawBorder(QPainter& canvas, const QRect& rect, TColor colour);
/// The separator line: row rect.top + 2, from rect.left + barWidth + 4 up to
/// (not including) the right edge minus 2.
void Menu_DrawLineItem(QPainter& canvas, const QRect& rect, TColor colour, int barWidth);
/// Pearl separator: the top 12 rows of "PEARL_MENU_BAR" stretched over the
/// rectangle, with an etched line across its middle.
void Menu_DrawPearlLineItem(QPainter& canvas, const QRect& rect);
/// Pearl selected item: the top 20 rows of "PEARL_MENU_SELECT" stretched over the rectangle.
void Menu_DrawPearlSelectedItem(QPainter& canvas, const QRect& rect);
/// Pearl item: the top 20 rows of "PEARL_MENU_BAR" stretched over the rectangle.
void Menu_DrawPearlNonSelectedItem(QPainter& canvas, const QRect& rect);
/// The flat frame of a menu window of that rectangle, painted by the menu
/// itself: a ring in `border`, a white ring inside it, the top and right
/// edges and the bottom row in `shadow`.
void Menu_DrawWindowBorder(QPainter& canvas, const QRect& window, TColor border, TColor shadow);
/// GUI thread. The desktop's menu font.
QFont Menu_GetSystemFont();
/// GUI thread. The shared 16 x 16 check mark ("MENU_CHECKED", white made transparent).
const QImage& MenuCheckMark();
/// GUI thread. Has `style` draw and measure every item of the menu and of its submenus.
void Menu_SetItemEvent(QMenu& menu, QStyle* style);

/// What the painters need to know of one item.
struct MenuItemView {
    QString caption;   // "&" marks the access key; "-" is a separator
    QString shortcut;  // as shown, e.g. "Ctrl+S"; empty for none
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;  // the menu's default item is drawn bold
    bool subMenu = false;
    QIcon picture;  // null when the item has none

    /// A separator by type or by its "-" caption.
    bool IsSeparator() const { return separator || caption == QLatin1String("-"); }
};

class TskPopupMenu : public QMenu {
    Q_OBJECT
public:
    /// GUI thread. The construction values below, then the look of parent's form.
    explicit TskPopupMenu(QWidget* parent = nullptr);

    /// Items are always drawn by the menu; there is nothing to switch off.
    bool OwnerDraw() const { return true; }
    /// Ignored: the menu always draws its items.
    void SetOwnerDraw(bool) {}
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores the look; a built-in look copies the theme's heights, bar and colours.
    void SetUIStyle(TskUIStyle style);
    int MenuItemHeight() const { return m_look.itemHeight; }
    /// Stores; ignored in the Pearl look, whose pictures fix the height.
    void SetMenuItemHeight(int height);
    int SeparatorHeight() const { return m_look.separatorHeight; }
    /// Stores; ignored in the Pearl look.
    void SetSeparatorHeight(int height);
    int BarWidth() const { return m_look.barWidth; }
    void SetBarWidth(int width) { m_look.barWidth = width; Changed(); }
    TColor BarColor() const { return m_look.barColor; }
    void SetBarColor(TColor c) { m_look.barColor = c; Changed(); }
    TColor Color() const { return m_look.color; }
    void SetColor(TColor c) { m_look.color = c; Changed(); }
    TColor SeparatorColor() const { return m_look.separatorColor; }
    void SetSeparatorColor(TColor c) { m_look.separatorColor = c; Changed(); }
    TColor SelectedBorderColor() const { return m_look.selectedBorderColor; }
    void SetSelectedBorderColor(TColor c) { m_look.selectedBorderColor = c; Changed(); }
    TColor SelectedColor() const { return m_look.selectedColor; }
    void SetSelectedColor(TColor c) { m_look.selectedColor = c; Changed(); }
    TColor SelectedFontColor() const { return m_look.selectedFontColor; }
    void SetSelectedFontColor(TColor c) { m_look.selectedFontColor = c; Changed(); }
    TColor FontColor() const { return m_look.fontColor; }
    void SetFontColor(TColor c) { m_look.fontColor = c; Changed(); }
    TColor BorderColor() const { return m_look.borderColor; }
    void SetBorderColor(TColor c) { m_look.borderColor = c; Changed(); }
    bool FlatMenu() const { return m_look.flatMenu; }
    /// Stores; a flat menu paints its own window frame in BorderColor.
    void SetFlatMenu(bool flat) { m_look.flatMenu = flat; Changed(); }
    QString FontName() const { return m_look.fontName; }
    void SetFontName(const QString& name) { m_look.fontName = name; Changed(); }
    int FontSize() const { return m_look.fontSize; }
    void SetFontSize(int points) { m_look.fontSize = points; Changed(); }
    /// Kept for the stored form resources; fonts here carry every script.
    std::uint8_t FontCharset() const { return m_look.fontCharset; }
    void SetFontCharset(std::uint8_t charset) { m_look.fontCharset = charset; }
    bool UseSystemFont() const { return m_look.useSystemFont; }
    /// Stores; true uses the desktop's menu font instead of FontName and FontSize.
    void SetUseSystemFont(bool on) { m_look.useSystemFont = on; Changed(); }

    /// The font the items are drawn and measured with (not yet bold).
    QFont ItemFont() const;
    /// Height SeparatorHeight for a separator, else MenuItemHeight; width the
    /// caption's and the shortcut's text widths + BarWidth + 40.
    QSize MeasureItem(const MenuItemView& item) const;
    /// Paints one item into rect (background, caption, shortcut, check mark, picture).
    void DrawItem(QPainter& canvas, const MenuItemView& item, const QRect& rect, bool selected) const;
    /// Paints the whole menu's frame when FlatMenu is set.
    void DrawFrame(QPainter& canvas, const QRect& window) const;

    const MenuLook& Look() const { return m_look; }
    /// Stores every value of the look at once (the heights too, whatever the look).
    void SetLook(const MenuLook& look) { m_look = look; Changed(); }

    /// GUI thread. Hooks the painters to this menu and every submenu it holds now.
    void MenuAdded();
    /// GUI thread. Shows the menu with its top-left corner at the global point.
    void Popup(const QPoint& global);

    /// The item described by Qt's option for it.
    static MenuItemView ViewOf(const QStyleOptionMenuItem& option);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Changed();

    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    MenuLook m_look;
};

/// GUI thread. A right click on the control (or the menu key) pops the menu
/// up under the pointer.
void AttachPopupMenu(QWidget& control, TskPopupMenu& menu);
