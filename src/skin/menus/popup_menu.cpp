#include "skin/menus/popup_menu.h"

#include "skin/custom_button.h"
#include "skin/theme_pictures.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// The top `rows` rows of a picture, cut once.
QImage TopRows(const QString& name, int rows)
{
    const QImage picture = ThemeImage(name);
    return picture.isNull() ? QImage() : picture.copy(0, 0, picture.width(), std::min(rows, picture.height()));
}

void StretchPicture(QPainter& canvas, const QRect& rect, const QImage& picture)
{
    if (!picture.isNull() && !rect.isEmpty())
        canvas.drawImage(rect, picture);
}

const TskPopupMenu* OwnerMenu(const QWidget* widget)
{
    // Submenus are children of the menu that holds them.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* menu = qobject_cast<const TskPopupMenu*>(w))
            return menu;
    }
    return nullptr;
}

// Owner drawing: Qt asks the style to measure and paint each item, and the
// style asks the menu.
class SkinMenuStyle : public QProxyStyle {
public:
    SkinMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        const TskPopupMenu* menu = OwnerMenu(widget);
        if (type != CT_MenuItem || !item || !menu)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        const MenuItemView view = TskPopupMenu::ViewOf(*item);
        QSize s = menu->MeasureItem(view);
        // The menu adds a column as wide as its widest shortcut by itself.
        if (!view.shortcut.isEmpty())
            s.setWidth(s.width() - QFontMetrics(menu->ItemFont()).horizontalAdvance(view.shortcut));
        return s;
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const TskPopupMenu* menu = OwnerMenu(widget);
        if (menu && element == CE_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                menu->DrawItem(*painter, TskPopupMenu::ViewOf(*item), item->rect, item->state & State_Selected);
                return;
            }
        }
        if (menu && element == CE_MenuEmptyArea) {
            Menu_DrawBackGround(*painter, option->rect, menu->Color());
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        const TskPopupMenu* menu = OwnerMenu(widget);
        if (menu && element == PE_PanelMenu) {
            Menu_DrawBackGround(*painter, option->rect, menu->Color());
            return;
        }
        if (menu && element == PE_FrameMenu) {
            menu->DrawFrame(*painter, option->rect);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (OwnerMenu(widget)) {
            switch (metric) {
            case PM_MenuPanelWidth: return 3;  // a desktop menu window's frame
            case PM_MenuHMargin:
            case PM_MenuVMargin: return 0;
            default: break;
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* SharedMenuStyle()
{
    // Parented to the application: QWidget::setStyle does not take ownership,
    // and every menu shares the one instance.
    static QPointer<SkinMenuStyle> style;
    if (!style) {
        style = new SkinMenuStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

}  // namespace

// --- Painters ------------------------------------------------------------------

void Menu_DrawBackGround(QPainter& canvas, const QRect& rect, TColor colour)
{
    canvas.fillRect(rect, ToQColor(colour));
}

void Menu_DrawBorder(QPainter& canvas, const QRect& rect, TColor colour)
{
    if (rect.isEmpty())
        return;
    const QColor c = ToQColor(colour);
    canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), c);
    canvas.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), c);
    canvas.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), c);
    canvas.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), c);
}

void Menu_DrawLineItem(QPainter& canvas, const QRect& rect, TColor colour, int barWidth)
{
    const int from = rect.left() + barWidth + 4;
    const int to = rect.left() + rect.width() - 2;  // excluded, as a drawn line's last point
    if (to > from)
        canvas.fillRect(QRect(from, rect.top() + 2, to - from, 1), ToQColor(colour));
}

void Menu_DrawPearlLineItem(QPainter& canvas, const QRect& rect)
{
    static const QImage piece = TopRows(QStringLiteral("PEARL_MENU_BAR"), 12);
    StretchPicture(canvas, rect, piece);
    // The bar picture alone is as light as the items around it: an etched
    // line across the middle shows where the groups part.
    const int from = rect.left() + 4;
    const int to = rect.left() + rect.width() - 4;
    const int y = rect.top() + rect.height() / 2 - 1;
    if (to > from) {
        canvas.fillRect(QRect(from, y, to - from, 1), QColor(150, 152, 158));
        canvas.fillRect(QRect(from, y + 1, to - from, 1), QColor(255, 255, 255));
    }
}

void Menu_DrawPearlSelectedItem(QPainter& canvas, const QRect& rect)
{
    static const QImage piece = TopRows(QStringLiteral("PEARL_MENU_SELECT"), 20);
    StretchPicture(canvas, rect, piece);
}

void Menu_DrawPearlNonSelectedItem(QPainter& canvas, const QRect& rect)
{
    static const QImage piece = TopRows(QStringLiteral("PEARL_MENU_BAR"), 20);
    StretchPicture(canvas, rect, piece);
}

