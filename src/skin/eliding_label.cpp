#include "skin/eliding_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

ElidingLabel::ElidingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QRect ElidingLabel::Room() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QStringList ElidingLabel::WrappedLines() const
{
    QString text = this->text();
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(Room().width());
        QString part = text.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        lines << part.trimmed();
    }
    layout.endLayout();
    return lines;
}

int ElidingLabel::RoomLines() const
{
    return std::max(1, Room().height() / std::max(1, fontMetrics().lineSpacing()));
}

QStringList ElidingLabel::ShownLines() const
{
    if (!wordWrap())
        return {fontMetrics().elidedText(text(), Qt::ElideRight, Room().width())};
    QStringList lines = WrappedLines();
    const int room = RoomLines();
    if (lines.size() > room) {
        // The last line that shows takes the rest of the text, cut.
        const QString rest = lines.mid(room - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, room - 1);
        lines << fontMetrics().elidedText(rest, Qt::ElideRight, Room().width());
    }
    return lines;
}

bool ElidingLabel::TextFits() const
{
    if (wordWrap())
        return WrappedLines().size() <= RoomLines();
    return fontMetrics().horizontalAdvance(text()) <= Room().width();
}

QString ElidingLabel::ShownText() const
{
    return ShownLines().join(QLatin1Char('\n'));
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
    const QRect room = Room();
    if (!wordWrap()) {
        painter.drawText(room, int(alignment()), ShownText());
        return;
    }
    const QStringList lines = ShownLines();
    const int step = fontMetrics().lineSpacing();
    const int height = int(lines.size()) * step;
    int top = room.top();
    if (alignment() & Qt::AlignVCenter)
        top += std::max(0, (room.height() - height) / 2);
    else if (alignment() & Qt::AlignBottom)
        top += std::max(0, room.height() - height);
    const int horizontal = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
    for (const QString& line : lines) {
        painter.drawText(QRect(room.left(), top, room.width(), step), horizontal, line);
        top += step;
    }
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
