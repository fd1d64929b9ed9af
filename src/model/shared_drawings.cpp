#include "model/shared_drawings.h"

#include "model/drawing_file.h"

#include <algorithm>

QString TooManyPointsMessage(std::uint64_t limit)
{
    return QStringLiteral("The show holds more than %1 points of drawings and images; it was not read.")
        .arg(limit);
}

bool SharedDrawingReads::Count(std::uint64_t points)
{
    if (points > limit_ - std::min(points_, limit_)) {
        exceeded_ = true;
        return false;
    }
    points_ += points;
    return true;
}

FileResult SharedDrawingReads::Read(const QString& path, SharedDrawing& drawing)
{
    if (const auto found = drawings_.find(path); found != drawings_.end()) {
        drawing = found->second.drawing;
        return found->second.result;
    }
    Drawing read;
    FileResult result = ReadDrawingFile(path, read, kFileScale);
    Entry entry;
    if (Count(PointTotal(read))) {
        entry.drawing = SharedDrawing(std::move(read));
        entry.result = std::move(result);
    } else {
        entry.result = Refusal();
    }
    drawing = entry.drawing;
    FileResult answer = entry.result;
    drawings_.emplace(path, std::move(entry));
    return answer;
}
