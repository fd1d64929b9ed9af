#pragma once
// Text helpers shared by the section and sequence readers: the file's lines
// and the strict integer fields.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

/// Any thread. Splits text into lines at CR, LF or CRLF; a final line break
/// adds no empty line, and empty text has no lines.
QStringList SplitLines(const QString& text);

/// Any thread. The lines of a show text file, decoded as local 8-bit (the
/// encoding the show writers use, so stored names match names on disk);
/// nullopt when the path is not a readable regular file.
std::optional<QStringList> ReadTextLines(const QString& path);

/// Any thread. A decimal int32 with an optional sign, surrounding blanks
/// allowed; nullopt for anything else, including values out of range.
std::optional<std::int32_t> ParseInt32(const QString& text);

/// The message for a field that is not an integer, quoting the field as read.
QString NotAnIntegerMessage(const QString& text);

/// The message for a show text file that cannot be opened.
QString CannotOpenMessage(const QString& path);
