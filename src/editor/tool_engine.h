#pragma once
// The Draw window's canvas tools: what a press, a move or a release on the
// canvas does in each ToolMode, on a DrawDocument. No widgets: the window
// forwards mouse events (already in canvas coordinates) and repaints after each.
//
// Modes: 0 none; 1..9 the shape tools; 20..28 the selection and point tools.
// The left button collects points, the right button ends or cancels, the middle
// button does nothing. Tools that collect several points hold the pointer
// (Grabbing) from their first click to their end, so the window can keep the
// mouse on the canvas meanwhile.
//
// The engine installs itself as the document's EndPendingWork: every
// replacement of the drawing first ends an open stroke, a pending box and a
// drag, so nothing ever refers to a path that is gone.

#include "editor/draw_document.h"
#include "model/painters.h"

#include <QPoint>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

enum class ToolButton { Left, Right, Middle };

/// Tool modes by name.
namespace Tool {
inline constexpr int None = 0;
inline constexpr int TwoPointLine = 1;
inline constexpr int MultiPointLine = 2;
inline constexpr int Arc = 3;
inline constexpr int Ellipse = 4;
inline constexpr int Rectangle = 5;
inline constexpr int MultiPointRectangle = 6;
inline constexpr int Polygon = 7;
inline constexpr int MultiPointPolygon = 8;
inline constexpr int Point = 9;
inline constexpr int SelectPoints = 20;
inline constexpr int SelectObjects = 21;
inline constexpr int MovePoint = 22;
inline constexpr int AddPoint = 23;
inline constexpr int LineColour = 24;
inline constexpr int LineBlanking = 25;
inline constexpr int MoveObjects = 26;
inline constexpr int ScaleObjects = 27;
inline constexpr int PickColour = 28;
}  // namespace Tool

/// What the canvas shows over the drawing while a tool runs.
struct RubberBand {
    enum class Kind {
        None,
        Line,          ///< Points[0] to Points[1]; markers at Points[0]
        ArcPreview,    ///< a square at Points[0] (the centre); Path the arc
        Ellipse,       ///< box Points[0]..Points[1]
        Rectangle,     ///< closed outline through Path
        PathPreview,   ///< Path drawn as a polyline with square markers (polygons)
        SelectionBox,  ///< filled red box Points[0]..Points[1], under the drawing
        CopyPreview,   ///< Path: the selection moved or scaled, drawn as one polyline
    };
    Kind kind = Kind::None;
    std::vector<QPoint> Points;
    std::vector<LaserPoint> Path;
    /// Palette index of the pen.
    int Colour = 0;
    /// z of the anchor point (markers of the line tools: 0 circle, 2 square).
    int AnchorZ = 0;
};

class ToolEngine {
public:
    /// GUI thread. Becomes the document's EndPendingWork.
    explicit ToolEngine(DrawDocument& document);
    ~ToolEngine();
    ToolEngine(const ToolEngine&) = delete;
    ToolEngine& operator=(const ToolEngine&) = delete;

    int ToolMode() const { return m_mode; }
    /// A tool button: ends the pending work of the current tool as its right button
    /// would, then switches. Returns the tool's status text (empty for pick colour).
    QString SelectTool(int mode);
    /// The status text a tool button writes.
    static QString StatusText(int mode);

    /// A press on the canvas. Returns true when the drawing or the view changed.
    bool MouseDown(ToolButton button, bool ctrl, int x, int y);
    /// A move over the canvas (rubber bands and drags). Returns true when the view changed.
    bool MouseMove(bool ctrl, int x, int y);
    /// A release: no tool acts on it. Returns false.
    bool MouseUp(ToolButton button, bool ctrl, int x, int y);

    /// Ends an open stroke, a pending box or pick and a drag (restoring the dragged
    /// points), and lets go of the pointer. Keeps the selection of the select tools.
    void CancelPending();

    /// True from the first click of a multi-click tool to its end or cancel.
    bool Grabbing() const { return m_grabbing; }
    /// What to draw over the drawing now.
    RubberBand Band() const;
    /// Points clicked so far for the shape in progress.
    const std::vector<LaserPoint>& ToolPoints() const { return m_toolPoints; }
    /// Copies of the dragged points taken at a drag's first click.
    const std::vector<LaserPoint>& SavedPoints() const { return m_savedPoints; }
    /// A line stroke (modes 1, 2) is open.
    bool ObjectStarted() const { return m_objectStarted; }
    /// The last selection click hit something.
    bool HitFound() const { return m_hitFound; }

private:
    // Shape tools (tool_engine.cpp).
    bool ShapeDown(ToolButton button, bool ctrl, int x, int y);
    void LineClick(bool ctrl, int x, int y);
    void ArcClick(int x, int y);
    void EllipseClick(bool ctrl, int x, int y);
    void RectangleClick(int x, int y);
    void PolygonClick(int x, int y);
    void PointClick(int x, int y);
    QPoint LineConstrained(bool ctrl, int x, int y) const;
    LaserPoint Click(int x, int y) const;
    Path& CurrentObject();
    // Selection and point tools (point_tools.cpp).
    bool EditDown(ToolButton button, bool ctrl, int x, int y);
    bool EditMove(bool ctrl, int x, int y);
    void SelectClick(int x, int y, bool wholePaths);
    void MovePointClick(int x, int y);
    void SegmentClick(int x, int y);
    void DragClick(bool ctrl, int x, int y);
    void ApplyDrag(bool ctrl, int x, int y, bool final);
    void RestoreSaved();
    void EndDrag();
    QPointF ScaleFactors(bool ctrl, int x, int y) const;
    void ConfineCursor() { m_grabbing = true; }
    void ReleaseCursor() { m_grabbing = false; }

    DrawDocument& m_doc;
    int m_mode = Tool::None;
    std::vector<LaserPoint> m_toolPoints;
    std::vector<LaserPoint> m_savedPoints;
    // Fixed for a drag: the selection it began with, and each distinct point of
    // it with its start, so that a move places every point once, with no sort.
    struct DraggedPoint {
        LaserPoint* point;
        std::int32_t x;
        std::int32_t y;
    };
    std::vector<LaserPoint*> m_dragSelection;
    std::vector<DraggedPoint> m_dragged;
    // The path modes 1 and 2 extend, by index into the drawing.
    std::size_t m_currentObject = 0;
    bool m_objectStarted = false;
    bool m_hitFound = false;
    bool m_grabbing = false;
    // Last mouse position over the canvas, for the rubber bands.
    QPoint m_mouse;
    bool m_ctrl = false;
    bool m_mouseSeen = false;
};
