#include "skin/data_aware/db_combo_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>

TskDBComboBox::TskDBComboBox(QWidget* parent) : TskCustomComboBox(parent)
{
    SetStyle(TComboBoxStyle::csDropDown);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnEditingChange = [this] { EditingChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
    // A line of text cannot hold bytes whole: they are never edited here.
    m_dataLink.OnCanHold = [this] { return !ValueIsBytes(); };
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
        if (edit != m_connectedEdit) {  // a lambda cannot be connected uniquely
            connect(edit, &QLineEdit::textEdited, this, [this] {
                if (!EditForChangedText()) {
                    DataChange();  // refused: the stored text again, before the change shows
                    return;
                }
                m_dataLink.Modified();
            });
            edit->installEventFilter(this);
            m_connectedEdit = edit;
            m_typedLimit = new TypedLengthLimit(*edit);  // the edit row keeps a stored value whole
        }
    }
    if (m_style == TComboBoxStyle::csSimple && !m_simpleList) {
        m_simpleList = new QListView(this);
        m_simpleList->setModel(model());
        m_simpleList->setModelColumn(modelColumn());
        m_simpleList->setFocusPolicy(Qt::NoFocus);  // the keys go to the edit row
        m_simpleList->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(m_simpleList, &QListView::clicked, this, &TskDBComboBox::SimpleListClicked);
        setSizePolicy(sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
        if (height() < 3 * EditRowHeight())
            resize(width(), 5 * EditRowHeight());
        m_simpleList->show();
    } else if (m_style != TComboBoxStyle::csSimple && m_simpleList) {
        delete m_simpleList;
        setSizePolicy(sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        resize(width(), EditRowHeight());
    }
    LayOutSimple();
    EditingChange();
    DataChange();
}

int TskDBComboBox::EditRowHeight() const
{
    return QComboBox::sizeHint().height();
}

void TskDBComboBox::LayOutSimple()
{
    if (!m_simpleList)
        return;
    const int row = std::min(height(), EditRowHeight());
    if (QLineEdit* edit = lineEdit())
        edit->setGeometry(4, 3, std::max(0, width() - 8), std::max(0, row - 6));
    m_simpleList->setGeometry(0, row, width(), std::max(0, height() - row));
}

bool TskDBComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // The base box lays its edit over the whole height: keep it in the edit row.
    if (m_simpleList && watched == lineEdit() && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        LayOutSimple();
    return TskCustomComboBox::eventFilter(watched, event);
}

void TskDBComboBox::resizeEvent(QResizeEvent* event)
{
    TskCustomComboBox::resizeEvent(event);
    LayOutSimple();
}

void TskDBComboBox::showEvent(QShowEvent* event)
{
    TskCustomComboBox::showEvent(event);
    LayOutSimple();
}

void TskDBComboBox::paintEvent(QPaintEvent* event)
{
    if (!m_simpleList) {
        TskCustomComboBox::paintEvent(event);
        return;
    }
    // No drop-down button: the edit row is framed on its own above the list.
    QPainter canvas(this);
    const QRect row(0, 0, width(), std::min(height(), EditRowHeight()));
    canvas.fillRect(row, ToQColor(Color()));
    DrawControlBorder(canvas, row, BorderColor(), Color());
}

void TskDBComboBox::SimpleListClicked(const QModelIndex& index)
{
    if (!m_dataLink.EditField()) {
        DataChange();  // refused: the list shows the field's value again
        return;
    }
    SetItemIndex(index.row());
    m_dataLink.Modified();
    emit OnChange();
}

QString TskDBComboBox::ComboText() const
{
    if (ListStyle())
        return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    return currentText();
}

void TskDBComboBox::DataChange()
{
    if (m_startingEdit || (m_dropped && m_style != TComboBoxStyle::csSimple))
        return;
    const TField* field = Field();
    const QString text = !field ? QString() : ValueIsBytes() ? BytesLabel() : field->Text();
    const int index = text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString);
    if (m_typedLimit) {
        // A string column's size limits typing only.
        m_typedLimit->SetLimit(field && field->DataType() == TFieldType::ftString ? field->Size() : 0);
        m_typedLimit->AllowStored(text);
    }
    SetItemIndex(index);
    // The item is matched without case; the edit row keeps the stored text
    // as it is, so typing into it changes no character the operator did not touch.
    if (!ListStyle() && (index < 0 || currentText() != text))
        setEditText(text);
    if (m_simpleList) {
        if (index < 0)
            m_simpleList->clearSelection();
        m_simpleList->setCurrentIndex(index < 0 ? QModelIndex() : model()->index(index, modelColumn()));
    }
}

void TskDBComboBox::EditingChange()
{
    if (QLineEdit* edit = lineEdit())
        edit->setReadOnly(!m_dataLink.FieldEditing());
}

bool TskDBComboBox::UpdateData()
{
    TField* field = Field();
    if (!field || ComboText() == field->Text())
        return true;  // the text ends as it began: the field keeps its value (a NULL stays NULL)
    return field->SetText(ComboText());
}

void TskDBComboBox::showPopup()
{
    if (m_simpleList)
        return;  // the list is always open
    m_dataLink.EditField();
    m_dropped = true;
    TskCustomComboBox::showPopup();
}

void TskDBComboBox::hidePopup()
{
    if (m_simpleList)
        return;
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

void TskDBComboBox::focusInEvent(QFocusEvent* event)
{
    if (QLineEdit* edit = lineEdit(); edit && WritableOnEntry())
        edit->setReadOnly(false);
    TskCustomComboBox::focusInEvent(event);
}

void TskDBComboBox::inputMethodEvent(QInputMethodEvent* event)
{
    // The box takes the focus for its edit row and passes composed text on.
    if (!EditForInputMethod(*event)) {
        event->accept();
        return;
    }
    TskCustomComboBox::inputMethodEvent(event);
}

void TskDBComboBox::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    EditingChange();  // writable on entry only while it has the focus
    TskCustomComboBox::focusOutEvent(event);
}
