#pragma once
// A list of the show files of one folder that match a mask ("*.ddr"), as the
// Play, Sequence and FILE windows show them: sorted ignoring case, masks
// matched ignoring case ("X.DDR" is a drawing), only regular files listed.
// Entries are addressed by their text; the selection follows names across a
// re-read. The Delete key deletes the selected file at once, without a
// question, and selects its neighbour.
//
// A list whose folder the operator chooses in a tree may stand on a mount that
// never answers: such a list is listed off the GUI thread (ListOffThread), and
// the window keeps answering while it waits.

#include "player/off_thread_work.h"
#include "skin/list_box.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class Dialogs;

class ShowFileList : public TskListBox {
    Q_OBJECT
public:
    /// GUI thread. Empty, no folder yet.
    explicit ShowFileList(QWidget* parent = nullptr);

    /// The folder shown (no trailing separator); the list is not re-read.
    const QString& Directory() const { return m_directory; }
    /// Changes the folder and re-reads on the GUI thread; nothing is selected
    /// afterwards. A listing asked for off the GUI thread is dropped.
    void SetDirectory(const QString& directory);
    const QString& Mask() const { return m_mask; }
    /// The name filter ("*.ild"); takes effect at the next re-read.
    void SetMask(const QString& mask) { m_mask = mask; }

    /// Reads the folder again on the GUI thread; nothing is selected afterwards.
    /// A listing asked for off the GUI thread is dropped.
    void Reread();
    /// Any thread. The entries a list of `mask` shows for `directory`, read from the disk.
    static QStringList ListFolder(const QString& directory, const QString& mask);
    /// How the listings off the GUI thread read a folder (ListFolder unless
    /// replaced; tests stand in for a mount that hangs).
    using Lister = std::function<QStringList(const QString& directory, const QString& mask)>;
    void SetFolderLister(Lister lister) { m_lister = lister ? std::move(lister) : Lister(ListFolder); }

    /// Whether the folder is listed off the GUI thread: then the Delete key
    /// takes the deleted entry out at once and lists the folder off the GUI
    /// thread, keeping the selection by name. Off unless set.
    void SetListedOffThread(bool offThread) { m_offThread = offThread; }
    /// What runs when a listing off the GUI thread is shown (nothing selected):
    /// `selectedBefore` is the entry selected before it; for another folder, the
    /// one selected before the first change of folder that was not yet listed.
    using Listed = std::function<void(const QString& selectedBefore)>;
    /// GUI thread. Lists `directory` on a thread of its own and returns at once.
    /// Until the listing comes, another folder shows empty (not yet read) and
    /// the same folder keeps its entries. Only the latest request is answered:
    /// a listing that comes after another folder was asked for changes nothing,
    /// and one that began before the latest request is taken again. One listing
    /// of a folder runs at a time, so a folder that never answers holds one
    /// thread however often it is asked for. Throws std::system_error when no
    /// thread can be had (nothing is then asked for).
    void ListOffThread(const QString& directory, Listed listed);
    /// RefreshKeepingSelection through ListOffThread: the name selected when the
    /// listing comes is selected again (else the first entry), then `listed` runs.
    void RefreshOffThread(std::function<void()> listed = {});
    /// Whether a listing off the GUI thread was asked for and not yet shown.
    bool ListingPending() const { return m_asked.has_value(); }
    /// Selects the first entry equal to text ignoring case; none when there is
    /// no such entry. Returns the index, or -1. Raises no OnClick.
    int SelectByText(const QString& text);
    /// The selected entry's text; empty without a selection.
    QString SelectedText() const;
    /// Directory + "/" + the selected entry's text (Directory + "/" without a selection).
    QString SelectedPath() const;
    /// Directory + "/" + name.
    QString PathOf(const QString& name) const;
    /// Selects the first entry when there is none, remembers the selected
    /// name, re-reads, and selects that name again, else the first entry.
    void RefreshKeepingSelection();

    /// What deleting the selected file did.
    enum class DeleteOutcome { Nothing, Deleted, DeletedLast, Failed };
    /// Deletes the selected file from the disk (when it is a regular file),
    /// re-reads and selects the neighbour: the next entry, or the previous one
    /// when the last was selected. A file that cannot be deleted stays listed
    /// and selected, and `failure` gets the reason. DeletedLast: the only entry went.
    DeleteOutcome DeleteSelectedFile(QString* failure = nullptr);

signals:
    /// The Delete key deleted (or failed to delete) the selected file.
    void FileDeleteAttempted(ShowFileList::DeleteOutcome outcome, const QString& failure);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The listing off the GUI thread asked for last.
    struct Request {
        QString directory;
        Listed listed;
        std::uint64_t serial = 0;
        bool emptied = false;    ///< its folder shows empty, not yet read
        QString selectedBefore;  ///< the selection before the entries went
    };
    void StartListing(const QString& directory);
    /// After a delete: lists the folder again and selects `selected` (none when empty).
    void RereadAfterDelete(const QString& selected);
    void FolderListed(const QString& directory, std::uint64_t serial, const QStringList& names);

    QString m_directory;
    QString m_mask;
    Lister m_lister = ListFolder;
    bool m_offThread = false;
    std::optional<Request> m_asked;
    std::uint64_t m_serial = 0;
    /// Folders with a listing running.
    QSet<QString> m_running;
    /// Last member: gone first, so no listing answers a list half gone.
    OffThreadWork m_listings{this};
};

/// The texts of a window's Find command for one list.
struct FindTexts {
    QString caption;   ///< the input box's caption ("Find drawing")
    QString prompt;    ///< its prompt ("drawing name")
    QString initial;   ///< the name it offers ("drawing1")
    QString extension; ///< appended unless the answer ends with it exactly (".ddr")
    QString notFound;  ///< the status text of a miss
};

/// The name Find looks for: nullopt for a blank answer; otherwise the answer
/// as typed, with the extension appended unless it already ends with it
/// (compared with case).
std::optional<QString> FindName(const QString& answer, const QString& extension);

/// What Find did.
enum class FindOutcome { Cancelled, Found, NotFound };

/// GUI thread. Asks for a name through dialogs and selects it in list;
/// a miss leaves the selection as it was. Cancel and a blank answer do nothing.
FindOutcome FindInList(ShowFileList& list, Dialogs& dialogs, const FindTexts& texts);
