#include "skin/edit.h"

#include "skin/skin_drawing.h"

#include <QPainter>

namespace {
// The frame is two rings wide; the text keeps clear of it.
constexpr int kBorderWidth = 2;
}  // namespace

TskEdit::TskEdit(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    m_borderColor = GetBorderColor(parent);
    SetColor(clWindow);
    connect(this, &QLineEdit::textEdited, this, [this] { emit OnChange(); });
}

void TskEdit::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskEdit::SetColor(TColor color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    setPalette(pal);
    update();
}

void TskEdit::ApplyContainerStyle(TskUIStyle style)
{
    if (ThemeColorsApply(style))
        SetBorderColor(GetThemeColor(style, 8));
}

void TskEdit::paintEvent(QPaintEvent* event)
{
    {
        // The native panel may round its corners: fill them first.
        QPainter canvas(this);
        canvas.fillRect(rect(), ToQColor(m_color));
    }
    QLineEdit::paintEvent(event);
    QPainter canvas(this);
    DrawControlBorder(canvas, rect(), m_borderColor, m_color);
}
