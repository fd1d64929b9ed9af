#pragma once
// ILDA image files (.ild): frame sections of formats 0 and 1, palette sections.

#include "model/file_io.h"
#include "model/read_bounds.h"
#include "model/show_model.h"

#include <cstdint>

/// The message of a file that is not a well-formed ILDA file.
inline constexpr char kIldaReadError[] = "Read Error!";

/// The largest ILDA file read: the most points a read may hold in the largest
/// point records (8 bytes), with the headers of frames as full as the format
/// allows and the closing header.
inline constexpr qint64 kMaxIldaFileBytes =
    qint64(kMaxPointsPerRead) * 8 + (qint64(kMaxPointsPerRead) / 65535 + 1) * 32 + 26;

/// The most points an ILDA file of fileSize bytes can hold (6 bytes for the
/// smallest point record), known before it is read.
inline std::uint64_t MostIldaPoints(qint64 fileSize)
{
    constexpr qint64 kSmallestPointRecord = 6;
    return fileSize > 0 ? std::uint64_t(fileSize / kSmallestPointRecord) : 0;
}

/// Any thread. Replaces the image's frames and palettes with the file's.
/// A missing file reads as an empty image without a message. A path that
/// exists but cannot be read fails with the open message and leaves the image
/// as it was. Sections of formats 0 and 1 are frames, 2 and 3 palettes; on
/// any other format, or a malformed or truncated file, the complete frames
/// and palettes before it are kept and the result carries kIldaReadError.
FileResult ReadIldaFile(const QString& path, TILDAimage& image);

/// Any thread. As ReadIldaFile, from a file's bytes already read.
FileResult ReadIldaBytes(const QByteArray& bytes, TILDAimage& image);

/// Any thread. Writes every frame of the image as a format-0 section, then the
/// 26-byte closing header. Erased points are left out; a frame left empty is
/// written as one blanked point so
/// that the frames after it survive. Refuses (and writes nothing) when a frame
/// count or a point count does not fit the format's 16 bits. A failed save
/// keeps the old file.
FileResult WriteIldaFile(const QString& path, const TILDAimage& image);
