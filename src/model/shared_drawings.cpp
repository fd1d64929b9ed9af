#include "model/shared_drawings.h"

#include "model/drawing_file.h"
#include "model/ilda_file.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Whether `count` more fit under `limit` with `held` already there, without overflow.
bool Fits(std::uint64_t count, std::uint64_t held, std::uint64_t limit)
{
    return count <= limit - std::min(held, limit);
}

}  // namespace

std::uint64_t KeptCount(const Drawing& drawing)
{
    return PointTotal(drawing) + kPathWeight * drawing.size();
}

std::uint64_t KeptCount(const TILDAimage& image)
{
    std::uint64_t kept = 0;
    for (const TILDAframe& frame : image.Frames)
        kept += frame.Points.size() + kFrameWeight;
    for (const TILDAcolorplatte& palette : image.Palettes)
        kept += kPaletteWeight + (palette.Colours.size() + kPaletteEntriesPerUnit - 1) / kPaletteEntriesPerUnit;
    return kept;
}

QString TooManyPointsMessage(std::uint64_t limit)
{
    return QStringLiteral("The show holds more than %1 points of drawings and images; it was not read.")
        .arg(limit);
}

QString TooManyRowsMessage(std::uint64_t limit)
{
    return QStringLiteral("The show holds more than %1 section rows and sequence items; it was not read.")
        .arg(limit);
}

bool SharedDrawingReads::FitsBeforeRead(std::uint64_t mostPoints)
{
    if (Fits(mostPoints, points_, pointLimit_))
        return true;
    exceeded_ = Bound::Points;
    return false;
}

bool SharedDrawingReads::Count(std::uint64_t points)
{
    if (!FitsBeforeRead(points))
        return false;
    points_ += points;
    return true;
}

bool SharedDrawingReads::CountRows(std::uint64_t rows)
{
    if (!Fits(rows, rows_, rowLimit_)) {
        exceeded_ = Bound::Rows;
        return false;
    }
    rows_ += rows;
    return true;
}

FileResult SharedDrawingReads::Refusal() const
{
    return FileResult::Failure(exceeded_ == Bound::Rows ? TooManyRowsMessage(rowLimit_)
                                                        : TooManyPointsMessage(pointLimit_));
}

const SharedDrawingReads::Section* SharedDrawingReads::FindSection(const QString& path) const
{
    const auto found = sections_.find(path);
    return found == sections_.end() ? nullptr : &found->second;
}

void SharedDrawingReads::KeepSection(const QString& path, const std::vector<TSectionRecord>& rows,
                                     ShowTextRead result)
{
    sections_.insert_or_assign(path, Section{rows, std::move(result)});
}

template <class Whole, class Shared, class ReadFile>
FileResult SharedDrawingReads::ReadOnce(std::unordered_map<QString, Entry<Shared>>& cache, const QString& path,
                                        Shared& out, std::uint64_t mostPoints, ReadFile readFile)
{
    if (const auto found = cache.find(path); found != cache.end()) {
        out = found->second.value;
        return found->second.result;
    }
    Entry<Shared> entry;
    // The file's size tells the most it can hold before it is read: a file that
    // cannot fit is never brought into memory.
    if (FitsBeforeRead(mostPoints)) {
        Whole read;
        FileResult result = readFile(read);
        if (Count(KeptCount(read))) {
            entry.value = Shared(std::move(read));
            entry.result = std::move(result);
        } else {
            entry.result = Refusal();
        }
    } else {
        entry.result = Refusal();
    }
    out = entry.value;
    FileResult answer = entry.result;
    cache.emplace(path, std::move(entry));
    return answer;
}

FileResult SharedDrawingReads::Read(const QString& path, SharedDrawing& drawing)
{
    return ReadOnce<Drawing>(drawings_, path, drawing, MostDrawingPoints(QFileInfo(path).size()),
                             [&](Drawing& read) { return ReadDrawingFile(path, read, kFileScale); });
}

FileResult SharedDrawingReads::ReadImage(const QString& path, SharedImage& image)
{
    return ReadOnce<TILDAimage>(images_, path, image, MostIldaPoints(QFileInfo(path).size()),
                                [&](TILDAimage& read) { return ReadIldaFile(path, read); });
}
