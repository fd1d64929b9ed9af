#include "player/folder_model.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

QStringList ListSubfolders(const QString& path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}

FolderModel::FolderModel(QObject* parent, FolderLister lister)
    : QAbstractItemModel(parent)
    , m_folderIcon(QFileIconProvider().icon(QAbstractFileIconProvider::Folder))
    , m_lister(lister ? std::move(lister) : FolderLister(ListSubfolders))
{
    auto slash = std::make_unique<Node>();
    slash->name = QStringLiteral("/");
    slash->parent = &m_top;
    m_top.children.push_back(std::move(slash));
    m_top.read = true;
}

// A listing held by a mount that never answers is not waited for.
FolderModel::~FolderModel() = default;

FolderModel::Node* FolderModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : const_cast<Node*>(&m_top);
}

int FolderModel::RowOf(const Node* node)
{
    const auto& siblings = node->parent->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(), [node](const auto& n) { return n.get() == node; });
    return static_cast<int>(at - siblings.begin());
}

QModelIndex FolderModel::IndexOf(Node* node) const
{
    if (node == &m_top)
        return {};
    return createIndex(RowOf(node), 0, node);
}

QString FolderModel::PathOf(const Node* node)
{
    if (!node->parent || !node->parent->parent)
        return node->name;  // "/" (or the invisible top's empty name)
    const QString above = PathOf(node->parent);
    return above.endsWith('/') ? above + node->name : above + '/' + node->name;
}

QModelIndex FolderModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex FolderModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    return IndexOf(NodeOf(child)->parent);
}

int FolderModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(NodeOf(parent)->children.size());
}

int FolderModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return NodeOf(index)->name;
    if (role == Qt::DecorationRole)
        return m_folderIcon;
    if (role == Qt::ToolTipRole && NodeOf(index)->reading && !NodeOf(index)->read)
        return QStringLiteral("Not read yet: the folder has not answered.");
    return {};
}

// An unread folder offers its arrow; reading it shows whether it has children.
bool FolderModel::hasChildren(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    return !node->read || !node->children.empty();
}

bool FolderModel::canFetchMore(const QModelIndex& parent) const
{
    return !NodeOf(parent)->read;
}

void FolderModel::fetchMore(const QModelIndex& parent)
{
    Node* node = NodeOf(parent);
    if (!node->read)
        Read(node);
}

void FolderModel::Refresh(const QModelIndex& index)
{
    if (index.isValid())
        Read(NodeOf(index));
}

bool FolderModel::Reading(const QModelIndex& index) const
{
    return index.isValid() && NodeOf(index)->reading;
}

void FolderModel::Read(Node* node)
{
    if (node->reading)
        return;
    node->reading = true;
    const QString path = PathOf(node);
    // Hidden folders the tree was led into stay while they are there.
    QStringList keep = node->wanted;
    for (const auto& child : node->children)
        if (child->name.startsWith('.') && !keep.contains(child->name))
            keep << child->name;
    const auto list = [lister = m_lister, path, keep] {
        QStringList names = lister(path);
        for (const QString& name : keep)
            if (!names.contains(name) && QFileInfo(QDir(path).filePath(name)).isDir())
                names.append(name);
        return names;
    };
    try {
        m_listings.Run<QStringList>(list, [this, path](const QStringList& names) { Listed(path, names); });
    } catch (...) {
        node->reading = false;  // no thread to be had: the next look tries again
        throw;
    }
}

FolderModel::Node* FolderModel::Find(const QString& path) const
{
    const Node* node = m_top.children.front().get();
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        const auto at = std::find_if(node->children.begin(), node->children.end(),
                                     [&](const auto& n) { return n->name == part; });
        if (at == node->children.end())
            return nullptr;
        node = at->get();
    }
    return const_cast<Node*>(node);
}

void FolderModel::Listed(const QString& path, const QStringList& names)
{
    Node* node = Find(path);
    if (!node)
        return;  // gone from the tree meanwhile
    node->reading = false;
    node->read = true;
    if (node->askAgain) {
        node->askAgain = false;
        Read(node);
    }
    const QModelIndex parent = IndexOf(node);
    auto& children = node->children;
    const auto make = [node](const QString& name) {
        auto added = std::make_unique<Node>();
        added->name = name;
        added->parent = node;
        return added;
    };
    if (children.empty()) {
        // A first read: every row at once (a folder may hold thousands).
        if (!names.isEmpty()) {
            beginInsertRows(parent, 0, int(names.size()) - 1);
            for (const QString& name : names)
                children.push_back(make(name));
            endInsertRows();
        }
        emit directoryLoaded(path);
        return;
    }
    const QSet<QString> present(names.begin(), names.end());
    for (int row = static_cast<int>(children.size()) - 1; row >= 0; --row) {
        if (present.contains(children[static_cast<std::size_t>(row)]->name))
            continue;
        beginRemoveRows(parent, row, row);
        children.erase(children.begin() + row);
        endRemoveRows();
    }
    // The kept children in the listing's order, the new ones inserted in place.
    for (int row = 0; row < names.size(); ++row) {
        const auto at = static_cast<std::size_t>(row);
        if (at < children.size() && children[at]->name == names[row])
            continue;
        const auto found = std::find_if(children.begin() + row, children.end(),
                                        [&](const auto& n) { return n->name == names[row]; });
        if (found != children.end()) {
            const int from = static_cast<int>(found - children.begin());
            beginMoveRows(parent, from, from, parent, row);
            std::rotate(children.begin() + row, found, found + 1);
            endMoveRows();
            continue;
        }
        beginInsertRows(parent, row, row);
        children.insert(children.begin() + row, make(names[row]));
        endInsertRows();
    }
    emit directoryLoaded(path);
}

QModelIndex FolderModel::index(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    if (!clean.startsWith('/'))
        return {};
    Node* node = m_top.children.front().get();
    for (const QString& part : clean.split('/', Qt::SkipEmptyParts)) {
        const auto at = std::find_if(node->children.begin(), node->children.end(),
                                     [&](const auto& n) { return n->name == part; });
        if (at != node->children.end()) {
            node = at->get();
            continue;
        }
        // Not read yet, or read before the folder was made, or hidden: the
        // listing looks for it once; a name it did not find is not asked again.
        if (!node->wanted.contains(part)) {
            node->wanted << part;
            // A listing already running did not look for it: the next one will.
            node->askAgain = node->reading;
            Read(node);
        } else if (!node->read) {
            Read(node);
        }
        return {};
    }
    return IndexOf(node);
}

QString FolderModel::filePath(const QModelIndex& index) const
{
    return index.isValid() ? PathOf(NodeOf(index)) : QString();
}
