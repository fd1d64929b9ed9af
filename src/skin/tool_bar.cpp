#include "skin/tool_bar.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

// --- Tool button ---------------------------------------------------------------

TskToolButton::TskToolButton(TskToolBar* bar, TToolButtonStyle style) : QAbstractButton(bar), m_bar(bar), m_style(style)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    connect(this, &QAbstractButton::clicked, this, &TskToolButton::Clicked);
}

void TskToolButton::SetStyle(TToolButtonStyle style)
{
    m_style = style;
    m_bar->LayoutButtons();
    update();
}

void TskToolButton::SetDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    if (down && IsGroupedCheck())
        m_bar->ReleaseGroupOf(*this);
    update();
}

void TskToolButton::SetImageIndex(int index)
{
    m_imageIndex = index;
    update();
}

void TskToolButton::SetCaption(const QString& caption)
{
    setText(caption);
    update();
}

void TskToolButton::Clicked()
{
    if (m_style == TToolButtonStyle::tbsSeparator || m_style == TToolButtonStyle::tbsDivider)
        return;
    if (m_style == TToolButtonStyle::tbsCheck) {
        // The down button of a group that may not be all up stays down.
        if (!(m_down && IsGroupedCheck() && !m_allowAllUp))
            SetDown(!m_down);
    }
    emit OnClick();
}

void TskToolButton::paintEvent(QPaintEvent*)
{
    if (m_style == TToolButtonStyle::tbsSeparator)
        return;
    QPainter canvas(this);
    if (m_style == TToolButtonStyle::tbsDivider) {
        canvas.setPen(ToQColor(clBtnShadow));
        canvas.drawLine(width() / 2, 2, width() / 2, height() - 3);
        return;
    }
    m_bar->DrawButton(canvas, *this);
}

