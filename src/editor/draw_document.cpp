#include "editor/draw_document.h"

#include <algorithm>
#include <unordered_set>

namespace {

::Drawing SnapshotCopy(const ::Drawing& drawing)
{
    ::Drawing copy = CopyDrawing(drawing);
    for (Path& path : copy)
        for (auto& point : path)
            point->mark = kMarkNone;
    return copy;
}

// What one point takes on the heap: an allocation of its own, with the
// allocator's header, at least 32 bytes.
constexpr std::size_t kPointAllocation = std::max<std::size_t>(32, (sizeof(LaserPoint) + 8 + 15) / 16 * 16);

// What a snapshot holds on the heap: every point owned from its path's array.
std::size_t SnapshotBytes(const ::Drawing& drawing)
{
    std::size_t bytes = drawing.capacity() * sizeof(Path);
    for (const Path& path : drawing)
        bytes += path.capacity() * sizeof(Path::value_type) + path.size() * kPointAllocation;
    return bytes;
}

// What a snapshot of `drawing` would hold, counted before it is taken: a copy
// holds every path and point of the drawing at its size.
std::size_t CopyBytes(const ::Drawing& drawing)
{
    std::size_t bytes = drawing.size() * sizeof(Path);
    for (const Path& path : drawing)
        bytes += path.size() * (sizeof(Path::value_type) + kPointAllocation);
    return bytes;
}

bool SameDrawing(const ::Drawing& a, const ::Drawing& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
        for (std::size_t j = 0; j < a[i].size(); ++j) {
            const LaserPoint& p = *a[i][j];
            const LaserPoint& q = *b[i][j];
            if (p.x != q.x || p.y != q.y || p.z != q.z || p.colour != q.colour || p.blank != q.blank)
                return false;
        }
    }
    return true;
}

}  // namespace

DrawDocument::DrawDocument()
{
    ResetHistory();
}

std::size_t DrawDocument::HistoryBytes() const
{
    std::size_t bytes = 0;
    for (const ::Drawing& snapshot : UndoSnapshots)
        bytes += SnapshotBytes(snapshot);
    return bytes;
}

void DrawDocument::SnapshotDrawing()
{
    UndoSnapshots.push_back(SnapshotCopy(Drawing));
}

void DrawDocument::PushUndo()
{
    // An erased point caught in a snapshot would come back on undo.
    PurgeErasedPoints();
    DeleteSnapshots(UndoIndex + 1, SnapshotCount());
    SnapshotDrawing();
    ++UndoIndex;
    if (SnapshotCount() > kMaxSnapshots) {
        DeleteSnapshot(0);
        --UndoIndex;
    }
    std::size_t bytes = HistoryBytes();
    while (bytes > HistoryByteLimit && UndoIndex > 0) {
        bytes -= SnapshotBytes(UndoSnapshots.front());
        DeleteSnapshot(0);
        --UndoIndex;
    }
}

void DrawDocument::RestoreSnapshot(int i)
{
    if (i < 0 || i >= SnapshotCount())
        return;
    Selection.clear();
    Drawing = SnapshotCopy(UndoSnapshots[static_cast<std::size_t>(i)]);
}

void DrawDocument::DeleteSnapshot(int i)
{
    if (i < 0 || i >= SnapshotCount())
        return;
    UndoSnapshots.erase(UndoSnapshots.begin() + i);
}

void DrawDocument::DeleteSnapshots(int first, int last)
{
    if (first < 0 || first >= SnapshotCount())
        return;
    last = std::min(last, SnapshotCount());
    if (last <= first)
        return;
    UndoSnapshots.erase(UndoSnapshots.begin() + first, UndoSnapshots.begin() + last);
}

bool DrawDocument::Undo()
{
    if (UndoIndex <= 0)
        return false;
    if (EndPendingWork)
        EndPendingWork();
    Selection.clear();
    --UndoIndex;
    RestoreSnapshot(UndoIndex);
    return true;
}

bool DrawDocument::Redo()
{
    if (UndoIndex + 1 >= SnapshotCount())
        return false;
    if (EndPendingWork)
        EndPendingWork();
    Selection.clear();
    ++UndoIndex;
    RestoreSnapshot(UndoIndex);
    return true;
}

void DrawDocument::NewDrawing()
{
    ReplaceDrawing({});
}

void DrawDocument::ResetHistory()
{
    DeleteSnapshots(0, SnapshotCount());
    UndoIndex = -1;
    // The first state counts against the bound like any other: a drawing whose copy would
    // not fit starts with an empty history instead of a second copy of itself.
    PurgeErasedPoints();
    if (CopyBytes(Drawing) > HistoryByteLimit)
        return;
    PushUndo();
}

void DrawDocument::ReplaceDrawing(::Drawing drawing)
{
    if (EndPendingWork)
        EndPendingWork();
    Selection.clear();
    Drawing = std::move(drawing);
    ResetHistory();
}

void DrawDocument::ReplaceDrawingAsEdit(::Drawing drawing)
{
    if (EndPendingWork)
        EndPendingWork();
    PurgeErasedPoints();
    // The drawing as it stands must be the state Undo goes back to.
    if (UndoIndex < 0 || UndoIndex >= SnapshotCount() ||
        !SameDrawing(Drawing, UndoSnapshots[static_cast<std::size_t>(UndoIndex)]))
        PushUndo();
    Selection.clear();
    Drawing = std::move(drawing);
    PushUndo();
}

void DrawDocument::PurgeErasedPoints()
{
    std::unordered_set<const LaserPoint*> gone;
    for (Path& path : Drawing) {
        auto erased = std::remove_if(path.begin(), path.end(), [&](const std::unique_ptr<LaserPoint>& p) {
            if (p->mark != kMarkErased)
                return false;
            gone.insert(p.get());
            return true;
        });
        path.erase(erased, path.end());
    }
    if (gone.empty())
        return;
    std::erase_if(Selection, [&](const LaserPoint* p) { return gone.count(p) != 0; });
}

void DrawDocument::ClearSelection()
{
    for (LaserPoint* point : Selection)
        point->mark = kMarkNone;
    Selection.clear();
}
