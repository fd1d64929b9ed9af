#include "player/drawing_thumbnail.h"

#include "model/drawing_file.h"
#include "model/painters.h"

#include <QFileInfo>

#include <algorithm>
#include <new>

namespace {

// Points decoded and drawn at a time.
constexpr qsizetype kBatchPoints = 65536;
constexpr std::uint8_t kEndOfPath = 128;

void DrawHalfSize(QImage& picture, const Drawing& batch)
{
    for (const Path& path : batch)
        DrawPointList(picture, path, 0, 2);
}

}  // namespace

QString ReadFailedMessage(const QString& path, const std::exception& error)
{
    // The name first: a one-line message label cuts the end of a long path.
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("\"%1\" is too large to read (%2).").arg(QFileInfo(path).fileName(), path);
    return CannotOpenMessage(path, QString::fromLocal8Bit(error.what()));
}

QString PreviewFailedMessage(const QString& path, const QString& reason)
{
    const QString name = QFileInfo(path).fileName();
    return reason.isEmpty() ? QStringLiteral("\"%1\" cannot be opened (%2).").arg(name, path)
                            : QStringLiteral("\"%1\" cannot be opened. %2 (%3)").arg(name, reason, path);
}

FileResult ReadDrawingCatching(const QString& path, Drawing& drawing)
{
    try {
        return ReadDrawingFile(path, drawing, kFileScale);
    } catch (const std::exception& error) {
        return FileResult::Failure(ReadFailedMessage(path, error));
    }
}

DrawingThumbnail ReadDrawingThumbnail(const QString& path, const ThumbnailPainter& paint, int side)
{
    DrawingThumbnail thumbnail;
    thumbnail.picture = QImage(side, side, QImage::Format_RGB32);
    thumbnail.picture.fill(Qt::black);
    const ThumbnailPainter& draw = paint ? paint : ThumbnailPainter(DrawHalfSize);
    try {
        const FileBytes file = ReadFileBytes(path, kMaxDrawingFileBytes);
        if (!file.read()) {
            if (!file.missing())
                thumbnail.failure = PreviewFailedMessage(path, file.reason);
            return thumbnail;
        }
        const qsizetype records = file.bytes.size() / kDrawingRecordSize;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.bytes.constData());
        qsizetype at = 0;
        while (at < records) {
            const qsizetype end = std::min(records, at + kBatchPoints);
            const QByteArray slice = QByteArray::fromRawData(
                file.bytes.constData() + at * kDrawingRecordSize, (end - at) * kDrawingRecordSize);
            draw(thumbnail.picture, DrawingFromBytes(slice, kFileScale));
            // A path cut by the batch goes on from its last point drawn.
            const bool pathEnded = bytes[(end - 1) * kDrawingRecordSize + 4] >= kEndOfPath;
            at = end < records && !pathEnded ? end - 1 : end;
        }
        thumbnail.points = std::uint64_t(records);
    } catch (const std::exception& error) {
        thumbnail.picture.fill(Qt::black);
        thumbnail.points = 0;
        thumbnail.failure = ReadFailedMessage(path, error);
    }
    return thumbnail;
}
