#include "editor/tool_engine.h"

#include "model/shape_generators.h"
#include "model/trunc_to_int.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::unique_ptr<LaserPoint> Copy(const LaserPoint& p, int z)
{
    auto copy = std::make_unique<LaserPoint>(p);
    copy->z = z;
    copy->mark = kMarkNone;
    return copy;
}

// Gives generated points their z, colour and blank: endsZ on the first and last
// point, middleZ between, the first point blanked.
void Finish(Path& path, int colour, int endsZ, int middleZ)
{
    for (std::size_t i = 0; i < path.size(); ++i) {
        LaserPoint& p = *path[i];
        p.z = (i == 0 || i + 1 == path.size()) ? endsZ : middleZ;
        p.colour = std::uint8_t(colour);
        p.mark = kMarkNone;
        p.blank = i == 0 ? 1 : 0;
    }
}

// Appends the line points strictly between a and b: z 0, not blanked.
void AppendLine(Path& path, const LaserPoint& a, const LaserPoint& b, int step, int colour)
{
    const std::size_t first = path.size();
    GenerateLinePoints(a.x, a.y, b.x, b.y, step, path);
    for (std::size_t i = first; i < path.size(); ++i) {
        path[i]->z = 0;
        path[i]->colour = std::uint8_t(colour);
        path[i]->blank = 0;
        path[i]->mark = kMarkNone;
    }
}

// Ctrl in the ellipse tool: the shorter side grows to the longer, towards the second corner.
void SquareUp(int x1, int y1, int& x2, int& y2)
{
    const int dx = std::abs(x1 - x2);
    const int dy = std::abs(y1 - y2);
    if (dy > dx) {
        if (x2 > x1)
            x2 = x1 + dy;
        else if (x2 < x1)
            x2 = x1 - dy;
    } else if (dy < dx) {
        if (y2 > y1)
            y2 = y1 + dx;
        else if (y2 < y1)
            y2 = y1 - dx;
    }
}

bool IsShapeTool(int mode) { return mode >= Tool::TwoPointLine && mode <= Tool::Point; }

}  // namespace

ToolEngine::ToolEngine(DrawDocument& document) : m_doc(document)
{
    m_doc.EndPendingWork = [this] { CancelPending(); };
}

ToolEngine::~ToolEngine()
{
    m_doc.EndPendingWork = nullptr;
}

QString ToolEngine::StatusText(int mode)
{
    switch (mode) {
    case Tool::TwoPointLine: return QStringLiteral("two point line");
    case Tool::MultiPointLine: return QStringLiteral("multiple point line");
    case Tool::Arc: return QStringLiteral("three point arc");
    case Tool::Ellipse: return QStringLiteral("ellipse");
    case Tool::Rectangle: return QStringLiteral("four point rectangle");
    case Tool::MultiPointRectangle: return QStringLiteral("multiple point rectangle");
    case Tool::Polygon: return QStringLiteral("polygon");
    case Tool::MultiPointPolygon: return QStringLiteral("multiple point polygon");
    case Tool::Point: return QStringLiteral("draw point");
    case Tool::SelectPoints: return QStringLiteral("select point");
    case Tool::SelectObjects: return QStringLiteral("select object");
    case Tool::MovePoint: return QStringLiteral("move point");
    case Tool::AddPoint: return QStringLiteral("add point");
    case Tool::LineColour: return QStringLiteral("change color for one line");
    case Tool::LineBlanking: return QStringLiteral("blank for one line");
    case Tool::MoveObjects: return QStringLiteral("Move objects");
    case Tool::ScaleObjects: return QStringLiteral("scale objects");
    default: return {};
    }
}

QString ToolEngine::SelectTool(int mode)
{
    CancelPending();
    m_mode = mode;
    return StatusText(mode);
}

void ToolEngine::CancelPending()
{
    if (!m_toolPoints.empty()) {
        if (m_mode == Tool::MovePoint) {
            RestoreSaved();
            m_doc.ClearSelection();
        } else if (m_mode == Tool::MoveObjects || m_mode == Tool::ScaleObjects) {
            RestoreSaved();
        }
    }
    m_objectStarted = false;
    m_toolPoints.clear();
    m_savedPoints.clear();
    EndDrag();
    m_mouseSeen = false;
    ReleaseCursor();
}

