#pragma once
// A pair of small arrow buttons that step a position within a range, beside
// the edit that shows it (the polygon sides and point distance fields).

#include <QWidget>

class QToolButton;

class UpDown : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. 16 x 22, range min..max, at `position`.
    UpDown(int min, int max, int position, QWidget* parent = nullptr);

    int Position() const { return m_position; }
    /// Stores the position clamped to the range; no Click.
    void SetPosition(int position);
    int Min() const { return m_min; }
    int Max() const { return m_max; }

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    /// An arrow was clicked; the position has moved (at the ends it stays).
    void Click(int position);

private:
    void Step(int by);

    int m_min;
    int m_max;
    int m_position;
    QToolButton* m_up;
    QToolButton* m_down;
};
