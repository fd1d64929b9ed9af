#pragma once
// A field's edit mask ("mask;save;blank", see TField::EditMask) turned into
// the line edit's input mask, and the value an edit holding it stores.

#include <QString>

#include <vector>

struct ParsedEditMask {
    /// For QLineEdit::setInputMask (empty: no mask).
    QString inputMask;
    /// False: the stored value leaves the literal characters out.
    bool saveLiterals = true;
    QChar blank = QLatin1Char('_');
    /// Per position of the shown text: a literal (true) or a typed character.
    std::vector<bool> literalAt;

    /// Parses a field's mask; an empty mask gives an empty parsed.
    static ParsedEditMask Parse(const QString& mask);

    /// Nothing typed at any input position of the shown text.
    bool IsBlank(const QString& shown) const;
    /// The value to store for the shown text (blank positions left out).
    QString StoredText(const QString& shown) const;
};
