#pragma once
// One field of a data set: the current record's value of a column (or of a
// lookup into another data set), with the texts shown and edited for it.
// A field belongs to its data set and lives while the data set is open.

#include "dataset/data_types.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <functional>

class TDataSet;

/// Whether a value read is a whole number (an integer or a flag), as opposed to a real or a text.
bool IsWholeNumber(const QVariant& v);

class TField {
public:
    /// Made by the data set when it opens.
    TField(TDataSet& owner, int index, QString name, TFieldType type, int size, TFieldKind kind);

    TDataSet& DataSet() const { return m_owner; }
    int Index() const { return m_index; }
    QString FieldName() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    /// Characters of a string field (0: unlimited); 0 for other types.
    int Size() const { return m_size; }
    TFieldKind FieldKind() const { return m_kind; }
    /// True for memo and graphic fields.
    bool IsBlob() const { return m_type == TFieldType::ftMemo || m_type == TFieldType::ftGraphic; }

    /// The caption shown for the field (the field name unless set).
    QString DisplayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void SetDisplayLabel(const QString& label) { m_label = label; }
    /// Width in characters a grid or lookup list gives the field.
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { m_displayWidth = width; }
    /// Numbers are right-aligned, everything else left, unless set.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment) { m_alignment = alignment; }
    /// For float fields: "0.00" shows two decimals; empty shows the value as is.
    QString DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& format) { m_displayFormat = format; }
    /// The mask the field's edit text is typed through: "mask;save;blank".
    /// In the mask L/l are a letter, A/a a letter or digit, C/c any character,
    /// 0/9 a digit, # a digit or sign (capitals required, small ones
    /// optional); > and < change case, <> ends that, \ makes the next
    /// character literal, _ is a space, other characters are literals. save
    /// "0" stores the value without the literals; blank (default "_") is
    /// shown where nothing was typed. Empty: no mask.
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString& mask) { m_editMask = mask; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }
    /// The column refuses null (NOT NULL).
    bool Required() const { return m_required; }
    void SetRequired(bool on) { m_required = on; }
    /// Writable: a data field, not read-only, of a data set that can be
    /// modified; a lookup field when its key field is writable (the value
    /// itself is only changed through the key field).
    bool CanModify() const;
    /// Whether the character may be typed into the field's edit text.
    bool IsValidChar(QChar c) const;

    // --- Value of the current record (the edit buffer while editing) --------
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;
    bool AsBoolean() const;
    qint64 AsInteger() const;
    double AsFloat() const;
    QByteArray AsBytes() const;
    /// The text shown while not editing the field.
    QString DisplayText() const;
    /// The text edited for the field.
    QString Text() const;

    /// GUI thread. Stores the value into the record being edited; false (and
    /// the data set's LastError) when the data set is not editing or the
    /// field cannot be modified. Text is parsed by the field's type.
    bool SetValue(const QVariant& value);
    bool SetAsString(const QString& text);
    bool SetAsBoolean(bool value) { return SetValue(value); }
    bool SetText(const QString& text) { return SetAsString(text); }
    bool Clear() { return SetValue(QVariant()); }

    // --- Lookup fields --------------------------------------------------------
    /// The field of this data set whose value is looked up.
    QString KeyFields() const { return m_keyFields; }
    TDataSet* LookupDataSet() const { return m_lookupDataSet; }
    QString LookupKeyFields() const { return m_lookupKeyFields; }
    QString LookupResultField() const { return m_lookupResultField; }
    void SetLookup(const QString& keyFields, TDataSet* lookupDataSet, const QString& lookupKeyFields,
                   const QString& resultField);

    /// Formats a value of this field's type as text (display or edit form).
    QString FormatValue(const QVariant& value, bool display) const;

private:
    TDataSet& m_owner;
    int m_index;
    QString m_name;
    TFieldType m_type;
    int m_size;
    TFieldKind m_kind;
    QString m_label;
    int m_displayWidth = -1;
    Qt::Alignment m_alignment;
    QString m_displayFormat;
    QString m_editMask;
    bool m_readOnly = false;
    bool m_required = false;
    QString m_keyFields;
    TDataSet* m_lookupDataSet = nullptr;
    QString m_lookupKeyFields;
    QString m_lookupResultField;
};

/// Key values match when both are null, or when they read the same as text.
bool SameKeyValue(const QVariant& a, const QVariant& b);
