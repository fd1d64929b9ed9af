#include "editor/up_down.h"

#include <QToolButton>

#include <algorithm>

UpDown::UpDown(int min, int max, int position, QWidget* parent)
    : QWidget(parent), m_min(min), m_max(max), m_position(std::clamp(position, min, max))
{
    setFixedSize(16, 22);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setGeometry(0, 0, 16, 11);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setGeometry(0, 11, 16, 11);
    m_down->setAutoRepeat(true);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetPosition(int position)
{
    m_position = std::clamp(position, m_min, m_max);
}

void UpDown::Step(int by)
{
    m_position = std::clamp(m_position + by, m_min, m_max);
    emit Click(m_position);
}
