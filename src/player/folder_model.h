#pragma once
// The folders of the disk from "/" down, as the folder trees show them. A
// folder's children are read when it is first shown and again whenever
// Refresh asks (the tree asks when the operator opens or chooses a folder),
// so folders made or removed meanwhile come and go. Nothing watches the disk
// and nothing runs in between: an idle tree costs nothing.
//
// Every listing runs on a thread of its own and reports back to the GUI
// thread, so a folder on a mount that does not answer holds only its own
// listing: the window goes on answering, and the folder shows as not yet read
// (its arrow, nothing under it) until the listing comes back.

#include <QAbstractItemModel>
#include <QIcon>

#include "player/off_thread_work.h"

#include <functional>
#include <memory>
#include <vector>

/// Any thread. The names of the folders in the folder at `path`, sorted as the tree shows them.
using FolderLister = std::function<QStringList(const QString& path)>;

/// The lister of the disk: subfolders without "." and "..", hidden ones left out.
QStringList ListSubfolders(const QString& path);

class FolderModel : public QAbstractItemModel {
    Q_OBJECT
public:
    /// GUI thread. One row at the top: "/". `lister` lists a folder (ListSubfolders when empty).
    explicit FolderModel(QObject* parent = nullptr, FolderLister lister = {});
    /// A listing still running is left to end on its own; its answer goes nowhere.
    ~FolderModel() override;

    /// The folder at the absolute `path` when it and its ancestors have been
    /// read; else invalid, and the first folder on the way not read yet (or
    /// not holding the next name) is read, to answer with directoryLoaded.
    QModelIndex index(const QString& path);
    using QAbstractItemModel::index;
    /// The absolute path of the folder at `index`.
    QString filePath(const QModelIndex& index) const;
    /// Reads the folder's children from the disk again (on a thread of its
    /// own): new folders are inserted, removed ones taken out, the others (and
    /// what is open below them) kept.
    void Refresh(const QModelIndex& index);
    /// Whether the folder's listing is running now.
    bool Reading(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    /// The children of the folder at `path` were read.
    void directoryLoaded(const QString& path);

private:
    struct Node {
        QString name;
        Node* parent = nullptr;  // not owned; null for the invisible top
        std::vector<std::unique_ptr<Node>> children;
        bool read = false;
        /// A listing is running.
        bool reading = false;
        /// Names the tree was led to (hidden or made since): kept while they are folders.
        QStringList wanted;
        /// A name was wanted while a listing ran: list once more when it answers.
        bool askAgain = false;
    };

    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(Node* node) const;
    static QString PathOf(const Node* node);
    static int RowOf(const Node* node);
    /// Starts the folder's listing unless one is running.
    void Read(Node* node);
    /// A listing's answer: the folder at `path`, when still there, gets `names` as its children.
    void Listed(const QString& path, const QStringList& names);
    /// The node of the folder at `path` among those read; null when there is none.
    Node* Find(const QString& path) const;

    Node m_top;
    QIcon m_folderIcon;
    FolderLister m_lister;
    /// Last member: gone first, so no answer reaches a model half gone.
    OffThreadWork m_listings{this};
};
