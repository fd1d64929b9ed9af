#include "skin/image_button.h"

#include <QPainter>

TskImageButton::TskImageButton(QWidget* parent) : TskCustomButton(parent) {}

void TskImageButton::SetFace(FacePicture& face, const QImage& picture)
{
    face = MakeFacePicture(picture);
    AutoSizeChanged();
    update();
}

void TskImageButton::SetPicNormal(const QImage& picture) { SetFace(m_normal, picture); }

void TskImageButton::SetPicMouseOn(const QImage& picture) { SetFace(m_mouseOn, picture); }

void TskImageButton::SetPicMouseDown(const QImage& picture) { SetFace(m_mouseDown, picture); }

void TskImageButton::SetPicDisabled(const QImage& picture) { SetFace(m_disabled, picture); }

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
