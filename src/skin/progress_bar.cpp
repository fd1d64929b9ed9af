#include "skin/progress_bar.h"

#include "skin/skin_drawing.h"
#include "skin/text_contrast.h"
#include "skin/theme_pictures.h"

#include <QPainter>
#include <QRegion>

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
        p.end();
        const int fillEnd = horizontal ? std::max(1, FilledLength(min_, max_, position_, w - 1)) : 1;
        DrawCaption(bitmap, fillEnd);
    }
    return bitmap;
}

namespace {

// The rows of `area` holding a pixel that `pen` reads less than the least
// contrast against, as one-pixel strips across `strip`.
struct UnreadRows {
    QRegion strips;
    int count = 0;
};

UnreadRows RowsPenMisses(const QImage& bitmap, const QRect& area, const QRect& strip, const QColor& pen)
{
    UnreadRows rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (LuminanceRange::Of(bitmap, QRect(area.left(), y, area.width(), 1)).WorstContrast(pen) < kLeastTextContrast) {
            rows.strips += QRect(strip.left(), y, strip.width(), 1);
            ++rows.count;
        }
    }
    return rows;
}

}  // namespace

void TskProgressBar::DrawCaption(QImage& bitmap, int fillEnd) const
{
    const QRect all = bitmap.rect();
    // Where the glyphs land, one pixel round: what the caption borders on.
    QImage mask(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setFont(font());
        m.setPen(Qt::black);
        m.drawText(all, Qt::AlignCenter, caption_);
    }
    QRect ink;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(mask.pixel(x, y)) != 0)
                ink |= QRect(x, y, 1, 1);
    ink = ink.adjusted(-1, -1, 1, 1) & all.adjusted(1, 1, -1, -1);  // the outer ring is the frame's

    QPainter p(&bitmap);
    p.setFont(font());
    p.setBrush(Qt::NoBrush);
    // The caption may straddle the fill's end: each side takes CaptionColor
    // where it reads on every pixel it borders, else black or white, whichever
    // reads on more of the rows.
    for (const QRect side : {QRect(0, 0, fillEnd, all.height()), QRect(fillEnd, 0, all.width() - fillEnd, all.height())}) {
        const QRect under = ink & side;
        if (under.isEmpty())
            continue;
        const LuminanceRange background = LuminanceRange::Of(bitmap, under);
        QColor pen = ToQColor(captionColor_);
        UnreadRows unread = RowsPenMisses(bitmap, under, side, pen);
        if (unread.count > 0) {
            pen = ReadableOn(pen, background);
            unread = RowsPenMisses(bitmap, under, side, pen);
            const QColor other = pen == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black);
            if (UnreadRows otherUnread = RowsPenMisses(bitmap, under, side, other); otherUnread.count < unread.count) {
                pen = other;
                unread = otherUnread;
            }
        }
        if (unread.count > 0) {
            // A glossy fill spans more than one colour reads on: on the rows the
            // pen does not read on, the glyphs get a one-pixel edge of the fill's
            // own colour that it reads best on.
            const bool light = RelativeLuminance(pen) > (background.low + background.high) / 2;
            p.setClipRegion(unread.strips);
            p.setPen(light ? background.darkest : background.lightest);
            for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
                p.drawText(all.translated(d), Qt::AlignCenter, caption_);
        }
        p.setClipRect(side);
        p.setPen(pen);
        p.drawText(all, Qt::AlignCenter, caption_);
    }
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
