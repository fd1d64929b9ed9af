#pragma once
// The drawings, images and sections of one read of a section or a sequence
// with its items: each distinct drawing, ILDA image and section file is read
// once and shared by every row and item that names it, and what the read
// holds is bounded (points, paths, frames and palette entries; section rows
// and sequence items), so a show naming a large file many times, or very many
// large files, is refused with a message instead of running the machine out
// of memory.

#include "model/file_io.h"
#include "model/read_bounds.h"
#include "model/show_model.h"
#include "model/show_text.h"

#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

/// What a drawing counts for against the point bound: its points and paths.
std::uint64_t KeptCount(const Drawing& drawing);
/// What an image counts for: its points, frames, palettes and palette entries.
/// Never more than its file's size / 6, the most points the file can hold, so
/// the size tells before reading whether it can fit.
std::uint64_t KeptCount(const TILDAimage& image);

/// Any thread. The message of a read refused by the point bound.
QString TooManyPointsMessage(std::uint64_t limit = kMaxPointsPerRead);
/// Any thread. The message of a read refused by the rows-and-items bound.
QString TooManyRowsMessage(std::uint64_t limit = kMaxRowsPerRead);

class SharedDrawingReads {
public:
    explicit SharedDrawingReads(std::uint64_t pointLimit = kMaxPointsPerRead,
                                std::uint64_t rowLimit = kMaxRowsPerRead)
        : pointLimit_(pointLimit)
        , rowLimit_(rowLimit)
    {
    }
    SharedDrawingReads(const SharedDrawingReads&) = delete;
    SharedDrawingReads& operator=(const SharedDrawingReads&) = delete;

    /// Any thread (one reader per thread). The drawing file at path (a found
    /// file), read at the first request and shared afterwards. A file that
    /// cannot be read gives its message each time it is asked for, with what
    /// was read of it (kept for the rows as a direct read would); a drawing
    /// whose size alone would take the read past the point bound is not read
    /// and gives TooManyPointsMessage and nothing.
    FileResult Read(const QString& path, SharedDrawing& drawing);

    /// Any thread (one reader per thread). The ILDA image file at path, read at
    /// the first request and shared afterwards, as Read shares drawings; an
    /// image whose size alone would take the read past the point bound is not read.
    FileResult ReadImage(const QString& path, SharedImage& image);

    /// Before a file is read: false, and the read refused, when the most points
    /// the file can hold would take the read past the point bound.
    bool FitsBeforeRead(std::uint64_t mostPoints);
    /// Counts points read outside the drawings (ILDA images); false when
    /// they take the read past the point bound.
    bool Count(std::uint64_t points);
    /// Counts section rows and sequence items; false when they take the read
    /// past the rows-and-items bound.
    bool CountRows(std::uint64_t rows);

    /// A section file kept for the rest of this read, with the result of its read.
    struct Section {
        std::vector<TSectionRecord> rows;
        ShowTextRead result;
    };
    /// The section file at path read earlier in this read, or nullptr.
    const Section* FindSection(const QString& path) const;
    /// Keeps a copy of a section file's rows for the items after it that name it.
    void KeepSection(const QString& path, const std::vector<TSectionRecord>& rows, ShowTextRead result);

    /// Whether a bound refused something in this read.
    bool Exceeded() const { return exceeded_ != Bound::None; }
    /// The refusal a reader gives once a bound was passed.
    FileResult Refusal() const;
    /// Distinct drawing files read so far.
    std::size_t FilesRead() const { return drawings_.size(); }
    /// Distinct section files read so far.
    std::size_t SectionFilesRead() const { return sections_.size(); }

private:
    enum class Bound { None, Points, Rows };
    /// A file read once in this read: what it gave (shared) and the result of its read.
    template <class Shared>
    struct Entry {
        Shared value;
        FileResult result;
    };
    /// The file at path from cache, or read by readFile into a `Whole` when the
    /// most points its size can hold still fit, counted by what it keeps.
    template <class Whole, class Shared, class ReadFile>
    FileResult ReadOnce(std::unordered_map<QString, Entry<Shared>>& cache, const QString& path, Shared& out,
                        std::uint64_t mostPoints, ReadFile readFile);

    std::uint64_t pointLimit_;
    std::uint64_t rowLimit_;
    std::uint64_t points_ = 0;
    std::uint64_t rows_ = 0;
    Bound exceeded_ = Bound::None;
    std::unordered_map<QString, Entry<SharedDrawing>> drawings_;
    std::unordered_map<QString, Entry<SharedImage>> images_;
    std::unordered_map<QString, Section> sections_;
};