bool ToolEngine::MouseDown(ToolButton button, bool ctrl, int x, int y)
{
    if (button == ToolButton::Middle)
        return false;
    m_mouse = QPoint(x, y);
    m_ctrl = ctrl;
    if (IsShapeTool(m_mode))
        return ShapeDown(button, ctrl, x, y);
    if (m_mode >= Tool::SelectPoints && m_mode <= Tool::PickColour)
        return EditDown(button, ctrl, x, y);
    return false;
}

bool ToolEngine::MouseMove(bool ctrl, int x, int y)
{
    m_mouse = QPoint(x, y);
    m_ctrl = ctrl;
    m_mouseSeen = true;
    if (m_toolPoints.empty())
        return false;
    if (m_mode >= Tool::SelectPoints)
        return EditMove(ctrl, x, y);
    return m_mode >= Tool::TwoPointLine && m_mode <= Tool::MultiPointPolygon;
}

bool ToolEngine::MouseUp(ToolButton, bool, int, int)
{
    return false;
}

LaserPoint ToolEngine::Click(int x, int y) const
{
    LaserPoint p;
    p.x = x;
    p.y = y;
    p.colour = std::uint8_t(m_doc.CurrentColor);
    p.blank = m_toolPoints.empty() ? 1 : 0;
    return p;
}

QPoint ToolEngine::LineConstrained(bool ctrl, int x, int y) const
{
    if (!ctrl || m_toolPoints.empty())
        return {x, y};
    const LaserPoint& last = m_toolPoints.back();
    const int dx = std::abs(x - last.x);
    const int dy = std::abs(y - last.y);
    if (dy < dx)
        return {x, last.y};
    if (dy > dx)
        return {last.x, y};
    return {x, y};
}

Path& ToolEngine::CurrentObject()
{
    return m_doc.Drawing[m_currentObject];
}

bool ToolEngine::ShapeDown(ToolButton button, bool ctrl, int x, int y)
{
    if (button == ToolButton::Right) {
        if (m_mode == Tool::Point)
            return false;
        m_objectStarted = false;
        m_toolPoints.clear();
        ReleaseCursor();
        return true;
    }
    if (m_mode != Tool::Point)
        ConfineCursor();
    switch (m_mode) {
    case Tool::TwoPointLine:
    case Tool::MultiPointLine: LineClick(ctrl, x, y); break;
    case Tool::Arc: ArcClick(x, y); break;
    case Tool::Ellipse: EllipseClick(ctrl, x, y); break;
    case Tool::Rectangle:
    case Tool::MultiPointRectangle: RectangleClick(x, y); break;
    case Tool::Polygon:
    case Tool::MultiPointPolygon: PolygonClick(x, y); break;
    case Tool::Point: PointClick(x, y); break;
    default: break;
    }
    return true;
}

void ToolEngine::LineClick(bool ctrl, int x, int y)
{
    const QPoint at = LineConstrained(ctrl, x, y);
    m_toolPoints.push_back(Click(at.x(), at.y()));
    if (m_toolPoints.size() < 2)
        return;
    const LaserPoint a = m_toolPoints[m_toolPoints.size() - 2];
    const LaserPoint b = m_toolPoints.back();
    const bool multi = m_mode == Tool::MultiPointLine;
    // The stroke's path may have gone with a replaced drawing: start a new one then.
    if (m_objectStarted && m_currentObject >= m_doc.Drawing.size())
        m_objectStarted = false;
    Path started;
    Path& path = m_objectStarted ? CurrentObject() : started;
    if (!m_objectStarted)
        path.push_back(Copy(a, 2));
    if (multi)
        AppendLine(path, a, b, m_doc.PointDistance, m_doc.CurrentColor);
    path.push_back(Copy(b, multi ? 2 : 0));
    if (!m_objectStarted) {
        m_doc.Drawing.push_back(std::move(started));
        m_currentObject = m_doc.Drawing.size() - 1;
        m_objectStarted = true;
    }
    m_toolPoints.erase(m_toolPoints.begin(), m_toolPoints.end() - 1);
    m_doc.PushUndo();
}

