#pragma once
// The 104 x 104 offset pad: pressing or dragging at pixel (X, Y) sets the
// live offsets Q = 4X - 256 and R = 4Y - 256 and marks the spot with a red
// ring over a dashed cross through pixel 64. A drag outside the pad counts
// as at its nearest edge pixel, so Q and R run from -256 to 156.

#include <QImage>
#include <QWidget>

#include <cstdint>

class LiveOffsetPad : public QWidget {
    Q_OBJECT
public:
    explicit LiveOffsetPad(QWidget* parent);

    /// Back to the mark at (64, 64), Q = R = 0; emits Moved.
    void Reset();
    /// The pad position: twice the last pixel (128, 128 at creation).
    QPoint Position() const { return position_; }
    bool Dragging() const { return dragging_; }

signals:
    /// Q and R after a press, a drag or a reset.
    void Moved(std::int32_t q, std::int32_t r);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Update(int x, int y);
    QPoint position_{128, 128};
    bool dragging_ = false;
};
