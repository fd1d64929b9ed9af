#pragma once
// Section files (.sec): one row per line, 19 fields separated by "|"
// (the drawing's name, then the parameters A..R). Writers put no "|" after
// the last field; the reader accepts one.

#include "model/file_io.h"
#include "model/show_folders.h"
#include "model/show_model.h"
#include "model/show_text.h"

#include <QString>

#include <vector>

/// Fields of a section line: the drawing's name and A..R.
inline constexpr int kSectionFieldCount = 19;

/// Any thread. Replaces records with the file's rows, each row's drawing read
/// from the "Drawing" folder of folders. A missing or unreadable file fails
/// with the open message and leaves the list as it was (Unchanged). Otherwise
/// the list is replaced: on a field that is not an integer, reading stops with
/// that message and the rows before it stay (Part); a drawing that exists but
/// cannot be read leaves its row empty, the rest still load and the first such
/// message is returned (Whole). Each name is read as UTF-8, or GBK when it is
/// not valid UTF-8. A file larger than kMaxShowTextBytes is not read. Rows naming the same drawing share one read of it; a read whose
/// drawings hold more than kMaxPointsPerRead points, or whose rows with those
/// of the read before it pass kMaxRowsPerRead, is refused with that message
/// and an empty list (Unchanged).
ShowTextRead ReadSectionFile(const QString& path, std::vector<TSectionRecord>& records,
                             const ShowFolders& folders);
/// Any thread. As above, looking names up through lookup (one listing per folder).
ShowTextRead ReadSectionFile(const QString& path, std::vector<TSectionRecord>& records,
                             NameLookup& lookup);

/// Any thread. As ReadSectionFile through lookup, for the items of one
/// sequence read: the first item naming a file reads it, and every later one
/// gets a copy of those rows (sharing their drawings) and the same result,
/// message and extent. Every copy counts its rows against the rows-and-items bound.
ShowTextRead ReadSharedSectionFile(const QString& path, std::vector<TSectionRecord>& records,
                                   NameLookup& lookup);

/// Any thread. Fills record from one line and reads its drawing from the
/// "Drawing" folder (a missing drawing leaves it empty). Missing fields are 0.
/// On a field that is not an integer, the fields before it are set, the
/// drawing stays empty and the message is returned; so is the message of a
/// drawing that exists but cannot be read.
FileResult ParseSectionLine(const QString& line, TSectionRecord& record, const ShowFolders& folders);
/// Any thread. As above, looking the drawing up through lookup.
FileResult ParseSectionLine(const QString& line, TSectionRecord& record, NameLookup& lookup);
