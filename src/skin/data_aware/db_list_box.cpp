#include "skin/data_aware/db_list_box.h"

#include <QMouseEvent>

TskDBListBox::TskDBListBox(QWidget* parent) : TskListBox(parent)
{
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    connect(this, &TskListBox::OnClick, this, [this] {
        if (m_dataLink.EditField())
            m_dataLink.Modified();
    });
}

void TskDBListBox::DataChange()
{
    const TField* field = Field();
    SetItemIndex(field ? IndexOf(field->Text()) : -1);
}

bool TskDBListBox::UpdateData()
{
    TField* field = Field();
    return !field || field->SetText(Item(ItemIndex()));
}

void TskDBListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (!m_dataLink.EditField()) {
            event->accept();
            return;
        }
        break;
    default:
        if (IsPrintableKey(*event) && !m_dataLink.EditField()) {
            event->accept();
            return;
        }
    }
    TskListBox::keyPressEvent(event);
}

void TskDBListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_dataLink.EditField()) {
        // A list whose value cannot change only takes the focus.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    TskListBox::mousePressEvent(event);
}

void TskDBListBox::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    TskListBox::focusOutEvent(event);
}
