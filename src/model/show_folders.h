#pragma once
// The show folders beside the program ("Drawing", "Section", "ILDAimage",
// "Sequence", "Music") and the lookup of names stored in show files.
//
// Stored names come from files written on a system whose file names ignore
// case and use "\" between folders, and the Sequence window stores every name
// in lower case. A stored name is therefore looked up exactly first, then
// without regard to case, one folder level at a time. A name is only ever
// resolved inside its show folder: ".." makes it unresolvable, and a name
// holding a control character is refused before the disk is looked at.

#include "model/shared_drawings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <unordered_map>
#include <vector>

enum class ShowFolder { Drawing, Section, IldaImage, Sequence, Music };

class ShowFolders {
public:
    /// GUI thread (needs the application object). Rooted at the program's folder.
    ShowFolders();
    /// Rooted at root (a trailing separator is allowed). Implicit so that a
    /// caller holding the program folder can pass it where folders are expected.
    ShowFolders(const QString& root);  // NOLINT(google-explicit-constructor)

    /// The root folder, cleaned (no trailing separator unless it is "/").
    const QString& Root() const { return root_; }

    /// The on-disk name of a show folder ("ILDAimage" for ShowFolder::IldaImage).
    static QString FolderName(ShowFolder folder);

    /// Root + "/" + the folder's name.
    QString FolderPath(ShowFolder folder) const;

    /// The path a stored name stands for, as written ("\" read as "/"),
    /// without looking at the disk: where a new file of that name goes.
    QString PathFor(ShowFolder folder, const QString& storedName) const;

    /// Any thread. The regular file a stored name refers to: the exact path if
    /// it is a regular file, else a case-insensitive match inside the folder;
    /// nullopt when none exists, the name is empty, holds a control character
    /// or leaves the folder. Lists each folder it searches; a reader looking up
    /// many names uses one NameLookup instead.
    std::optional<QString> FindFile(ShowFolder folder, const QString& storedName) const;

private:
    QString root_;
};

/// Stored-name lookups for the length of one read (a section, a sequence and
/// its items): each folder searched without regard to case is listed once,
/// however many names are looked up in it, and then answers for that folder
/// from its listing: files added after it was listed are not found, and each
/// entry is looked at once, however many names differ from it in case. The
/// drawings the read names are read once each through Drawings().
class NameLookup {
public:
    explicit NameLookup(const ShowFolders& folders, std::uint64_t pointLimit = kMaxPointsPerRead,
                        std::uint64_t rowLimit = kMaxRowsPerRead)
        : folders_(folders)
        , drawings_(pointLimit, rowLimit)
    {
    }
    NameLookup(const NameLookup&) = delete;
    NameLookup& operator=(const NameLookup&) = delete;

    const ShowFolders& Folders() const { return folders_; }

    /// Any thread (one lookup per thread). As ShowFolders::FindFile.
    std::optional<QString> FindFile(ShowFolder folder, const QString& storedName);

    /// How many folders have been listed so far.
    int ListingCount() const { return int(listings_.size()); }
    /// How many times a listed entry's kind (file or folder) was looked up on disk.
    int EntryLookCount() const { return entryLooks_; }

    /// The drawings read so far in this read, shared by the rows and items naming them.
    SharedDrawingReads& Drawings() { return drawings_; }

private:
    /// What an entry is on disk, looked up at most once per lookup.
    enum class Kind : std::uint8_t { Unknown, File, Folder, Other };
    struct Entry {
        QString folded;  ///< the name case-folded, the search key
        QString name;
        Kind kind = Kind::Unknown;
        bool operator<(const Entry& other) const
        {
            return folded != other.folded ? folded < other.folded : name < other.name;
        }
    };
    // Entries of one folder, sorted by folded name.
    using Listing = std::vector<Entry>;
    std::optional<QString> MatchIgnoringCase(const QString& dir, const QString& part, bool wantDir);
    Listing& ListingOf(const QString& dir);

    const ShowFolders& folders_;
    std::unordered_map<QString, Listing> listings_;
    SharedDrawingReads drawings_;
    int entryLooks_ = 0;
};

/// Any thread. True only for an existing regular file (or a link to one);
/// directories and devices do not count as existing show files.
bool IsRegularFile(const QString& path);
