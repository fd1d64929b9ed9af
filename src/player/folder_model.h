#pragma once
// The folders of the disk from "/" down, as the folder trees show them. A
// folder's children are read when it is first shown and again whenever
// Refresh asks (the tree asks when the operator opens or chooses a folder),
// so folders made or removed meanwhile come and go. Nothing watches the disk
// and nothing runs in between: an idle tree costs nothing.

#include <QAbstractItemModel>
#include <QIcon>

#include <memory>
#include <vector>

class FolderModel : public QAbstractItemModel {
    Q_OBJECT
public:
    /// GUI thread. One row at the top: "/".
    explicit FolderModel(QObject* parent = nullptr);
    ~FolderModel() override;

    /// The folder at the absolute `path`, reading the ancestors not read yet;
    /// invalid when it is no folder on the disk.
    QModelIndex index(const QString& path);
    using QAbstractItemModel::index;
    /// The absolute path of the folder at `index`.
    QString filePath(const QModelIndex& index) const;
    /// Reads the folder's children from the disk again: new folders are
    /// inserted, removed ones taken out, the others (and what is open below
    /// them) kept.
    void Refresh(const QModelIndex& index);

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
    };

    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(Node* node) const;
    static QString PathOf(const Node* node);
    static int RowOf(const Node* node);
    void Read(Node* node);
    /// The child of `node` named `name`, inserted when it is a folder on the
    /// disk the listing left out (a hidden folder on a revealed path).
    Node* Child(Node* node, const QString& name);

    Node m_top;
    QIcon m_folderIcon;
};
