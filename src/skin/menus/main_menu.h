#pragma once
// The skinned main menu: top-level items whose drop-down menus are drawn by
// the skin's menu painters in the menu's colours and fonts. It hands itself
// to its form's frame (TskForm), which shows the top-level items in its menu
// bar below the title bar.

#include "skin/menus/popup_menu.h"
#include "skin/tool_image_list.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class TskForm;

class TskMainMenu : public QObject {
    Q_OBJECT
public:
    /// GUI thread. Takes the look of form's frame; hands itself to the first
    /// TskForm among form's direct children.
    explicit TskMainMenu(QWidget* form = nullptr);
    /// Leaves its frame (which then drops its menu bar).
    ~TskMainMenu() override;

    /// Appends a top-level item; its drop-down menu is returned for filling.
    TskPopupMenu* AddMenu(const QString& caption);
    /// Removes and deletes a top-level item.
    void RemoveMenu(TskPopupMenu* menu);
    /// The top-level items' menus, in order.
    std::vector<TskPopupMenu*> Items() const;

    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores; a built-in look copies the theme's heights, bar and colours.
    void SetUIStyle(TskUIStyle style);
    int MenuItemHeight() const { return m_look.itemHeight; }
    /// Ignored in the Pearl look.
    void SetMenuItemHeight(int height);
    int SeparatorHeight() const { return m_look.separatorHeight; }
    /// Ignored in the Pearl look.
    void SetSeparatorHeight(int height);
    TColor BarColor() const { return m_look.barColor; }
    void SetBarColor(TColor c) { m_look.barColor = c; MenuChanged(); }
    int BarWidth() const { return m_look.barWidth; }
    void SetBarWidth(int w) { m_look.barWidth = w; MenuChanged(); }
    TColor Color() const { return m_look.color; }
    void SetColor(TColor c) { m_look.color = c; MenuChanged(); }
    TColor SeparatorColor() const { return m_look.separatorColor; }
    void SetSeparatorColor(TColor c) { m_look.separatorColor = c; MenuChanged(); }
    TColor SelectedBorderColor() const { return m_look.selectedBorderColor; }
    void SetSelectedBorderColor(TColor c) { m_look.selectedBorderColor = c; MenuChanged(); }
    TColor SelectedColor() const { return m_look.selectedColor; }
    void SetSelectedColor(TColor c) { m_look.selectedColor = c; MenuChanged(); }
    TColor SelectedFontColor() const { return m_look.selectedFontColor; }
    void SetSelectedFontColor(TColor c) { m_look.selectedFontColor = c; MenuChanged(); }
    TColor FontColor() const { return m_look.fontColor; }
    void SetFontColor(TColor c) { m_look.fontColor = c; MenuChanged(); }
    TColor BorderColor() const { return m_look.borderColor; }
    void SetBorderColor(TColor c) { m_look.borderColor = c; MenuChanged(); }
    bool FlatMenu() const { return m_look.flatMenu; }
    /// A flat menu draws its own frame in BorderColor (inside its window).
    void SetFlatMenu(bool on) { m_look.flatMenu = on; MenuChanged(); }
    QString FontName() const { return m_look.fontName; }
    void SetFontName(const QString& name);
    int FontSize() const { return m_look.fontSize; }
    void SetFontSize(int points);
    std::uint8_t FontCharset() const { return m_look.fontCharset; }
    void SetFontCharset(std::uint8_t charset) { m_look.fontCharset = charset; }
    bool UseSystemFont() const { return m_look.useSystemFont; }
    /// Stores; the frame repaints its menu bar.
    void SetUseSystemFont(bool on);
    /// The font of the items and of the menu bar.
    QFont ItemFont() const;
    /// Always true.
    bool OwnerDraw() const { return true; }
    /// Ignored.
    void SetOwnerDraw(bool) {}

    /// The program's pictures for the items; null when none is given (the
    /// menu's own check mark is then the only picture).
    const ToolImageList* Images() const { return m_images ? &*m_images : nullptr; }
    /// Copies the list; null restores the own check mark only.
    void SetImages(const ToolImageList* images);
    /// The picture an item shows: an index into Images() (-1 for none).
    static void SetImageIndex(QAction* action, int index);
    static int ImageIndex(const QAction* action);

    /// Height and width of one item, as the drop-down menus measure it.
    QSize MeasureItem(const MenuItemView& item) const;
    /// Paints one item as the drop-down menus do.
    void DrawItem(QPainter& canvas, const MenuItemView& item, const QRect& rect, bool selected) const;
    /// The view of an action as the painters see it (its picture only when
    /// Images() holds its index).
    MenuItemView ViewOf(const QAction* action) const;

    /// The frame showing this menu (null when none).
    TskForm* Host() const { return m_host; }
    /// Called by the frame when it takes or drops this menu.
    void SetHost(TskForm* host);
    /// An enabled item whose shortcut is the key runs; Alt and a top-level
    /// item's access key opens that item. True when the key was used.
    bool ProcessKeyPress(const QKeyEvent& key);
    /// Pushes the settings into every drop-down menu and tells the frame.
    void MenuChanged();

signals:
    /// The top-level items (captions, enabled states, count) changed.
    void TopItemsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Configure(TskPopupMenu& menu) const;
    void SyncPictures(QMenu& menu);

    std::vector<std::unique_ptr<TskPopupMenu>> m_items;
    TskPopupMenu m_painter;  // never shown: draws and measures for ViewOf callers
    std::optional<ToolImageList> m_images;
    QPointer<TskForm> m_host;
    bool m_syncing = false;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    MenuLook m_look{.fontColor = clWhite};
};
