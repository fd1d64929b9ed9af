#include "model/section_file.h"

#include "model/drawing_file.h"
#include "model/show_text.h"

#include <array>
#include <optional>

namespace {

using IntField = std::int32_t TSectionRecord::*;

// Fields 1..18 in line order; the name (0) and O (15) are stored apart.
constexpr int kPointDrawField = 15;
constexpr std::array<IntField, kSectionFieldCount> kIntFields = {
    nullptr,           &TSectionRecord::A, &TSectionRecord::B, &TSectionRecord::C, &TSectionRecord::D,
    &TSectionRecord::E, &TSectionRecord::F, &TSectionRecord::G, &TSectionRecord::H, &TSectionRecord::I,
    &TSectionRecord::J, &TSectionRecord::K, &TSectionRecord::L, &TSectionRecord::M, &TSectionRecord::N,
    nullptr,           &TSectionRecord::P, &TSectionRecord::Q, &TSectionRecord::R};

// Fields 0..18 of the line into record; the drawing is not touched.
// Views into the line: a long line is never copied field by field.
FileResult ParseFields(QStringView line, TSectionRecord& record)
{
    QStringView rest = line;
    for (int field = 0; field < kSectionFieldCount; ++field) {
        QStringView text;
        const qsizetype bar = rest.indexOf(u'|');
        if (bar >= 0) {
            text = rest.left(bar);
            rest = rest.mid(bar + 1);
        } else {
            // The last field present: every field after it is empty, so 0.
            text = rest;
            rest = QStringView();
        }

        if (field == 0) {
            record.FileName = text.toString();
            continue;
        }
        std::int32_t value = 0;
        if (!text.isEmpty()) {
            const std::optional<std::int32_t> parsed = ParseInt32(text);
            if (!parsed)
                return FileResult::Failure(NotAnIntegerMessage(text));
            value = *parsed;
        }
        if (field == kPointDrawField)
            record.O = static_cast<std::uint8_t>(value);  // a byte in every row, whatever was written
        else
            record.*kIntFields[static_cast<std::size_t>(field)] = value;
    }
    return FileResult::Success();
}

FileResult LoadRowDrawing(TSectionRecord& record, NameLookup& lookup)
{
    if (const std::optional<QString> drawing = lookup.FindFile(ShowFolder::Drawing, record.FileName))
        return lookup.Drawings().Read(*drawing, record.Paths);
    return FileResult::Success();
}

}  // namespace

FileResult ParseSectionLine(const QString& line, TSectionRecord& record, NameLookup& lookup)
{
    record.Paths.clear();
    if (FileResult result = ParseFields(line, record); !result)
        return result;
    return LoadRowDrawing(record, lookup);
}

FileResult ParseSectionLine(const QString& line, TSectionRecord& record, const ShowFolders& folders)
{
    NameLookup lookup(folders);
    return ParseSectionLine(line, record, lookup);
}

ShowTextRead ReadSectionFile(const QString& path, std::vector<TSectionRecord>& records, NameLookup& lookup)
{
    using Extent = ShowTextRead::Extent;
    QByteArray text;
    if (FileResult opened = ReadShowText(path, text); !opened)
        return ShowTextRead::Of(std::move(opened), Extent::Unchanged);

    // Every line is a row: a file with more than the read may hold is refused before any is made.
    const qsizetype lineCount = CountLines(text);
    if (!lookup.Drawings().CountRows(std::uint64_t(lineCount))) {
        records.clear();
        return ShowTextRead::Of(lookup.Drawings().Refusal(), Extent::Unchanged);
    }
    records.clear();
    records.reserve(static_cast<std::size_t>(lineCount));
    FileResult firstDrawingFailure = FileResult::Success();
    qsizetype pos = 0;
    QByteArrayView raw;
    while (NextLine(text, pos, raw)) {
        // Each name decoded on its own: a stray byte changes its own row only.
        const QString line = DecodeShowText(raw);
        TSectionRecord record;
        if (FileResult result = ParseFields(line, record); !result)
            return ShowTextRead::Of(std::move(result), Extent::Part);
        if (FileResult loaded = LoadRowDrawing(record, lookup); !loaded && firstDrawingFailure)
            firstDrawingFailure = std::move(loaded);
        if (lookup.Drawings().Exceeded()) {
            records.clear();
            return ShowTextRead::Of(lookup.Drawings().Refusal(), Extent::Unchanged);
        }
        records.push_back(std::move(record));
    }
    return ShowTextRead::Of(std::move(firstDrawingFailure), Extent::Whole);
}

ShowTextRead ReadSectionFile(const QString& path, std::vector<TSectionRecord>& records,
                             const ShowFolders& folders)
{
    NameLookup lookup(folders);
    return ReadSectionFile(path, records, lookup);
}

ShowTextRead ReadSharedSectionFile(const QString& path, std::vector<TSectionRecord>& records, NameLookup& lookup)
{
    using Extent = ShowTextRead::Extent;
    SharedDrawingReads& reads = lookup.Drawings();
    if (const SharedDrawingReads::Section* kept = reads.FindSection(path)) {
        // Counted before the copy, so a show that would not fit is refused before it is made.
        if (!reads.CountRows(kept->rows.size())) {
            records.clear();
            return ShowTextRead::Of(reads.Refusal(), Extent::Unchanged);
        }
        records = kept->rows;
        return kept->result;
    }
    ShowTextRead read = ReadSectionFile(path, records, lookup);
    if (!reads.Exceeded())
        reads.KeepSection(path, records, read);
    return read;
}
