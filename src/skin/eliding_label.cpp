#include "skin/eliding_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>

ElidingLabel::ElidingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

bool ElidingLabel::TextFits() const
{
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width() - 2 * margin();
}

QString ElidingLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width() - 2 * margin());
}

void ElidingLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The frame and any style sheet background first, then the text.
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.drawText(room, int(alignment()), ShownText());
}

bool ElidingLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        // The whole text, only when it was cut.
        if (!TextFits())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

ElidingLabel* AddElidingLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width)
{
    auto* label = new ElidingLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->setFixedWidth(width);
    return label;
}
