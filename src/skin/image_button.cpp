#include "skin/image_button.h"

#include <QPainter>

TskImageButton::TskImageButton(QWidget* parent) : TskCustomButton(parent) {}

void TskImageButton::SetPicNormal(const QImage& picture)
{
    m_normal = MakeFacePicture(picture);
    AutoSizeChanged();
    update();
}

void TskImageButton::SetPicMouseOn(const QImage& picture)
{
    m_mouseOn = MakeFacePicture(picture);
    AutoSizeChanged();
    update();
}

void TskImageButton::SetPicMouseDown(const QImage& picture)
{
    m_mouseDown = MakeFacePicture(picture);
    AutoSizeChanged();
    update();
}

void TskImageButton::SetPicDisabled(const QImage& picture)
{
    m_disabled = MakeFacePicture(picture);
    AutoSizeChanged();
    update();
}

void TskImageButton::SetStretch(bool on)
{
    m_stretch = on;
    update();
}

void TskImageButton::AutoSizeChanged()
{
    if (parentWidget() && AutoSize() && !m_normal.IsNull())
        resize(m_normal.plain.size());
}

const FacePicture& TskImageButton::PaintButtonMouseOn() const
{
    return m_mouseOn.IsNull() ? m_normal : m_mouseOn;
}

const FacePicture& TskImageButton::PaintButtonMouseDown() const
{
    return m_mouseDown.IsNull() ? m_normal : m_mouseDown;
}

const FacePicture& TskImageButton::PaintButtonDisabled() const
{
    return m_disabled.IsNull() ? m_normal : m_disabled;
}

void TskImageButton::PaintPic(QPainter& canvas, const FacePicture& picture)
{
    if (picture.IsNull())
        return;
    if (m_stretch)
        canvas.drawImage(rect(), picture.keyed);
    else
        canvas.drawImage(0, 0, picture.keyed);
}
