#include "platform/registry_store.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

// QSettings reads "\" in a section name as a group separator and ignores a
// trailing one, so the key's own spelling names the group.
QString GroupOf(const QString& key)
{
    QString group = key;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

bool Readable(const QSettings& settings)
{
    return settings.status() == QSettings::NoError;
}

}  // namespace

RegistryStore::RegistryStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

bool RegistryStore::KeyExists(const QString& key) const
{
    QSettings settings(iniPath_, QSettings::IniFormat);
    if (!Readable(settings))
        return false;
    settings.beginGroup(GroupOf(key));
    return !settings.childKeys().isEmpty();
}

std::optional<QString> RegistryStore::ReadString(const QString& key, const QString& value) const
{
    QSettings settings(iniPath_, QSettings::IniFormat);
    if (!Readable(settings))
        return std::nullopt;
    settings.beginGroup(GroupOf(key));
    if (!settings.childKeys().contains(value))
        return std::nullopt;
    const QVariant stored = settings.value(value);
    // An unquoted comma makes QSettings split the text; put it back together.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}
