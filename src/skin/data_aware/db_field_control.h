#pragma once
// What every control bound to one field has: its field data link and the
// properties that set it up. The control answers the link's events.

#include "dataset/data_set.h"
#include "dataset/data_source.h"
#include "dataset/field_data_link.h"

#include <QApplication>
#include <QKeyEvent>

class TskDBFieldControl {
public:
    virtual ~TskDBFieldControl() = default;

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

    TFieldDataLink m_dataLink;
};
