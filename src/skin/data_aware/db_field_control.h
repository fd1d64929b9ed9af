#pragma once
// What every control bound to one field has: its field data link and the
// properties that set it up. The control answers the link's events.

#include "dataset/data_set.h"
#include "dataset/data_source.h"
#include "dataset/field_data_link.h"
#include "skin/data_aware/data_set_action.h"
#include "skin/data_aware/db_texts.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QStyle>
#include <QWidget>

class TskDBFieldControl : public TDataActionTarget {
public:
    TDataSource* DataSource() const { return m_dataLink.DataSource(); }
    /// GUI thread. Binds the control to the source (null unbinds); a source
    /// that goes away unbinds it.
    void SetDataSource(TDataSource* source) { m_dataLink.SetDataSource(source); }
    QString DataField() const { return m_dataLink.FieldName(); }
    void SetDataField(const QString& name) { m_dataLink.SetFieldName(name); }
    /// A read-only control never puts its data set into edit mode.
    bool ReadOnly() const { return m_dataLink.ReadOnly(); }
    void SetReadOnly(bool on) { m_dataLink.SetReadOnly(on); }
    /// The bound field; null while unbound or closed.
    TField* Field() const { return m_dataLink.Field(); }
    /// The control's link (what the framework asks a control for).
    TFieldDataLink& DataLink() { return m_dataLink; }
    TDataSource* ActionSource() const override { return DataSource(); }
    /// Whether the control lays its text out right to left: it follows the
    /// control's layout direction (its own or its window's), under which a
    /// field's left alignment reads from the right.
    bool UseRightToLeftAlignment() const
    {
        const auto* widget = dynamic_cast<const QWidget*>(this);
        return widget && widget->layoutDirection() == Qt::RightToLeft;
    }
    /// A field's alignment as the control shows it: mirrored (left reads
    /// from the right) while the control lays out right to left, whatever
    /// the direction of the text itself.
    Qt::Alignment ShownAlignment(Qt::Alignment alignment) const
    {
        return UseRightToLeftAlignment() ? QStyle::visualAlignment(Qt::RightToLeft, alignment) | Qt::AlignAbsolute
                                         : alignment;
    }
    /// The locale text is typed in: the system's unless set.
    QLocale SystemLocale() const { return m_systemLocale; }
    void SetSystemLocale(const QLocale& locale) { m_systemLocale = locale; }

protected:
    /// A key that types a character (no Ctrl or Alt).
    static bool IsPrintableKey(const QKeyEvent& e)
    {
        return !e.text().isEmpty() && e.text().at(0).isPrint() &&
               !(e.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }

    /// A typed character the bound field does not accept: beeps and takes the
    /// key so that it goes no further.
    bool RefuseInvalidCharacter(QKeyEvent& e) const
    {
        if (!IsPrintableKey(e) || !Field() || Field()->IsValidChar(e.text().at(0)))
            return false;
        QApplication::beep();
        e.accept();
        return true;
    }

    /// Under a Chinese, Japanese or Korean locale a modifiable field is made
    /// writable on entry: an input method engages only in a writable edit,
    /// and would otherwise let the first key through as a stray Latin letter.
    bool WritableOnEntry() const { return FarEastLocale() && m_dataLink.CanModify(); }
    bool FarEastLocale() const
    {
        const QLocale::Language language = m_systemLocale.language();
        return language == QLocale::Chinese || language == QLocale::Japanese || language == QLocale::Korean;
    }

    /// The field's value is bytes: a BLOB column's, or bytes stored in a
    /// column of another type. A text control cannot show them whole.
    bool ValueIsBytes() const
    {
        const TField* field = Field();
        if (!field)
            return false;
        // A BLOB column's value is not read for this: it may be large.
        return field->DataType() == TFieldType::ftGraphic || field->Value().typeId() == QMetaType::QByteArray;
    }
    /// What a text control shows for bytes it cannot show.
    QString BytesLabel() const
    {
        const TField* field = Field();
        return field && field->IsBlob() ? field->DisplayText() : db_texts::Bytes();
    }

    /// The text changed while the data set was not editing the field (a key
    /// the control did not know as an edit, a paste by the mouse, an input
    /// method): the data set edits now. False when it refused: the caller
    /// takes the change back before it shows.
    bool EditForChangedText()
    {
        if (m_dataLink.FieldEditing())
            return true;
        m_startingEdit = true;  // the record change that follows keeps the changed text
        const bool ok = m_dataLink.EditField();
        m_startingEdit = false;
        if (!ok)
            QApplication::beep();
        return ok;
    }

    /// Composed text is about to go in: the data set edits first, as for a
    /// typed key. False when it refused (the text is dropped).
    bool EditForInputMethod(const QInputMethodEvent& e)
    {
        if (e.commitString().isEmpty() && e.preeditString().isEmpty())
            return true;
        return m_dataLink.FieldEditing() || m_dataLink.EditField();
    }

    TFieldDataLink m_dataLink;
    QLocale m_systemLocale = QLocale::system();
    bool m_startingEdit = false;
};
