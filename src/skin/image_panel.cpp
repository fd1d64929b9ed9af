#include "skin/image_panel.h"

#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QPainter>

#include <algorithm>

TskCustomPanel::TskCustomPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    SetColor(clBtnFace);
}

void TskCustomPanel::SetPicture(const QImage& picture)
{
    m_picture = picture;
    PictureChanged();
}

void TskCustomPanel::SetTransparent(bool on)
{
    m_transparent = on;
    if (!m_picture.isNull())
        ApplyTransparent();
    update();
}

void TskCustomPanel::SetAutoSize(bool on)
{
    m_autoSize = on;
    if (!m_picture.isNull())
        ApplyAutoSize();
}

void TskCustomPanel::SetCaptionPosX(int x)
{
    m_captionPosX = x;
    update();
}

void TskCustomPanel::SetCaptionPosY(int y)
{
    m_captionPosY = y;
    update();
}

void TskCustomPanel::SetDrawStyle(TskDrawStyle style)
{
    m_drawStyle = style;
    update();
}

void TskCustomPanel::SetAlign(TAlign align)
{
    m_align = align;
}

void TskCustomPanel::SetCaption(const QString& caption)
{
    m_caption = caption;
    RepaintText(rect());
    update();
}

void TskCustomPanel::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void TskCustomPanel::SetColor(TColor color)
{
    m_color = color;
    // Controls inside that follow their parent's colour read it from the palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    setPalette(pal);
    update();
}

void TskCustomPanel::SetFontColor(TColor color)
{
    m_fontColor = color;
    update();
}

void TskCustomPanel::UpdateUIStyle(TskUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TskCustomPanel::PictureChanged()
{
    if (!m_picture.isNull()) {
        if (m_autoSize)
            ApplyAutoSize();
        ApplyTransparent();
    } else {
        m_pictureKeyed = {};
    }
    update();
}

void TskCustomPanel::ApplyAutoSize()
{
    if (!m_autoSize || m_picture.isNull())
        return;
    const bool keepWidth = m_align == TAlign::alTop || m_align == TAlign::alBottom || m_align == TAlign::alClient;
    const bool keepHeight = m_align == TAlign::alLeft || m_align == TAlign::alRight || m_align == TAlign::alClient;
    resize(keepWidth ? width() : m_picture.width(), keepHeight ? height() : m_picture.height());
}

void TskCustomPanel::ApplyTransparent()
{
    m_pictureTransparent = m_transparent;
    m_pictureKeyed = m_pictureTransparent ? MaskedImage(m_picture, ToQColor(clFuchsia).rgb()) : QImage();
}

void TskCustomPanel::PaintPanel(QPainter& canvas)
{
    // Opaque panels fill first, so a picture smaller than the panel never
    // leaves unpainted pixels; transparent ones let Qt compose the parent.
    if (!m_transparent)
        canvas.fillRect(rect(), ToQColor(m_color));
    if (!m_picture.isNull()) {
        const QImage& picture = m_pictureTransparent && !m_pictureKeyed.isNull() ? m_pictureKeyed : m_picture;
        switch (m_drawStyle) {
        case TskDrawStyle::skStretch:
            canvas.drawImage(rect(), picture);
            break;
        case TskDrawStyle::skTile:
            TileDraw(canvas, picture, rect());
            break;
        case TskDrawStyle::skNormal:
            canvas.drawImage(0, 0, picture);
            break;
        }
    }
    if (m_caption.trimmed().isEmpty())
        return;
    canvas.setFont(font());
    canvas.setPen(ToQColor(m_fontColor));
    canvas.setBrush(Qt::NoBrush);
    if (m_captionPosX == -1 || m_captionPosY == -1) {
        const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
        canvas.drawText(rect(), int(horizontal ? horizontal : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::TextSingleLine,
                        m_caption);
    } else {
        canvas.drawText(QRect(m_captionPosX, m_captionPosY, std::max(0, width() - m_captionPosX),
                              std::max(0, height() - m_captionPosY)),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
    }
}

void TskCustomPanel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    PaintPanel(canvas);
}