void ToolEngine::ArcClick(int x, int y)
{
    m_toolPoints.push_back(Click(x, y));
    if (m_toolPoints.size() < 3)
        return;
    const LaserPoint& c = m_toolPoints[0];
    const LaserPoint& s = m_toolPoints[1];
    const LaserPoint& e = m_toolPoints[2];
    Path path;
    GenerateArcPoints(c.x, c.y, s.x, s.y, e.x, e.y, m_doc.PointDistance, path);
    Finish(path, m_doc.CurrentColor, 2, 0);
    m_doc.Drawing.push_back(std::move(path));
    m_doc.PushUndo();
    m_toolPoints.clear();
    ReleaseCursor();
}

void ToolEngine::EllipseClick(bool ctrl, int x, int y)
{
    m_toolPoints.push_back(Click(x, y));
    if (m_toolPoints.size() < 2)
        return;
    const int x1 = m_toolPoints[0].x;
    const int y1 = m_toolPoints[0].y;
    int x2 = m_toolPoints[1].x;
    int y2 = m_toolPoints[1].y;
    if (ctrl)
        SquareUp(x1, y1, x2, y2);
    Path path;
    GenerateEllipsePoints(x1, y1, x2, y2, m_doc.PointDistance, path);
    if (!path.empty()) {
        Finish(path, m_doc.CurrentColor, 2, 0);
        m_doc.Drawing.push_back(std::move(path));
        m_doc.PushUndo();
    }
    m_toolPoints.clear();
    ReleaseCursor();
}

void ToolEngine::RectangleClick(int x, int y)
{
    m_toolPoints.push_back(Click(x, y));
    if (m_toolPoints.size() < 2)
        return;
    ReleaseCursor();
    LaserPoint a = m_toolPoints[0];
    LaserPoint b = m_toolPoints[1];
    a.z = 2;
    b.z = 2;
    auto corner = [this](int cx, int cy) {
        LaserPoint p;
        p.x = cx;
        p.y = cy;
        p.z = 2;
        p.colour = std::uint8_t(m_doc.CurrentColor);
        return p;
    };
    const LaserPoint corners[5] = {a, corner(a.x, b.y), b, corner(b.x, a.y), corner(a.x, a.y)};
    Path path;
    for (int i = 0; i < 5; ++i) {
        if (i > 0 && m_mode == Tool::MultiPointRectangle)
            AppendLine(path, corners[i - 1], corners[i], m_doc.PointDistance, m_doc.CurrentColor);
        path.push_back(Copy(corners[i], 2));
    }
    m_doc.Drawing.push_back(std::move(path));
    m_doc.PushUndo();
    m_toolPoints.clear();
}

void ToolEngine::PolygonClick(int x, int y)
{
    LaserPoint click = Click(x, y);
    click.blank = 0;
    m_toolPoints.push_back(click);
    if (m_toolPoints.size() < 2)
        return;
    const LaserPoint& c = m_toolPoints[0];
    const LaserPoint& k = m_toolPoints[1];
    Path corners;
    GeneratePolygonPoints(c.x, c.y, k.x, k.y, m_doc.PolygonSides, corners);
    Finish(corners, m_doc.CurrentColor, 2, 2);
    m_toolPoints.clear();
    ReleaseCursor();
    // The filled polygon is built only from corners; the plain one is added even empty.
    if (m_mode == Tool::MultiPointPolygon && corners.empty())
        return;
    Path path;
    if (m_mode == Tool::MultiPointPolygon) {
        for (std::size_t i = 0; i < corners.size(); ++i) {
            if (i > 0)
                AppendLine(path, *corners[i - 1], *corners[i], m_doc.PointDistance, m_doc.CurrentColor);
            path.push_back(Copy(*corners[i], 2));
        }
    } else {
        path = std::move(corners);
    }
    m_doc.Drawing.push_back(std::move(path));
    m_doc.PushUndo();
}

