#include "platform/registry_store.h"

#include "model/file_io.h"

#include <QStringList>

namespace {

// A key's spelling with "\" or "/" between its parts, with or without the trailing separator.
QString KeyName(QString key)
{
    key = key.trimmed();
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return key;
}

// The value as written: the rest of the line, blanks around it and one pair of surrounding quotes removed.
QString ValueText(QStringView rest)
{
    QStringView value = rest.trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value.toString();
}

struct Entry {
    QString name;
    QString value;
};

// The entries of the key's section(s), in file order; nullopt when the file cannot be read.
std::optional<std::vector<Entry>> EntriesOf(const QString& iniPath, const QString& key)
{
    // A regular file of bounded size only: a pipe or a device would hold start-up.
    const FileBytes file = ReadFileBytes(iniPath, kMaxRegistryFileBytes);
    if (!file.read())
        return std::nullopt;
    QString text = QString::fromUtf8(file.bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString wanted = KeyName(key);
    std::vector<Entry> entries;
    bool inKey = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();  // also the CR of a CR LF line end
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inKey = KeyName(line.mid(1, line.size() - 2).toString()).compare(wanted, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inKey || equals <= 0)
            continue;
        // The player's path and name reach the system whole or not at all: a NUL
        // would cut them short, so a value holding a control character is no value.
        QString value = ValueText(line.mid(equals + 1));
        if (HasControlCharacter(value))
            continue;
        entries.push_back({line.left(equals).trimmed().toString(), std::move(value)});
    }
    return entries;
}

}  // namespace

RegistryStore::RegistryStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

bool RegistryStore::KeyExists(const QString& key) const
{
    const auto entries = EntriesOf(iniPath_, key);
    return entries && !entries->empty();
}

std::optional<QString> RegistryStore::ReadString(const QString& key, const QString& value) const
{
    const auto entries = EntriesOf(iniPath_, key);
    if (!entries)
        return std::nullopt;
    // Value names are matched as the registry matches them, without regard to case; the last one written counts.
    std::optional<QString> found;
    for (const Entry& e : *entries)
        if (e.name.compare(value, Qt::CaseInsensitive) == 0)
            found = e.value;
    return found;
}
