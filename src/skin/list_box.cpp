#include "skin/list_box.h"

#include "skin/skin_drawing.h"
#include "skin/themed_scroll_bar_style.h"

#include <QEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kBorderWidth = 2;

// Every row ItemHeight pixels high, whatever the font asks for.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    explicit FixedRowDelegate(TskListBox& list) : QStyledItemDelegate(&list), m_list(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_list.ItemHeight());
    }

private:
    const TskListBox& m_list;
};

// Counts a change made from code, so the selection signals it causes are not
// reported as the user's.
class FromCode {
public:
    explicit FromCode(int& counter) : m_counter(counter) { ++m_counter; }
    ~FromCode() { --m_counter; }
    FromCode(const FromCode&) = delete;
    FromCode& operator=(const FromCode&) = delete;

private:
    int& m_counter;
};

}  // namespace

TskListBox::TskListBox(QWidget* parent) : QListWidget(parent)
{
    // A plain frame of the border's width keeps the viewport and the bars
    // inside it; the rings are painted over it.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new FixedRowDelegate(*this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_borderColor = GetBorderColor(parent);
    SetColor(clWindow);
    SetScrollBarLook(GetSkinFormStyle(parent));
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_settingFromCode == 0)
            emit OnClick();
    });
}

void TskListBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskListBox::SetColor(TColor color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    setPalette(pal);
    update();
}

void TskListBox::SetItemHeight(int height)
{
    m_itemHeight = std::max(1, height);
    // Uniform rows are measured once: make the view measure again.
    doItemsLayout();
    viewport()->update();
}

void TskListBox::SetScrollBarLook(TskUIStyle look)
{
    if (!IsBuiltInStyle(look))
        return;
    m_scrollLook = look;
    ApplyScrollBarLook(*this, look);
}

void TskListBox::SetVScrollBar(TskScrollBar* bar)
{
    if (m_vBar.Bind(bar))
        UpdateScrollBarsPos();
}

void TskListBox::UpdateScrollBarsPos()
{
    if (TskScrollBar* v = VScrollBar()) {
        const QRect g = geometry();
        m_vBar.Place(QRect(g.x() + g.width() - v->width() - 2, g.y() + 1, v->width(), g.height() - 2));
    }
}

QStringList TskListBox::Items() const
{
    QStringList items;
    items.reserve(count());
    for (int i = 0; i < count(); ++i)
        items.append(item(i)->text());
    return items;
}

QString TskListBox::Item(int i) const
{
    return i >= 0 && i < count() ? item(i)->text() : QString();
}

int TskListBox::AddItem(const QString& text)
{
    FromCode guard(m_settingFromCode);
    addItem(text);
    return count() - 1;
}

void TskListBox::InsertItem(int i, const QString& text)
{
    if (i < 0 || i > count())
        return;
    FromCode guard(m_settingFromCode);
    insertItem(i, text);
}

void TskListBox::DeleteItem(int i)
{
    if (i < 0 || i >= count())
        return;
    FromCode guard(m_settingFromCode);
    // Qt would pass the selection on to the next row; the item takes it along.
    if (ItemIndex() == i) {
        clearSelection();
        setCurrentRow(-1);
    }
    delete takeItem(i);
}

void TskListBox::SetItems(const QStringList& items)
{
    FromCode guard(m_settingFromCode);
    clear();
    addItems(items);
}

void TskListBox::ClearItems()
{
    FromCode guard(m_settingFromCode);
    clear();
}

int TskListBox::IndexOf(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TskListBox::Text() const
{
    QString text;
    for (int i = 0; i < count(); ++i)
        text += item(i)->text() + QLatin1Char('\n');
    return text;
}

void TskListBox::SetText(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    SetItems(lines);
}

int TskListBox::ItemIndex() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void TskListBox::SetItemIndex(int i)
{
    FromCode guard(m_settingFromCode);
    if (i < 0 || i >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
}

void TskListBox::ApplyContainerStyle(TskUIStyle style)
{
    if (!ThemeColorsApply(style))
        return;
    SetBorderColor(GetThemeColor(style, 8));
    SetScrollBarLook(style);
}

bool TskListBox::event(QEvent* event)
{
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        UpdateScrollBarsPos();
    if (event->type() == QEvent::Paint) {
        QPainter canvas(this);
        DrawControlBorder(canvas, rect(), m_borderColor, m_color);
    }
    return handled;
}

void TskListBox::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateScrollBars();
}

void TskListBox::focusInEvent(QFocusEvent* event)
{
    // Focus may make the first row current; that is not the user's choice.
    {
        FromCode guard(m_settingFromCode);
        QListWidget::focusInEvent(event);
    }
    emit OnEnter();
}

void TskListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    emit OnDblClick();
}
