// The Draw window's object commands: they act on the selection or on the
// whole drawing at once, and record a snapshot when the selection was not empty.

#include "editor/draw_document.h"

#include "model/trunc_to_int.h"

#include <QFileInfo>

#include <unordered_set>

namespace {

constexpr int kMirrorSum = 510;  // the canvas spans 0..510
constexpr int kRainbowColours = 7;

}  // namespace

std::vector<LaserPoint*> DrawDocument::DistinctSelection() const
{
    std::vector<LaserPoint*> distinct;
    std::unordered_set<const LaserPoint*> seen;
    for (LaserPoint* point : Selection)
        if (seen.insert(point).second)
            distinct.push_back(point);
    return distinct;
}

void DrawDocument::AppendCopiesOfSelectedPaths(const std::function<void(LaserPoint&)>& change)
{
    ::Drawing copies;
    for (const Path& path : Drawing) {
        Path copy;
        for (const auto& point : path) {
            if (point->mark != kMarkSelected)
                continue;
            auto moved = std::make_unique<LaserPoint>(*point);
            moved->mark = kMarkNone;
            change(*moved);
            copy.push_back(std::move(moved));
        }
        if (!copy.empty())
            copies.push_back(std::move(copy));
    }
    for (Path& path : copies)
        Drawing.push_back(std::move(path));
}

void DrawDocument::AddSelectedObjects(::Drawing paths)
{
    ClearSelection();
    for (Path& path : paths) {
        if (path.empty())
            continue;
        for (auto& p : path) {
            p->mark = kMarkSelected;
            Selection.push_back(p.get());
        }
        Drawing.push_back(std::move(path));
    }
    if (!Selection.empty())
        PushUndo();
}

namespace {

bool Mirror(DrawDocument& doc, const std::function<void(LaserPoint&)>& flip)
{
    if (doc.CopyObjects)
        doc.AppendCopiesOfSelectedPaths(flip);
    else
        for (LaserPoint* point : doc.DistinctSelection())
            flip(*point);
    if (doc.Selection.empty())
        return false;
    doc.PushUndo();
    return true;
}

}  // namespace

bool DrawDocument::MirrorH()
{
    return Mirror(*this, [](LaserPoint& p) { p.y = SaturateToInt(std::int64_t{kMirrorSum} - p.y); });
}

bool DrawDocument::MirrorV()
{
    return Mirror(*this, [](LaserPoint& p) { p.x = SaturateToInt(std::int64_t{kMirrorSum} - p.x); });
}

bool DrawDocument::EraseSelection()
{
    const bool any = !Selection.empty();
    for (LaserPoint* point : Selection)
        point->mark = kMarkErased;
    Selection.clear();
    PurgeErasedPoints();
    if (any)
        PushUndo();
    return any;
}

bool DrawDocument::ColourSelection()
{
    for (LaserPoint* point : Selection)
        point->colour = std::uint8_t(CurrentColor);
    if (Selection.empty())
        return false;
    PushUndo();
    return true;
}

bool DrawDocument::ToggleSelectionBlank()
{
    for (LaserPoint* point : DistinctSelection())
        point->blank = point->blank ? 0 : 1;
    if (Selection.empty())
        return false;
    PushUndo();
    return true;
}

bool DrawDocument::RainbowColours()
{
    for (std::size_t i = 0; i < Selection.size(); ++i)
        Selection[i]->colour = std::uint8_t(i % kRainbowColours + 1);
    if (Selection.empty())
        return false;
    PushUndo();
    return true;
}

void DrawDocument::SelectAll()
{
    Selection.clear();
    for (Path& path : Drawing)
        for (auto& point : path) {
            point->mark = kMarkSelected;
            Selection.push_back(point.get());
        }
}

void DrawDocument::SetPicture(const QString& fileName)
{
    PictureFileName = fileName;
    if (QFileInfo(fileName).isFile())
        PictureOn = true;
}

void DrawDocument::DropPicture()
{
    PictureFileName.clear();
    PictureOn = false;
}

int DrawDocument::CommitSettingText(const QString& text, int current, int minimum, int maximum)
{
    if (text.isEmpty())
        return current;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return current;
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return int(value);
}
