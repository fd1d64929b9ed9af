#pragma once
// Plotter files (.plt): the small HPGL subset drawing programs write, one
// command per line. A line starting "LT" separates paths (everything before
// the first one is header); "PU"/"PD" lines hold one point each as
// "PUx y;" (pen up and down alike); a line "SP0;" ends the last path when no
// "LT" follows. Everything else is ignored.
//
// The paths come back in canvas coordinates (0..510, y down), scaled to the
// canvas and thinned. A malformed point line gives ReadError and no paths:
// nothing of a half-read file is imported. Every fault comes with a message
// naming it (and the line at fault) for the window to show.

#include "model/show_model.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

struct PltImport {
    enum class Status {
        Ok,
        /// The file does not exist (or is not a regular file).
        Missing,
        /// No "LT" line: nothing to import.
        NoSeparator,
        /// A point line that is not "PUx y;" with decimal numbers.
        ReadError,
        /// The file exists but could not be read.
        Unreadable,
    };
    Status status = Status::Ok;
    Drawing paths;
    /// What went wrong, in words for the operator; empty when the status is Ok.
    QString message;
};

/// Any thread. Parses plotter text. thinning is the distance D below which a
/// diagonal step is dropped; sizeStep F divides the size by F + 1 (both clamped
/// at 0). Points get `colour`, z 0, mark 0; each path's first point is blanked.
PltImport ParsePlt(const QByteArray& text, int thinning, int sizeStep, std::uint8_t colour);

/// The largest plotter file read: millions of points, far more than drawing
/// programs write for a laser drawing.
inline constexpr qint64 kMaxPltFileBytes = 50'000'000;

/// Any thread. ParsePlt on a file's bytes; a file larger than
/// kMaxPltFileBytes is not read, and the message names it and the limit.
PltImport ReadPltFile(const QString& path, int thinning, int sizeStep, std::uint8_t colour);
