#include "skin/button.h"

#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kPearlHeight = 23;
}

GlyphPlacement PlaceGlyph(TButtonLayout layout, QSize control, QSize text, QSize glyph, int spacing)
{
    GlyphPlacement out;
    int gw = glyph.width();
    const int gh = glyph.height();
    if (gh > 0 && gw == 2 * gh) {
        out.twoImages = true;
        gw = gh;
    }
    out.glyphSize = QSize(gw, gh);
    const int w = control.width();
    const int h = control.height();
    const int tw = text.width();
    const int th = text.height();
    const int s = spacing;
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
        out.glyph = QPoint((w - (tw + gw + s)) / 2, (h - gh) / 2);
        out.text = QPoint(out.glyph.x() + gw + s, (h - th) / 2);
        break;
    case TButtonLayout::blGlyphRight:
        out.glyph = QPoint((w + tw + s - gw) / 2, (h - gh) / 2);
        out.text = QPoint(out.glyph.x() - tw - s, (h - th) / 2);
        break;
    case TButtonLayout::blGlyphTop:
        out.glyph = QPoint((w - gw) / 2, (h - (th + gh + s)) / 2);
        out.text = QPoint((w - tw) / 2, out.glyph.y() + gh + s);
        break;
    case TButtonLayout::blGlyphBottom:
        out.glyph = QPoint((w - gw) / 2, (h + th + s - gh) / 2);
        out.text = QPoint((w - tw) / 2, out.glyph.y() - th - s);
        break;
    }
    return out;
}

TskButton::TskButton(QWidget* parent) : TskCustomButton(parent)
{
    resize(80, 27);
    SetTabStop(true);
    SetUIStyle(GetSkinFormStyle(parent));
}

void TskButton::SetGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    m_glyphEnabled = {};
    m_glyphDisabled = {};
    m_glyphTwoImages = false;
    if (!glyph.isNull()) {
        const GlyphPlacement shape = PlaceGlyph(m_layout, size(), QSize(), glyph.size(), m_spacing);
        const QImage keyed = MaskedImage(glyph, glyph.pixel(0, 0));
        m_glyphTwoImages = shape.twoImages;
        m_glyphEnabled = keyed.copy(0, 0, shape.glyphSize.width(), shape.glyphSize.height());
        // A one-image glyph is greyed at its first disabled paint.
        if (m_glyphTwoImages)
            m_glyphDisabled = keyed.copy(shape.glyphSize.width(), 0, shape.glyphSize.width(), shape.glyphSize.height());
    }
    update();
}

void TskButton::SetLayout(TButtonLayout layout)
{
    m_layout = layout;
    update();
}

void TskButton::SetSpacing(int spacing)
{
    m_spacing = spacing;
    update();
}

void TskButton::BecomeCustom()
{
    if (UIStyle() != TskUIStyle::Custom)
        SetUIStyle(TskUIStyle::Custom);
}

void TskButton::SetPicNormal(const QString& name)
{
    BecomeCustom();
    TskCustomButton::SetPicNormal(name);
}

void TskButton::SetPicMouseOn(const QString& name)
{
    BecomeCustom();
    TskCustomButton::SetPicMouseOn(name);
}

void TskButton::SetPicMouseDown(const QString& name)
{
    BecomeCustom();
    TskCustomButton::SetPicMouseDown(name);
}

QString TskButton::GetPicNormal() const
{
    return UIStyle() == TskUIStyle::Custom ? TskCustomButton::GetPicNormal() : QString();
}

QString TskButton::GetPicMouseOn() const
{
    return UIStyle() == TskUIStyle::Custom ? TskCustomButton::GetPicMouseOn() : QString();
}

QString TskButton::GetPicMouseDown() const
{
    return UIStyle() == TskUIStyle::Custom ? TskCustomButton::GetPicMouseDown() : QString();
}

void TskButton::ApplyContainerStyle(TskUIStyle style)
{
    if (UIStyle() != TskUIStyle::Custom)
        SetUIStyle(style);
}

void TskButton::UIStyleChanged()
{
    TskCustomButton::UIStyleChanged();
    if (UIStyle() == TskUIStyle::Pearl) {
        // The Pearl face is drawn for one height only.
        setFixedHeight(kPearlHeight);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
    SetTransparent(UIStyle() == TskUIStyle::Crystal);
}

void TskButton::SetButtonPic(TskUIStyle style)
{
    if (style == TskUIStyle::Custom)
        return;
    TskCustomButton::SetPicNormal(GetThemeString(style, 24));
    TskCustomButton::SetPicMouseOn(GetThemeString(style, 25));
    TskCustomButton::SetPicMouseDown(GetThemeString(style, 26));
}

void TskButton::PaintPic(QPainter& canvas, const FacePicture& picture)
{
    if (UIStyle() != TskUIStyle::Custom) {
        if (!picture.IsNull())
            SpitDraw(picture.plain, canvas, rect(), PicTransparent());
    } else {
        TskCustomButton::PaintPic(canvas, picture);
    }
    if (m_glyph.isNull())
        return;
    const QFontMetrics metrics(font());
    const QString shown = QString(Caption()).remove(QLatin1Char('&'));
    const QSize text(metrics.horizontalAdvance(shown), metrics.height());
    const GlyphPlacement place = PlaceGlyph(m_layout, size(), text, m_glyph.size(), m_spacing);
    m_textPos = place.text;
    QPoint at = place.glyph;
    if (MouseDown())
        at += QPoint(1, 1);
    if (!isEnabled() && m_glyphDisabled.isNull() && !m_glyphEnabled.isNull())
        m_glyphDisabled = GreyedImage(m_glyphEnabled);
    canvas.drawImage(at, isEnabled() ? m_glyphEnabled : m_glyphDisabled);
}

void TskButton::PaintText(QPainter& canvas, const QString& caption)
{
    if (m_glyph.isNull()) {
        TskCustomButton::PaintText(canvas, caption);
        return;
    }
    QPoint at = m_textPos;
    if (isEnabled() && MouseDown())
        at += QPoint(1, 1);
    const QRect r(at, QPoint(width() - 1, height() - 1));
    DrawCaptionText(canvas, r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

void TskButton::PaintFocus(QPainter& canvas)
{
    if (UIStyle() == TskUIStyle::Pearl || UIStyle() == TskUIStyle::Crystal) {
        // A line under the caption in place of the dotted frame; the end pixel is left out.
        canvas.setPen(ToQColor(0xFF0000));
        if (width() - 10 > 10)
            canvas.drawLine(10, height() - 5, width() - 11, height() - 5);
        return;
    }
    TskCustomButton::PaintFocus(canvas);
}
