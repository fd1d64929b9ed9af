#include "model/show_text.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

bool NextLine(QByteArrayView text, qsizetype& pos, QByteArrayView& line)
{
    if (pos >= text.size())
        return false;
    const char* const begin = text.data() + pos;
    const char* const end = text.data() + text.size();
    const char* p = begin;
    while (p != end && *p != '\n' && *p != '\r')
        ++p;
    line = QByteArrayView(begin, p - begin);
    if (p != end) {
        if (*p == '\r' && p + 1 != end && p[1] == '\n')
            ++p;
        ++p;
    }
    pos = p - text.data();
    return true;
}

qsizetype CountLines(QByteArrayView text)
{
    qsizetype count = 0;
    qsizetype pos = 0;
    QByteArrayView line;
    while (NextLine(text, pos, line))
        ++count;
    return count;
}

namespace {

// GBK through iconv, which does not depend on the locale, straight into
// UTF-16: each character of code page 936 is one or two bytes and one UTF-16
// unit, so the text never needs more units than the bytes. A byte that does
// not start a valid character becomes U+FFFD and decoding goes on after it.
QString DecodeGbk(QByteArrayView bytes)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    // Two spare units: iconv may want room for a whole character at the end.
    QString out(bytes.size() + 2, Qt::Uninitialized);
    char* const start = reinterpret_cast<char*>(out.data());
    char* dst = start;
    std::size_t dstLeft = std::size_t(out.size()) * 2;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = std::size_t(bytes.size());
    while (inLeft > 0) {
        const std::size_t done = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        if (done != std::size_t(-1) || errno == E2BIG || dstLeft < 2)
            break;
        // EILSEQ or EINVAL (a character cut off at the end): skip one byte.
        const char16_t replacement = 0xFFFD;
        std::memcpy(dst, &replacement, 2);
        dst += 2;
        dstLeft -= 2;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(qsizetype(dst - start) / 2);
    return out;
}

}  // namespace

QString DecodeShowText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    return DecodeGbk(bytes);
}

FileResult ReadShowText(const QString& path, QByteArray& bytes)
{
    FileBytes file = ReadFileBytes(path, kMaxShowTextBytes);
    if (!file.read())
        return CannotOpen(path, file);
    if (file.bytes.startsWith("\xef\xbb\xbf"))
        file.bytes.remove(0, 3);
    bytes = std::move(file.bytes);
    return FileResult::Success();
}

FileResult SaveTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes.append(line.toUtf8()).append("\r\n");
    return SaveWholeFile(path, bytes);
}

std::optional<std::int32_t> ParseInt32(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) {
        negative = t.at(i) == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    // Accumulate as a magnitude in 64 bits; 11 digits of int32 never overflow it
    // because we stop as soon as the magnitude passes the int32 range.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

QString ElidedForMessage(QStringView text)
{
    if (text.size() <= kQuotedTextLength)
        return text.toString();
    const QLatin1String dots("...");
    qsizetype head = (kQuotedTextLength - dots.size()) * 2 / 3;
    qsizetype tail = kQuotedTextLength - dots.size() - head;
    // Keep surrogate pairs whole on both sides of the cut.
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(head).toString() + dots + text.right(tail).toString();
}

QString NotAnIntegerMessage(QStringView text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(ElidedForMessage(text));
}
