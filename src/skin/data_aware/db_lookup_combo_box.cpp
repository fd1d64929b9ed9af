#include "skin/data_aware/db_lookup_combo_box.h"

#include "skin/data_aware/db_lookup_list_box.h"

#include <QMouseEvent>
#include <QPainter>

TskDBLookupComboBox::TskDBLookupComboBox(QWidget* parent) : TskDBLookupControl(parent)
{
    resize(145, fontMetrics().height() + 8);
}

TskDBLookupComboBox::~TskDBLookupComboBox() = default;

void TskDBLookupComboBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

QRect TskDBLookupComboBox::ButtonRect() const
{
    const int w = std::min(width() / 2, 17);
    return QRect(width() - w - 1, 1, w, height() - 2);
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
    update();
}

void TskDBLookupComboBox::CloseUp(bool accept)
{
    if (!m_popup)
        return;
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
    canvas.fillRect(button, ToQColor(clBtnFace));
    const int x = button.center().x() - 3;
    const int y = button.center().y() - 1;
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(isEnabled() ? Qt::black : Qt::gray);
    canvas.drawPolygon(QPolygon({{x, y}, {x + 7, y}, {x + 3, y + 4}}));
    const QRect textRect = rect().adjusted(3, 0, -button.width() - 3, 0);
    const bool focused = hasFocus() && !ListVisible();
    if (focused)
        canvas.fillRect(textRect.adjusted(-1, 2, 0, -2), ToQColor(clHighlight));
    canvas.setPen(ToQColor(focused ? clHighlightText : (isEnabled() ? clWindowText : clGrayText)));
    canvas.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, Text());
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(ToQColor(m_borderColor));
    canvas.drawRect(rect().adjusted(0, 0, -1, -1));
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
    update();
}