void Menu_DrawWindowBorder(QPainter& canvas, const QRect& window, TColor border, TColor shadow)
{
    const int l = window.left();
    const int t = window.top();
    const int r = l + window.width();
    const int b = t + window.height();
    // Frames of rectangles whose right and bottom edges are excluded.
    auto frame = [&canvas](int left, int top, int right, int bottom, const QColor& c) {
        if (right <= left || bottom <= top)
            return;
        canvas.fillRect(QRect(left, top, right - left, 1), c);
        canvas.fillRect(QRect(left, bottom - 1, right - left, 1), c);
        canvas.fillRect(QRect(left, top, 1, bottom - top), c);
        canvas.fillRect(QRect(right - 1, top, 1, bottom - top), c);
    };
    frame(l, t + 1, r - 1, b - 1, ToQColor(border));
    frame(l + 1, t + 2, r - 2, b - 2, QColor(255, 255, 255));
    // The polyline (l, b-1) -> (r-1, b-1) -> (r-1, t) -> (r, t) -> (l, t), each
    // segment without its end point.
    const QColor s = ToQColor(shadow);
    canvas.fillRect(QRect(l, b - 1, r - 1 - l, 1), s);
    canvas.fillRect(QRect(r - 1, t + 1, 1, b - 1 - t), s);
    canvas.fillRect(QRect(r - 1, t, 1, 1), s);
    canvas.fillRect(QRect(l + 1, t, r - l - 1, 1), s);
}

QFont Menu_GetSystemFont() { return QApplication::font("QMenu"); }

const QImage& MenuCheckMark()
{
    static const QImage mark = MaskedImage(ThemeImage(QStringLiteral("MENU_CHECKED")), qRgb(255, 255, 255));
    return mark;
}

void Menu_SetItemEvent(QMenu& menu, QStyle* style)
{
    menu.setStyle(style);
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu())
            Menu_SetItemEvent(*sub, style);
    }
}

// --- The menu ------------------------------------------------------------------

TskPopupMenu::TskPopupMenu(QWidget* parent) : QMenu(parent)
{
    MenuAdded();
    SetUIStyle(GetSkinFormStyle(parent));
}

void TskPopupMenu::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    m_look.TakeTheme(style);
    Changed();
}

void TskPopupMenu::SetMenuItemHeight(int height)
{
    if (m_uiStyle == TskUIStyle::Pearl)
        return;
    m_look.itemHeight = height;
    Changed();
}

void TskPopupMenu::SetSeparatorHeight(int height)
{
    if (m_uiStyle == TskUIStyle::Pearl)
        return;
    m_look.separatorHeight = height;
    Changed();
}

void TskPopupMenu::Changed()
{
    setFont(ItemFont());
    // The item rectangles are measured again at the next show.
    QEvent relayout(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &relayout);
    update();
}

QFont TskPopupMenu::ItemFont() const
{
    if (m_look.useSystemFont)
        return Menu_GetSystemFont();
    QFont f(m_look.fontName);
    if (m_look.fontSize > 0)
        f.setPointSize(m_look.fontSize);
    return f;
}

QSize TskPopupMenu::MeasureItem(const MenuItemView& item) const
{
    if (item.IsSeparator())
        return {m_look.barWidth + 40, m_look.separatorHeight};
    const QFontMetrics fm(ItemFont());
    QString shown = item.caption;
    shown.remove(QLatin1Char('&'));  // the access-key marker takes no room
    const int width = fm.horizontalAdvance(shown) + fm.horizontalAdvance(item.shortcut) + m_look.barWidth + 40;
    return {width, m_look.itemHeight};
}

