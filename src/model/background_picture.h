#pragma once
// The editor's background picture, kept between repaints. Rubber bands repaint
// the whole canvas on every mouse move, so the file is read again only when
// the path, its modification time or its size changes.

#include <QDateTime>
#include <QImage>
#include <QString>

class BackgroundPicture {
public:
    /// GUI thread. The picture at path, or a null image when it is not a readable picture file.
    const QImage& Get(const QString& path);
    /// How many times a file was actually read (a missing file is not read).
    int LoadCount() const { return loads_; }

private:
    QString path_;
    QDateTime modified_;
    qint64 size_ = -1;
    QImage image_;
    int loads_ = 0;
};
