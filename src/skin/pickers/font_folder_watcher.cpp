#include "skin/pickers/font_folder_watcher.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace {

bool IsFontFile(const QFileInfo& info)
{
    static const QStringList kinds = {"ttf", "otf", "ttc", "otc", "pfb", "pcf", "gz", "bdf", "woff", "woff2"};
    return info.isFile() && kinds.contains(info.suffix().toLower());
}

// The families fontconfig reads from the file; empty when it is no font.
QStringList FamiliesOf(const QString& file)
{
    QStringList families;
    const QByteArray path = QFile::encodeName(file);
    int count = 0;
    for (int face = 0; face == 0 || face < count; ++face) {
        FcPattern* pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.constData()), face, nullptr, &count);
        if (!pattern)
            break;
        FcChar8* family = nullptr;
        if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch && family)
            families << QString::fromUtf8(reinterpret_cast<const char*>(family));
        FcPatternDestroy(pattern);
    }
    return families;
}

}  // namespace

FontFolderWatcher::FontFolderWatcher(const QStringList& folders, QObject* parent) : QObject(parent)
{
    for (const QString& folder : folders)
        Watch(folder, nullptr);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FontFolderWatcher::FolderChanged);
}

QStringList FontFolderWatcher::FontconfigFolders()
{
    QStringList folders;
    if (!FcInit())
        return folders;
    FcConfig* config = FcConfigGetCurrent();
    FcStrList* dirs = FcConfigGetFontDirs(config);
    if (!dirs)
        return folders;
    while (FcChar8* dir = FcStrListNext(dirs))
        folders << QFile::decodeName(reinterpret_cast<const char*>(dir));
    FcStrListDone(dirs);
    return folders;
}

void FontFolderWatcher::Watch(const QString& folder, QStringList* found)
{
    const QFileInfo info(folder);
    if (!info.isDir() || m_watcher.directories().contains(info.absoluteFilePath()))
        return;
    m_watcher.addPath(info.absoluteFilePath());
    const QDir dir(info.absoluteFilePath());
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.isDir()) {
            Watch(entry.absoluteFilePath(), found);
        } else if (IsFontFile(entry) && !m_known.contains(entry.absoluteFilePath())) {
            m_known.insert(entry.absoluteFilePath());
            if (found)
                *found << entry.absoluteFilePath();
        }
    }
}

void FontFolderWatcher::FolderChanged(const QString& folder)
{
    QStringList added;
    // Re-watching a known folder only scans it: Watch skips folders already watched.
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.isDir()) {
            Watch(entry.absoluteFilePath(), &added);
        } else if (IsFontFile(entry) && !m_known.contains(entry.absoluteFilePath())) {
            m_known.insert(entry.absoluteFilePath());
            added << entry.absoluteFilePath();
        }
    }
    if (added.isEmpty())
        return;
    for (const QString& file : added)
        AddToDatabase(file);
    emit FontFilesAdded(added);
}

void FontFolderWatcher::AddToDatabase(const QString& file)
{
    // Several watchers may see the same file: add it only while its family is new.
    const QStringList known = QFontDatabase::families();
    const QStringList families = FamiliesOf(file);
    for (const QString& family : families) {
        if (!known.contains(family, Qt::CaseInsensitive)) {
            QFontDatabase::addApplicationFont(file);
            return;
        }
    }
}
