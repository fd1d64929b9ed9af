#pragma once
// A list of the show files of one folder that match a mask ("*.ddr"), as the
// Play, Sequence and FILE windows show them: sorted ignoring case, masks
// matched ignoring case ("X.DDR" is a drawing), only regular files listed.
// Entries are addressed by their text; the selection follows names across a
// re-read. The Delete key deletes the selected file at once, without a
// question, and selects its neighbour.

#include "skin/list_box.h"

#include <QString>

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
    /// Changes the folder and re-reads; nothing is selected afterwards.
    void SetDirectory(const QString& directory);
    const QString& Mask() const { return m_mask; }
    /// The name filter ("*.ild"); takes effect at the next re-read.
    void SetMask(const QString& mask) { m_mask = mask; }

    /// Reads the folder again; nothing is selected afterwards.
    void Reread();
    /// Any thread. The entries a list of `mask` shows for `directory`, read from the disk.
    static QStringList ListFolder(const QString& directory, const QString& mask);
    /// Shows `names` (a ListFolder result) as the entries of `directory`, reading
    /// nothing; nothing is selected afterwards.
    void ShowListing(const QString& directory, const QStringList& names);
    /// How a window that lists this list's folder off the GUI thread reads it
    /// (ListFolder unless replaced; tests stand in for a mount that hangs).
    using Lister = std::function<QStringList(const QString& directory, const QString& mask)>;
    const Lister& FolderLister() const { return m_lister; }
    void SetFolderLister(Lister lister) { m_lister = lister ? std::move(lister) : Lister(ListFolder); }
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
    QString m_directory;
    QString m_mask;
    Lister m_lister = ListFolder;
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
