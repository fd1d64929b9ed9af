#pragma once
// Sequence files (.seq): "[Music]" and the music file's name on the next
// line, then "[Track1]", "[Track2]" and "[Track3]", each followed by its item
// lines "name|play time". An item's extension (".ddr", ".sec", ".ild",
// compared with case) decides what it holds.

#include "model/file_io.h"
#include "model/show_folders.h"
#include "model/show_model.h"
#include "model/show_text.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

/// Any thread. Replaces the sequence's music name and tracks with the file's,
/// without loading the items. Tags are matched exactly at their first
/// occurrence; a part runs to the next tag or the end, and a missing tag
/// leaves its part empty. A line without "|" is a name with play time 0. On a
/// play time that is not an integer, reading stops with that message and the
/// items before it stay (Part). A missing, unreadable or too large file
/// (kMaxShowTextBytes), or one of more than kMaxRowsPerRead items, fails with
/// its message and leaves the sequence as it was (Unchanged). Each name is
/// read as UTF-8, or GBK when it is not valid UTF-8.
ShowTextRead ReadSequenceFile(const QString& path, TSequence& sequence);

/// Any thread. As ReadSequenceFile, and every item is loaded with
/// LoadSequenceItem. An item that fails to load keeps what was read and the
/// rest still load; the first failure's message is returned (Whole). Items and
/// rows naming the same drawing share one read of it, and items naming the
/// same section one read of its file. A sequence whose drawings and images hold
/// more than kMaxPointsPerRead points (a drawing or image checked by its size
/// before it is read), or whose items and their sections' rows pass
/// kMaxRowsPerRead, is refused with that message and leaves the sequence as it
/// was (Unchanged).
ShowTextRead LoadSequenceFile(const QString& path, const ShowFolders& folders, TSequence& sequence);
/// Any thread. As above, looking names up and sharing drawings through lookup.
ShowTextRead LoadSequenceFile(const QString& path, NameLookup& lookup, TSequence& sequence);

/// Any thread. Empties the record's drawing, rows and image, then reads its
/// file from the show folder of its kind: "Drawing" for ".ddr", "Section" for
/// ".sec" (rows' drawings from "Drawing"), "ILDAimage" for ".ild". A missing
/// file or another extension leaves it empty and succeeds; a malformed
/// section or image keeps what was read and returns the reader's message, as
/// does a file that exists but cannot be read.
FileResult LoadSequenceItem(TSequenceRecord& record, const ShowFolders& folders);
/// Any thread. As above, looking names up through lookup (one listing per folder).
FileResult LoadSequenceItem(TSequenceRecord& record, NameLookup& lookup);

/// One item row of a track grid as the Sequence window holds it: its two cell texts.
struct SequenceRow {
    QString FileName;
    QString PlayTime;
};

inline constexpr int kSequenceTrackCount = 3;

/// What the Sequence window saves: the music file's text and the item rows
/// of Track1..Track3 (the header rows left out).
struct SequenceSheet {
    QString MusicFile;
    std::array<std::vector<SequenceRow>, kSequenceTrackCount> Tracks;
};

/// Any thread. Whether the sheet would read back as written: no cell and no
/// music name holds a line break, no cell holds "|", every play time is an
/// integer or blank, and the music name is no track tag. The message names
/// the track and the grid row (the first item is row 1).
FileResult CheckSequenceSheet(const SequenceSheet& sheet);

/// Any thread. Whether one item row would read back, by the rules above; `row` is
/// the grid row of track `track` (0..2), the first item being row 1.
FileResult CheckSequenceRow(int track, int row, const SequenceRow& item);

/// Any thread. The file's text in UTF-8, each line ended by CR LF: "[Music]",
/// the music name as it is, then per track its tag and one line per row,
/// the row's cells with A-Z lowered, joined by "|".
QByteArray SequenceFileText(const SequenceSheet& sheet);

/// Any thread. Refuses a sheet that CheckSequenceSheet refuses, writing
/// nothing; else replaces the file atomically (a failed save leaves the old
/// file whole) and says whether the new file is in place.
FileResult WriteSequenceFile(const QString& path, const SequenceSheet& sheet);
