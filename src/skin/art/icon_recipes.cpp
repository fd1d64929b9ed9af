// Each recipe draws on a 22 x 22 grid scaled to the icon's size, in the
// colours of the bundled icon theme so the two sets sit together on a bar:
// dark strokes for shapes, blue for what is selected, red and green for beams.

#include "skin/art/icon_recipes.h"

#include "skin/art/program_emblem.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>
#include <utility>

namespace {

const QColor kInk(35, 38, 41);        // strokes, as the theme's text colour
const QColor kBlue(61, 174, 233);     // selection and handles
const QColor kRed(218, 68, 83);       // beam, delete
const QColor kGreen(39, 174, 96);     // beam, add
const QColor kOrange(246, 116, 0);
const QColor kGrey(127, 140, 141);

using Recipe = std::function<void(QPainter&)>;

QPen Stroke(const QColor& c, qreal w = 1.5, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(c, w, style, Qt::RoundCap, Qt::RoundJoin);
}

void Dot(QPainter& p, QPointF c, qreal r, const QColor& fill)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
    p.restore();
}

void Handle(QPainter& p, QPointF c, const QColor& edge = kBlue)
{
    p.save();
    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(c.x() - 1.75, c.y() - 1.75, 3.5, 3.5));
    p.restore();
}

// The canvas's marks, so a tool's icon shows the points the tool leaves: a ring
// on a vertex the operator placed, a small square on any other point.
void Vertex(QPainter& p, QPointF c, const QColor& edge = kBlue)
{
    p.save();
    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 2.25, 2.25);
    p.restore();
}

void PlainPoint(QPainter& p, QPointF c, const QColor& fill = kInk)
{
    // On the pixel grid at the bar's size, so the square stays square.
    const QPointF at(std::floor(c.x()) + 0.5, std::floor(c.y()) + 0.5);
    p.fillRect(QRectF(at.x() - 1.5, at.y() - 1.5, 3, 3), fill);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, qreal head = 3)
{
    p.save();
    p.setPen(Stroke(c, 1.4));
    p.drawLine(from, to);
    const qreal a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const QPointF l(to.x() - head * std::cos(a - 0.5), to.y() - head * std::sin(a - 0.5));
    const QPointF r(to.x() - head * std::cos(a + 0.5), to.y() - head * std::sin(a + 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({to, l, r}));
    p.restore();
}

// The laser as the windows show it: a small emitter box on the left.
void Emitter(QPainter& p, const QColor& lens)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(90, 96, 104));
    p.drawRoundedRect(QRectF(1.5, 7.5, 7, 7), 1, 1);
    Dot(p, QPointF(8.5, 11), 1.3, lens);
}

// A shape and its mirror image either side of a plumb line: the picture turned
// left to right (x = 255 - x). MirrorV is the same turned top to bottom.
void MirrorH(QPainter& p)
{
    p.setPen(Stroke(kBlue, 1, Qt::DashLine));
    p.drawLine(QPointF(11, 1.5), QPointF(11, 20.5));
    p.setPen(QPen(kInk, 1));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(9, 4.5), QPointF(9, 17.5), QPointF(2.5, 17.5)}));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(13, 4.5), QPointF(13, 17.5), QPointF(19.5, 17.5)}));
}

void MirrorV(QPainter& p)
{
    p.translate(22, 0);
    p.rotate(90);
    MirrorH(p);
}

void Blanking(QPainter& p)
{
    p.setPen(Stroke(kRed, 2));
    p.drawLine(QPointF(2.5, 16), QPointF(7.5, 6));
    p.drawLine(QPointF(14.5, 16), QPointF(19.5, 6));
    p.setPen(Stroke(kGrey, 1.2, Qt::DotLine));
    p.drawLine(QPointF(7.5, 6), QPointF(14.5, 16));
    Dot(p, QPointF(7.5, 6), 1.6, kInk);
    Dot(p, QPointF(14.5, 16), 1.6, kInk);
}

void Rainbow(QPainter& p)
{
    const QColor bands[] = {QColor(230, 40, 40), QColor(246, 140, 0), QColor(240, 210, 0),
                            QColor(39, 174, 96), QColor(41, 128, 215), QColor(142, 68, 173)};
    qreal r = 9.5;
    for (const QColor& c : bands) {
        p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(11 - r, 17 - r, 2 * r, 2 * r), 0, 180 * 16);
        r -= 1.5;
    }
}

void ColourChange(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kRed);
    p.drawRect(QRectF(2.5, 2.5, 8, 8));
    p.setBrush(kGreen);
    p.drawRect(QRectF(11.5, 11.5, 8, 8));
    QPainterPath bend;
    bend.moveTo(13, 6.5);
    bend.quadTo(17, 6.5, 17, 9.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(kInk, 1.3));
    p.drawPath(bend);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(14.8, 9), QPointF(19.2, 9), QPointF(17, 11.4)}));
}

