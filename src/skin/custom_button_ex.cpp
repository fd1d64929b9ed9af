#include "skin/custom_button_ex.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

TskCustomButtonEx::TskCustomButtonEx(QWidget* parent) : TskCustomButton(parent)
{
    resize(93, height());
    SetTabStop(true);
}

void TskCustomButtonEx::SetChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    CheckStateChanged();
    update();
}

void TskCustomButtonEx::Click()
{
    if (isVisible() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    DoClick();
    TskCustomButton::Click();
}

QRect TskCustomButtonEx::TextRect() const
{
    const int th = FontPixelHeight(font()) + 2;
    const int left = GetPicWidth() + 4;
    const int top = (height() - th) / 2;
    return QRect(left, top, std::max(0, width() - left), std::max(0, height() - top));
}

void TskCustomButtonEx::AutoSizeChanged()
{
    if (!AutoSize())
        return;
    const QFontMetrics metrics(font());
    const QString shown = QString(Caption()).remove(QLatin1Char('&'));
    const int h = std::max(FontPixelHeight(font()) + 2, GetPicHeight()) + 4;
    const int w = GetPicWidth() + 8 + metrics.horizontalAdvance(shown);
    if (size() != QSize(w, h))
        resize(w, h);
}

void TskCustomButtonEx::CaptionChanged()
{
    AutoSizeChanged();
}

void TskCustomButtonEx::FontChanged()
{
    AutoSizeChanged();
    update();
}

void TskCustomButtonEx::UIStyleChanged()
{
    TskCustomButton::UIStyleChanged();
    SetButtonPic(UIStyle());
}

void TskCustomButtonEx::PaintPic(QPainter& canvas, const FacePicture& picture)
{
    if (picture.IsNull())
        return;
    // The theme has disabled pictures of its own: never greyed here.
    canvas.drawImage(1, (height() - GetPicHeight()) / 2, picture.Pick(PicTransparent(), false));
}

void TskCustomButtonEx::PaintText(QPainter& canvas, const QString& caption)
{
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(0x80, 0x80, 0x80));
    canvas.drawText(TextRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

void TskCustomButtonEx::PaintFocus(QPainter& canvas)
{
    // Around the caption's rectangle, one pixel wider on the left.
    DrawFocusFrame(canvas, TextRect().adjusted(-1, 0, 0, 0));
}

void TskCustomButtonEx::resizeEvent(QResizeEvent* event)
{
    TskCustomButton::resizeEvent(event);
    if (AutoSize())
        AutoSizeChanged();
}
