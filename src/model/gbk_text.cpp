#include "model/gbk_text.h"

#include <QList>

#include <iconv.h>

#include <cerrno>

namespace {

// One iconv conversion descriptor for the length of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    /// Converts the whole input; false when any of it cannot be converted.
    bool Convert(const char* in, std::size_t inSize, char* out, std::size_t outCapacity, std::size_t& written)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // initial shift state
        char* src = const_cast<char*>(in);
        char* dst = out;
        std::size_t inLeft = inSize;
        std::size_t outLeft = outCapacity;
        const std::size_t r = iconv(m_cd, &src, &inLeft, &dst, &outLeft);
        written = outCapacity - outLeft;
        return r != static_cast<std::size_t>(-1) && inLeft == 0;
    }

private:
    iconv_t m_cd;
};

// The GBK bytes of one code point: one byte below 128, else a lead byte of 128
// or above and a second byte; empty when the conversion cannot give that. (A
// one-byte result above 127, as some tables give the euro sign 0x80, would be
// read back as the lead byte of a pair.)
QByteArray GbkOf(Converter& cd, char32_t cp)
{
    if (cp < 0x80)
        return QByteArray(1, static_cast<char>(cp));
    char buf[8];
    std::size_t written = 0;
    const char32_t in[1] = {cp};
    if (cd.Ok() && cd.Convert(reinterpret_cast<const char*>(in), sizeof in, buf, sizeof buf, written)
        && written == 2 && static_cast<unsigned char>(buf[0]) >= 0x80)
        return QByteArray(buf, 2);
    return {};
}

}  // namespace

QByteArray ToGbk(const QString& text)
{
    Converter cd("CP936", "UTF-32LE");
    QByteArray out;
    for (const uint cp : text.toUcs4()) {
        const QByteArray gbk = GbkOf(cd, static_cast<char32_t>(cp));
        out.append(gbk.isEmpty() ? QByteArray("?") : gbk);
    }
    return out;
}

std::vector<TextCharacter> TextCharacters(const QString& text, int maxBytes)
{
    Converter cd("CP936", "UTF-32LE");
    std::vector<TextCharacter> chars;
    int bytes = 0;
    for (const uint cp : text.toUcs4()) {
        TextCharacter c{GbkOf(cd, static_cast<char32_t>(cp)), static_cast<char32_t>(cp)};
        if (maxBytes >= 0 && bytes + c.Bytes() > maxBytes)
            break;
        bytes += c.Bytes();
        chars.push_back(std::move(c));
    }
    return chars;
}

char32_t GbkCodeToUnicode(std::uint16_t code)
{
    if (code < 0x80)
        return code;
    if (code < 0x100)
        return 0;
    Converter cd("UTF-32LE", "CP936");
    if (!cd.Ok())
        return 0;
    const char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    unsigned char out[8] = {};
    std::size_t written = 0;
    if (!cd.Convert(in, sizeof in, reinterpret_cast<char*>(out), sizeof out, written) || written != 4)
        return 0;
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24));
}
