#pragma once
// Whole-file reads and atomic whole-file writes shared by every show-file
// reader and writer.

#include <QByteArray>
#include <QString>

#include <optional>

/// The outcome of reading a whole file. A missing path is told apart from one
/// that exists but cannot be read: only the first may pass as an empty file.
struct FileBytes {
    enum class State { Read, Missing, Unreadable };
    State state = State::Missing;
    QByteArray bytes;
    /// Why an existing path could not be read ("Permission denied", "Is a directory").
    QString reason;

    bool read() const { return state == State::Read; }
    bool missing() const { return state == State::Missing; }
};

/// The most ReadWholeFile reads unless told otherwise.
inline constexpr qint64 kMaxWholeFileBytes = qint64{1} << 28;

/// Any thread. The whole contents of the file at path, when it holds at most
/// maxBytes. Missing: nothing is there (not even a broken link). Unreadable:
/// something is there but it is not a regular file, or it is larger than
/// maxBytes (told by its size before anything is read, and again while
/// reading, for a file that grows), or opening or reading it failed, or the
/// path holds a control character. Memory never passes the file's size (at
/// most maxBytes) by more than a small read buffer.
FileBytes ReadFileBytes(const QString& path, qint64 maxBytes);

/// Any thread. The whole contents of a regular file of at most maxBytes;
/// nullopt when the path is missing or cannot be read.
std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 maxBytes = kMaxWholeFileBytes);

/// The reason given for a file larger than the most its kind may hold.
QString TooLargeReason(qint64 maxBytes);

/// The outcome of a reader or writer: ok, or the message the window shows
/// (the model never shows a message itself).
struct FileResult {
    bool ok = true;
    QString message;

    static FileResult Success() { return {}; }
    static FileResult Failure(QString text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

/// Any thread. Writes the bytes to a temporary file beside the target and
/// renames it over the target, so a failed save leaves the old file whole.
/// Every write and the final flush are checked before the rename: a disk that
/// fills up while the buffered bytes go out must not leave a short file in
/// place of the old one. A failure carries SaveFailedMessage with the
/// system's reason ("No space left on device", "Permission denied").
FileResult SaveWholeFile(const QString& path, const QByteArray& bytes);

/// The message for a file that could not be saved; reason, when given, follows the sentence.
QString SaveFailedMessage(const QString& path, const QString& reason = QString());

/// The message for a file that exists but cannot be opened or read; reason,
/// when given, follows the sentence.
QString CannotOpenMessage(const QString& path, const QString& reason = QString());

/// The failure for an unreadable FileBytes.
inline FileResult CannotOpen(const QString& path, const FileBytes& file)
{
    return FileResult::Failure(CannotOpenMessage(path, file.reason));
}

/// True when text holds a control character (NUL, line breaks, DEL and the
/// like). Such a name never reaches the file system.
bool HasControlCharacter(const QString& text);