void TskPopupMenu::DrawItem(QPainter& canvas, const MenuItemView& item, const QRect& rect, bool selected) const
{
    canvas.save();
    const bool pearl = m_uiStyle == TskUIStyle::Pearl;
    const int L = rect.left();
    const int T = rect.top();
    const int R = L + rect.width();
    const int B = T + rect.height();
    auto plainBackground = [&] {
        if (m_look.barWidth > 0)
            Menu_DrawBackGround(canvas, QRect(L, T, m_look.barWidth, rect.height()), m_look.barColor);
        Menu_DrawBackGround(canvas, QRect(L + m_look.barWidth, T, std::max(0, rect.width() - m_look.barWidth), rect.height()),
                            m_look.color);
    };

    if (item.IsSeparator()) {
        if (pearl) {
            Menu_DrawPearlLineItem(canvas, rect);
        } else {
            plainBackground();
            Menu_DrawLineItem(canvas, rect, m_look.separatorColor, m_look.barWidth);
        }
        canvas.restore();
        return;
    }

    // A disabled item never shows the selection.
    const bool showSelected = selected && item.enabled;
    if (showSelected) {
        if (pearl) {
            Menu_DrawPearlSelectedItem(canvas, rect);
        } else {
            Menu_DrawBackGround(canvas, rect, m_look.selectedColor);
            Menu_DrawBorder(canvas, rect, m_look.selectedBorderColor);
        }
    } else if (pearl) {
        Menu_DrawPearlNonSelectedItem(canvas, rect);
    } else {
        plainBackground();
    }

    QFont font = ItemFont();
    font.setBold(item.isDefault);
    canvas.setFont(font);
    canvas.setBrush(Qt::NoBrush);
    const QColor textColour = !item.enabled ? QColor(128, 128, 128)
                              : showSelected ? ToQColor(m_look.selectedFontColor)
                                             : ToQColor(m_look.fontColor);
    canvas.setPen(textColour);
    const int textLeft = L + m_look.barWidth + 4;
    canvas.drawText(QRect(textLeft, T + 4, std::max(0, R - textLeft), std::max(0, B - T - 4)),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, item.caption);
    if (!item.shortcut.isEmpty()) {
        const QFontMetrics fm(font);
        const int w = fm.horizontalAdvance(item.shortcut);
        canvas.drawText(QRect(R - w - 16, T + 4, w + 1, std::max(0, B - T - 4)),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.shortcut);
    }

    const bool hasPicture = !item.picture.isNull();
    if (item.checked) {
        if (hasPicture) {
            Menu_DrawBorder(canvas, QRect(L + 2, T + 1, 19, 19), clBlack);
            Menu_DrawBackGround(canvas, QRect(L + 3, T + 2, 17, 17), m_look.selectedColor);
        } else {
            const QImage& mark = MenuCheckMark();
            canvas.drawImage(L + 4, T + 3, item.enabled ? mark : GreyedImage(mark));
        }
    }
    if (hasPicture) {
        const QPixmap pm = item.picture.pixmap(QSize(16, 16), 1.0, item.enabled ? QIcon::Normal : QIcon::Disabled);
        canvas.drawPixmap(L + 4, T + 3, pm);
    }
    if (item.subMenu) {
        // The submenu arrow the desktop draws beside owner-drawn items.
        const int x = R - 10;
        const int y = T + rect.height() / 2;
        const QPoint arrow[] = {{x, y - 3}, {x, y + 3}, {x + 3, y}};
        canvas.setPen(QPen(textColour, 0));
        canvas.setBrush(textColour);
        canvas.drawPolygon(arrow, 3);
    }
    canvas.restore();
}

void TskPopupMenu::DrawFrame(QPainter& canvas, const QRect& window) const
{
    if (m_look.flatMenu) {
        Menu_DrawWindowBorder(canvas, window, m_look.borderColor, GetThemeColor(m_uiStyle, 3));
        return;
    }
    // The desktop's raised menu frame, with the item background in its last ring.
    Menu_DrawBorder(canvas, window.adjusted(2, 2, -2, -2), m_look.color);
    QPalette pal = palette();
    pal.setColor(QPalette::Button, ToQColor(clBtnFace));
    qDrawWinPanel(&canvas, window, pal, false);
}

void TskPopupMenu::MenuAdded() { Menu_SetItemEvent(*this, SharedMenuStyle()); }

void TskPopupMenu::Popup(const QPoint& global) { popup(global); }

MenuItemView TskPopupMenu::ViewOf(const QStyleOptionMenuItem& option)
{
    MenuItemView view;
    const qsizetype tab = option.text.indexOf(QLatin1Char('\t'));
    view.caption = tab < 0 ? option.text : option.text.left(tab);
    view.shortcut = tab < 0 ? QString() : option.text.mid(tab + 1);
    view.separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    view.enabled = option.state & QStyle::State_Enabled;
    view.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    view.isDefault = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    view.subMenu = option.menuItemType == QStyleOptionMenuItem::SubMenu;
    view.picture = option.icon;
    return view;
}

void TskPopupMenu::showEvent(QShowEvent* event)
{
    // Submenus added since the last show are drawn like the rest.
    MenuAdded();
    QMenu::showEvent(event);
}

void AttachPopupMenu(QWidget& control, TskPopupMenu& menu)
{
    control.setContextMenuPolicy(Qt::CustomContextMenu);
    QPointer<TskPopupMenu> guarded(&menu);
    // A scroll area reports the point in its viewport's coordinates.
    auto* area = qobject_cast<QAbstractScrollArea*>(&control);
    QWidget* origin = area ? area->viewport() : &control;
    QObject::connect(&control, &QWidget::customContextMenuRequested, &menu, [origin, guarded](const QPoint& at) {
        if (guarded)
            guarded->Popup(origin->mapToGlobal(at));
    });
}
