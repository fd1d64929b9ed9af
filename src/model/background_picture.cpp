#include "model/background_picture.h"

#include <QFileInfo>

const QImage& BackgroundPicture::Get(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        // Forget the old key too, so the file is read again once it reappears.
        path_.clear();
        size_ = -1;
        modified_ = QDateTime();
        image_ = QImage();
        return image_;
    }
    const QDateTime modified = info.lastModified();
    if (path == path_ && modified == modified_ && info.size() == size_)
        return image_;
    path_ = path;
    modified_ = modified;
    size_ = info.size();
    ++loads_;
    // An unreadable file stays cached as a null image until it changes.
    if (!image_.load(path))
        image_ = QImage();
    return image_;
}
