#include "player/folder_tree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

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
    // The model reads folders in the background: reveal again as the ancestors arrive.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (loaded == QStringLiteral("/") || revealed_ == loaded || revealed_.startsWith(loaded + u'/'))
            RevealNow();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            emit FolderChosen(model_->filePath(current));
    });
}

void FolderTree::Reveal(const QString& folder)
{
    revealed_ = QDir::cleanPath(folder);
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
}
