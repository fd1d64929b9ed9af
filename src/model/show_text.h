#pragma once
// Text helpers shared by the section and sequence files: decoding, the
// file's lines and the strict integer fields.

#include "model/file_io.h"
#include "model/read_bounds.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>

/// The longest row a section or sequence file is read with: a name of a
/// folder path's length and eighteen numbers fit many times over.
inline constexpr qint64 kMaxShowTextRowBytes = 512;
/// The largest section or sequence file read: as many rows as one read may
/// hold, each of the longest row.
inline constexpr qint64 kMaxShowTextBytes = qint64(kMaxRowsPerRead) * kMaxShowTextRowBytes;

/// Any thread. The next line of text from pos, as a view into it, with pos
/// moved past its line break (CR, LF or CRLF); false at the end. A final line
/// break adds no empty line, and empty text has no lines.
bool NextLine(QByteArrayView text, qsizetype& pos, QByteArrayView& line);
/// Any thread. The number of lines NextLine finds in text.
qsizetype CountLines(QByteArrayView text);

/// Any thread. Show text as characters: UTF-8 when the bytes are valid UTF-8
/// (a leading byte-order mark is dropped), otherwise GBK (code page 936, the
/// encoding of shows saved by Chinese Windows systems), whatever the locale.
/// Readers decode each line (each name) on its own, so a stray byte changes
/// at most its own name.
QString DecodeShowText(QByteArrayView bytes);

/// Any thread. The bytes of a show text file of at most kMaxShowTextBytes,
/// without a leading UTF-8 byte-order mark. A missing, unreadable or larger
/// file is a failure with the open message and leaves bytes as they were.
FileResult ReadShowText(const QString& path, QByteArray& bytes);

/// Any thread. Saves lines as UTF-8, each ended by CR LF, through
/// SaveWholeFile; a failed save keeps the old file and says so.
FileResult SaveTextLines(const QString& path, const QStringList& lines);

/// Any thread. A decimal int32 with an optional sign, surrounding blanks
/// allowed; nullopt for anything else, including values out of range.
std::optional<std::int32_t> ParseInt32(QStringView text);
inline std::optional<std::int32_t> ParseInt32(const QString& text) { return ParseInt32(QStringView(text)); }

/// The longest text a message quotes whole; a longer one is cut by ElidedForMessage.
inline constexpr qsizetype kQuotedTextLength = 24;

/// Any thread. Text quoted in a message box or status line: as it is up to
/// kQuotedTextLength characters, else its start and end joined by "...", at
/// most kQuotedTextLength characters in all, never splitting a character.
QString ElidedForMessage(QStringView text);
inline QString ElidedForMessage(const QString& text) { return ElidedForMessage(QStringView(text)); }

/// The message for a field that is not an integer, quoting the field as read
/// (elided when long).
QString NotAnIntegerMessage(QStringView text);
inline QString NotAnIntegerMessage(const QString& text) { return NotAnIntegerMessage(QStringView(text)); }

/// A section or sequence file's read: ok, or the message to show; and how much
/// of the file the list it was read into now holds.
struct ShowTextRead : FileResult {
    enum class Extent {
        Unchanged,  ///< the file could not be opened or read: the list is as it was
        Part,       ///< reading stopped at a value that is not valid: only what came before it is there
        Whole,      ///< every line was read (a row's drawing or an item may still have failed to load)
    };
    Extent extent = Extent::Whole;

    static ShowTextRead Of(FileResult result, Extent extent) { return {std::move(result), extent}; }
};