void TskToolButton::enterEvent(QEnterEvent* event)
{
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TskToolButton::leaveEvent(QEvent* event)
{
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TskToolButton::mouseMoveEvent(QMouseEvent* event)
{
    // Qt holds the leave back while the button is held: follow the pointer here.
    const bool hot = rect().contains(event->position().toPoint());
    if (hot != m_hot) {
        m_hot = hot;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

// --- Tool bar -------------------------------------------------------------------

TskToolBar::TskToolBar(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    resize(150, m_buttonHeight + 4);
    SetUIStyle(GetSkinFormStyle(parent));
}

TskToolBar::~TskToolBar()
{
    // The buttons die after this part of the bar: they must not reach back into it.
    for (TskToolButton* b : m_buttons)
        disconnect(b, nullptr, this, nullptr);
}

TskToolButton* TskToolBar::AddButton(TToolButtonStyle style, int imageIndex)
{
    auto* button = new TskToolButton(this, style);
    button->SetImageIndex(imageIndex);
    m_buttons.push_back(button);
    connect(button, &QObject::destroyed, this, [this](QObject* gone) {
        std::erase_if(m_buttons, [gone](TskToolButton* b) { return b == gone; });
        LayoutButtons();
    });
    button->show();
    LayoutButtons();
    return button;
}

TskToolButton* TskToolBar::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        return nullptr;
    return m_buttons[std::size_t(index)];
}

void TskToolBar::SetButtonWidth(int width)
{
    m_buttonWidth = std::max(width, 0);
    LayoutButtons();
}

void TskToolBar::SetButtonHeight(int height)
{
    m_buttonHeight = std::max(height, 0);
    LayoutButtons();
}

void TskToolBar::SetShowCaptions(bool show)
{
    m_showCaptions = show;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetImages(const ToolImageList& images)
{
    m_images = images;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetHotImages(const ToolImageList& images)
{
    m_hotImages = images;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    if (style != TskUIStyle::Custom) {
        m_buttonBorderColor = GetThemeColor(style, 80);
        m_buttonColor = GetThemeColor(style, 81);
        m_buttonDownColor = GetThemeColor(style, 82);
        m_color = GetThemeColor(style, 83);
        m_transparent = style == TskUIStyle::Pearl;
    }
    update();
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetButtonColor(TColor color)
{
    m_buttonColor = color;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetButtonBorderColor(TColor color)
{
    m_buttonBorderColor = color;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetButtonDownColor(TColor color)
{
    m_buttonDownColor = color;
    for (TskToolButton* b : m_buttons)
        b->update();
}

void TskToolBar::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TskToolBar::SetTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TskToolBar::LayoutButtons()
{
    int x = 0;
    for (TskToolButton* b : m_buttons) {
        const bool gap = b->Style() == TToolButtonStyle::tbsSeparator || b->Style() == TToolButtonStyle::tbsDivider;
        const int w = gap ? kSeparatorWidth : m_buttonWidth;
        b->setGeometry(x, 0, w, m_buttonHeight);
        x += w;
    }
}

void TskToolBar::ReleaseGroupOf(const TskToolButton& button)
{
    const auto at = std::find(m_buttons.begin(), m_buttons.end(), &button);
    if (at == m_buttons.end())
        return;
    // A group is the run of adjacent grouped check buttons around this one.
    auto first = at;
    while (first != m_buttons.begin() && (*(first - 1))->IsGroupedCheck())
        --first;
    auto last = at;
    while (last + 1 != m_buttons.end() && (*(last + 1))->IsGroupedCheck())
        ++last;
    for (auto it = first; it <= last; ++it) {
        if (*it != &button && (*it)->m_down) {
            (*it)->m_down = false;
            (*it)->update();
        }
    }
}

void TskToolBar::DrawButton(QPainter& canvas, const TskToolButton& button) const
{
    const ToolImageList& images = m_hotImages.Count() > 0 ? m_hotImages : m_images;
    const bool hot = button.Hot();
    const bool pressed = button.Pressed();
    if (hot && pressed)
        DrawDownButton(canvas, button, images);
    else if (hot || pressed || button.Down())
        DrawHotButton(canvas, button, images);
    else
        DrawDefaultButton(canvas, button, m_images);
}

void TskToolBar::DrawHotButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const
{
    canvas.setPen(ToQColor(m_buttonBorderColor));
    canvas.setBrush(ToQColor(m_buttonColor));
    canvas.drawRect(0, 0, button.width() - 1, button.height() - 1);
    const bool hasImage = button.ImageIndex() >= 0 && button.ImageIndex() < images.Count();
    if (hasImage)
        images.Draw(canvas, (button.width() - images.Width()) / 2 - 1, 2, button.ImageIndex(), true);
    DrawCaption(canvas, button, hasImage ? images.Height() + 4 : 4);
}

void TskToolBar::DrawDownButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const
{
    canvas.setPen(ToQColor(m_buttonBorderColor));
    canvas.setBrush(ToQColor(m_buttonDownColor));
    canvas.drawRect(0, 0, button.width() - 1, button.height() - 1);
    const bool hasImage = button.ImageIndex() >= 0 && button.ImageIndex() < images.Count();
    if (hasImage)
        images.Draw(canvas, (button.width() - images.Width()) / 2, 3, button.ImageIndex(), true);
    DrawCaption(canvas, button, hasImage ? images.Height() + 4 : 5);
}

void TskToolBar::DrawDefaultButton(QPainter& canvas, const TskToolButton& button, const ToolImageList& images) const
{
    // Where the hot look puts it, so the image does not jump on hover.
    const bool hasImage = button.ImageIndex() >= 0 && button.ImageIndex() < images.Count();
    if (hasImage)
        images.Draw(canvas, (button.width() - images.Width()) / 2 - 1, 2, button.ImageIndex(), button.isEnabled());
    DrawCaption(canvas, button, hasImage ? images.Height() + 4 : 4);
}

void TskToolBar::DrawCaption(QPainter& canvas, const TskToolButton& button, int top) const
{
    if (!m_showCaptions || button.text().isEmpty())
        return;
    canvas.setFont(button.font());
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(ToQColor(button.isEnabled() ? clBtnText : clGrayText));
    canvas.drawText(QRect(0, top, button.width(), std::max(0, button.height() - top)),
                    Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, button.text());
}

void TskToolBar::paintEvent(QPaintEvent*)
{
    // A transparent bar paints nothing: Qt composes the parent underneath.
    if (m_transparent)
        return;
    QPainter canvas(this);
    canvas.fillRect(rect(), ToQColor(m_color));
}

void TskToolBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutButtons();
}
