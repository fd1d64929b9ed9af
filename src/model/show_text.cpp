#include "model/show_text.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <string>

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            ++i;
            if (c == u'\r' && i < n && text.at(i) == u'\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

namespace {

// GBK through iconv, which does not depend on the locale. A byte that does not
// start a valid character becomes U+FFFD and decoding goes on after it.
QString DecodeGbk(const QByteArray& bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string out;
    out.reserve(std::size_t(bytes.size()) * 2);
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = std::size_t(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, std::size_t(dst - buffer));
        if (done != std::size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a character cut off at the end): skip one byte.
        out.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

}  // namespace

QString DecodeShowText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeGbk(bytes);
}

FileResult ReadTextLines(const QString& path, QStringList& lines)
{
    const FileBytes file = ReadFileBytes(path);
    if (!file.read())
        return CannotOpen(path, file);
    lines = SplitLines(DecodeShowText(file.bytes));
    return FileResult::Success();
}

FileResult SaveTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes.append(line.toUtf8()).append("\r\n");
    return SaveWholeFile(path, bytes);
}

std::optional<std::int32_t> ParseInt32(const QString& text)
{
    const QString t = text.trimmed();
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

QString ElidedForMessage(const QString& text)
{
    if (text.size() <= kQuotedTextLength)
        return text;
    const QLatin1String dots("...");
    qsizetype head = (kQuotedTextLength - dots.size()) * 2 / 3;
    qsizetype tail = kQuotedTextLength - dots.size() - head;
    // Keep surrogate pairs whole on both sides of the cut.
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(head) + dots + text.right(tail);
}

QString NotAnIntegerMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(ElidedForMessage(text));
}
