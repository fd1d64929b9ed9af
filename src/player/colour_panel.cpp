#include "player/colour_panel.h"

#include "player/effect_chain.h"
#include "skin/text_contrast.h"

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
    p.setPen(CaptionColour(fill_));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextDontClip, caption_);
}

QColor ColourPanel::CaptionColour(const QColor& fill)
{
    // White wherever it reaches the captions' least contrast (pure red, blue
    // and magenta included); green, cyan, yellow and the light fills take black.
    return ReadableOn(Qt::white, LuminanceRange::Of(fill));
}

void ColourPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked(value_);
}

std::array<ColourPanel*, 12> MakeColourPanels(QWidget* parent, int x, int y, int perRow, std::int32_t current)
{
    struct PanelEntry {
        const char* name;
        const char* caption;
        std::int32_t value;
        QColor fill;
    };
    static const PanelEntry kPanels[12] = {
        {"Panel9", "Auto", kColourAuto, QColor(200, 200, 200)},  {"Panel10", "Rnd1", kColourRnd1, QColor(255, 200, 120)},
        {"Panel11", "Rnd2", kColourRnd2, QColor(160, 230, 160)}, {"Panel12", "Rnd3", kColourRnd3, QColor(150, 190, 255)},
        {"Panel1", "Black", 0, QColor(0, 0, 0)},                 {"Panel2", "Whilte", 1, QColor(255, 255, 255)},
        {"Panel3", "Red", 2, QColor(255, 0, 0)},                 {"Panel4", "Yellow", 3, QColor(255, 255, 0)},
        {"Panel5", "Green", 4, QColor(0, 255, 0)},               {"Panel6", "Cyan", 5, QColor(0, 255, 255)},
        {"Panel7", "Blue", 6, QColor(0, 0, 255)},                {"Panel8", "Mage", 7, QColor(255, 0, 255)},
    };
    std::array<ColourPanel*, 12> panels{};
    for (int i = 0; i < 12; ++i) {
        const PanelEntry& entry = kPanels[i];
        auto* panel = new ColourPanel(QLatin1String(entry.caption), entry.value, entry.fill, parent);
        panel->setObjectName(QLatin1String(entry.name));
        panel->move(x + (i % perRow) * 28, y + (i / perRow) * 30);
        panel->SetLowered(entry.value == current);
        panels[std::size_t(i)] = panel;
    }
    return panels;
}
