#include "model/show_folders.h"

#include "model/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include <dirent.h>

namespace {

// Longer than any path the system resolves: such a name names no file, and is
// not copied about to find that out.
constexpr qsizetype kMaxStoredNameLength = 4096;

QString CleanRoot(const QString& root)
{
    if (root.isEmpty())
        return QString();
    // cleanPath drops a trailing separator, except for the file system root.
    return QDir::cleanPath(QDir::fromNativeSeparators(root));
}

QString Join(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The stored name as folder components. Empty and "." components are
// dropped (a leading or doubled "\" means nothing in a stored name);
// nullopt when a component climbs out with "..".
std::optional<QStringList> NameComponents(const QString& storedName)
{
    QString name = storedName;
    name.replace(u'\\', u'/');
    QStringList parts;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QStringLiteral("."))
            continue;
        if (part == QStringLiteral(".."))
            return std::nullopt;
        parts.append(part);
    }
    return parts;
}

}  // namespace

bool IsRegularFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

ShowFolders::ShowFolders() : root_(CleanRoot(QCoreApplication::applicationDirPath())) {}

ShowFolders::ShowFolders(const QString& root) : root_(CleanRoot(root)) {}

QString ShowFolders::FolderName(ShowFolder folder)
{
    switch (folder) {
    case ShowFolder::Drawing:
        return QStringLiteral("Drawing");
    case ShowFolder::Section:
        return QStringLiteral("Section");
    case ShowFolder::IldaImage:
        return QStringLiteral("ILDAimage");
    case ShowFolder::Sequence:
        return QStringLiteral("Sequence");
    case ShowFolder::Music:
        return QStringLiteral("Music");
    }
    return QString();
}

QString ShowFolders::FolderPath(ShowFolder folder) const
{
    return Join(root_, FolderName(folder));
}

QString ShowFolders::PathFor(ShowFolder folder, const QString& storedName) const
{
    QString name = storedName;
    name.replace(u'\\', u'/');
    return FolderPath(folder) + u'/' + name;
}

std::optional<QString> ShowFolders::FindFile(ShowFolder folder, const QString& storedName) const
{
    NameLookup lookup(*this);
    return lookup.FindFile(folder, storedName);
}

std::optional<QString> NameLookup::FindFile(ShowFolder folder, const QString& storedName)
{
    // Refused before any file-system call: the platform would only warn about
    // such a path on every lookup, and no show file is named so.
    if (HasControlCharacter(storedName) || storedName.size() > kMaxStoredNameLength)
        return std::nullopt;
    const std::optional<QStringList> parts = NameComponents(storedName);
    if (!parts || parts->isEmpty())
        return std::nullopt;

    const QString base = folders_.FolderPath(folder);
    // Until the folder has been listed, the exact name costs one look.
    // Afterwards the listing answers: a name missing in its exact case
    // would otherwise cost a failed search of a large folder on every row.
    if (listings_.find(base) == listings_.end()) {
        const QString exact = Join(base, parts->join(u'/'));
        if (IsRegularFile(exact))
            return exact;
    }

    // One level at a time: only the levels whose exact name is missing are
    // searched, so a name differing in case in one folder still resolves.
    QString dir = base;
    if (!QFileInfo(dir).isDir()) {
        const std::optional<QString> match =
            MatchIgnoringCase(folders_.Root(), ShowFolders::FolderName(folder), true);
        if (!match)
            return std::nullopt;
        dir = *match;
    }
    for (qsizetype i = 0; i < parts->size(); ++i) {
        const bool last = i + 1 == parts->size();
        if (listings_.find(dir) == listings_.end()) {
            const QString candidate = Join(dir, parts->at(i));
            const QFileInfo info(candidate);
            if (last ? info.isFile() : info.isDir()) {
                dir = candidate;
                continue;
            }
        }
        const std::optional<QString> match = MatchIgnoringCase(dir, parts->at(i), !last);
        if (!match)
            return std::nullopt;
        dir = *match;
    }
    return dir;
}

NameLookup::Listing& NameLookup::ListingOf(const QString& dir)
{
    const auto found = listings_.find(dir);
    if (found != listings_.end())
        return found->second;
    // The names alone, as the directory gives them: no per-entry file
    // information and no locale-aware sorting, which would cost more than
    // the rest of a section read together.
    Listing listing;
    const QByteArray folder = QFile::encodeName(dir.isEmpty() ? QStringLiteral(".") : dir);
    if (DIR* stream = opendir(folder.constData())) {
        while (const dirent* entry = readdir(stream)) {
            const char* raw = entry->d_name;
            if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
                continue;
            const QString name = QFile::decodeName(raw);
            // The listing tells regular files and folders apart on most file
            // systems; links and the rest are looked at when first asked for.
            const Kind kind = entry->d_type == DT_REG ? Kind::File
                              : entry->d_type == DT_DIR ? Kind::Folder
                                                        : Kind::Unknown;
            listing.push_back({name.toCaseFolded(), name, kind});
        }
        closedir(stream);
    }
    // By folded name, then by name, so that a choice between "A.ddr" and
    // "a.DDR" is stable.
    std::sort(listing.begin(), listing.end());
    return listings_.emplace(dir, std::move(listing)).first->second;
}

// The entry of dir named like part, the exact name first and then ignoring
// case, that is a folder (wantDir) or a regular file.
std::optional<QString> NameLookup::MatchIgnoringCase(const QString& dir, const QString& part, bool wantDir)
{
    Listing& listing = ListingOf(dir);
    const QString key = part.toCaseFolded();
    const auto first = std::lower_bound(listing.begin(), listing.end(), key,
                                        [](const Entry& entry, const QString& k) { return entry.folded < k; });
    auto last = first;
    while (last != listing.end() && last->folded == key)
        ++last;
    // Each entry's kind is kept in the listing: many case variants of a name
    // that is looked up on many rows are looked at on disk once each.
    auto fits = [&](Entry& entry) -> std::optional<QString> {
        const QString path = Join(dir, entry.name);
        if (entry.kind == Kind::Unknown) {
            ++entryLooks_;
            const QFileInfo info(path);
            entry.kind = info.isFile() ? Kind::File : info.isDir() ? Kind::Folder : Kind::Other;
        }
        if (entry.kind == (wantDir ? Kind::Folder : Kind::File))
            return path;
        return std::nullopt;
    };
    for (auto it = first; it != last; ++it) {
        if (it->name == part) {
            if (std::optional<QString> path = fits(*it))
                return path;
        }
    }
    for (auto it = first; it != last; ++it) {
        if (it->name != part) {
            if (std::optional<QString> path = fits(*it))
                return path;
        }
    }
    return std::nullopt;
}
