#pragma once
// Whole-file reads and atomic whole-file writes shared by every show-file
// reader and writer.

#include <QByteArray>
#include <QString>

#include <optional>

/// Any thread. The whole contents of a regular file; nullopt when the path is
/// missing, is not a regular file (a directory, a device) or cannot be read.
std::optional<QByteArray> ReadWholeFile(const QString& path);

/// Any thread. Writes the bytes to a temporary file beside the target and
/// renames it over the target, so a failed save leaves the old file whole.
/// Returns whether the new file is in place.
bool SaveWholeFile(const QString& path, const QByteArray& bytes);

/// The outcome of a reader or writer: ok, or the message the window shows
/// (the model never shows a message itself).
struct FileResult {
    bool ok = true;
    QString message;

    static FileResult Success() { return {}; }
    static FileResult Failure(QString text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};
