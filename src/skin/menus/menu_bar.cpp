#include "skin/menus/menu_bar.h"

#include "skin/menus/main_menu.h"
#include "skin/skin_form.h"
#include "skin/theme_pictures.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kItemPadding = 14;

QString Shown(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

}  // namespace

TskMenuBar::TskMenuBar(TskForm& frame) : QWidget(&frame), m_frame(frame)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(frame.width(), frame.MenuBarHeight());
}

TskMainMenu* TskMenuBar::Menu() const { return m_frame.Menu(); }

QFont TskMenuBar::BarFont() const
{
    const TskMainMenu* menu = Menu();
    return menu ? menu->ItemFont() : Menu_GetSystemFont();
}

void TskMenuBar::Rebuild()
{
    m_items.clear();
    m_hot = -1;
    m_selected = -1;
    if (const TskMainMenu* menu = Menu()) {
        for (TskPopupMenu* popup : menu->Items()) {
            Item item;
            item.menu = popup;
            m_items.push_back(item);
        }
    }
    UpdateTopItems();
}

void TskMenuBar::UpdateTopItems()
{
    for (Item& item : m_items) {
        if (!item.menu)
            continue;
        item.caption = item.menu->title();
        item.enabled = item.menu->menuAction()->isEnabled();
    }
    Relayout();
}

void TskMenuBar::Relayout()
{
    setFont(BarFont());
    const QFontMetrics fm(BarFont());
    for (Item& item : m_items)
        item.width = fm.horizontalAdvance(Shown(item.caption)) + kItemPadding;
    update();
}

QString TskMenuBar::Caption(int i) const
{
    return i >= 0 && i < Count() ? m_items[std::size_t(i)].caption : QString();
}

bool TskMenuBar::ItemEnabled(int i) const { return i >= 0 && i < Count() && m_items[std::size_t(i)].enabled; }

QRect TskMenuBar::ItemRect(int i) const
{
    int x = 0;
    for (int k = 0; k < Count(); ++k) {
        if (k == i)
            return QRect(x, 0, m_items[std::size_t(k)].width, height());
        x += m_items[std::size_t(k)].width;
    }
    return {};
}

int TskMenuBar::ItemAt(QPoint p) const
{
    for (int k = 0; k < Count(); ++k)
        if (ItemRect(k).contains(p))
            return k;
    return -1;
}

void TskMenuBar::OpenItem(int i)
{
    if (!ItemEnabled(i) || !m_items[std::size_t(i)].menu)
        return;
    QMenu* menu = m_items[std::size_t(i)].menu;
    m_selected = i;
    update();
    connect(menu, &QMenu::aboutToHide, this, [this] {
        m_selected = -1;
        update();
    }, Qt::SingleShotConnection);
    menu->installEventFilter(this);
    menu->popup(mapToGlobal(ItemRect(i).bottomLeft() + QPoint(0, 1)));
}

int TskMenuBar::Neighbour(int from, int step) const
{
    const int n = Count();
    for (int k = 1; k < n; ++k) {
        const int i = ((from + step * k) % n + n) % n;
        if (ItemEnabled(i) && m_items[std::size_t(i)].menu)
            return i;
    }
    return -1;
}

bool TskMenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_selected < 0 || watched != m_items[std::size_t(m_selected)].menu)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* menu = static_cast<QMenu*>(watched);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    int step = 0;
    if (key->key() == Qt::Key_Left)
        step = rtl ? 1 : -1;
    else if (key->key() == Qt::Key_Right)
        step = rtl ? -1 : 1;
    if (step == 0 || (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)).toInt() != 0)
        return QWidget::eventFilter(watched, event);
    // Towards a sub-menu the key opens it, as the menu itself does.
    const QAction* active = menu->activeAction();
    const bool towardsSub = (key->key() == Qt::Key_Right) != rtl;
    if (towardsSub && active && active->menu() && active->isEnabled())
        return QWidget::eventFilter(watched, event);
    const int next = Neighbour(m_selected, step);
    if (next < 0)
        return true;
    menu->hide();
    OpenItem(next);
    // Opened from the keyboard: the first item is ready for Up, Down and Enter.
    QMenu* opened = m_items[std::size_t(next)].menu;
    for (QAction* action : opened->actions()) {
        if (!action->isSeparator() && action->isVisible() && action->isEnabled()) {
            opened->setActiveAction(action);
            break;
        }
    }
    return true;
}

void TskMenuBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TskMainMenu* menu = Menu();
    const TskUIStyle style = menu && menu->UIStyle() != TskUIStyle::Custom ? menu->UIStyle() : m_frame.UIStyle();
    const bool pearl = style == TskUIStyle::Pearl;
    const QImage bar = pearl ? ThemeImage(QStringLiteral("PEARL_MENU_BAR")) : QImage();
    if (!bar.isNull())
        p.drawImage(rect(), bar);
    else
        p.fillRect(rect(), ToQColor(m_frame.MenuBarColor()));
    p.setFont(BarFont());
    const QColor normalText = menu && !menu->UseSystemFont() ? ToQColor(menu->FontColor())
                                                             : palette().color(QPalette::ButtonText);
    const QColor hotText = ToQColor(GetThemeColor(style, 13));
    for (int i = 0; i < Count(); ++i) {
        QRect r = ItemRect(i);
        const Item& item = m_items[std::size_t(i)];
        const bool selected = i == m_selected;
        const bool hot = (i == m_hot || selected) && item.enabled;
        const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        if (!hot) {
            p.setPen(item.enabled ? normalText : QColor(128, 128, 128));
            p.drawText(r, flags, item.caption);
            continue;
        }
        if (pearl) {
            p.drawImage(r, ThemeImage(QStringLiteral("PEARL_MENU_SELECT")));
            p.setPen(hotText);
            p.drawText(r, flags, item.caption);
            continue;
        }
        if (selected)
            r.setRight(r.right() - 2);
        p.fillRect(r, ToQColor(GetThemeColor(style, 12)));
        p.setPen(ToQColor(GetThemeColor(style, 11)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (selected)
            r.setLeft(r.left() + 2);
        r.setTop(r.top() + 2);
        p.setPen(hotText);
        p.drawText(r, flags, item.caption);
    }
}

void TskMenuBar::mouseMoveEvent(QMouseEvent* event)
{
    const int hot = ItemAt(event->position().toPoint());
    if (hot != m_hot) {
        m_hot = hot;
        update();
    }
}

void TskMenuBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OpenItem(ItemAt(event->position().toPoint()));
}

void TskMenuBar::leaveEvent(QEvent*)
{
    m_hot = -1;
    update();
}
