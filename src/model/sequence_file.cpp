#include "model/sequence_file.h"

#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/show_text.h"


#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

enum Part { kMusic, kTrack1, kTrack2, kTrack3, kPartCount };

constexpr std::array<QLatin1String, kPartCount> kTags = {
    QLatin1String("[Music]"), QLatin1String("[Track1]"), QLatin1String("[Track2]"), QLatin1String("[Track3]")};

// Lines [first, end) of one part, the first starting at byte `offset`; empty
// when its tag is missing.
struct LineRange {
    qsizetype first = 0;
    qsizetype end = 0;
    qsizetype offset = 0;
};

// Each part runs from after its tag (its first occurrence) to the next tag,
// whatever the order the tags come in, so a missing or misplaced tag never
// sends an index outside the lines or into another part. One pass over the
// bytes, keeping nothing per line.
std::array<LineRange, kPartCount> FindParts(QByteArrayView text)
{
    std::array<qsizetype, kPartCount> tagLine;
    std::array<qsizetype, kPartCount> after{};
    tagLine.fill(-1);
    qsizetype index = 0;
    qsizetype pos = 0;
    QByteArrayView line;
    while (NextLine(text, pos, line)) {
        for (int p = 0; p < kPartCount; ++p) {
            if (tagLine[p] < 0 && line == QByteArrayView(kTags[p].data(), kTags[p].size())) {
                tagLine[p] = index;
                after[p] = pos;
            }
        }
        ++index;
    }
    const qsizetype lineCount = index;

    std::array<LineRange, kPartCount> parts{};
    for (int p = 0; p < kPartCount; ++p) {
        if (tagLine[p] < 0)
            continue;
        qsizetype end = lineCount;
        for (int q = 0; q < kPartCount; ++q) {
            if (tagLine[q] > tagLine[p] && tagLine[q] < end)
                end = tagLine[q];
        }
        parts[p] = {tagLine[p] + 1, end, after[p]};
    }
    return parts;
}

// Views into the line: a long line is never copied.
FileResult ParseItemLine(QStringView line, TSequenceRecord& record)
{
    const qsizetype bar = line.indexOf(u'|');
    record.FileName = (bar >= 0 ? line.left(bar) : line).toString();
    const QStringView value = bar >= 0 ? line.mid(bar + 1) : QStringView();
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

// Reads the sequence into a new one; with a lookup, loads every item as it is
// read. The caller's sequence is replaced only when the file was read (whole
// or in part): a read refused or failed changes nothing.
ShowTextRead ReadSequence(const QString& path, TSequence& sequence, NameLookup* lookup)
{
    using Extent = ShowTextRead::Extent;
    QByteArray text;
    if (FileResult opened = ReadShowText(path, text); !opened)
        return ShowTextRead::Of(std::move(opened), Extent::Unchanged);

    const std::array<LineRange, kPartCount> parts = FindParts(text);
    // Every item counts, before any is made or read.
    qsizetype items = 0;
    for (int p = kTrack1; p <= kTrack3; ++p)
        items += parts[p].end - parts[p].first;
    if (lookup) {
        if (!lookup->Drawings().CountRows(std::uint64_t(items)))
            return ShowTextRead::Of(lookup->Drawings().Refusal(), Extent::Unchanged);
    } else if (std::uint64_t(items) > kMaxRowsPerRead) {
        return ShowTextRead::Of(FileResult::Failure(TooManyRowsMessage()), Extent::Unchanged);
    }

    TSequence read;
    QByteArrayView line;
    if (parts[kMusic].first < parts[kMusic].end) {
        qsizetype pos = parts[kMusic].offset;
        if (NextLine(text, pos, line))
            read.MusicFile = DecodeShowText(line);
    }

    std::array<std::vector<TSequenceRecord>*, kPartCount> tracks = {nullptr, &read.Track1, &read.Track2, &read.Track3};
    FileResult firstItemFailure = FileResult::Success();
    for (int p = kTrack1; p <= kTrack3; ++p) {
        tracks[p]->reserve(std::size_t(parts[p].end - parts[p].first));
        qsizetype pos = parts[p].offset;
        for (qsizetype i = parts[p].first; i < parts[p].end && NextLine(text, pos, line); ++i) {
            TSequenceRecord record;
            // Each name decoded on its own: a stray byte changes its own item only.
            if (FileResult result = ParseItemLine(DecodeShowText(line), record); !result) {
                sequence = std::move(read);
                return ShowTextRead::Of(std::move(result), Extent::Part);
            }
            if (lookup) {
                FileResult loaded = LoadSequenceItem(record, *lookup);
                if (!loaded && firstItemFailure)
                    firstItemFailure = std::move(loaded);
                if (lookup->Drawings().Exceeded())
                    return ShowTextRead::Of(lookup->Drawings().Refusal(), Extent::Unchanged);
            }
            tracks[p]->push_back(std::move(record));
        }
    }
    sequence = std::move(read);
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
    record.IldaImage.clear();

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
        if (const std::optional<QString> file = lookup.FindFile(ShowFolder::IldaImage, name))
            return lookup.Drawings().ReadImage(*file, record.IldaImage);
        return FileResult::Success();
    }
    return FileResult::Success();
}