// A lone point, which the canvas marks with a larger square.
void Point(QPainter& p)
{
    p.setPen(Stroke(kGrey, 1));
    p.drawLine(QPointF(11, 1.5), QPointF(11, 6));
    p.drawLine(QPointF(11, 16), QPointF(11, 20.5));
    p.drawLine(QPointF(1.5, 11), QPointF(6, 11));
    p.drawLine(QPointF(16, 11), QPointF(20.5, 11));
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7.5, 7.5, 7, 7));
    Dot(p, QPointF(11, 11), 1, kInk);
}

// The points a tool generates between its clicked corners.
void GeneratedPoints(QPainter& p, const QPolygonF& corners, int perSide)
{
    for (int i = 1; i < corners.size(); ++i)
        for (int k = 1; k <= perSide; ++k) {
            const qreal t = qreal(k) / (perSide + 1);
            PlainPoint(p, corners[i - 1] + (corners[i] - corners[i - 1]) * t);
        }
}

void Corners(QPainter& p, const QPolygonF& corners)
{
    for (const QPointF& c : corners)
        Vertex(p, c);
}

// A line through the clicked points only: the first is a placed vertex, the later ones plain points.
void Line(QPainter& p)
{
    const QPolygonF pts({QPointF(3.5, 18.5), QPointF(9.5, 5.5), QPointF(18.5, 13.5)});
    p.setPen(Stroke(kGrey, 1.5));
    p.drawPolyline(pts);
    Vertex(p, pts[0]);
    PlainPoint(p, pts[1]);
    PlainPoint(p, pts[2]);
}

// Every clicked point a vertex, with generated points along each segment.
void Polyline(QPainter& p)
{
    const QPolygonF pts({QPointF(3, 18), QPointF(9, 5), QPointF(19, 13)});
    p.setPen(Stroke(kGrey, 1));
    p.drawPolyline(pts);
    GeneratedPoints(p, pts, 2);
    Corners(p, pts);
}

// Centre, start and end clicked: the arc keeps its two ends as vertices and
// the points between; the centre (a small cross) is not kept.
void Arc(QPainter& p)
{
    const QPointF centre(11, 14);
    const qreal r = 7.5;
    p.setPen(Stroke(kGrey, 1.5));
    p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
    for (int degrees : {45, 90, 135}) {
        const qreal a = degrees * M_PI / 180;
        PlainPoint(p, centre + QPointF(r * std::cos(a), -r * std::sin(a)));
    }
    p.setPen(Stroke(kGrey, 1));
    p.drawLine(centre - QPointF(1.5, 0), centre + QPointF(1.5, 0));
    p.drawLine(centre - QPointF(0, 1.5), centre + QPointF(0, 1.5));
    Vertex(p, centre + QPointF(-r, 0));
    Vertex(p, centre + QPointF(r, 0));
}

// The ellipse starts and ends at its right-hand point, a vertex; the points
// between are generated.
void Ellipse(QPainter& p)
{
    const QPointF centre(10.5, 11);
    const qreal a = 8;
    const qreal b = 5.5;
    p.setPen(Stroke(kGrey, 1.5));
    p.drawEllipse(centre, a, b);
    for (int degrees = 60; degrees < 360; degrees += 60) {
        const qreal t = degrees * M_PI / 180;
        PlainPoint(p, centre + QPointF(a * std::cos(t), b * std::sin(t)));
    }
    Vertex(p, centre + QPointF(a, 0));
}

QPolygonF RectangleCorners()
{
    return QPolygonF({QPointF(3, 5), QPointF(3, 17), QPointF(19, 17), QPointF(19, 5), QPointF(3, 5)});
}

// Five sides, as the polygon tools start with.
QPolygonF PentagonCorners()
{
    QPolygonF corners;
    for (int i = 0; i <= 5; ++i) {
        const qreal a = -M_PI / 2 + i * 2 * M_PI / 5;
        corners << QPointF(11 + 8.5 * std::cos(a), 12 + 8.5 * std::sin(a));
    }
    return corners;
}

void Outline(QPainter& p, const QPolygonF& corners, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(corners);
}

void Rectangle(QPainter& p)
{
    Outline(p, RectangleCorners(), kInk, 1.5);
    Corners(p, RectangleCorners());
}

void RectanglePoints(QPainter& p)
{
    Outline(p, RectangleCorners(), kGrey, 1);
    GeneratedPoints(p, RectangleCorners(), 2);
    Corners(p, RectangleCorners());
}

void Polygon(QPainter& p)
{
    Outline(p, PentagonCorners(), kInk, 1.5);
    Corners(p, PentagonCorners());
}

void PolygonPoints(QPainter& p)
{
    Outline(p, PentagonCorners(), kGrey, 1);
    GeneratedPoints(p, PentagonCorners(), 1);
    Corners(p, PentagonCorners());
}

