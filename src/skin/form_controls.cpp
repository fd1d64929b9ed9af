#include "skin/form_controls.h"

#include "skin/button.h"
#include "skin/icons.h"

#include <QLabel>

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->move(x, y);
    if (width > 0)
        label->setFixedWidth(width);
    return label;
}

TskButton* AddButton(QWidget* parent, const char* name, const QString& caption, const char* icon, int x, int y,
                     int width, int height)
{
    auto* button = new TskButton(parent);
    button->setObjectName(QLatin1String(name));
    button->SetCaption(caption);
    if (icon)
        button->SetGlyph(SkinIcon(QLatin1String(icon)).pixmap(16, 16).toImage());
    button->setGeometry(x, y, width, height);
    return button;
}

void PlaceButtonsInRow(std::initializer_list<TskButton*> buttons, int x, int gap)
{
    constexpr int kEdgeRoom = 8;
    for (TskButton* button : buttons) {
        const int glyph = button->Glyph().isNull() ? 0 : button->Glyph().width() + button->Spacing();
        const int width = button->fontMetrics().horizontalAdvance(button->Caption()) + glyph + 2 * kEdgeRoom;
        button->setGeometry(x, button->y(), width, button->height());
        x += width + gap;
    }
}
