#include "skin/group_box.h"

#include "skin/custom_button.h"
#include "skin/skin_drawing.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <iterator>

TskCustomGroupBox::TskCustomGroupBox(QWidget* parent) : TskCustomPanel(parent)
{
    resize(185, 105);
    // The panel's own text stays blank: the caption belongs to the frame.
    TskCustomPanel::SetCaption(QStringLiteral(" "));
    const TskUIStyle formStyle = GetSkinFormStyle(parent);
    m_borderColor = GetThemeColor(formStyle, 8);
    SetFontColor(GetThemeColor(formStyle, 10));
    SetTransparent(true);
}

void TskCustomGroupBox::SetCaption(const QString& caption)
{
    m_groupCaption = caption;
    update();
}

void TskCustomGroupBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskCustomGroupBox::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    for (QObject* child : children()) {
        if (auto* control = qobject_cast<QWidget*>(child); control && !control->isWindow())
            control->setEnabled(enabled);
    }
    update();
}

QRect TskCustomGroupBox::GetClient() const
{
    const QRect c = contentsRect();
    const VclRect r{c.left() + 3, c.top() + FontPixelHeight(font()), c.left() + c.width() - 2,
                    c.top() + c.height() - 2};
    return r.ToQRect();
}

int TskCustomGroupBox::FrameTop() const
{
    return FontPixelHeight(font()) / 2 + 1;
}

void TskCustomGroupBox::UpdateUIStyle(TskUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TskCustomGroupBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    PaintPanel(canvas);
    canvas.setFont(font());
    const int left = 0;
    const int top = FrameTop();
    const int right = width();
    const int bottom = height();
    const int tw = QFontMetrics(font()).horizontalAdvance(m_groupCaption);
    const int gapEnd = m_groupCaption.isEmpty() ? left : left + tw + 6;
    // The frame's path; each segment leaves out its end pixel, which opens
    // the gap in the top line for the caption.
    const QPoint path[] = {{left + 2, top}, {left, top}, {left, bottom - 1}, {right - 1, bottom - 1},
                           {right - 1, top}, {gapEnd, top}};
    canvas.setPen(QPen(ToQColor(m_borderColor), 0));
    for (size_t i = 0; i + 1 < std::size(path); ++i) {
        const QPoint a = path[i];
        const QPoint b = path[i + 1];
        if (a == b)
            continue;
        const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
        canvas.drawLine(a, b - step);
    }
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(isEnabled() ? ToQColor(FontColor()) : QColor(128, 128, 128));
    canvas.drawText(QRect(5, 0, std::max(0, width() - 5), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    m_groupCaption);
}

void TskCustomGroupBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        update();
    TskCustomPanel::changeEvent(event);
}

void TskGroupBox::ApplyContainerStyle(TskUIStyle style)
{
    TskCustomGroupBox::ApplyContainerStyle(style);
    if (!ThemeColorsApply(style))
        return;
    SetBorderColor(GetThemeColor(style, 8));
    SetFontColor(GetThemeColor(style, 10));
    SetColor(GetThemeColor(style, 9));
}
