#include "skin/art/program_emblem.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>

void PaintProgramEmblem(QPainter& p, const QRectF& area)
{
    const qreal s = std::min(area.width(), area.height());
    const QRectF tile(area.center().x() - s / 2, area.center().y() - s / 2, s, s);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    // The tile: a dark stage with a faint rim, so the mark reads on light and dark bars alike.
    const qreal radius = std::max<qreal>(1.5, s * 0.18);
    QLinearGradient stage(tile.topLeft(), tile.bottomLeft());
    stage.setColorAt(0, QColor(44, 48, 74));
    stage.setColorAt(1, QColor(8, 10, 20));
    p.setPen(QPen(QColor(120, 128, 168), std::max<qreal>(1, s / 24)));
    p.setBrush(stage);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // The beam: a Z from a red start to a green end, a soft glow under a bright core.
    QPainterPath z;
    z.moveTo(tile.left() + s * 0.26, tile.top() + s * 0.28);
    z.lineTo(tile.left() + s * 0.74, tile.top() + s * 0.28);
    z.lineTo(tile.left() + s * 0.26, tile.top() + s * 0.72);
    z.lineTo(tile.left() + s * 0.74, tile.top() + s * 0.72);
    QLinearGradient beam(tile.topLeft(), tile.bottomRight());
    beam.setColorAt(0, QColor(255, 70, 70));
    beam.setColorAt(0.5, QColor(255, 220, 60));
    beam.setColorAt(1, QColor(60, 255, 130));
    p.setBrush(Qt::NoBrush);
    QLinearGradient glow = beam;
    glow.setColorAt(0, QColor(255, 70, 70, 110));
    glow.setColorAt(0.5, QColor(255, 220, 60, 110));
    glow.setColorAt(1, QColor(60, 255, 130, 110));
    p.setPen(QPen(QBrush(glow), std::max<qreal>(2.2, s * 0.17), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(z);
    p.setPen(QPen(QBrush(beam), std::max<qreal>(1.1, s * 0.085), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(z);
    // The emitter's spot where the beam starts.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 240));
    p.drawEllipse(QPointF(tile.left() + s * 0.26, tile.top() + s * 0.28), s * 0.06, s * 0.06);
    p.restore();
}
