#pragma once
// A button drawn from four pictures given to it (normal, hover, pressed,
// disabled), keyed by each picture's top-left pixel. The scroll bar's arrows.

#include "skin/custom_button.h"

class TskImageButton : public TskCustomButton {
    Q_OBJECT
public:
    /// GUI thread. Four empty pictures, not stretched.
    explicit TskImageButton(QWidget* parent = nullptr);

    const QImage& PicNormal() const { return m_normal.plain; }
    /// Copies the picture, sizes the button (AutoSize), repaints.
    void SetPicNormal(const QImage& picture);
    const QImage& PicMouseOn() const { return m_mouseOn.plain; }
    /// Copies the picture, repaints; the normal picture stands in while null.
    void SetPicMouseOn(const QImage& picture);
    const QImage& PicMouseDown() const { return m_mouseDown.plain; }
    /// Copies the picture, repaints; the normal picture stands in while null.
    void SetPicMouseDown(const QImage& picture);
    const QImage& PicDisabled() const { return m_disabled.plain; }
    /// Copies the picture, repaints; the normal picture stands in while null.
    void SetPicDisabled(const QImage& picture);
    bool Stretch() const { return m_stretch; }
    /// Stores; a stretched picture covers the whole button.
    void SetStretch(bool on);

protected:
    void AutoSizeChanged() override;
    void SetButtonPic(TskUIStyle) override {}
    const FacePicture& PaintButtonNormal() const override { return m_normal; }
    const FacePicture& PaintButtonMouseOn() const override;
    const FacePicture& PaintButtonMouseDown() const override;
    const FacePicture& PaintButtonDisabled() const override;
    void PaintPic(QPainter& canvas, const FacePicture& picture) override;

private:
    void SetFace(FacePicture& face, const QImage& picture);

    FacePicture m_normal;
    FacePicture m_mouseOn;
    FacePicture m_mouseDown;
    FacePicture m_disabled;
    bool m_stretch = false;
};
