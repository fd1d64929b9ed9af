// The selection and point-editing tools (modes 20..28) of the tool engine.

#include "editor/hit_tests.h"
#include "editor/tool_engine.h"

#include "model/trunc_to_int.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kScalePerPixel = 0.02;  // a drag of 50 pixels is the factor 1

}  // namespace

bool ToolEngine::EditDown(ToolButton button, bool ctrl, int x, int y)
{
    if (button == ToolButton::Right) {
        switch (m_mode) {
        case Tool::SelectPoints:
        case Tool::SelectObjects:
            if (m_toolPoints.empty())
                m_doc.ClearSelection();
            m_toolPoints.clear();
            return true;
        case Tool::MovePoint:
        case Tool::MoveObjects:
        case Tool::ScaleObjects:
            CancelPending();
            return true;
        default:
            return false;
        }
    }
    switch (m_mode) {
    case Tool::SelectPoints: SelectClick(x, y, false); break;
    case Tool::SelectObjects: SelectClick(x, y, true); break;
    case Tool::MovePoint: MovePointClick(x, y); break;
    case Tool::AddPoint:
    case Tool::LineColour:
    case Tool::LineBlanking:
    case Tool::PickColour: SegmentClick(x, y); break;
    case Tool::MoveObjects:
    case Tool::ScaleObjects: DragClick(ctrl, x, y); break;
    default: return false;
    }
    return true;
}

bool ToolEngine::EditMove(bool ctrl, int x, int y)
{
    switch (m_mode) {
    case Tool::SelectPoints:
    case Tool::SelectObjects:
        return true;
    case Tool::MovePoint:
        for (LaserPoint* point : m_doc.DistinctSelection()) {
            point->x = x;
            point->y = y;
        }
        return true;
    case Tool::MoveObjects:
    case Tool::ScaleObjects:
        // With copies, the band shows the moved copy; the points stay where they are.
        if (m_doc.CopyObjects)
            RestoreSaved();
        else
            ApplyDrag(ctrl, x, y, false);
        return true;
    default:
        return false;
    }
}

void ToolEngine::SelectClick(int x, int y, bool wholePaths)
{
    m_toolPoints.push_back(Click(x, y));
    m_hitFound = false;
    if (m_toolPoints.size() == 1) {
        for (Path& path : m_doc.Drawing) {
            if (wholePaths) {
                bool hit = false;
                for (std::size_t i = 1; i < path.size() && !hit; ++i)
                    hit = SegmentHit(*path[i - 1], *path[i], x, y);
                if (!hit)
                    continue;
                for (auto& point : path) {
                    point->mark = kMarkSelected;
                    m_doc.Selection.push_back(point.get());
                }
                m_hitFound = true;
                continue;
            }
            for (auto& point : path) {
                if (!PointBoxHit(*point, x, y))
                    continue;
                if (point->mark == kMarkSelected) {
                    std::erase(m_doc.Selection, point.get());
                    point->mark = kMarkNone;
                } else {
                    point->mark = kMarkSelected;
                    m_doc.Selection.push_back(point.get());
                }
                m_hitFound = true;
            }
        }
        if (m_hitFound)
            m_toolPoints.clear();
        return;
    }
    // The second corner of a box: a point already selected is named again.
    const LaserPoint a = m_toolPoints[0];
    const LaserPoint b = m_toolPoints[1];
    for (Path& path : m_doc.Drawing) {
        if (wholePaths) {
            const bool any = std::any_of(path.begin(), path.end(), [&](const auto& p) {
                return BoxHit(*p, a.x, a.y, b.x, b.y);
            });
            if (!any)
                continue;
            for (auto& point : path) {
                point->mark = kMarkSelected;
                m_doc.Selection.push_back(point.get());
            }
            continue;
        }
        for (auto& point : path) {
            if (BoxHit(*point, a.x, a.y, b.x, b.y)) {
                point->mark = kMarkSelected;
                m_doc.Selection.push_back(point.get());
            }
        }
    }
    m_toolPoints.clear();
}

