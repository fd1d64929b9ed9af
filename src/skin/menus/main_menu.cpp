#include "skin/menus/main_menu.h"

#include "skin/skin_form.h"
#include "skin/menus/menu_bar.h"

#include <QActionEvent>
#include <QKeyEvent>
#include <QPixmap>

#include <algorithm>
#include <functional>

TskMainMenu::TskMainMenu(QWidget* form) : QObject(form)
{
    SetUIStyle(GetSkinFormStyle(form));
    if (!form)
        return;
    for (QObject* child : form->children()) {
        if (auto* frame = qobject_cast<TskForm*>(child)) {
            frame->SetMenu(this);
            break;
        }
    }
}

TskMainMenu::~TskMainMenu()
{
    if (m_host)
        m_host->SetMenu(nullptr);
}

TskPopupMenu* TskMainMenu::AddMenu(const QString& caption)
{
    auto popup = std::make_unique<TskPopupMenu>(nullptr);
    popup->setTitle(caption);
    popup->installEventFilter(this);
    connect(popup->menuAction(), &QAction::changed, this, [this] {
        if (m_host)
            m_host->UpdateTopMenu();
        emit TopItemsChanged();
    });
    TskPopupMenu* raw = popup.get();
    m_items.push_back(std::move(popup));
    Configure(*raw);
    if (m_host)
        m_host->UpdateMenu();
    emit TopItemsChanged();
    return raw;
}

void TskMainMenu::RemoveMenu(TskPopupMenu* menu)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [menu](const auto& p) { return p.get() == menu; });
    if (it == m_items.end())
        return;
    m_items.erase(it);
    if (m_host)
        m_host->UpdateMenu();
    emit TopItemsChanged();
}

std::vector<TskPopupMenu*> TskMainMenu::Items() const
{
    std::vector<TskPopupMenu*> list;
    for (const auto& p : m_items)
        list.push_back(p.get());
    return list;
}

void TskMainMenu::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    m_look.TakeTheme(style);
    MenuChanged();
    if (m_host)
        m_host->RepaintMenuBar();
}

void TskMainMenu::SetMenuItemHeight(int height)
{
    if (m_uiStyle == TskUIStyle::Pearl)
        return;
    m_look.itemHeight = height;
    MenuChanged();
}

void TskMainMenu::SetSeparatorHeight(int height)
{
    if (m_uiStyle == TskUIStyle::Pearl)
        return;
    m_look.separatorHeight = height;
    MenuChanged();
}

void TskMainMenu::SetFontName(const QString& name)
{
    m_look.fontName = name;
    MenuChanged();
    if (m_host)
        m_host->RepaintMenuBar();
}

void TskMainMenu::SetFontSize(int points)
{
    m_look.fontSize = points;
    MenuChanged();
    if (m_host)
        m_host->RepaintMenuBar();
}

void TskMainMenu::SetUseSystemFont(bool on)
{
    m_look.useSystemFont = on;
    MenuChanged();
    if (m_host)
        m_host->RepaintMenuBar();
}

QFont TskMainMenu::ItemFont() const { return m_painter.ItemFont(); }

void TskMainMenu::SetImages(const ToolImageList* images)
{
    if (images)
        m_images = *images;
    else
        m_images.reset();
    MenuChanged();
}

void TskMainMenu::SetImageIndex(QAction* action, int index)
{
    if (action)
        action->setData(index);
}

int TskMainMenu::ImageIndex(const QAction* action)
{
    bool ok = false;
    const int index = action ? action->data().toInt(&ok) : -1;
    return ok ? index : -1;
}

void TskMainMenu::Configure(TskPopupMenu& menu) const
{
    menu.SetUIStyle(m_uiStyle);
    menu.SetLook(m_look);
    menu.MenuAdded();
}

void TskMainMenu::SyncPictures(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            sub->installEventFilter(this);
            SyncPictures(*sub);
        }
        if (!action->data().isValid())
            continue;  // a picture given through Qt's own icon stays
        const int index = ImageIndex(action);
        // Only the program's own pictures: the check mark is never an item's picture.
        if (m_images && index >= 0 && index < m_images->Count())
            action->setIcon(QIcon(QPixmap::fromImage(m_images->Image(index))));
        else if (!action->icon().isNull())
            action->setIcon(QIcon());
    }
}

void TskMainMenu::MenuChanged()
{
    if (m_syncing)
        return;
    m_syncing = true;
    Configure(m_painter);
    for (const auto& popup : m_items) {
        Configure(*popup);
        SyncPictures(*popup);
    }
    m_syncing = false;
    if (m_host)
        m_host->UpdateTopMenu();
}

QSize TskMainMenu::MeasureItem(const MenuItemView& item) const { return m_painter.MeasureItem(item); }

void TskMainMenu::DrawItem(QPainter& canvas, const MenuItemView& item, const QRect& rect, bool selected) const
{
    m_painter.DrawItem(canvas, item, rect, selected);
}

MenuItemView TskMainMenu::ViewOf(const QAction* action) const
{
    MenuItemView view;
    if (!action)
        return view;
    view.caption = action->text();
    view.shortcut = action->shortcut().toString(QKeySequence::NativeText);
    view.separator = action->isSeparator();
    view.enabled = action->isEnabled();
    view.checked = action->isCheckable() && action->isChecked();
    view.subMenu = action->menu() != nullptr;
    const int index = ImageIndex(action);
    if (m_images && index >= 0 && index < m_images->Count())
        view.picture = QIcon(QPixmap::fromImage(m_images->Image(index)));
    return view;
}

void TskMainMenu::SetHost(TskForm* host) { m_host = host; }

bool TskMainMenu::ProcessKeyPress(const QKeyEvent& key)
{
    const QKeySequence pressed(key.keyCombination());
    std::function<QAction*(QMenu&)> find = [&](QMenu& menu) -> QAction* {
        for (QAction* action : menu.actions()) {
            if (!action->isEnabled())
                continue;
            if (QMenu* sub = action->menu()) {
                if (QAction* hit = find(*sub))
                    return hit;
                continue;
            }
            if (!action->shortcut().isEmpty() && action->shortcut().matches(pressed) == QKeySequence::ExactMatch)
                return action;
        }
        return nullptr;
    };
    for (const auto& popup : m_items) {
        if (!popup->menuAction()->isEnabled())
            continue;
        if (QAction* hit = find(*popup)) {
            hit->trigger();
            return true;
        }
    }
    if (key.modifiers() == Qt::AltModifier) {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (QKeySequence::mnemonic(m_items[i]->title()) == pressed) {
                if (m_host && m_host->MenuBar())
                    m_host->MenuBar()->OpenItem(int(i));
                return true;
            }
        }
    }
    return false;
}

bool TskMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
    case QEvent::ActionRemoved:
        if (!m_syncing)
            MenuChanged();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
