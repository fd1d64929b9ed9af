#include "player/drawing_preview.h"

#include "model/painters.h"
#include "player/drawing_thumbnail.h"
#include "skin/eliding_label.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kPreviewDivisor = 2;
constexpr std::uint8_t kNoBlankColour = 0;
}  // namespace

QImage DrawDrawingPreview(const Drawing& paths)
{
    QImage picture(kPreviewSize, kPreviewSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (const Path& path : paths)
        DrawPointList(picture, path, kNoBlankColour, kPreviewDivisor);
    return picture;
}

PreviewBox::PreviewBox(QWidget* parent, int side) : QWidget(parent)
{
    setFixedSize(side, side);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::SetPicture(const QImage& picture)
{
    m_picture = picture;
    // Smooth scaling averages every source pixel into the result; nearest-pixel
    // sampling would skip whole rows and columns, and with them thin lines.
    m_shown = picture.isNull() || picture.size() == size()
                  ? picture
                  : picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_shown.isNull())
        painter.drawImage(0, 0, m_shown);
}

ElidingLabel* AddPointCountLabel(QWidget* parent, const char* name, int x, int y, int width)
{
    // The smallest size that is still read at a glance.
    constexpr int kSmallestPixelSize = 9;
    ElidingLabel* label = AddElidingLabel(parent, name, QStringLiteral("0"), x, y, width);
    const QString widest = QString::number(kWholePointCount);
    QFont font = label->font();
    int pixels = QFontInfo(font).pixelSize();
    // A pixel to spare on each side.
    while (QFontMetrics(font).horizontalAdvance(widest) > width - 2 && pixels > kSmallestPixelSize)
        font.setPixelSize(--pixels);
    label->setFont(font);
    return label;
}

void ShowDrawingThumbnail(const DrawingThumbnail& thumbnail, PreviewBox& box, QLabel& count, QLabel& message)
{
    if (!thumbnail.failure.isEmpty())
        message.setText(thumbnail.failure);
    box.SetPicture(thumbnail.picture);
    count.setText(QString::number(thumbnail.points));
}
