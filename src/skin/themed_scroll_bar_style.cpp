#include "skin/themed_scroll_bar_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <array>

namespace {

TskUIStyle DrawnLook(TskUIStyle look) { return IsBuiltInStyle(look) ? look : TskUIStyle::Navy; }

// A small filled triangle pointing away from the centre of `box`.
void DrawArrow(QPainter& p, const QRect& box, Qt::ArrowType direction, const QColor& colour)
{
    const QPoint c = box.center();
    QPolygon tri;
    switch (direction) {
    case Qt::UpArrow: tri << QPoint(c.x() - 3, c.y() + 1) << QPoint(c.x() + 3, c.y() + 1) << QPoint(c.x(), c.y() - 2); break;
    case Qt::DownArrow: tri << QPoint(c.x() - 3, c.y() - 1) << QPoint(c.x() + 3, c.y() - 1) << QPoint(c.x(), c.y() + 2); break;
    case Qt::LeftArrow: tri << QPoint(c.x() + 1, c.y() - 3) << QPoint(c.x() + 1, c.y() + 3) << QPoint(c.x() - 2, c.y()); break;
    default: tri << QPoint(c.x() - 1, c.y() - 3) << QPoint(c.x() - 1, c.y() + 3) << QPoint(c.x() + 2, c.y()); break;
    }
    p.setPen(QPen(colour, 0));
    p.setBrush(colour);
    p.drawPolygon(tri);
}

void DrawFace(QPainter& p, const QRect& r, const QColor& face, const QColor& line)
{
    if (r.isEmpty())
        return;
    p.fillRect(r, face);
    p.setPen(QPen(line, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

ThemedScrollBarStyle::ThemedScrollBarStyle(TskUIStyle look)
    // Fusion is in every Qt build: the bar's layout does not change with the desktop.
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_look(DrawnLook(look))
{
}

TColor ThemedScrollBarStyle::GrooveColor() const { return GetThemeColor(m_look, 84); }
TColor ThemedScrollBarStyle::FaceColor() const { return GetThemeColor(m_look, 74); }
TColor ThemedScrollBarStyle::LineColor() const { return GetThemeColor(m_look, 8); }

int ThemedScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent: return kExtent;
    case PM_ScrollBarSliderMin: return kMinThumb;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void ThemedScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                              QPainter* painter, const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool enabled = bar->state & State_Enabled;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QColor groove = ToQColor(GrooveColor());
    const QColor face = ToQColor(FaceColor());
    const QColor line = enabled ? ToQColor(LineColor()) : QColor(128, 128, 128);

    painter->save();
    painter->fillRect(bar->rect, groove);
    const QRect sub = subControlRect(control, bar, SC_ScrollBarSubLine, widget);
    const QRect add = subControlRect(control, bar, SC_ScrollBarAddLine, widget);
    const std::array<std::pair<QRect, SubControl>, 2> buttons = {{{sub, SC_ScrollBarSubLine}, {add, SC_ScrollBarAddLine}}};
    for (const auto& [r, which] : buttons) {
        DrawFace(*painter, r, face, line);
        const bool pressed = (bar->activeSubControls & which) && (bar->state & State_Sunken);
        const QRect box = pressed ? r.translated(1, 1) : r;
        const bool first = which == SC_ScrollBarSubLine;
        const Qt::ArrowType dir = horizontal ? (first ? Qt::LeftArrow : Qt::RightArrow)
                                             : (first ? Qt::UpArrow : Qt::DownArrow);
        DrawArrow(*painter, box, dir, line);
    }
    // No thumb while there is nothing to scroll, as a disabled bar shows it.
    if (enabled && bar->maximum > bar->minimum)
        DrawFace(*painter, subControlRect(control, bar, SC_ScrollBarSlider, widget), face, line);
    painter->restore();
}

ThemedScrollBarStyle* ScrollBarStyleFor(TskUIStyle look)
{
    // One per look, parented to the application so it outlives every control
    // that uses it (QWidget::setStyle does not take ownership).
    static std::array<QPointer<ThemedScrollBarStyle>, 6> styles;
    const TskUIStyle drawn = DrawnLook(look);
    QPointer<ThemedScrollBarStyle>& slot = styles[static_cast<size_t>(drawn)];
    if (!slot) {
        slot = new ThemedScrollBarStyle(drawn);
        slot->setParent(QCoreApplication::instance());
    }
    return slot;
}

void ApplyScrollBarLook(QAbstractScrollArea& area, TskUIStyle look)
{
    ThemedScrollBarStyle* style = ScrollBarStyleFor(look);
    area.verticalScrollBar()->setStyle(style);
    area.horizontalScrollBar()->setStyle(style);
}
