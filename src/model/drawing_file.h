#pragma once
// Drawing files (.ddr: 5 bytes a point, no header) and the conversions
// between drawings (0..255, y down) and ILDA frames (-128..127, y up).

#include "model/file_io.h"
#include "model/read_bounds.h"
#include "model/show_model.h"

#include <QString>

#include <cstdint>

/// The Draw window's canvas is twice the drawing space; everyone else uses 1.
inline constexpr int kEditorScale = 2;
inline constexpr int kFileScale = 1;

/// Bytes of one point record.
inline constexpr qsizetype kDrawingRecordSize = 5;

/// The largest drawing file read: the most points a read may hold.
inline constexpr qint64 kMaxDrawingFileBytes = qint64(kMaxPointsPerRead) * kDrawingRecordSize;

/// The points a drawing file of fileSize bytes holds, known before it is read.
inline std::uint64_t MostDrawingPoints(qint64 fileSize)
{
    return fileSize > 0 ? std::uint64_t(fileSize / kDrawingRecordSize) : 0;
}

/// The drawing held in a drawing file's bytes, each coordinate multiplied by
/// factor; 1 to 4 bytes after the last whole record make no point.
Drawing DrawingFromBytes(const QByteArray& bytes, int factor);

/// Any thread. Replaces the drawing with the file's points, each coordinate
/// multiplied by factor. A missing file reads as an empty drawing. A path
/// that exists but cannot be read (a folder, no permission, an I/O error)
/// fails with the open message and leaves the drawing as it was.
FileResult ReadDrawingFile(const QString& path, Drawing& paths, int factor);

/// Any thread. Writes the drawing with each coordinate divided by divisor
/// (0 or below counts as 1) and clamped to 0..255. Erased points (mark 2) are
/// left out; a path with nothing else writes nothing. A failed save keeps the
/// old file and says why.
FileResult WriteDrawingFile(const QString& path, const Drawing& paths, int divisor);

/// Replaces the frame's points with copies of every point of the drawing in
/// ILDA space, leaving out erased points. The frame's header values are left
/// as they are.
void DrawingToFrame(const Drawing& paths, TILDAframe& frame);

/// Replaces the drawing with one path of copies of the frame's points in
/// drawing space, leaving out erased points.
void FrameToDrawing(Drawing& paths, const TILDAframe& frame);
