#pragma once
// What the gallery's sheets share: the five built-in looks with their file
// names, and a report that saves each picture into the output folder and
// counts what went wrong (a blank control, a picture that failed to save).

#include "skin/themes.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdio>

struct GalleryLook {
    TskUIStyle style;
    const char* name;
};
inline constexpr GalleryLook kGalleryLooks[] = {{TskUIStyle::Pearl, "pearl"},
                                                {TskUIStyle::Azure, "azure"},
                                                {TskUIStyle::Navy, "navy"},
                                                {TskUIStyle::Ivory, "ivory"},
                                                {TskUIStyle::Crystal, "crystal"}};

class GalleryReport {
public:
    explicit GalleryReport(const QString& dir) : m_dir(QDir(dir).absolutePath()) { QDir().mkpath(m_dir); }

    const QString& Dir() const { return m_dir; }
    int Faults() const { return m_faults; }

    void Fault(const QString& what)
    {
        std::fprintf(stderr, "skin_gallery: %s\n", qPrintable(what));
        ++m_faults;
    }

    // Saves `image` as `name` (a path below the output folder).
    void Save(const QImage& image, const QString& name)
    {
        const QString file = QDir(m_dir).filePath(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (image.isNull() || !image.save(file))
            Fault("could not write " + file);
    }

private:
    QString m_dir;
    int m_faults = 0;
};

// The sheets, each in a file of its own.
void WriteControlSheets(GalleryReport& report);
void WriteIconSheet(GalleryReport& report);
void WriteExtraSheets(GalleryReport& report);
void WriteThemePictureSheets(GalleryReport& report);
void WriteFramedWindows(GalleryReport& report);
void WriteDataAwareSheet(GalleryReport& report);
