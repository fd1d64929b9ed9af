#include "skin/check_group.h"

#include "skin/check_box.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

TskCheckGroup::TskCheckGroup(QWidget* parent) : TskCustomGroupBox(parent), m_uiStyle(GetSkinFormStyle(parent))
{
    SetCaption(QStringLiteral("skCheckGroup"));
    TskCustomGroupBox::SetTransparent(false);
    FollowParentColor();
}

TskCheckBox* TskCheckGroup::Button(int i) const
{
    return i >= 0 && i < ButtonCount() ? m_buttons[size_t(i)] : nullptr;
}

TskCheckBox* TskCheckGroup::CreateAButton()
{
    return new TskCheckBox(this);
}

void TskCheckGroup::SetItems(const QStringList& items)
{
    m_items = items;
    Rebuild();
}

void TskCheckGroup::Rebuild()
{
    while (ButtonCount() > m_items.size()) {
        TskCheckBox* surplus = m_buttons.back();
        m_buttons.pop_back();
        // Deleted later: the items may be replaced from inside this button's click.
        surplus->hide();
        surplus->setParent(nullptr);
        surplus->deleteLater();
    }
    while (ButtonCount() < m_items.size()) {
        TskCheckBox* button = CreateAButton();
        button->SetAutoSize(true);
        button->SetUIStyle(m_uiStyle);
        button->SetTransparent(Transparent());
        connect(button, &TskCheckBox::OnClick, this, &TskCheckGroup::ItemClick);
        button->show();
        m_buttons.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i)
        m_buttons[size_t(i)]->SetCaption(m_items[i]);
    ArrangeButtons();
}

void TskCheckGroup::ArrangeButtons()
{
    if (m_buttons.empty())
        return;
    const QRect client = GetClient();
    const int top = client.top() + m_topMargin;
    const int height = std::max(0, client.top() + client.height() - top);
    // No columns is laid out as one: the count divides the width.
    const int columns = std::max(1, m_columns);
    const int count = ButtonCount();
    const int rows = (count + columns - 1) / columns;
    const int columnWidth = (width() - 10) / columns;
    const int rowHeight = height / rows;
    const int topOffset = (height % rows) / 2 + top;
    // A button taller than its row (the Pearl pictures are) is lifted so that
    // it ends inside the client and leaves the frame's bottom line whole.
    const int lowest = client.top() + client.height();
    for (int i = 0; i < count; ++i) {
        TskCheckBox* button = m_buttons[size_t(i)];
        const int y = (i % rows) * rowHeight + topOffset;
        button->move((i / rows) * columnWidth + 8, std::max(top, std::min(y, lowest - button->height())));
    }
}

void TskCheckGroup::SetColumns(int columns)
{
    if (columns < 0)
        return;
    m_columns = columns;
    ArrangeButtons();
}

void TskCheckGroup::SetTopMargin(int margin)
{
    if (margin < 0)
        return;
    m_topMargin = margin;
    ArrangeButtons();
}

void TskCheckGroup::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    UpdateUIStyle(style);
    for (TskCheckBox* button : m_buttons) {
        button->SetUIStyle(style);
        button->SetColor(Color());
    }
}

void TskCheckGroup::UpdateUIStyle(TskUIStyle style)
{
    if (!ThemeColorsApply(style))
        return;
    SetBorderColor(GetThemeColor(style, 8));
    SetFontColor(GetThemeColor(style, 10));
    if (!m_parentColor)
        TskCustomPanel::SetColor(GetThemeColor(style, 9));
}

bool TskCheckGroup::GetChecked(int i) const
{
    const TskCheckBox* button = Button(i);
    return button && button->Checked();
}

void TskCheckGroup::SetChecked(int i, bool checked)
{
    if (TskCheckBox* button = Button(i))
        button->SetChecked(checked);
}

void TskCheckGroup::SetColor(TColor color)
{
    m_parentColor = false;
    TskCustomPanel::SetColor(color);
}

void TskCheckGroup::SetParentColor(bool on)
{
    m_parentColor = on;
    FollowParentColor();
}

void TskCheckGroup::SetFontColor(TColor color)
{
    TskCustomPanel::SetFontColor(color);
    // The item buttons write their captions in the group's text colour.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(pal);
}

void TskCheckGroup::SetTransparent(bool on)
{
    TskCustomGroupBox::SetTransparent(on);
    for (TskCheckBox* button : m_buttons)
        button->SetTransparent(on);
}

void TskCheckGroup::FollowParentColor()
{
    if (m_parentColor && parentWidget())
        TskCustomPanel::SetColor(FromQColor(parentWidget()->palette().color(QPalette::Window)));
}

void TskCheckGroup::ItemClick()
{
    NewClick();
    emit OnClick();
}

void TskCheckGroup::resizeEvent(QResizeEvent* event)
{
    TskCustomGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TskCheckGroup::mousePressEvent(QMouseEvent* event)
{
    m_framePressed = event->button() == Qt::LeftButton;
    if (!m_framePressed)
        TskCustomGroupBox::mousePressEvent(event);
}

void TskCheckGroup::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_framePressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_framePressed = false;
    if (click)
        ItemClick();
    else
        TskCustomGroupBox::mouseReleaseEvent(event);
}

void TskCheckGroup::changeEvent(QEvent* event)
{
    TskCustomGroupBox::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        FollowParentColor();
}
