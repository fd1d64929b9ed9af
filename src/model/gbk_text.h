#pragma once
// Text as the laser text tools count it: GBK (code page 936) bytes, one byte
// below 128, two bytes for a character whose lead byte is 128 or above. The
// conversion uses iconv's CP936 whatever the locale, so widths and cuts do not
// change with the operator's language settings. A character the conversion
// cannot represent keeps its Unicode code point and counts as two bytes.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

/// Any thread. The GBK bytes of text; a character GBK cannot hold becomes "?".
QByteArray ToGbk(const QString& text);

/// One character of laser text. A character GBK cannot hold has no GBK bytes:
/// it is drawn from its Unicode code point and counts as two bytes.
struct TextCharacter {
    /// One or two GBK bytes; empty when GBK cannot hold the character.
    QByteArray gbk;
    char32_t unicode = 0;

    int Bytes() const { return gbk.isEmpty() ? 2 : static_cast<int>(gbk.size()); }
    bool operator==(const TextCharacter&) const = default;
};

/// Any thread. The characters of text in order, as many as fit in maxBytes
/// bytes (all when maxBytes is negative), never splitting a character.
std::vector<TextCharacter> TextCharacters(const QString& text, int maxBytes = -1);

/// Any thread. The Unicode code point of a character code: a code below 128
/// is itself; a double-byte code (lead byte * 256 + trail byte) goes through
/// CP936. 0 when the code names no character.
char32_t GbkCodeToUnicode(std::uint16_t code);
