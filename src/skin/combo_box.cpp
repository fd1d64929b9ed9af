#include "skin/combo_box.h"

#include "skin/theme_pictures.h"

#include <QEvent>
#include <QPainter>

namespace {
// The edge the native control draws around its text and button.
constexpr int kEdge = 2;
// The button is as wide as a system scroll bar.
constexpr int kButtonWidth = 17;
}  // namespace

TskCustomComboBox::TskCustomComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    connect(this, &QComboBox::activated, this, [this](int) { emit OnChange(); });
    SetUIStyle(GetSkinFormStyle(parent));
}

void TskCustomComboBox::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    // Custom keeps the control's own colours: the theme has none for it and
    // would give black on black.
    if (IsBuiltInStyle(style)) {
        m_buttonColor = GetThemeColor(style, 74);
        m_arrowColor = GetThemeColor(style, 8);
        m_borderColor = GetThemeColor(style, 8);
    }
    m_pearlButton = style == TskUIStyle::Pearl ? ThemeImage(QStringLiteral("PEARL_COMBOBOX_BUTTON")) : QImage();
    update();
}

void TskCustomComboBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskCustomComboBox::SetButtonColor(TColor color)
{
    m_buttonColor = color;
    update();
}

void TskCustomComboBox::SetArrowColor(TColor color)
{
    m_arrowColor = color;
    update();
}

void TskCustomComboBox::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TskCustomComboBox::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    update();
}

QStringList TskCustomComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    return items;
}

void TskCustomComboBox::AddItem(const QString& text) { addItem(text); }

void TskCustomComboBox::SetItems(const QStringList& items)
{
    clear();
    addItems(items);
    setCurrentIndex(-1);
}

void TskCustomComboBox::ClearItems() { clear(); }

void TskCustomComboBox::SetItemIndex(int i)
{
    // The user's signal is `activated`, which a set from code never raises.
    setCurrentIndex(i >= 0 && i < count() ? i : -1);
}

VclRect TskCustomComboBox::ButtonRect(QSize control)
{
    const int right = control.width() - kEdge;
    return {right - kButtonWidth, kEdge, right, control.height() - kEdge};
}

QPoint TskCustomComboBox::ArrowOrigin(const VclRect& b)
{
    // y from the button's height alone, not its top, so the arrow keeps its
    // place whatever the button's top.
    return {b.left + b.Width() / 2 - 4, b.Height() / 2};
}

void DrawComboDropButton(QPainter& canvas, const VclRect& b, const ComboDropButtonLook& look, bool enabled)
{
    if (b.IsEmpty())
        return;
    if (!look.pearlButton.isNull())
        canvas.drawImage(b.ToQRect(), look.pearlButton);
    else
        canvas.fillRect(b.ToQRect(), ToQColor(look.buttonColor));
    const QPoint o = TskCustomComboBox::ArrowOrigin(b);
    auto triangle = [&canvas](QPoint at, const QColor& colour) {
        const QPoint points[] = {at, at + QPoint(6, 0), at + QPoint(3, 3)};
        canvas.setPen(QPen(colour, 0));
        canvas.setBrush(colour);
        canvas.drawPolygon(points, 3);
    };
    if (enabled) {
        triangle(o, ToQColor(look.arrowColor));
    } else {
        triangle(o + QPoint(1, 1), QColor(255, 255, 255));
        triangle(o, QColor(128, 128, 128));
    }
}

ComboDropButtonLook ComboDropButtonLookOf(TskUIStyle style)
{
    ComboDropButtonLook look;
    if (IsBuiltInStyle(style)) {
        look.buttonColor = GetThemeColor(style, 74);
        look.arrowColor = GetThemeColor(style, 8);
    }
    if (style == TskUIStyle::Pearl)
        look.pearlButton = ThemeImage(QStringLiteral("PEARL_COMBOBOX_BUTTON"));
    return look;
}

void TskCustomComboBox::DrawButton(QPainter& canvas) const
{
    const bool pearl = m_uiStyle == TskUIStyle::Pearl;
    DrawComboDropButton(canvas, ButtonRect(size()), {m_buttonColor, m_arrowColor, pearl ? m_pearlButton : QImage()},
                        isEnabled());
}

void TskCustomComboBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.fillRect(rect(), ToQColor(m_color));
    const VclRect b = ButtonRect(size());
    const QRect textBox(kEdge + 1, kEdge + 1, std::max(0, b.left - kEdge - 2), std::max(0, height() - 2 * kEdge - 2));
    QColor textColour = isEnabled() ? palette().color(QPalette::Text) : QColor(128, 128, 128);
    if (hasFocus() && isEnabled()) {
        canvas.fillRect(textBox, palette().color(QPalette::Highlight));
        textColour = palette().color(QPalette::HighlightedText);
    }
    canvas.setPen(textColour);
    canvas.setFont(font());
    canvas.drawText(textBox.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText());
    DrawButton(canvas);
    DrawControlBorder(canvas, rect(), m_borderColor, m_color);
}

void TskCustomComboBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QComboBox::changeEvent(event);
}
