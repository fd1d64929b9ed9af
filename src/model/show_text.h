#pragma once
// Text helpers shared by the section and sequence files: decoding, the
// file's lines and the strict integer fields.

#include "model/file_io.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>

/// Any thread. Splits text into lines at CR, LF or CRLF; a final line break
/// adds no empty line, and empty text has no lines.
QStringList SplitLines(const QString& text);

/// Any thread. Show text as characters: UTF-8 when the bytes are valid UTF-8
/// (a leading byte-order mark is dropped), otherwise GBK (code page 936, the
/// encoding of shows saved by Chinese Windows systems), whatever the locale.
QString DecodeShowText(const QByteArray& bytes);

/// Any thread. Replaces lines with the lines of a show text file. A missing or
/// unreadable file is a failure with the open message and leaves lines as
/// they were.
FileResult ReadTextLines(const QString& path, QStringList& lines);

/// Any thread. Saves lines as UTF-8, each ended by CR LF, through
/// SaveWholeFile; a failed save keeps the old file and says so.
FileResult SaveTextLines(const QString& path, const QStringList& lines);

/// Any thread. A decimal int32 with an optional sign, surrounding blanks
/// allowed; nullopt for anything else, including values out of range.
std::optional<std::int32_t> ParseInt32(const QString& text);

/// The longest text a message quotes whole; a longer one is cut by ElidedForMessage.
inline constexpr qsizetype kQuotedTextLength = 24;

/// Any thread. Text quoted in a message box or status line: as it is up to
/// kQuotedTextLength characters, else its start and end joined by "...", at
/// most kQuotedTextLength characters in all, never splitting a character.
QString ElidedForMessage(const QString& text);

/// The message for a field that is not an integer, quoting the field as read
/// (elided when long).
QString NotAnIntegerMessage(const QString& text);

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
