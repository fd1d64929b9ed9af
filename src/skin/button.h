#pragma once
// The skinned push button: a theme face stretched over any size, an optional
// glyph beside the caption.

#include "skin/custom_button.h"

#include <QPoint>

enum class TButtonLayout : std::uint8_t { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

/// Where a glyph and the caption beside it go.
struct GlyphPlacement {
    QPoint glyph;
    QPoint text;
    QSize glyphSize;     // one image of the glyph
    bool twoImages = false;  // enabled and disabled images side by side
};

/// Places a glyph of `glyph` size and a caption of `text` size in a control
/// of `control` size (integer division truncating toward zero, so negative
/// offsets round toward the centre). A glyph exactly twice as wide as high holds two images.
GlyphPlacement PlaceGlyph(TButtonLayout layout, QSize control, QSize text, QSize glyph, int spacing);

class TskButton : public TskCustomButton {
    Q_OBJECT
public:
    /// 80 x 27, a tab stop, in the look of the parent's form.
    explicit TskButton(QWidget* parent = nullptr);

    const QImage& Glyph() const { return m_glyph; }
    /// Stores a copy (prepared for drawing now), repaints.
    void SetGlyph(const QImage& glyph);
    TButtonLayout Layout() const { return m_layout; }
    /// Stores, repaints.
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return m_spacing; }
    /// Stores the gap between glyph and caption, repaints.
    void SetSpacing(int spacing);

    /// Turns the look to Custom, then stores the picture name.
    void SetPicNormal(const QString& name) override;
    /// Turns the look to Custom, then stores the picture name.
    void SetPicMouseOn(const QString& name) override;
    /// Turns the look to Custom, then stores the picture name.
    void SetPicMouseDown(const QString& name) override;
    /// Empty unless the look is Custom.
    QString GetPicNormal() const override;
    /// Empty unless the look is Custom.
    QString GetPicMouseOn() const override;
    /// Empty unless the look is Custom.
    QString GetPicMouseDown() const override;
    /// Aliases under the names the window code uses.
    void SetPicNormalResName(const QString& name) { SetPicNormal(name); }

    /// Takes the look unless its own is Custom.
    void ApplyContainerStyle(TskUIStyle style) override;

protected:
    void UIStyleChanged() override;
    void SetButtonPic(TskUIStyle style) override;
    void PaintPic(QPainter& canvas, const FacePicture& picture) override;
    void PaintText(QPainter& canvas, const QString& caption) override;
    void PaintFocus(QPainter& canvas) override;

private:
    void BecomeCustom();

    QImage m_glyph;
    QImage m_glyphEnabled;   // image 0, keyed by its top-left pixel
    QImage m_glyphDisabled;  // image 1 of a two-image glyph, else image 0 greyed
    bool m_glyphTwoImages = false;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_spacing = 4;
    QPoint m_textPos;  // computed by PaintPic for PaintText
};