void ToolEngine::MovePointClick(int x, int y)
{
    ConfineCursor();
    LaserPoint click = Click(x, y);
    click.blank = 1;
    m_toolPoints.push_back(click);
    if (m_toolPoints.size() == 1) {
        m_doc.ClearSelection();
        m_savedPoints.clear();
        for (Path& path : m_doc.Drawing) {
            auto hit = std::find_if(path.begin(), path.end(), [&](const auto& p) { return PointBoxHit(*p, x, y); });
            if (hit == path.end())
                continue;
            (*hit)->mark = kMarkSelected;
            m_doc.Selection.push_back(hit->get());
            m_savedPoints.push_back(**hit);
            break;
        }
        return;
    }
    for (LaserPoint* point : m_doc.Selection) {
        point->x = x;
        point->y = y;
        point->mark = kMarkNone;
    }
    const bool moved = !m_doc.Selection.empty();
    m_doc.Selection.clear();
    if (moved)
        m_doc.PushUndo();
    m_savedPoints.clear();
    m_toolPoints.clear();
    ReleaseCursor();
}

void ToolEngine::SegmentClick(int x, int y)
{
    LaserPoint click = Click(x, y);
    click.blank = 0;
    m_toolPoints.push_back(click);
    bool changed = false;
    for (Path& path : m_doc.Drawing) {
        for (std::size_t i = 1; i < path.size(); ++i) {
            LaserPoint& s = *path[i - 1];
            LaserPoint& e = *path[i];
            if (!SegmentHit(s, e, x, y))
                continue;
            const bool degenerate = s.x == e.x && s.y == e.y;
            if (m_mode == Tool::AddPoint) {
                auto inserted = std::make_unique<LaserPoint>();
                inserted->x = x;
                inserted->y = y;
                inserted->colour = e.colour;
                inserted->blank = e.blank;
                path.insert(path.begin() + std::ptrdiff_t(i), std::move(inserted));
                changed = true;
                break;  // one point per path
            }
            if (m_mode == Tool::PickColour) {
                m_doc.CurrentColor = degenerate ? s.colour : e.colour;
                break;  // the next path may still decide
            }
            if (m_mode == Tool::LineColour) {
                e.colour = std::uint8_t(m_doc.CurrentColor);
                if (degenerate)
                    s.colour = std::uint8_t(m_doc.CurrentColor);
            } else {
                e.blank = e.blank ? 0 : 1;
                if (degenerate)
                    s.blank = s.blank ? 0 : 1;
            }
            changed = true;
        }
    }
    if (changed && m_mode != Tool::PickColour)
        m_doc.PushUndo();
    m_toolPoints.clear();
}

void ToolEngine::DragClick(bool ctrl, int x, int y)
{
    ConfineCursor();
    m_toolPoints.push_back(Click(x, y));
    if (m_toolPoints.size() == 1) {
        // Saved afresh for every drag, so that restores always line up with the selection.
        m_savedPoints.clear();
        m_savedPoints.reserve(m_doc.Selection.size());
        for (const LaserPoint* point : m_doc.Selection) {
            LaserPoint saved = *point;
            if (m_mode == Tool::MoveObjects)
                saved.mark = kMarkNone;
            m_savedPoints.push_back(saved);
        }
        // A point named twice moves once: the distinct points are found here, once per drag.
        m_dragSelection = m_doc.Selection;
        m_dragged.clear();
        m_dragged.reserve(m_dragSelection.size());
        for (LaserPoint* point : m_dragSelection)
            m_dragged.push_back({point, point->x, point->y});
        std::sort(m_dragged.begin(), m_dragged.end(),
                  [](const DraggedPoint& a, const DraggedPoint& b) { return a.point < b.point; });
        m_dragged.erase(std::unique(m_dragged.begin(), m_dragged.end(),
                                    [](const DraggedPoint& a, const DraggedPoint& b) { return a.point == b.point; }),
                        m_dragged.end());
        return;
    }
    if (m_doc.CopyObjects)
        RestoreSaved();
    ApplyDrag(ctrl, x, y, true);
    if (!m_doc.Selection.empty())
        m_doc.PushUndo();
    m_savedPoints.clear();
    EndDrag();
    m_toolPoints.clear();
    ReleaseCursor();
}

