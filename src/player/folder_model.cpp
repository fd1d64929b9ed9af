#include "player/folder_model.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

QStringList ListFolders(const QString& path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}

}  // namespace

FolderModel::FolderModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_folderIcon(QFileIconProvider().icon(QAbstractFileIconProvider::Folder))
{
    auto slash = std::make_unique<Node>();
    slash->name = QStringLiteral("/");
    slash->parent = &m_top;
    m_top.children.push_back(std::move(slash));
    m_top.read = true;
}

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

void FolderModel::Read(Node* node)
{
    const QString path = PathOf(node);
    QStringList names = ListFolders(path);
    // Hidden folders the tree was led into stay while they are there.
    for (const auto& child : node->children)
        if (child->name.startsWith('.') && !names.contains(child->name) &&
            QFileInfo(QDir(path).filePath(child->name)).isDir())
            names.append(child->name);
    node->read = true;
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

FolderModel::Node* FolderModel::Child(Node* node, const QString& name)
{
    const auto find = [&] {
        const auto at = std::find_if(node->children.begin(), node->children.end(),
                                     [&](const auto& n) { return n->name == name; });
        return at == node->children.end() ? nullptr : at->get();
    };
    const bool wasRead = node->read;
    if (!wasRead)
        Read(node);
    if (Node* found = find())
        return found;
    if (!QFileInfo(QDir(PathOf(node)).filePath(name)).isDir())
        return nullptr;
    if (wasRead)
        Read(node);  // made since it was read
    if (Node* found = find())
        return found;
    auto added = std::make_unique<Node>();
    added->name = name;
    added->parent = node;
    const int row = static_cast<int>(node->children.size());
    beginInsertRows(IndexOf(node), row, row);
    node->children.push_back(std::move(added));
    endInsertRows();
    return node->children.back().get();
}

QModelIndex FolderModel::index(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    if (!clean.startsWith('/'))
        return {};
    Node* node = m_top.children.front().get();
    for (const QString& part : clean.split('/', Qt::SkipEmptyParts)) {
        node = Child(node, part);
        if (!node)
            return {};
    }
    return IndexOf(node);
}

QString FolderModel::filePath(const QModelIndex& index) const
{
    return index.isValid() ? PathOf(NodeOf(index)) : QString();
}
