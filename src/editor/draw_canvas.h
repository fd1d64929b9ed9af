#pragma once
// The Draw window's 512 x 512 canvas (Image90): shows the painted canvas image
// one pixel per canvas unit and reports mouse events in canvas coordinates,
// clamped to the canvas. While a tool collects points the canvas holds the
// mouse and keeps the pointer on itself: a pointer that strays is moved back
// to the nearest canvas pixel, and a press outside never reaches the tools.

#include "editor/tool_engine.h"

#include <QImage>
#include <QWidget>

class DrawCanvas : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Fixed 512 x 512, mouse tracking on.
    explicit DrawCanvas(QWidget* parent = nullptr);

    /// Shows a copy of `picture` (implicitly shared; no pixels are copied).
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    /// Holds the mouse and keeps the pointer on the canvas while a tool collects
    /// points; lets both go afterwards.
    void SetGrab(bool on);
    bool Grabbed() const { return m_grabbed; }

signals:
    void MouseDown(ToolButton button, bool ctrl, int x, int y);
    void MouseMove(bool ctrl, int x, int y);
    void MouseUp(ToolButton button, bool ctrl, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// While grabbed: a pointer outside the canvas is moved back onto it; true
    /// when the event lay outside.
    bool KeepPointerInside(const QMouseEvent* event);

    QImage m_picture;
    bool m_grabbed = false;
};
