#include "skin/data_aware/db_lookup_combo_box.h"

#include "skin/data_aware/db_lookup_list_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

TskDBLookupComboBox::TskDBLookupComboBox(QWidget* parent) : TskDBLookupControl(parent)
{
    resize(145, fontMetrics().height() + 8);
    SetUIStyle(GetSkinFormStyle(parent));
}

TskDBLookupComboBox::~TskDBLookupComboBox() = default;

void TskDBLookupComboBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

QRect TskDBLookupComboBox::ButtonRect() const
{
    return TskCustomComboBox::ButtonRect(size()).ToQRect();
}

void TskDBLookupComboBox::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    m_buttonLook = ComboDropButtonLookOf(style);
    if (IsBuiltInStyle(style))
        m_borderColor = GetThemeColor(style, 8);
    update();
}

bool TskDBLookupComboBox::ListVisible() const
{
    return m_popup && m_popup->isVisible();
}

void TskDBLookupComboBox::DropDown()
{
    if (ListVisible() || !ListActive())
        return;
    m_popup = std::make_unique<TskPopupDataList>(this);
    m_popup->ShareListOf(*this);
    m_popup->SetRowCount(m_dropDownRows);
    m_popup->SetKeyValue(KeyValue());
    m_popup->resize(width(), m_popup->height());
    m_popup->move(mapToGlobal(QPoint(0, height())));
    connect(m_popup.get(), &TskDBLookupControl::OnClick, this, [this] { CloseUp(true); });
    m_popup->show();
    // A click anywhere else closes the list.
    qApp->installEventFilter(this);
    update();
}

bool TskDBLookupComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && ListVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool inside = widget && (widget == this || widget == m_popup.get() || m_popup->isAncestorOf(widget));
        if (!inside)
            CloseUp(false);
    }
    return QWidget::eventFilter(watched, event);
}

void TskDBLookupComboBox::CloseUp(bool accept)
{
    if (!m_popup)
        return;
    qApp->removeEventFilter(this);
    const QVariant chosen = m_popup->KeyValue();
    m_popup->hide();
    m_popup.release()->deleteLater();  // this may run inside the list's own click
    if (accept)
        SelectKeyValue(chosen);
    update();
}

void TskDBLookupComboBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.fillRect(rect(), ToQColor(clWindow));
    const QRect button = ButtonRect();
    DrawComboDropButton(canvas, TskCustomComboBox::ButtonRect(size()), m_buttonLook, isEnabled());
    const QRect textRect = rect().adjusted(3, 0, -button.width() - 3, 0);
    const bool focused = hasFocus() && !ListVisible();
    if (focused)
        canvas.fillRect(textRect.adjusted(-1, 2, 0, -2), ToQColor(clHighlight));
    canvas.setPen(ToQColor(focused ? clHighlightText : (isEnabled() ? clWindowText : clGrayText)));
    canvas.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, Text());
    DrawControlBorder(canvas, rect(), m_borderColor, clWindow);
}

void TskDBLookupComboBox::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up))) {
        ListVisible() ? CloseUp(false) : DropDown();
        event->accept();
        return;
    }
    if (ListVisible()) {
        switch (event->key()) {
        case Qt::Key_Escape: CloseUp(false); event->accept(); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: CloseUp(true); event->accept(); return;
        default: break;
        }
        // The open list takes the moves; the box takes the key on Enter or a click.
        const int count = ListDataSet() ? ListDataSet()->RecordCount() : 0;
        const int current = m_popup->IndexOfKey(m_popup->KeyValue());
        const int page = std::max(1, m_dropDownRows - 1);
        int target = -2;
        switch (event->key()) {
        case Qt::Key_Up: target = current - 1; break;
        case Qt::Key_Down: target = current + 1; break;
        case Qt::Key_PageUp: target = current - page; break;
        case Qt::Key_PageDown: target = current + page; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = count - 1; break;
        default: break;
        }
        if (target != -2) {
            if (count > 0)
                m_popup->SetKeyValue(KeyAt(current < 0 && target < 0 ? 0 : std::clamp(target, 0, count - 1)));
            event->accept();
            return;
        }
    }
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && CanModify() && !ListVisible()) {
        const TDataSet* list = ListDataSet();
        const int count = list ? list->RecordCount() : 0;
        const int current = IndexOfKey(KeyValue());
        const int target = current < 0 ? 0 : current + (event->key() == Qt::Key_Down ? 1 : -1);
        if (count > 0 && target >= 0 && target < count)
            SelectKeyValue(KeyAt(target));
        ClearSearch();
        event->accept();
        return;
    }
    TskDBLookupControl::keyPressEvent(event);
}

void TskDBLookupComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    ListVisible() ? CloseUp(false) : DropDown();
}

void TskDBLookupComboBox::focusOutEvent(QFocusEvent* event)
{
    TskDBLookupControl::focusOutEvent(event);
    if (ListVisible())
        CloseUp(false);
    update();
}
