#pragma once
// What the control galleries share: the five built-in looks with their file
// names, and the folder the pictures go to (ZARN_GALLERY_DIR, else beside
// the test program).

#include "skin/themes.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

struct GalleryLook {
    TskUIStyle style;
    const char* name;
};
inline constexpr GalleryLook kGalleryLooks[] = {{TskUIStyle::Pearl, "pearl"},
                                                {TskUIStyle::Azure, "azure"},
                                                {TskUIStyle::Navy, "navy"},
                                                {TskUIStyle::Ivory, "ivory"},
                                                {TskUIStyle::Crystal, "crystal"}};

inline QString GalleryDir()
{
    const QString fromEnv = qEnvironmentVariable("ZARN_GALLERY_DIR");
    const QString dir = fromEnv.isEmpty() ? QCoreApplication::applicationDirPath() + "/gallery/controls" : fromEnv;
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}
