#include "player/offset_pad.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

LiveOffsetPad::LiveOffsetPad(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(104, 104);
    setCursor(Qt::CrossCursor);
}

void LiveOffsetPad::Reset()
{
    position_ = {128, 128};
    update();
    emit Moved(0, 0);
}

void LiveOffsetPad::Update(int x, int y)
{
    // A drag held outside the pad stops at its edge, the mark staying on it.
    x = std::clamp(x, 0, width() - 1);
    y = std::clamp(y, 0, height() - 1);
    position_ = {2 * x, 2 * y};
    update();
    emit Moved(4 * x - 256, 4 * y - 256);
}

void LiveOffsetPad::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    QPen cross(QColor(128, 128, 128));
    cross.setStyle(Qt::DashLine);
    p.setPen(cross);
    p.drawLine(64, 0, 64, 128);
    p.drawLine(0, 64, 128, 64);
    p.setPen(QPen(Qt::red));
    p.setBrush(Qt::NoBrush);
    const QPoint at = position_ / 2;
    p.drawEllipse(QRect(at.x() - 3, at.y() - 3, 6, 6));
}

void LiveOffsetPad::mousePressEvent(QMouseEvent* event)
{
    dragging_ = true;
    Update(event->position().toPoint().x(), event->position().toPoint().y());
}

void LiveOffsetPad::mouseMoveEvent(QMouseEvent* event)
{
    // Outside the pad too: the press grabbed the mouse.
    if (dragging_)
        Update(event->position().toPoint().x(), event->position().toPoint().y());
}

void LiveOffsetPad::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}
