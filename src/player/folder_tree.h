#pragma once
// The folder tree of the Play and FILE windows: every folder from "/" down,
// each read when the tree first shows its children and again when the
// operator opens or chooses it, as a directory list does. Nothing watches the
// disk: a watch on every shown ancestor woke the program on each file written
// beside it (builds, temporary files in /tmp). Folders are listed off the GUI
// thread (FolderModel), so a mount that never answers holds only its folder.

#include "player/folder_model.h"

#include <QTimer>
#include <QTreeView>

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    /// GUI thread. Folders only, names only (no sizes or dates); `lister` lists a folder (the disk's when empty).
    explicit FolderTree(QWidget* parent = nullptr, FolderLister lister = {});

    FolderModel* Model() const { return model_; }

    /// Opens the ancestors of `folder`, makes it current and scrolls to it as
    /// soon as the model has read them, and again as it reads and sorts them,
    /// until the operator uses the tree. Raises no FolderChosen.
    void Reveal(const QString& folder);
    /// The folder last given to Reveal.
    const QString& Revealed() const { return revealed_; }

signals:
    /// The operator made another folder current (its children just read again).
    void FolderChosen(const QString& folder);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RevealNow();

    FolderModel* model_ = nullptr;
    QString revealed_;
    /// Whether model changes still bring the revealed folder into view.
    bool following_ = false;
    /// Inside the operator's mouse press.
    bool pressing_ = false;
    /// Opening the revealed folder's ancestors (not the operator's opening).
    bool revealing_ = false;
    QTimer revealSoon_;
};
