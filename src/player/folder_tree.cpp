#include "player/folder_tree.h"

#include "player/folder_model.h"

#include <QDir>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>

FolderTree::FolderTree(QWidget* parent, FolderLister lister)
    : QTreeView(parent)
    , model_(new FolderModel(this, std::move(lister)))
{
    setModel(model_);
    header()->hide();
    // Names whole, the tree scrolling sideways: the folder shown is often many levels deep.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setIndentation(12);
    // Bring the folder into view again once the rows read have been laid out.
    revealSoon_.setSingleShot(true);
    revealSoon_.setInterval(0);
    connect(&revealSoon_, &QTimer::timeout, this, &FolderTree::RevealNow);
    const auto follow = [this] {
        if (following_)
            revealSoon_.start();
    };
    connect(model_, &FolderModel::directoryLoaded, this, follow);
    connect(model_, &QAbstractItemModel::rowsInserted, this, follow);
    connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
    // Opening or choosing a folder reads it again: what was made or removed since shows.
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!revealing_)
            model_->Refresh(index);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!current.isValid())
            return;
        model_->Refresh(current);
        emit FolderChosen(model_->filePath(current));
    });
}

void FolderTree::Reveal(const QString& folder)
{
    revealed_ = QDir::cleanPath(folder);
    // The folder the operator just clicked is in view already; scrolling now
    // would move another row under the pointer, and the press would highlight it.
    if (pressing_)
        return;
    following_ = true;
    RevealNow();
}

void FolderTree::RevealNow()
{
    // Until the ancestors are read this starts their listings; their answers bring us back.
    const QModelIndex index = model_->index(revealed_);
    if (!index.isValid())
        return;
    {
        // The folders opened here have just been read: no second listing.
        const QScopedValueRollback quiet(revealing_, true);
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            expand(parent);
    }
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
    pressing_ = true;
    QTreeView::mousePressEvent(event);
    pressing_ = false;
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
