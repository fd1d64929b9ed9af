#include "platform/media_player_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

MediaPlayerLocation Located(QString path, QString name, MediaPlayerLocation::Source from)
{
    MediaPlayerLocation player;
    player.PlayerFolder = PlayerFolderOf(path);
    player.PlayerPath = std::move(path);
    player.PlayerName = std::move(name);
    player.From = from;
    return player;
}

// QStandardPaths searches PATH itself when given no folders: never let it.
QString FindOnPath(const QString& name, const QStringList& searchFolders)
{
    if (searchFolders.isEmpty() || name.isEmpty())
        return {};
    return QStandardPaths::findExecutable(name, searchFolders);
}

}  // namespace

QString PlayerFolderOf(const QString& playerPath)
{
    qsizetype cut = -1;
    for (QChar separator : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        cut = std::max(cut, playerPath.lastIndexOf(separator));
    return playerPath.left(cut + 1);
}

QStringList SearchPathFolders()
{
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << folder;
    return folders;
}

MediaPlayerLocation FindMediaPlayer(const RegistryStore& registry, const QStringList& searchFolders)
{
    const QString key = QString::fromLatin1(kMediaPlayerKey);
    if (registry.KeyExists(key)) {
        const QString path = registry.ReadString(key, QString::fromLatin1(kPlayerPathValue)).value_or(QString()).trimmed();
        const QString name = registry.ReadString(key, QString::fromLatin1(kPlayerNameValue)).value_or(QString()).trimmed();
        const QString program = path.isEmpty() ? FindOnPath(name, searchFolders) : path;
        const QString argv0 = name.isEmpty() ? program.mid(PlayerFolderOf(program).size()) : name;
        if (!program.isEmpty() && !argv0.isEmpty())
            return Located(program, argv0, MediaPlayerLocation::Source::Registry);
    }
    const QString name = QString::fromLatin1(kDefaultPlayerName);
    if (const QString path = FindOnPath(name, searchFolders); !path.isEmpty())
        return Located(path, name, MediaPlayerLocation::Source::SearchPath);
    return {};
}
