#include "player/colour_panel.h"

#include <QMouseEvent>
#include <QPainter>

ColourPanel::ColourPanel(const QString& caption, std::int32_t value, QColor fill, QWidget* parent)
    : QWidget(parent)
    , caption_(caption)
    , value_(value)
    , fill_(fill)
{
    setFixedSize(26, 26);
    setToolTip(caption);
}

void ColourPanel::SetLowered(bool lowered)
{
    if (lowered_ == lowered)
        return;
    lowered_ = lowered;
    update();
}

void ColourPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), fill_);
    // Outer raised bevel always; the inner one lowered only on the chosen panel.
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    if (lowered_) {
        p.setPen(QColor(64, 64, 64));
        p.drawLine(2, 2, width() - 3, 2);
        p.drawLine(2, 2, 2, height() - 3);
        p.setPen(QColor(255, 255, 255));
        p.drawLine(width() - 3, 2, width() - 3, height() - 3);
        p.drawLine(2, height() - 3, width() - 3, height() - 3);
    }
    QFont f = font();
    f.setPixelSize(7);
    p.setFont(f);
    const bool dark = fill_.lightness() < 110;
    p.setPen(dark ? Qt::white : Qt::black);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextDontClip, caption_);
}

void ColourPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked(value_);
}
