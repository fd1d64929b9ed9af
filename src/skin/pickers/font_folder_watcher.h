#pragma once
// Watches the folders fontconfig takes fonts from, so that fonts installed
// while the program runs become usable: each new font file whose family the
// font database does not know yet is added to it, which makes the database
// announce the change (QGuiApplication::fontDatabaseChanged).

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QStringList>

class FontFolderWatcher : public QObject {
    Q_OBJECT
public:
    /// GUI thread. Watches `folders` and their sub-folders; the files already
    /// there count as known.
    explicit FontFolderWatcher(const QStringList& folders, QObject* parent = nullptr);
    /// fontconfig's font folders (empty when fontconfig cannot start).
    static QStringList FontconfigFolders();
    QStringList WatchedFolders() const { return m_watcher.directories(); }

signals:
    /// Font files that appeared in a watched folder (absolute paths).
    void FontFilesAdded(const QStringList& files);

private:
    void Watch(const QString& folder, QStringList* found);
    void FolderChanged(const QString& folder);
    static void AddToDatabase(const QString& file);

    QFileSystemWatcher m_watcher;
    QSet<QString> m_known;
};
