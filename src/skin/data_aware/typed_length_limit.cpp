#include "skin/data_aware/typed_length_limit.h"

#include <QLineEdit>

namespace {
// Far above any column's length, and still safe for the edit's arithmetic.
constexpr int kNoCut = 1 << 30;
}  // namespace

TypedLengthLimit::TypedLengthLimit(QLineEdit& edit, int limit)
    : QValidator(&edit), m_edit(edit), m_limit(std::max(0, limit))
{
    LiftMaxLength();
    edit.setValidator(this);
    connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = int(text.size()); });
}

void TypedLengthLimit::LiftMaxLength()
{
    if (m_edit.inputMask().isEmpty())
        m_edit.setMaxLength(kNoCut);
}

void TypedLengthLimit::ShowStored(const QString& text)
{
    AllowStored(text);
    m_edit.setText(text);
}

QValidator::State TypedLengthLimit::validate(QString& input, int&) const
{
    if (m_limit == 0 || input.size() <= m_limit || input.size() <= m_before)
        return Acceptable;
    return Invalid;
}
