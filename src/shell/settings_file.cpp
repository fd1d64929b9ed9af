#include "shell/settings_file.h"

#include "model/show_text.h"

#include <algorithm>
#include <charconv>

SettingsFile SettingsFile::FromBytes(const QByteArray& bytes)
{
    SettingsFile file;
    qsizetype pos = 0;
    QByteArrayView line;
    while (NextLine(bytes, pos, line))
        file.lines_.push_back(line.toByteArray());
    return file;
}

SettingsFile SettingsFile::Load(const QString& path)
{
    const FileBytes file = ReadFileBytes(path, kMaxFileBytes);
    if (file.read())
        return FromBytes(file.bytes);
    SettingsFile defaults;
    if (!file.missing())
        defaults.readFailure_ = file.reason.isEmpty() ? QStringLiteral("It cannot be read.") : file.reason;
    return defaults;
}

int SettingsFile::value(int index, int fallback) const
{
    const QByteArray text = line(index).trimmed();
    if (text.isEmpty())
        return fallback;
    const char* first = text.constData();
    const char* last = first + text.size();
    // One sign at most: from_chars takes a '-' itself, so a '+' may only precede a digit.
    if (*first == '+') {
        ++first;
        if (first == last || *first < '0' || *first > '9')
            return fallback;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last)
        return fallback;
    return number;
}

int SettingsFile::value(int index, int fallback, int min, int max) const
{
    return std::clamp(value(index, fallback), min, max);
}

int SettingsFile::value(const SettingSlot& slot) const
{
    return value(slot.line, slot.fallback, slot.min, slot.max);
}

void SettingsFile::setValue(int index, int number)
{
    setLine(index, QByteArray::number(number));
}

QByteArray SettingsFile::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return {};
    return lines_[static_cast<std::size_t>(index)];
}

void SettingsFile::setLine(int index, const QByteArray& bytes)
{
    if (index < 0)
        return;
    if (index >= lineCount())
        lines_.resize(static_cast<std::size_t>(index) + 1);
    // A stored line break would shift every later line when the file is read back.
    QByteArray clean = bytes;
    clean.replace('\r', ' ').replace('\n', ' ');
    lines_[static_cast<std::size_t>(index)] = clean;
}

QByteArray SettingsFile::toBytes() const
{
    QByteArray bytes;
    const int count = std::max(lineCount(), kLineCount);
    for (int i = 0; i < count; ++i) {
        bytes += line(i);
        bytes += "\r\n";
    }
    return bytes;
}

FileResult SettingsFile::save(const QString& path) const
{
    return SaveWholeFile(path, toBytes());
}
