#include "skin/data_aware/edit_mask.h"

#include <QStringList>

namespace {

// Characters the line edit reads as mask commands: a literal one is escaped.
bool IsInputMaskCommand(QChar c)
{
    return QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}").contains(c);
}

}  // namespace

ParsedEditMask ParsedEditMask::Parse(const QString& mask)
{
    ParsedEditMask parsed;
    if (mask.isEmpty())
        return parsed;
    // Split off the save flag and the blank character at unescaped separators.
    QStringList parts{QString()};
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('\\') && i + 1 < mask.size()) {
            parts.back() += mask[i];
            parts.back() += mask[++i];
        } else if (mask[i] == QLatin1Char(';') && parts.size() < 3) {
            parts.append(QString());
        } else {
            parts.back() += mask[i];
        }
    }
    if (parts.size() > 1)
        parsed.saveLiterals = parts[1].trimmed() != QLatin1String("0");
    if (parts.size() > 2 && !parts[2].isEmpty())
        parsed.blank = parts[2][0];

    const QString& m = parts[0];
    QString out;
    auto literal = [&](QChar c) {
        if (IsInputMaskCommand(c))
            out += QLatin1Char('\\');
        out += c;
        parsed.literalAt.push_back(true);
    };
    auto input = [&](char qtCommand) {
        out += QLatin1Char(qtCommand);
        parsed.literalAt.push_back(false);
    };
    for (qsizetype i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < m.size())
                literal(m[++i]);
            break;
        case '!': break;  // trimming of leading blanks: the stored value drops blanks anyway
        case '<':
            if (i + 1 < m.size() && m[i + 1] == QLatin1Char('>')) {
                out += QLatin1Char('!');
                ++i;
            } else {
                out += QLatin1Char('<');
            }
            break;
        case '>': out += QLatin1Char('>'); break;
        case 'L': input('A'); break;
        case 'l': input('a'); break;
        case 'A': input('N'); break;
        case 'a': input('n'); break;
        case 'C': input('X'); break;
        case 'c': input('x'); break;
        case '0': input('9'); break;
        case '9': input('0'); break;
        case '#': input('#'); break;
        case '_': literal(QLatin1Char(' ')); break;
        default: literal(c); break;
        }
    }
    parsed.inputMask = out + QLatin1Char(';') + parsed.blank;
    return parsed;
}

bool ParsedEditMask::IsBlank(const QString& shown) const
{
    for (size_t i = 0; i < literalAt.size() && qsizetype(i) < shown.size(); ++i)
        if (!literalAt[i] && shown[qsizetype(i)] != blank)
            return false;
    return true;
}

QString ParsedEditMask::StoredText(const QString& shown) const
{
    QString out;
    for (size_t i = 0; i < literalAt.size() && qsizetype(i) < shown.size(); ++i) {
        const QChar c = shown[qsizetype(i)];
        if (literalAt[i] ? saveLiterals : c != blank)
            out += c;
    }
    return out;
}
