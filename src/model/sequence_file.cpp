#include "model/sequence_file.h"

#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/show_text.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

enum Part { kMusic, kTrack1, kTrack2, kTrack3, kPartCount };

constexpr std::array<QLatin1String, kPartCount> kTags = {
    QLatin1String("[Music]"), QLatin1String("[Track1]"), QLatin1String("[Track2]"), QLatin1String("[Track3]")};

// Lines [first, end) of one part; empty when its tag is missing.
struct LineRange {
    qsizetype first = 0;
    qsizetype end = 0;
};

// Each part runs from after its tag to the next tag, whatever the order the
// tags come in, so a missing or misplaced tag never sends an index outside
// the lines or into another part.
std::array<LineRange, kPartCount> FindParts(const QStringList& lines)
{
    std::array<qsizetype, kPartCount> tagLine{};
    for (int p = 0; p < kPartCount; ++p)
        tagLine[p] = lines.indexOf(kTags[p]);

    std::array<LineRange, kPartCount> parts{};
    for (int p = 0; p < kPartCount; ++p) {
        if (tagLine[p] < 0)
            continue;
        qsizetype end = lines.size();
        for (int q = 0; q < kPartCount; ++q) {
            if (tagLine[q] > tagLine[p] && tagLine[q] < end)
                end = tagLine[q];
        }
        parts[p] = {tagLine[p] + 1, end};
    }
    return parts;
}

FileResult ParseItemLine(const QString& line, TSequenceRecord& record)
{
    const qsizetype bar = line.indexOf(u'|');
    record.FileName = bar >= 0 ? line.left(bar) : line;
    const QString value = bar >= 0 ? line.mid(bar + 1) : QString();
    if (value.trimmed().isEmpty()) {
        record.PlayTime = 0;
        return FileResult::Success();
    }
    const std::optional<std::int32_t> ticks = ParseInt32(value);
    if (!ticks)
        return FileResult::Failure(NotAnIntegerMessage(value));
    record.PlayTime = *ticks;
    return FileResult::Success();
}

// Reads the sequence; with a lookup, loads every item as it is read.
ShowTextRead ReadSequence(const QString& path, TSequence& sequence, NameLookup* lookup)
{
    using Extent = ShowTextRead::Extent;
    QStringList lines;
    if (FileResult opened = ReadTextLines(path, lines); !opened)
        return ShowTextRead::Of(std::move(opened), Extent::Unchanged);

    sequence.MusicFile.clear();
    sequence.Track1.clear();
    sequence.Track2.clear();
    sequence.Track3.clear();

    const std::array<LineRange, kPartCount> parts = FindParts(lines);
    if (parts[kMusic].first < parts[kMusic].end)
        sequence.MusicFile = lines.at(parts[kMusic].first);

    std::array<std::vector<TSequenceRecord>*, kPartCount> tracks = {
        nullptr, &sequence.Track1, &sequence.Track2, &sequence.Track3};
    FileResult firstItemFailure = FileResult::Success();
    if (lookup) {
        // Every item counts, before any is read.
        qsizetype items = 0;
        for (int p = kTrack1; p <= kTrack3; ++p)
            items += parts[p].end - parts[p].first;
        if (!lookup->Drawings().CountRows(std::uint64_t(items)))
            return ShowTextRead::Of(lookup->Drawings().Refusal(), Extent::Unchanged);
    }
    for (int p = kTrack1; p <= kTrack3; ++p) {
        for (qsizetype i = parts[p].first; i < parts[p].end; ++i) {
            TSequenceRecord record;
            if (FileResult result = ParseItemLine(lines.at(i), record); !result)
                return ShowTextRead::Of(std::move(result), Extent::Part);
            if (lookup) {
                FileResult loaded = LoadSequenceItem(record, *lookup);
                if (!loaded && firstItemFailure)
                    firstItemFailure = std::move(loaded);
                if (lookup->Drawings().Exceeded()) {
                    sequence.Track1.clear();
                    sequence.Track2.clear();
                    sequence.Track3.clear();
                    return ShowTextRead::Of(lookup->Drawings().Refusal(), Extent::Unchanged);
                }
            }
            tracks[p]->push_back(std::move(record));
        }
    }
    return ShowTextRead::Of(std::move(firstItemFailure), Extent::Whole);
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// Only A-Z: names in other scripts stay as they are on disk.
QString LowerAscii(QString text)
{
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return text;
}

QString RowPlace(int track, std::size_t index)
{
    return QStringLiteral("Track%1, row %2").arg(track + 1).arg(index + 1);
}

}  // namespace