void ToolEngine::PointClick(int x, int y)
{
    auto p = std::make_unique<LaserPoint>();
    p->x = x;
    p->y = y;
    p->z = 3;
    p->colour = std::uint8_t(m_doc.CurrentColor);
    p->blank = 1;
    Path path;
    path.push_back(std::move(p));
    m_doc.Drawing.push_back(std::move(path));
    m_doc.PushUndo();
}

RubberBand ToolEngine::Band() const
{
    RubberBand band;
    if (m_toolPoints.empty() || !m_mouseSeen)
        return band;
    const LaserPoint& first = m_toolPoints.front();
    const LaserPoint& last = m_toolPoints.back();
    const QPoint mouse = m_mouse;
    band.Colour = m_doc.CurrentColor;
    switch (m_mode) {
    case Tool::TwoPointLine:
    case Tool::MultiPointLine: {
        band.kind = RubberBand::Kind::Line;
        band.AnchorZ = last.z;
        band.Points = {QPoint(last.x, last.y), LineConstrained(m_ctrl, mouse.x(), mouse.y())};
        break;
    }
    case Tool::Arc:
        if (m_toolPoints.size() == 1) {
            band.kind = RubberBand::Kind::Line;
            band.AnchorZ = -1;
            band.Points = {QPoint(first.x, first.y), mouse};
        } else {
            band.kind = RubberBand::Kind::ArcPreview;
            band.Points = {QPoint(first.x, first.y)};
            Path arc;
            GenerateArcPoints(first.x, first.y, m_toolPoints[1].x, m_toolPoints[1].y, mouse.x(), mouse.y(),
                              m_doc.PointDistance, arc);
            Finish(arc, m_doc.CurrentColor, 0, 0);
            for (const auto& p : arc)
                band.Path.push_back(*p);
        }
        break;
    case Tool::Ellipse: {
        int x2 = mouse.x();
        int y2 = mouse.y();
        if (m_ctrl)
            SquareUp(first.x, first.y, x2, y2);
        band.kind = RubberBand::Kind::Ellipse;
        band.Colour = first.colour;
        band.Points = {QPoint(first.x, first.y), QPoint(x2, y2)};
        break;
    }
    case Tool::Rectangle:
    case Tool::MultiPointRectangle:
        band.kind = RubberBand::Kind::Rectangle;
        band.Points = {QPoint(first.x, first.y), QPoint(first.x, mouse.y()), mouse, QPoint(mouse.x(), first.y),
                       QPoint(first.x, first.y)};
        break;
    case Tool::Polygon:
    case Tool::MultiPointPolygon: {
        band.kind = RubberBand::Kind::PathPreview;
        Path corners;
        GeneratePolygonPoints(first.x, first.y, mouse.x(), mouse.y(), m_doc.PolygonSides, corners);
        Finish(corners, m_doc.CurrentColor, 2, 2);
        for (const auto& p : corners)
            band.Path.push_back(*p);
        break;
    }
    case Tool::SelectPoints:
    case Tool::SelectObjects:
        band.kind = RubberBand::Kind::SelectionBox;
        band.Points = {QPoint(first.x, first.y), mouse};
        break;
    case Tool::MoveObjects:
    case Tool::ScaleObjects:
        if (m_doc.CopyObjects && m_toolPoints.size() == 1) {
            band.kind = RubberBand::Kind::CopyPreview;
            band.Path = m_savedPoints;
            const QPointF f = m_mode == Tool::ScaleObjects ? ScaleFactors(m_ctrl, mouse.x(), mouse.y()) : QPointF();
            for (LaserPoint& p : band.Path) {
                if (m_mode == Tool::MoveObjects) {
                    p.x = SaturateToInt(std::int64_t{p.x} + mouse.x() - first.x);
                    p.y = SaturateToInt(std::int64_t{p.y} + mouse.y() - first.y);
                } else {
                    p.x = TruncToInt((double(p.x) - first.x) * f.x() * 0.02 + first.x);
                    p.y = TruncToInt((double(p.y) - first.y) * f.y() * 0.02 + first.y);
                }
            }
        }
        break;
    default: break;
    }
    return band;
}
