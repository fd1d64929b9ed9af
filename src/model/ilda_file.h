#pragma once
// ILDA image files (.ild): frame sections of formats 0 and 1, palette sections.

#include "model/file_io.h"
#include "model/show_model.h"

/// Any thread. Replaces the image's frames and palettes with the file's.
/// The image is emptied first, even when the file cannot be read. On a
/// malformed file the complete frames and palettes before the damage are
/// kept and the result carries "Read Error!".
FileResult ReadIldaFile(const QString& path, TILDAimage& image);

/// Any thread. Writes every frame of the image as a format-0 section, then the
/// closing header. Refuses (and writes nothing) when a frame count or a point
/// count does not fit the format's 16 bits. A failed save keeps the old file.
FileResult WriteIldaFile(const QString& path, const TILDAimage& image);
