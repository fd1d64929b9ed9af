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

}  // namespace

QByteArray ToGbk(const QString& text)
{
    Converter cd("CP936", "UTF-32LE");
    QByteArray out;
    for (const uint cp : text.toUcs4()) {
        if (cp < 0x80) {
            out.append(static_cast<char>(cp));
            continue;
        }
        char buf[8];
        std::size_t written = 0;
        const char32_t in[1] = {static_cast<char32_t>(cp)};
        // A one-byte result above 127 (the euro sign becomes 0x80) would be
        // read back as the lead byte of a pair, so it counts as unconvertible.
        if (cd.Ok() && cd.Convert(reinterpret_cast<const char*>(in), sizeof in, buf, sizeof buf, written)
            && written == 2 && static_cast<unsigned char>(buf[0]) >= 0x80)
            out.append(buf, 2);
        else
            out.append('?');
    }
    return out;
}

std::vector<QByteArray> GbkCharacters(const QByteArray& bytes)
{
    std::vector<QByteArray> chars;
    for (qsizetype k = 0; k < bytes.size();) {
        if (static_cast<unsigned char>(bytes[k]) < 0x80) {
            chars.push_back(bytes.mid(k, 1));
            ++k;
        } else {
            if (k + 1 >= bytes.size())
                break;
            chars.push_back(bytes.mid(k, 2));
            k += 2;
        }
    }
    return chars;
}

QByteArray CutGbk(const QByteArray& bytes, int maxBytes)
{
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype width = static_cast<unsigned char>(bytes[end]) < 0x80 ? 1 : 2;
        if (end + width > maxBytes || end + width > bytes.size())
            break;
        end += width;
    }
    return bytes.left(end);
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
