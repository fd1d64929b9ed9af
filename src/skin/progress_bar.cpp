#include "skin/progress_bar.h"

#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QPainter>

#include <algorithm>

TskProgressBar::TskProgressBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(kThickness);
    resize(150, kThickness);
    ValueChanged();
    SetUIStyle(GetSkinFormStyle(parent));
}

std::int64_t TskProgressBar::Percentage(int min, int max, int position)
{
    if (max == min)
        return 0;
    // In 64 bits: the differences of two ints and their product by 100 overflow 32.
    return (std::int64_t(position) - min) * 100 / (std::int64_t(max) - min);
}

int TskProgressBar::FilledLength(int min, int max, int position, int length)
{
    if (max <= min || position <= min)
        return 0;
    if (position > max)
        return length;
    return int((std::int64_t(position) - min) * length / (std::int64_t(max) - min));
}

void TskProgressBar::ValueChanged()
{
    caption_ = QString::number(Percentage(min_, max_, position_)) + QLatin1Char('%');
    update();
}

void TskProgressBar::SetMin(int value)
{
    min_ = value;
    ValueChanged();
}

void TskProgressBar::SetMax(int value)
{
    max_ = value;
    ValueChanged();
}

void TskProgressBar::SetPosition(int value)
{
    position_ = value;
    ValueChanged();
}

void TskProgressBar::StepIt() { StepBy(1); }

void TskProgressBar::StepBy(int n)
{
    // Wraps like the stored 32-bit value would, without undefined overflow.
    SetPosition(int(std::uint32_t(position_) + std::uint32_t(n)));
}

void TskProgressBar::LoadThemePicture()
{
    if (!IsBuiltInStyle(style_))
        return;
    const int index = orientation_ == TskProgressBarOrientation::skHorizontal ? 43 : 44;
    picture_ = ThemeImage(GetThemeString(style_, index));
}

void TskProgressBar::SetUIStyle(TskUIStyle style)
{
    style_ = style;
    if (IsBuiltInStyle(style)) {
        LoadThemePicture();
        color_ = GetThemeColor(style, 9);
        borderColor_ = GetThemeColor(style, 8);
    }
    update();
}

void TskProgressBar::ApplyContainerStyle(TskUIStyle style)
{
    if (style_ != TskUIStyle::Custom)
        SetUIStyle(style);
}

void TskProgressBar::SetOrientation(TskProgressBarOrientation orientation)
{
    // Stored first: the thickness lock below follows the new orientation.
    orientation_ = orientation;
    LoadThemePicture();
    const int length = std::max(width(), height());
    if (orientation == TskProgressBarOrientation::skVertical) {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(kThickness);
        resize(kThickness, length);
    } else {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(kThickness);
        resize(length, kThickness);
    }
    update();
}

void TskProgressBar::SetBorderColor(TColor c)
{
    borderColor_ = c;
    update();
}

void TskProgressBar::SetColor(TColor c)
{
    color_ = c;
    update();
}

void TskProgressBar::SetCaptionColor(TColor c)
{
    captionColor_ = c;
    update();
}

void TskProgressBar::SetShowCaption(bool show)
{
    showCaption_ = show;
    update();
}

void TskProgressBar::SetSmartShowCaption(bool smart)
{
    smartShowCaption_ = smart;
    update();
}

void TskProgressBar::SetPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

QImage TskProgressBar::RenderBar()
{
    const int w = width();
    const int h = height();
    const bool horizontal = orientation_ == TskProgressBarOrientation::skHorizontal;
    const bool hasPicture = !picture_.isNull();
    QSize size(w, h);
    if (hasPicture) {
        if (horizontal)
            size.setHeight(picture_.height() + 2);
        else
            size.setWidth(picture_.width() + 2);
    }
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(ToQColor(color_));
    QPainter p(&bitmap);
    if (horizontal) {
        const int f = std::max(1, FilledLength(min_, max_, position_, w - 1));
        const VclRect fill{1, 1, f, size.height() - 1};
        if (hasPicture && !fill.IsEmpty())
            p.drawImage(fill.ToQRect(), picture_);
        const VclRect rest{f, 1, w - 1, size.height() - 1};
        if (!rest.IsEmpty())
            p.fillRect(rest.ToQRect(), ToQColor(color_));
    } else {
        const int t = std::max(1, (h - 1) - FilledLength(min_, max_, position_, h - 1));
        // Grows from the bottom: the picture is drawn upside down.
        const VclRect fill{1, t, size.width() - 1, h - 1};
        if (hasPicture && !fill.IsEmpty())
            p.drawImage(fill.ToQRect(), picture_.mirrored(false, true));
        const VclRect rest{1, 1, size.width() - 1, t};
        if (!rest.IsEmpty())
            p.fillRect(rest.ToQRect(), ToQColor(color_));
        showCaption_ = false;  // a vertical bar never shows its caption, and the flag stays off
    }
    if (showCaption_ && !(smartShowCaption_ && position_ == min_)) {
        p.setPen(ToQColor(captionColor_));
        p.setBrush(Qt::NoBrush);
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, caption_);
    }
    return bitmap;
}

void TskProgressBar::paintEvent(QPaintEvent*)
{
    const QImage bitmap = RenderBar();
    QPainter p(this);
    // A picture thinner than the bar gives a smaller bitmap: the colour
    // covers the rest, and the frame goes round the client rectangle.
    if (bitmap.size() != size())
        p.fillRect(rect(), ToQColor(color_));
    p.drawImage(0, 0, bitmap);
    p.setPen(ToQColor(borderColor_));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
}
