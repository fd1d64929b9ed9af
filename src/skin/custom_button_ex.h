#pragma once
// Base of the check box and the radio button: a small picture at the left,
// the caption beside it, and a checked state that selects the picture set.

#include "skin/custom_button.h"

class TskCustomButtonEx : public TskCustomButton {
    Q_OBJECT
public:
    /// 93 wide, a tab stop, unchecked. Subclasses take the form's look.
    explicit TskCustomButtonEx(QWidget* parent = nullptr);

    bool Checked() const { return m_checked; }
    /// Stores a new value, swaps the pictures and repaints; never clicks.
    void SetChecked(bool checked);

    /// Focuses the control when it can take focus, runs DoClick, then the
    /// click protocol of every skinned button.
    void Click() override;

    /// Width of the box picture (0 without one).
    virtual int GetPicWidth() const = 0;
    /// Height of the box picture (0 without one).
    virtual int GetPicHeight() const = 0;
    /// Where the caption is drawn: right of the picture, centred on the font height.
    QRect TextRect() const;

protected:
    virtual void DoClick() {}
    virtual void CheckStateChanged() {}

    void AutoSizeChanged() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void UIStyleChanged() override;
    void PaintPic(QPainter& canvas, const FacePicture& picture) override;
    void PaintText(QPainter& canvas, const QString& caption) override;
    void PaintFocus(QPainter& canvas) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_checked = false;
};
