#pragma once
// Driving a window as the operator does: its buttons by name, the entries of
// its popup menus by caption, and a record of every file under a folder so a
// test can show which files a command wrote and that no other changed.

#include <QAction>
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

/// Clicks the child of `window` named `name` with the left mouse button.
inline void ClickChild(QWidget& window, const char* name)
{
    QWidget* child = window.findChild<QWidget*>(QLatin1String(name));
    ASSERT_NE(child, nullptr) << name;
    QTest::mouseClick(child, Qt::LeftButton);
}

/// Chooses the entry `caption` of the popup menu named `menu` of `window`.
inline void ChooseMenuEntry(QWidget& window, const char* menu, const QString& caption)
{
    QMenu* popup = window.findChild<QMenu*>(QLatin1String(menu));
    ASSERT_NE(popup, nullptr) << menu;
    for (QAction* action : popup->actions()) {
        if (action->text() == caption) {
            action->trigger();
            return;
        }
    }
    FAIL() << menu << " has no entry " << caption.toStdString();
}

/// The bytes of every file under `root`, by path relative to it.
using FolderBytes = std::map<QString, QByteArray>;

inline FolderBytes ReadFolderBytes(const QString& root)
{
    FolderBytes files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files[path.mid(root.size() + 1)] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

/// The files under `root` that were added, removed or changed since `before`,
/// sorted and joined by blanks (empty when none).
inline std::string ChangedFiles(const FolderBytes& before, const QString& root)
{
    const FolderBytes after = ReadFolderBytes(root);
    QStringList changed;
    for (const auto& [name, bytes] : after) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != bytes)
            changed << name;
    }
    for (const auto& [name, bytes] : before) {
        if (!after.count(name))
            changed << name;
    }
    changed.sort();
    return changed.join(u' ').toStdString();
}
