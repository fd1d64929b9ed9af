#pragma once
// Every record's text of one field, held in memory one after another, so
// that Locate finds the first record whose text equals or starts with a key
// by comparing texts in memory instead of reading the records from the
// database page by page. Built once from the field's column and dropped
// when the records change (with the key maps). A case-insensitive index
// holds the texts case-folded code point by code point, as MatchesKey
// compares them. One thread at a time: the data set's, or the background
// reader's that fills it (see TSearchIndexReader).

#include <QString>
#include <QStringView>

#include <string>
#include <vector>

/// Whether `text` equals (or, `partial`, starts with) `key`; `folded`
/// compares without regard to case.
bool MatchesKey(QStringView text, QStringView key, bool partial, bool folded);

class TSearchIndex {
public:
    TSearchIndex(int fieldIndex, bool folded) : m_fieldIndex(fieldIndex), m_folded(folded) {}

    int FieldIndex() const { return m_fieldIndex; }
    bool Folded() const { return m_folded; }

    /// Appends the next record's text (records in order, from 0).
    void Add(QStringView text);
    /// Add for a text of ASCII characters only, as bytes.
    void AddAscii(const char* text, size_t size);
    /// Appends another index's records after these (same folding).
    void Append(const TSearchIndex& more);
    int Count() const { return int(m_starts.size()) - 1; }
    /// The first record whose text matches `key`; -1 when none.
    int First(QStringView key, bool partial) const;

private:
    int m_fieldIndex;
    bool m_folded;
    std::u16string m_texts;            // every record's text, one after another
    std::vector<size_t> m_starts{0};  // record r is m_texts[m_starts[r], m_starts[r + 1])
};
