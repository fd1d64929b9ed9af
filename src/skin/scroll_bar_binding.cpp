#include "skin/scroll_bar_binding.h"

#include <QScrollBar>

#include <algorithm>
#include <cstdint>

ScrollBarBinding::ScrollBarBinding(QAbstractScrollArea& area, Qt::Orientation orientation, IdleScrollBar idle)
    : m_area(area), m_orientation(orientation), m_idle(idle)
{
    QScrollBar& own = Own();
    m_ownChanges.push_back(QObject::connect(&own, &QScrollBar::rangeChanged, &m_area, [this] { Mirror(); }));
    m_ownChanges.push_back(QObject::connect(&own, &QScrollBar::valueChanged, &m_area, [this] { Mirror(); }));
}

ScrollBarBinding::~ScrollBarBinding()
{
    // The area's own bars die after this member; they must not reach it.
    for (const QMetaObject::Connection& c : m_ownChanges)
        QObject::disconnect(c);
    QObject::disconnect(m_barChange);
}

QScrollBar& ScrollBarBinding::Own() const
{
    return *(m_orientation == Qt::Vertical ? m_area.verticalScrollBar() : m_area.horizontalScrollBar());
}

bool ScrollBarBinding::OwnShown() const
{
    const Qt::ScrollBarPolicy policy =
        m_orientation == Qt::Vertical ? m_area.verticalScrollBarPolicy() : m_area.horizontalScrollBarPolicy();
    if (policy == Qt::ScrollBarAlwaysOff)
        return false;
    return policy == Qt::ScrollBarAlwaysOn || Own().maximum() > Own().minimum();
}

bool ScrollBarBinding::Bind(TskScrollBar* bar)
{
    if (bar == m_bar)
        return false;
    QObject::disconnect(m_barChange);
    if (m_bar) {
        m_bar->SetLineButton(0);
        m_bar->SetMax(100);
        m_bar->setEnabled(true);
    }
    m_bar = bar;
    if (!bar)
        return true;
    bar->SetOrientation(m_orientation == Qt::Vertical ? TskProgressBarOrientation::skVertical
                                                      : TskProgressBarOrientation::skHorizontal);
    m_barChange = QObject::connect(bar, &TskScrollBar::OnChange, &m_area, [this] { Scrolled(); });
    bar->raise();
    return true;
}

void ScrollBarBinding::Place(const QRect& geometry)
{
    if (!m_bar)
        return;
    QRect at = geometry;
    QWidget* from = m_area.parentWidget();
    QWidget* to = m_bar->parentWidget();
    if (from && to && from != to)
        at.moveTopLeft(to->mapFromGlobal(from->mapToGlobal(geometry.topLeft())));
    m_bar->setGeometry(at);
    Mirror();
}

void ScrollBarBinding::Scrolled()
{
    if (m_updating || !m_bar)
        return;
    Own().setValue(m_bar->Position());
    m_area.viewport()->update();
}

void ScrollBarBinding::Mirror()
{
    if (!m_bar)
        return;
    m_updating = true;
    QScrollBar& own = Own();
    const bool shown = OwnShown();
    const bool idle = !shown || own.maximum() <= own.minimum() || !m_area.isEnabled();
    if (idle) {
        m_bar->SetLineButton(0);
        m_bar->setEnabled(false);
    } else {
        // The thumb takes the share of the track that the page is of the
        // whole, as the area's own thumb does.
        const std::int64_t range = std::int64_t(own.maximum()) - own.minimum() + own.pageStep();
        const int track = m_orientation == Qt::Vertical ? m_bar->TrackBar().height() : m_bar->TrackBar().width();
        const std::int64_t thumb = range > 0 ? std::int64_t(track) * own.pageStep() / range : 0;
        m_bar->SetLineButton(int(std::clamp<std::int64_t>(thumb, 1, std::max(1, track))));
        m_bar->setEnabled(true);
    }
    if (m_idle == IdleScrollBar::HideThumb)
        m_bar->SetSliderVisible(!idle);
    else if (idle)
        m_bar->hide();
    else if (m_bar->parentWidget())
        m_bar->show();  // never as a window of its own
    if (m_bar->Min() != own.minimum())
        m_bar->SetMin(own.minimum());
    if (m_bar->Max() != own.maximum())
        m_bar->SetMax(own.maximum());
    m_bar->SetPosition(own.value());
    m_updating = false;
}
