#pragma once
// A length limit on what the operator types into a line edit, never on the
// stored value it shows: the edit holds a text of any length whole, and an
// edit that makes the text grow past the limit is refused (a paste that does
// not fit is refused whole); shortening a value stored longer than the limit
// is always allowed. The line edit's own maximum length would cut a stored
// value, so it is lifted.

#include <QValidator>

class QLineEdit;

class TypedLengthLimit : public QValidator {
    Q_OBJECT
public:
    /// GUI thread. Installs itself on `edit` (as its child) and lifts the
    /// edit's maximum length. `limit` 0: no limit.
    TypedLengthLimit(QLineEdit& edit, int limit = 0);

    /// Lifts the edit's maximum length again (clearing an input mask resets it).
    void LiftMaxLength();
    int Limit() const { return m_limit; }
    void SetLimit(int limit) { m_limit = std::max(0, limit); }
    /// Shows a stored value from code: it is accepted whatever its length.
    void ShowStored(const QString& text);
    /// The value shown from code is about to be `text` (for callers that set it themselves).
    void AllowStored(const QString& text) { m_before = int(text.size()); }

    State validate(QString& input, int& pos) const override;

private:
    QLineEdit& m_edit;
    int m_limit = 0;
    int m_before = 0;  // the text's length before the change being checked
};