void ToolEngine::EndDrag()
{
    m_dragSelection = {};
    m_dragged = {};
}

QPointF ToolEngine::ScaleFactors(bool ctrl, int x, int y) const
{
    const LaserPoint& a = m_toolPoints.front();
    double sx = double(x) - a.x;
    double sy = double(y) - a.y;
    if (ctrl) {
        const double ax = std::abs(double(TruncToInt(sx)));
        const double ay = std::abs(double(TruncToInt(sy)));
        if (ay <= ax)
            sy = sy <= 0 ? -ax : ax;
        else
            sx = sx <= 0 ? -ay : ay;
    }
    return {sx, sy};
}

namespace {

// What a drag does to one point, from the point's start.
struct DragChange {
    bool move = true;
    // Move: 64 bits, so that a point moved out to a limit stops there instead of wrapping.
    std::int64_t dx = 0, dy = 0;
    // Scale about the anchor.
    double fx = 0, fy = 0;
    int ax = 0, ay = 0;

    void operator()(LaserPoint& p) const
    {
        if (move) {
            p.x = SaturateToInt(p.x + dx);
            p.y = SaturateToInt(p.y + dy);
        } else {
            p.x = TruncToInt((double(p.x) - ax) * fx * kScalePerPixel + ax);
            p.y = TruncToInt((double(p.y) - ay) * fy * kScalePerPixel + ay);
        }
    }
};

}  // namespace

void ToolEngine::ApplyDrag(bool ctrl, int x, int y, bool final)
{
    const LaserPoint& a = m_toolPoints.front();
    DragChange change;
    change.move = m_mode == Tool::MoveObjects;
    if (change.move) {
        change.dx = std::int64_t{x} - a.x;
        change.dy = std::int64_t{y} - a.y;
    } else {
        const QPointF f = ScaleFactors(ctrl, x, y);
        change.fx = f.x();
        change.fy = f.y();
        change.ax = a.x;
        change.ay = a.y;
    }
    if (final && m_doc.CopyObjects) {
        m_doc.AppendCopiesOfSelectedPaths(change);
        return;
    }
    if (m_doc.Selection == m_dragSelection) {
        // The selection the drag began with: every distinct point once, from its start.
        for (const DraggedPoint& d : m_dragged) {
            d.point->x = d.x;
            d.point->y = d.y;
            change(*d.point);
        }
        return;
    }
    // The selection changed during the drag (a keyboard command): put back what lines up,
    // then move only points whose start was saved; one selected after the drag began stays put.
    RestoreSaved();
    const std::size_t saved = std::min(m_doc.Selection.size(), m_savedPoints.size());
    std::vector<LaserPoint*> dragged(m_doc.Selection.begin(), m_doc.Selection.begin() + std::ptrdiff_t(saved));
    std::sort(dragged.begin(), dragged.end());
    dragged.erase(std::unique(dragged.begin(), dragged.end()), dragged.end());
    for (LaserPoint* point : dragged)
        change(*point);
}

void ToolEngine::RestoreSaved()
{
    // The selection may have changed since the saves were taken: restore only what lines up.
    const std::size_t n = std::min(m_doc.Selection.size(), m_savedPoints.size());
    for (std::size_t i = 0; i < n; ++i) {
        m_doc.Selection[i]->x = m_savedPoints[i].x;
        m_doc.Selection[i]->y = m_savedPoints[i].y;
    }
}
