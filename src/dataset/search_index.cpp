#include "dataset/search_index.h"

namespace {

/// Appends `text` case-folded one code point at a time, so that the result
/// keeps the code points in step with the text (no expansion such as "ss").
void AppendFolded(std::u16string& out, QStringView text)
{
    // Most texts are ASCII: folded in place, one character for one.
    const size_t base = out.size();
    out.resize(base + size_t(text.size()));
    char16_t* const to = out.data() + base;
    qsizetype ascii = 0;
    for (; ascii < text.size(); ++ascii) {
        const char16_t c = text[ascii].unicode();
        if (c >= 0x80)
            break;
        to[ascii] = c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    }
    out.resize(base + size_t(ascii));
    for (qsizetype i = ascii; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {  // most texts are ASCII: no table look-up
            out += char16_t(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        c = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(c)) {
            out += QChar::highSurrogate(c);
            out += QChar::lowSurrogate(c);
        } else {
            out += char16_t(c);
        }
    }
}

std::u16string FoldedText(QStringView text)
{
    std::u16string out;
    out.reserve(size_t(text.size()));
    AppendFolded(out, text);
    return out;
}

}  // namespace

bool MatchesKey(QStringView text, QStringView key, bool partial, bool folded)
{
    if (folded)
        return MatchesKey(QStringView(FoldedText(text)), QStringView(FoldedText(key)), partial, false);
    return partial ? text.startsWith(key) : text == key;
}

void TSearchIndex::Add(QStringView text)
{
    if (m_folded)
        AppendFolded(m_texts, text);
    else
        m_texts.append(text.utf16(), size_t(text.size()));
    m_starts.push_back(m_texts.size());
}

void TSearchIndex::AddAscii(const char* text, size_t size)
{
    const size_t base = m_texts.size();
    m_texts.resize(base + size);
    char16_t* const to = m_texts.data() + base;
    for (size_t i = 0; i < size; ++i) {
        const auto c = char16_t(static_cast<unsigned char>(text[i]));
        to[i] = m_folded && c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    }
    m_starts.push_back(m_texts.size());
}

void TSearchIndex::Append(const TSearchIndex& more)
{
    const size_t base = m_texts.size();
    m_texts += more.m_texts;
    m_starts.reserve(m_starts.size() + more.m_starts.size() - 1);
    for (size_t r = 1; r < more.m_starts.size(); ++r)
        m_starts.push_back(base + more.m_starts[r]);
}

int TSearchIndex::First(QStringView key, bool partial) const
{
    const std::u16string foldedKey = m_folded ? FoldedText(key) : std::u16string();
    const QStringView k = m_folded ? QStringView(foldedKey) : key;
    for (size_t r = 0; r + 1 < m_starts.size(); ++r) {
        const QStringView text(m_texts.data() + m_starts[r], qsizetype(m_starts[r + 1] - m_starts[r]));
        if (partial ? text.startsWith(k) : text == k)
            return int(r);
    }
    return -1;
}
