#pragma once
// The drawings of one read of a section or a sequence with its items: each
// distinct drawing file is read once and shared by every row and item that
// names it, and the points held by the read are bounded, so a show naming a
// large drawing many times, or very many large drawings, is refused with a
// message instead of running the machine out of memory.

#include "model/file_io.h"
#include "model/show_model.h"

#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <unordered_map>

/// The most points one read of a section or sequence may hold, counted once
/// per distinct drawing and per ILDA image: about 800 MB.
inline constexpr std::uint64_t kMaxPointsPerRead = 20'000'000;

/// Any thread. The message of a read refused by the bound.
QString TooManyPointsMessage(std::uint64_t limit = kMaxPointsPerRead);

class SharedDrawingReads {
public:
    explicit SharedDrawingReads(std::uint64_t pointLimit = kMaxPointsPerRead) : limit_(pointLimit) {}
    SharedDrawingReads(const SharedDrawingReads&) = delete;
    SharedDrawingReads& operator=(const SharedDrawingReads&) = delete;

    /// Any thread (one reader per thread). The drawing file at path (a found
    /// file), read at the first request and shared afterwards. A file that
    /// cannot be read gives its message each time it is asked for, with what
    /// was read of it (kept for the rows as a direct read would); a drawing
    /// that would take the read past the bound gives TooManyPointsMessage and
    /// nothing.
    FileResult Read(const QString& path, SharedDrawing& drawing);

    /// Counts points read outside the drawings (ILDA images); false when
    /// they take the read past the bound.
    bool Count(std::uint64_t points);

    /// Whether the bound refused something in this read.
    bool Exceeded() const { return exceeded_; }
    /// The refusal a reader gives once the bound was passed.
    FileResult Refusal() const { return FileResult::Failure(TooManyPointsMessage(limit_)); }
    /// Distinct drawing files read so far.
    std::size_t FilesRead() const { return drawings_.size(); }

private:
    struct Entry {
        SharedDrawing drawing;
        FileResult result;
    };
    std::uint64_t limit_;
    std::uint64_t points_ = 0;
    bool exceeded_ = false;
    std::unordered_map<QString, Entry> drawings_;
};
