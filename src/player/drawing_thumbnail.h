#pragma once
// A drawing file as the file lists preview it: its small picture and its
// point count, and nothing else. The file is drawn a batch of points at a
// time as it is decoded, so neither the preview nor its read holds the
// drawing's points: a window showing a large drawing holds a picture. Reads
// that fail say why in the window's own words; none throws, so no preview can
// cost its window.

#include "model/file_io.h"
#include "model/show_model.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>

struct DrawingThumbnail {
    /// The drawn picture; black when nothing was read.
    QImage picture;
    std::uint64_t points = 0;
    /// Why the file shows nothing (the message names it); empty when it was read or is missing.
    QString failure;
};

/// How a window draws part of a drawing onto its black thumbnail picture
/// (paths may be split between batches: a split path's next batch starts with
/// the point the last one ended on).
using ThumbnailPainter = std::function<void(QImage& picture, const Drawing& batch)>;

/// Any thread. The thumbnail of the drawing file at path: a black square of
/// `side` pixels on which `paint` draws the drawing (DrawPointList at half
/// size when empty). A missing file draws nothing and says nothing; a file
/// that cannot be read, is refused or is too large for memory draws nothing
/// and says why.
DrawingThumbnail ReadDrawingThumbnail(const QString& path, const ThumbnailPainter& paint = {}, int side = 128);

/// Any thread. ReadDrawingFile at scale 1, with an exception (memory ran
/// out) turned into a failure that names the file.
FileResult ReadDrawingCatching(const QString& path, Drawing& drawing);

/// The message of a read of the file at path that ended by `error`: names the
/// file (its name first, then where it is), and calls it too large when memory ran out.
QString ReadFailedMessage(const QString& path, const std::exception& error);

/// A preview's message for the file at path that could not be read for reason:
/// the file's name and the reason first, where it is last, so that a one-line
/// message label that cuts the end still says which file and why.
QString PreviewFailedMessage(const QString& path, const QString& reason);
