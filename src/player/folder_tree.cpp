#include "player/folder_tree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>

FolderTree::FolderTree(QWidget* parent)
    : QTreeView(parent)
    , model_(new QFileSystemModel(this))
{
    model_->setOptions(QFileSystemModel::DontWatchForChanges | QFileSystemModel::DontUseCustomDirectoryIcons);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    // Names whole, the tree scrolling sideways: the folder shown is often many levels deep.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setIndentation(12);
    // The model reads folders in the background and sorts them later: bring the
    // folder into view again once each batch of changes has settled.
    revealSoon_.setSingleShot(true);
    revealSoon_.setInterval(0);
    connect(&revealSoon_, &QTimer::timeout, this, &FolderTree::RevealNow);
    const auto follow = [this] {
        if (following_)
            revealSoon_.start();
    };
    connect(model_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(model_, &QAbstractItemModel::rowsInserted, this, follow);
    connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            emit FolderChosen(model_->filePath(current));
    });
}

void FolderTree::Reveal(const QString& folder)
{
    revealed_ = QDir::cleanPath(folder);
    following_ = true;
    RevealNow();
}

void FolderTree::RevealNow()
{
    const QModelIndex index = model_->index(revealed_);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    if (currentIndex() != index) {
        QSignalBlocker quiet(selectionModel());
        setCurrentIndex(index);
    }
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    // Sideways, the folder's name and its parent's branch mark in view.
    const int nameLeft = visualRect(index).left() + horizontalOffset();
    horizontalScrollBar()->setValue(nameLeft - 2 * indentation());
}

// The operator's own use of the tree ends the following.
void FolderTree::mousePressEvent(QMouseEvent* event)
{
    following_ = false;
    QTreeView::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event)
{
    following_ = false;
    QTreeView::wheelEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent* event)
{
    following_ = false;
    QTreeView::keyPressEvent(event);
}
