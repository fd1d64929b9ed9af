#include "player/drawing_thumbnail.h"

#include "model/drawing_file.h"
#include "player/drawing_preview.h"

#include <QFileInfo>

#include <new>

QString ReadFailedMessage(const QString& path, const std::exception& error)
{
    // The name first: a one-line message label cuts the end of a long path.
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("\"%1\" is too large to read (%2).").arg(QFileInfo(path).fileName(), path);
    return CannotOpenMessage(path, QString::fromLocal8Bit(error.what()));
}

FileResult ReadDrawingCatching(const QString& path, Drawing& drawing)
{
    try {
        return ReadDrawingFile(path, drawing, kFileScale);
    } catch (const std::exception& error) {
        return FileResult::Failure(ReadFailedMessage(path, error));
    }
}

DrawingThumbnail ReadDrawingThumbnail(const QString& path, const ThumbnailPainter& paint)
{
    const auto draw = [&paint](const Drawing& drawing) {
        return paint ? paint(drawing) : DrawDrawingPreview(drawing);
    };
    DrawingThumbnail thumbnail;
    try {
        Drawing drawing;
        const FileResult read = ReadDrawingFile(path, drawing, kFileScale);
        if (read) {
            thumbnail.picture = draw(drawing);
            thumbnail.points = PointTotal(drawing);
            return thumbnail;
        }
        thumbnail.failure = read.message;
    } catch (const std::exception& error) {
        thumbnail.failure = ReadFailedMessage(path, error);
    }
    thumbnail.picture = draw(Drawing{});
    return thumbnail;
}
