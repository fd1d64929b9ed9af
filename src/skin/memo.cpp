#include "skin/memo.h"

#include "skin/skin_drawing.h"
#include "skin/themed_scroll_bar_style.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int kBorderWidth = 2;
}  // namespace

TskMemo::TskMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    // A plain frame of the border's width keeps the viewport and the bars
    // inside it; the rings are painted over it.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
    m_borderColor = GetBorderColor(parent);
    SetColor(clWindow);
    SetScrollBarLook(GetSkinFormStyle(parent));
    UpdateScrollBarPolicy();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_settingFromCode == 0)
            emit OnChange();
    });
}

void TskMemo::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskMemo::SetColor(TColor color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    setPalette(pal);
    update();
}

void TskMemo::SetScrollBars(TScrollStyle bars)
{
    m_scrollBars = bars;
    UpdateScrollBarPolicy();
}

void TskMemo::SetWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    UpdateScrollBarPolicy();
}

void TskMemo::SetScrollBarLook(TskUIStyle look)
{
    if (!IsBuiltInStyle(look))
        return;
    m_scrollLook = look;
    ApplyScrollBarLook(*this, look);
}

void TskMemo::UpdateScrollBarPolicy()
{
    const bool vertical = m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth;
    // A wrapping memo has nothing to scroll sideways.
    const bool horizontal =
        !m_wordWrap && (m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
}

void TskMemo::SetVScrollBar(TskScrollBar* bar)
{
    if (m_vBar.Bind(bar))
        BarsChanged();
}

void TskMemo::SetHScrollBar(TskScrollBar* bar)
{
    if (m_hBar.Bind(bar))
        BarsChanged();
}

void TskMemo::BarsChanged()
{
    // The memo's own bars hold the scroll state under the external ones.
    const bool v = VScrollBar() != nullptr;
    const bool h = HScrollBar() != nullptr;
    SetScrollBars(v && h ? TScrollStyle::ssBoth
                  : v    ? TScrollStyle::ssVertical
                  : h    ? TScrollStyle::ssHorizontal
                         : TScrollStyle::ssNone);
    UpdateScrollBarsPos();
}

void TskMemo::UpdateScrollBarsPos()
{
    const QRect g = geometry();
    TskScrollBar* v = VScrollBar();
    TskScrollBar* h = HScrollBar();
    if (h)
        m_hBar.Place(QRect(g.x() + 1, g.y() + g.height() - h->height() - 2,
                           g.width() - 1 - (v ? v->width() : 0), h->height()));
    if (v)
        m_vBar.Place(QRect(g.x() + g.width() - v->width() - 2, g.y() + 1, v->width(),
                           g.height() - 1 - (h ? h->height() : 0)));
}

void TskMemo::UpdateScrollBars()
{
    m_vBar.Mirror();
    m_hBar.Mirror();
}

void TskMemo::SetText(const QString& text)
{
    ++m_settingFromCode;
    setPlainText(text);
    --m_settingFromCode;
}

QStringList TskMemo::Lines() const
{
    QStringList lines = toPlainText().split(QLatin1Char('\n'));
    // split() always gives one piece more than there are breaks; the piece after
    // a final break (or of an empty text) is not a line.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int TskMemo::LineCount() const { return int(Lines().size()); }

QString TskMemo::Line(int i) const
{
    const QStringList lines = Lines();
    return i >= 0 && i < lines.size() ? lines.at(i) : QString();
}

void TskMemo::SetLines(const QStringList& lines)
{
    SetText(lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TskMemo::SetLine(int i, const QString& line)
{
    if (i < 0)
        return;
    QStringList lines = Lines();
    while (lines.size() <= i)
        lines.append(QString());
    lines[i] = line;
    SetLines(lines);
}

void TskMemo::AddLine(const QString& line)
{
    QStringList lines = Lines();
    lines.append(line);
    SetLines(lines);
}

void TskMemo::DeleteLine(int i)
{
    QStringList lines = Lines();
    if (i < 0 || i >= lines.size())
        return;
    lines.removeAt(i);
    SetLines(lines);
}

void TskMemo::ApplyContainerStyle(TskUIStyle style)
{
    if (!ThemeColorsApply(style))
        return;
    SetBorderColor(GetThemeColor(style, 8));
    SetScrollBarLook(style);
}

bool TskMemo::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        UpdateScrollBarsPos();
    // The area's own paint (the viewport paints itself apart) covers the ring.
    if (event->type() == QEvent::Paint) {
        QPainter canvas(this);
        DrawControlBorder(canvas, rect(), m_borderColor, m_color);
    }
    return handled;
}

void TskMemo::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateScrollBars();
}

void TskMemo::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit OnEnter();
}

void TskMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit OnDblClick();
}