void Cursor(QPainter& p, QPointF tip)
{
    QPolygonF arrow({QPointF(0, 0), QPointF(0, 9), QPointF(2.3, 7), QPointF(4, 10.5), QPointF(5.5, 9.8),
                     QPointF(3.8, 6.4), QPointF(6.8, 6.4)});
    arrow.translate(tip);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kInk);
    p.drawPolygon(arrow);
}

void SelectBox(QPainter& p)
{
    p.setPen(QPen(kBlue, 1.2, Qt::DashLine));
    p.setBrush(QColor(61, 174, 233, 50));
    p.drawRect(QRectF(2.5, 2.5, 13, 11));
    Cursor(p, QPointF(12.5, 10.5));
}

// A whole path taken by a click on one of its segments.
void SelectObject(QPainter& p)
{
    const QPolygonF path({QPointF(2.5, 13), QPointF(7, 3), QPointF(13, 9), QPointF(19.5, 3)});
    p.setPen(Stroke(kBlue, 1.6));
    p.drawPolyline(path);
    for (const QPointF& pt : path)
        Handle(p, pt);
    Cursor(p, QPointF(10, 6.5));
}

// One segment of a path takes the current colour.
void LineColour(QPainter& p)
{
    const QPolygonF path({QPointF(2.5, 17), QPointF(7.5, 5), QPointF(14.5, 17), QPointF(19.5, 5)});
    p.setPen(Stroke(kInk, 1.4));
    p.drawPolyline(path);
    p.setPen(Stroke(kRed, 2.6));
    p.drawLine(path[1], path[2]);
    for (const QPointF& pt : path)
        Vertex(p, pt, kInk);
}

void MovePoints(QPainter& p)
{
    const QPointF c(11, 11);
    Arrow(p, c, QPointF(11, 1.5), kInk);
    Arrow(p, c, QPointF(11, 20.5), kInk);
    Arrow(p, c, QPointF(1.5, 11), kInk);
    Arrow(p, c, QPointF(20.5, 11), kInk);
    Handle(p, c);
}

void InsertPoint(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.5));
    p.drawLine(QPointF(3, 17), QPointF(19, 17));
    Vertex(p, QPointF(3, 17));
    Vertex(p, QPointF(19, 17));
    // The inserted point is a plain point of the path.
    PlainPoint(p, QPointF(11, 17), kGreen);
    Arrow(p, QPointF(11, 3), QPointF(11, 13.5), kGreen);
}

void DeletePoint(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.5));
    p.drawPolyline(QPolygonF({QPointF(3, 18), QPointF(8, 10), QPointF(13, 18)}));
    Vertex(p, QPointF(3, 18));
    Vertex(p, QPointF(13, 18));
    Vertex(p, QPointF(8, 10));
    p.setPen(Stroke(kRed, 2));
    p.drawLine(QPointF(13, 2.5), QPointF(19.5, 9));
    p.drawLine(QPointF(19.5, 2.5), QPointF(13, 9));
}

void Scale(QPainter& p)
{
    p.setPen(QPen(kGrey, 1, Qt::DashLine));
    p.drawRect(QRectF(2.5, 2.5, 17, 17));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(61, 174, 233, 70));
    p.drawRect(QRectF(2.5, 11.5, 8, 8));
    Arrow(p, QPointF(9, 13), QPointF(18.5, 3.5), kBlue, 3.5);
}

void ShowPoints(QPainter& p)
{
    const QPolygonF pts({QPointF(3, 16), QPointF(7, 5), QPointF(11, 13), QPointF(15, 4), QPointF(19, 17)});
    p.setPen(Stroke(kGrey, 1));
    p.drawPolyline(pts);
    for (const QPointF& pt : pts)
        Dot(p, pt, 2, kOrange);
}

void LaserPlay(QPainter& p)
{
    Emitter(p, kGreen);
    p.setPen(Stroke(QColor(39, 174, 96, 110), 3));
    p.drawLine(QPointF(9.5, 11), QPointF(20.5, 4));
    p.setPen(Stroke(QColor(60, 230, 120), 1.2));
    p.drawLine(QPointF(9.5, 11), QPointF(20.5, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(12, 13), QPointF(12, 21), QPointF(19, 17)}));
}

void LaserStop(QPainter& p)
{
    Emitter(p, kGrey);
    p.setPen(QPen(QColor(150, 40, 50), 1));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(12.5, 12.5, 8, 8), 1, 1);
    p.setPen(Stroke(kGrey, 1, Qt::DotLine));
    p.drawLine(QPointF(10, 11), QPointF(20.5, 4));
}

