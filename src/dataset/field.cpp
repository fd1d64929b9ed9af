#include "dataset/field.h"

#include "dataset/data_set.h"

#include <QLocale>

TField::TField(TDataSet& owner, int index, QString name, TFieldType type, int size, TFieldKind kind)
    : m_owner(owner), m_index(index), m_name(std::move(name)), m_type(type), m_size(size), m_kind(kind)
{
}

int TField::DisplayWidth() const
{
    if (m_displayWidth >= 0)
        return m_displayWidth;
    switch (m_type) {
    case TFieldType::ftString:
        return m_size > 0 ? m_size : 20;
    case TFieldType::ftBoolean:
        return 5;
    default:
        return 10;
    }
}

Qt::Alignment TField::Alignment() const
{
    if (m_alignment)
        return m_alignment;
    return m_type == TFieldType::ftInteger || m_type == TFieldType::ftFloat ? Qt::AlignRight : Qt::AlignLeft;
}

bool TField::CanModify() const
{
    if (m_readOnly || !m_owner.CanModify())
        return false;
    if (m_kind == TFieldKind::fkLookup) {
        // Changed through its key field.
        const TField* key = m_owner.FindField(m_keyFields);
        return key && key != this && key->CanModify();
    }
    return m_kind == TFieldKind::fkData;
}

bool TField::IsValidChar(QChar c) const
{
    switch (m_type) {
    case TFieldType::ftInteger:
        return c.isDigit() || c == u'+' || c == u'-';
    case TFieldType::ftFloat:
        return c.isDigit() || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E';
    default:
        return true;
    }
}

QVariant TField::Value() const
{
    return m_owner.FieldValue(*this);
}

bool TField::IsNull() const
{
    const QVariant v = m_owner.RawFieldValue(*this);
    return !v.isValid() || v.isNull();
}

QString TField::AsString() const
{
    return FormatValue(Value(), false);
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
    }
    return v.toLongLong() != 0;
}

qint64 TField::AsInteger() const
{
    return Value().toLongLong();
}

double TField::AsFloat() const
{
    return Value().toDouble();
}

QByteArray TField::AsBytes() const
{
    return Value().toByteArray();
}

bool IsWholeNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

namespace {

bool IsNumber(const QVariant& v)
{
    return IsWholeNumber(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

}  // namespace

QString TField::FormatValue(const QVariant& v, bool display) const
{
    if (!v.isValid() || v.isNull())
        return {};
    // The database keeps whatever was stored, whatever the declared type:
    // a value that is not of the field's type is shown as it is stored.
    switch (m_type) {
    case TFieldType::ftBoolean: {
        if (IsWholeNumber(v))
            return v.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
        const QString text = v.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
            return QStringLiteral("True");
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
            return QStringLiteral("False");
        return v.toString();
    }
    case TFieldType::ftInteger:
        return IsWholeNumber(v) ? QString::number(v.toLongLong()) : v.toString();
    case TFieldType::ftFloat: {
        if (!IsNumber(v))
            return v.toString();
        const int dot = m_displayFormat.indexOf(u'.');
        const int decimals = dot < 0 ? 0 : int(m_displayFormat.size()) - dot - 1;
        const bool formatted = display && !m_displayFormat.isEmpty();
        // A whole number stored as an integer (NUMERIC columns keep them so)
        // is shown digit for digit: a double would round it past 2^53.
        if (IsWholeNumber(v) && v.typeId() != QMetaType::Bool) {
            const QString whole = QString::number(v.toLongLong());
            return formatted && decimals > 0 ? whole + u'.' + QString(decimals, u'0') : whole;
        }
        if (formatted)
            return QString::number(v.toDouble(), 'f', decimals);
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    case TFieldType::ftMemo:
        return display ? QStringLiteral("(MEMO)") : v.toString();
    case TFieldType::ftGraphic:
        return display ? QStringLiteral("(GRAPHIC)") : QString();
    case TFieldType::ftString:
        break;
    }
    return v.toString();
}

QString TField::DisplayText() const
{
    return FormatValue(m_owner.RawFieldValue(*this), true);
}

QString TField::Text() const
{
    return FormatValue(m_type == TFieldType::ftGraphic ? m_owner.RawFieldValue(*this) : Value(), false);
}

bool TField::SetValue(const QVariant& value)
{
    return m_owner.SetFieldValue(*this, value);
}

bool TField::SetAsString(const QString& text)
{
    if (text.isEmpty() && m_type != TFieldType::ftString && m_type != TFieldType::ftMemo)
        return SetValue(QVariant());
    switch (m_type) {
    case TFieldType::ftInteger: {
        bool ok = false;
        const qint64 n = text.trimmed().toLongLong(&ok);
        return ok ? SetValue(n) : SetValue(text);  // the set rejects it with a message
    }
    case TFieldType::ftFloat: {
        bool ok = false;
        const qint64 whole = text.trimmed().toLongLong(&ok);
        if (ok)
            return SetValue(whole);  // kept exact; the column's affinity decides how it is stored
        const double d = text.trimmed().toDouble(&ok);
        return ok ? SetValue(d) : SetValue(text);
    }
    case TFieldType::ftBoolean: {
        const QString t = text.trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1"))
            return SetValue(true);
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
            return SetValue(false);
        return SetValue(text);
    }
    case TFieldType::ftGraphic:
        return SetValue(text.toUtf8());
    default:
        return SetValue(text);
    }
}

void TField::SetLookup(const QString& keyFields, TDataSet* lookupDataSet, const QString& lookupKeyFields,
                       const QString& resultField)
{
    m_keyFields = keyFields;
    m_lookupDataSet = lookupDataSet;
    m_lookupKeyFields = lookupKeyFields;
    m_lookupResultField = resultField;
}

bool SameKeyValue(const QVariant& a, const QVariant& b)
{
    const bool aNull = !a.isValid() || a.isNull();
    const bool bNull = !b.isValid() || b.isNull();
    if (aNull || bNull)
        return aNull && bNull;
    return a.toString() == b.toString();
}
