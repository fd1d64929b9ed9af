#include "skin/db_combo_box.h"

#include <QApplication>
#include <QLineEdit>

TskDBComboBox::TskDBComboBox(QWidget* parent) : TskCustomComboBox(parent)
{
    SetStyle(TComboBoxStyle::csDropDown);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnEditingChange = [this] { EditingChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    connect(this, &TskCustomComboBox::OnChange, this, [this] {
        if (m_dataLink.EditField())
            m_dataLink.Modified();
        else
            DataChange();  // refused: show the field's value again
    });
}

void TskDBComboBox::SetStyle(TComboBoxStyle style)
{
    m_style = style;
    setEditable(!ListStyle());
    if (QLineEdit* edit = lineEdit()) {
        edit->setFrame(false);
        connect(edit, &QLineEdit::textEdited, this, [this] { m_dataLink.Modified(); }, Qt::UniqueConnection);
    }
    EditingChange();
    DataChange();
}

QString TskDBComboBox::ComboText() const
{
    if (ListStyle())
        return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    return currentText();
}

void TskDBComboBox::DataChange()
{
    if (m_dropped && m_style != TComboBoxStyle::csSimple)
        return;
    const TField* field = Field();
    const QString text = field ? field->Text() : QString();
    const int index = text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString);
    SetItemIndex(index);
    if (!ListStyle() && index < 0)
        setEditText(text);
}

void TskDBComboBox::EditingChange()
{
    if (QLineEdit* edit = lineEdit())
        edit->setReadOnly(!m_dataLink.FieldEditing());
}

bool TskDBComboBox::UpdateData()
{
    TField* field = Field();
    return !field || field->SetText(ComboText());
}

void TskDBComboBox::showPopup()
{
    m_dataLink.EditField();
    m_dropped = true;
    TskCustomComboBox::showPopup();
}

void TskDBComboBox::hidePopup()
{
    TskCustomComboBox::hidePopup();
    m_dropped = false;
    if (!m_dataLink.IsModified())
        m_dataLink.Reset();
}

void TskDBComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
        if (QLineEdit* edit = lineEdit())
            edit->selectAll();
        event->accept();
        return;
    }
    if (RefuseInvalidCharacter(*event))
        return;
    const bool printable = IsPrintableKey(*event);
    if (printable || event->key() == Qt::Key_Backspace) {
        m_dataLink.EditField();
    } else if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !m_dataLink.EditField()) {
        event->accept();
        return;
    }
    TskCustomComboBox::keyPressEvent(event);
}

void TskDBComboBox::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    TskCustomComboBox::focusOutEvent(event);
}