void Repeat(QPainter& p)
{
    p.setPen(Stroke(kInk, 1.6));
    p.drawArc(QRectF(3.5, 4.5, 15, 13), 30 * 16, 150 * 16);
    p.drawArc(QRectF(3.5, 4.5, 15, 13), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    // Heads at the ends of both arcs, each pointing on around the loop.
    p.drawPolygon(QPolygonF({QPointF(14.8, 2.6), QPointF(18.6, 6.8), QPointF(13.4, 7.6)}));
    p.drawPolygon(QPolygonF({QPointF(7.2, 19.4), QPointF(3.4, 15.2), QPointF(8.6, 14.4)}));
}

void Hold(QPainter& p)
{
    // A pin holding a frame in place.
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(61, 174, 233, 60));
    p.drawRect(QRectF(2.5, 8.5, 15, 11));
    p.setPen(Stroke(kInk, 1.3));
    p.drawLine(QPointF(12, 10), QPointF(15.5, 6.5));
    p.setPen(QPen(QColor(150, 40, 50), 1));
    p.setBrush(kRed);
    p.drawEllipse(QPointF(17, 5), 3.6, 3.6);
}

void OutputSettings(QPainter& p)
{
    const qreal knobs[] = {14, 6, 11};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 5.5 + i * 5.5;
        p.setPen(Stroke(kGrey, 1.2));
        p.drawLine(QPointF(2.5, y), QPointF(19.5, y));
        p.setPen(QPen(kInk, 1));
        p.setBrush(i == 1 ? kRed : Qt::white);
        p.drawRect(QRectF(knobs[i] - 1.5, y - 2.5, 3, 5));
    }
}

void Grid(QPainter& p)
{
    p.setPen(QPen(kGrey, 1));
    for (int i = 0; i < 4; ++i) {
        const qreal v = 3.5 + i * 5;
        p.drawLine(QPointF(v, 2.5), QPointF(v, 19.5));
        p.drawLine(QPointF(2.5, v), QPointF(19.5, v));
    }
    Dot(p, QPointF(8.5, 13.5), 1.6, kBlue);
}

void Program(QPainter& p) { PaintProgramEmblem(p, QRectF(0, 0, 22, 22)); }

const std::vector<std::pair<QString, Recipe>>& Recipes()
{
    static const std::vector<std::pair<QString, Recipe>> recipes = {
        {QStringLiteral("zarn-program"), Program},
        {QStringLiteral("zarn-mirror-h"), MirrorH},
        {QStringLiteral("zarn-mirror-v"), MirrorV},
        {QStringLiteral("zarn-blanking"), Blanking},
        {QStringLiteral("zarn-rainbow"), Rainbow},
        {QStringLiteral("zarn-colour-change"), ColourChange},
        {QStringLiteral("zarn-point"), Point},
        {QStringLiteral("zarn-line"), Line},
        {QStringLiteral("zarn-polyline"), Polyline},
        {QStringLiteral("zarn-arc"), Arc},
        {QStringLiteral("zarn-ellipse"), Ellipse},
        {QStringLiteral("zarn-rectangle"), Rectangle},
        {QStringLiteral("zarn-rectangle-points"), RectanglePoints},
        {QStringLiteral("zarn-polygon"), Polygon},
        {QStringLiteral("zarn-polygon-points"), PolygonPoints},
        {QStringLiteral("zarn-select-box"), SelectBox},
        {QStringLiteral("zarn-select-object"), SelectObject},
        {QStringLiteral("zarn-line-colour"), LineColour},
        {QStringLiteral("zarn-move-points"), MovePoints},
        {QStringLiteral("zarn-insert-point"), InsertPoint},
        {QStringLiteral("zarn-delete-point"), DeletePoint},
        {QStringLiteral("zarn-scale"), Scale},
        {QStringLiteral("zarn-show-points"), ShowPoints},
        {QStringLiteral("zarn-laser-play"), LaserPlay},
        {QStringLiteral("zarn-laser-stop"), LaserStop},
        {QStringLiteral("zarn-repeat"), Repeat},
        {QStringLiteral("zarn-hold"), Hold},
        {QStringLiteral("zarn-output-settings"), OutputSettings},
        {QStringLiteral("zarn-grid"), Grid},
    };
    return recipes;
}

const Recipe* Find(const QString& name)
{
    for (const auto& [n, recipe] : Recipes()) {
        if (n == name)
            return &recipe;
    }
    return nullptr;
}

}  // namespace

std::vector<QString> IconRecipeNames()
{
    std::vector<QString> names;
    for (const auto& entry : Recipes())
        names.push_back(entry.first);
    return names;
}

bool HasIconRecipe(const QString& name) { return Find(name) != nullptr; }

QImage PaintIconRecipe(const QString& name, int size)
{
    const Recipe* recipe = Find(name);
    if (!recipe || size <= 0)
        return {};
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 22.0, size / 22.0);
    (*recipe)(p);
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}