FileResult CheckSequenceSheet(const SequenceSheet& sheet)
{
    if (HasLineBreak(sheet.MusicFile))
        return FileResult::Failure(QStringLiteral("Music file: a line break cannot be saved"));
    for (int p = kTrack1; p <= kTrack3; ++p) {
        if (sheet.MusicFile == kTags[p])
            return FileResult::Failure(QStringLiteral("Music file: \"%1\" cannot be saved as a music name").arg(sheet.MusicFile));
    }
    for (int t = 0; t < kSequenceTrackCount; ++t) {
        const std::vector<SequenceRow>& rows = sheet.Tracks[t];
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (FileResult checked = CheckSequenceRow(t, int(r) + 1, rows[r]); !checked)
                return checked;
        }
    }
    return FileResult::Success();
}

FileResult CheckSequenceRow(int track, int row, const SequenceRow& item)
{
    const std::size_t index = std::size_t(std::max(row, 1) - 1);
    for (const QString* cell : {&item.FileName, &item.PlayTime}) {
        if (HasLineBreak(*cell) || cell->contains(u'|'))
            return FileResult::Failure(
                QStringLiteral("%1: \"|\" and line breaks cannot be saved").arg(RowPlace(track, index)));
    }
    if (!item.PlayTime.trimmed().isEmpty() && !ParseInt32(item.PlayTime))
        return FileResult::Failure(QStringLiteral("%1: the play time \"%2\" is not an integer")
                                       .arg(RowPlace(track, index), ElidedForMessage(item.PlayTime)));
    return FileResult::Success();
}

QByteArray SequenceFileText(const SequenceSheet& sheet)
{
    QString text;
    const QLatin1String end("\r\n");
    text += kTags[kMusic] + end + sheet.MusicFile + end;
    for (int t = 0; t < kSequenceTrackCount; ++t) {
        text += kTags[kTrack1 + t] + end;
        for (const SequenceRow& row : sheet.Tracks[t])
            text += LowerAscii(row.FileName) + u'|' + LowerAscii(row.PlayTime) + end;
    }
    return text.toUtf8();
}

FileResult WriteSequenceFile(const QString& path, const SequenceSheet& sheet)
{
    if (FileResult checked = CheckSequenceSheet(sheet); !checked)
        return checked;
    return SaveWholeFile(path, SequenceFileText(sheet));
}

ShowTextRead ReadSequenceFile(const QString& path, TSequence& sequence)
{
    return ReadSequence(path, sequence, nullptr);
}

ShowTextRead LoadSequenceFile(const QString& path, const ShowFolders& folders, TSequence& sequence)
{
    NameLookup lookup(folders);
    return ReadSequence(path, sequence, &lookup);
}

ShowTextRead LoadSequenceFile(const QString& path, NameLookup& lookup, TSequence& sequence)
{
    return ReadSequence(path, sequence, &lookup);
}

FileResult LoadSequenceItem(TSequenceRecord& record, const ShowFolders& folders)
{
    NameLookup lookup(folders);
    return LoadSequenceItem(record, lookup);
}

FileResult LoadSequenceItem(TSequenceRecord& record, NameLookup& lookup)
{
    record.Paths.clear();
    record.Sections.clear();
    record.IldaImage = TILDAimage{};

    const QString& name = record.FileName;
    if (name.endsWith(QStringLiteral(".ddr"))) {
        if (const std::optional<QString> file = lookup.FindFile(ShowFolder::Drawing, name))
            return lookup.Drawings().Read(*file, record.Paths);
        return FileResult::Success();
    }
    if (name.endsWith(QStringLiteral(".sec"))) {
        if (const std::optional<QString> file = lookup.FindFile(ShowFolder::Section, name))
            return ReadSharedSectionFile(*file, record.Sections, lookup);
        return FileResult::Success();
    }
    if (name.endsWith(QStringLiteral(".ild"))) {
        if (const std::optional<QString> file = lookup.FindFile(ShowFolder::IldaImage, name)) {
            // An image too large for what the read has left is never brought into memory.
            if (!lookup.Drawings().FitsBeforeRead(MostIldaPoints(QFileInfo(*file).size())))
                return lookup.Drawings().Refusal();
            FileResult read = ReadIldaFile(*file, record.IldaImage);
            std::uint64_t points = 0;
            for (const TILDAframe& frame : record.IldaImage.Frames)
                points += frame.Points.size();
            if (!lookup.Drawings().Count(points)) {
                record.IldaImage = TILDAimage{};
                return lookup.Drawings().Refusal();
            }
            return read;
        }
        return FileResult::Success();
    }
    return FileResult::Success();
}
