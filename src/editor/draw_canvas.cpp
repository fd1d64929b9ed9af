#include "editor/draw_canvas.h"

#include "model/painters.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

QPoint CanvasPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {std::clamp(p.x(), 0, kEditorCanvasSize - 1), std::clamp(p.y(), 0, kEditorCanvasSize - 1)};
}

ToolButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return ToolButton::Left;
    case Qt::RightButton: return ToolButton::Right;
    default: return ToolButton::Middle;
    }
}

bool Ctrl(const QMouseEvent* event)
{
    return event->modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace

DrawCanvas::DrawCanvas(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kEditorCanvasSize, kEditorCanvasSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void DrawCanvas::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void DrawCanvas::SetGrab(bool on)
{
    if (on == m_grabbed)
        return;
    m_grabbed = on;
    if (on && isVisible())
        grabMouse();
    else if (!on)
        releaseMouse();
}

void DrawCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

bool DrawCanvas::KeepPointerInside(const QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!m_grabbed || rect().contains(at))
        return false;
    QCursor::setPos(mapToGlobal(CanvasPoint(event)));
    return true;
}

void DrawCanvas::mousePressEvent(QMouseEvent* event)
{
    // A press the window system delivered before the pointer was brought back
    // was aimed at something else: it is no click on the canvas.
    if (KeepPointerInside(event))
        return;
    const QPoint p = CanvasPoint(event);
    emit MouseDown(ButtonOf(event->button()), Ctrl(event), p.x(), p.y());
}

void DrawCanvas::mouseMoveEvent(QMouseEvent* event)
{
    KeepPointerInside(event);
    const QPoint p = CanvasPoint(event);
    emit MouseMove(Ctrl(event), p.x(), p.y());
}

void DrawCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (KeepPointerInside(event))
        return;
    const QPoint p = CanvasPoint(event);
    emit MouseUp(ButtonOf(event->button()), Ctrl(event), p.x(), p.y());
}
