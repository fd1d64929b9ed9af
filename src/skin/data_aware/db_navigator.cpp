#include "skin/data_aware/db_navigator.h"

#include "dataset/data_set.h"
#include "skin/data_aware/data_set_prompts.h"
#include "skin/data_aware/db_texts.h"
#include "skin/theme_pictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kMinButtonWidth = 20;
constexpr int kMinButtonHeight = 18;
constexpr int kGlyphSize = 15;

}  // namespace

QString NavButtonKindName(TNavigateBtn kind)
{
    static const char* const names[kNavButtonCount] = {"FIRST",  "PRIOR", "NEXT", "LAST",   "INSERT",
                                                       "DELETE", "EDIT",  "POST", "CANCEL", "REFRESH"};
    return QString::fromLatin1(names[int(kind)]);
}

QString NavButtonDefaultHint(TNavigateBtn kind)
{
    switch (kind) {
    case TNavigateBtn::nbFirst: return db_texts::FirstRecord();
    case TNavigateBtn::nbPrior: return db_texts::PriorRecord();
    case TNavigateBtn::nbNext: return db_texts::NextRecord();
    case TNavigateBtn::nbLast: return db_texts::LastRecord();
    case TNavigateBtn::nbInsert: return db_texts::InsertRecord();
    case TNavigateBtn::nbDelete: return db_texts::DeleteRecord();
    case TNavigateBtn::nbEdit: return db_texts::EditRecord();
    case TNavigateBtn::nbPost: return db_texts::PostEdit();
    case TNavigateBtn::nbCancel: return db_texts::CancelEdit();
    case TNavigateBtn::nbRefresh: return db_texts::RefreshData();
    }
    return {};
}

QImage NavButtonGlyph(TNavigateBtn kind)
{
    const QString name = QStringLiteral("DBNAV_BUTTON_") + NavButtonKindName(kind);
    if (ThemePictureExists(name))
        return ThemeImage(name);
    QImage glyph(kGlyphSize, kGlyphSize, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));  // the key colour: the top-left pixel
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    auto left = [&](int x) { p.drawPolygon(QPolygon({{x + 5, 3}, {x + 5, 11}, {x + 1, 7}})); };
    auto right = [&](int x) { p.drawPolygon(QPolygon({{x + 1, 3}, {x + 1, 11}, {x + 5, 7}})); };
    switch (kind) {
    case TNavigateBtn::nbFirst:
        p.drawRect(3, 3, 2, 9);
        left(5);
        break;
    case TNavigateBtn::nbPrior:
        left(4);
        break;
    case TNavigateBtn::nbNext:
        right(5);
        break;
    case TNavigateBtn::nbLast:
        right(3);
        p.drawRect(10, 3, 2, 9);
        break;
    case TNavigateBtn::nbInsert:
        p.drawRect(3, 6, 9, 3);
        p.drawRect(6, 3, 3, 9);
        break;
    case TNavigateBtn::nbDelete:
        p.drawRect(3, 6, 9, 3);
        break;
    case TNavigateBtn::nbEdit:
        p.drawPolygon(QPolygon({{3, 12}, {4, 9}, {10, 3}, {12, 5}, {6, 11}}));
        break;
    case TNavigateBtn::nbPost: {
        QPen pen(Qt::black, 2.5);
        p.setPen(pen);
        p.drawPolyline(QPolygon({{3, 7}, {6, 11}, {12, 3}}));
        break;
    }
    case TNavigateBtn::nbCancel: {
        QPen pen(Qt::black, 2.5);
        p.setPen(pen);
        p.drawLine(4, 4, 11, 11);
        p.drawLine(11, 4, 4, 11);
        break;
    }
    case TNavigateBtn::nbRefresh: {
        QPen pen(Qt::black, 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(3, 3, 9, 9), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygon({{7, 1}, {11, 4}, {7, 6}}));
        break;
    }
    }
    return glyph;
}

// --- Buttons ----------------------------------------------------------------

TskNavButton::TskNavButton(TskDBNavigator* navigator, TNavigateBtn kind)
    : TskButton(navigator), m_navigator(navigator), m_kind(kind)
{
    SetTabStop(false);
    setFocusPolicy(Qt::NoFocus);
    SetCaption(QString());
    SetSpacing(-1);
    SetGlyph(NavButtonGlyph(kind));
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(100);
        if (MouseDown())
            Click();
    });
}

void TskNavButton::paintEvent(QPaintEvent* event)
{
    TskButton::paintEvent(event);
    if (!m_navigator->hasFocus() || m_navigator->FocusedButton() != m_kind)
        return;
    QPainter canvas(this);
    QRect r = rect().adjusted(3, 3, -3, -3);
    if (MouseDown())
        r.translate(1, 1);
    DrawFocusFrame(canvas, r);
}

void TskNavButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_navigator->ButtonPressed(m_kind);
        if (Repeats()) {
            m_repeat.setInterval(400);
            m_repeat.start();
        }
    }
    TskButton::mousePressEvent(event);
}

void TskNavButton::mouseReleaseEvent(QMouseEvent* event)
{
    m_repeat.stop();
    TskButton::mouseReleaseEvent(event);
}

// --- Link ----------------------------------------------------------------------

void TskNavDataLink::ActiveChanged()
{
    m_navigator.UpdateButtons();
}

void TskNavDataLink::EditingChanged()
{
    m_navigator.UpdateButtons();
}

void TskNavDataLink::DataSetChanged()
{
    m_navigator.UpdateButtons();
}

// --- Navigator --------------------------------------------------------------

TskDBNavigator::TskDBNavigator(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto kind = TNavigateBtn(i);
        auto* button = new TskNavButton(this, kind);
        connect(button, &TskCustomButton::OnClick, this, [this, kind] { BtnClick(kind); });
        m_buttons[size_t(i)] = button;
    }
    SetUIStyle(GetSkinFormStyle(parent));
    UpdateHints();
    resize(250, 30);
    LayoutButtons();
    UpdateButtons();
}

void TskDBNavigator::SetVisibleButtons(TButtonSet buttons)
{
    m_visible = buttons & kAllNavButtons;
    for (int i = 0; i < kNavButtonCount; ++i)
        m_buttons[size_t(i)]->setVisible(m_visible & (1u << i));
    LayoutButtons();
    update();
}

void TskDBNavigator::SetHints(const QStringList& hints)
{
    m_hints = hints;
    UpdateHints();
}

void TskDBNavigator::UpdateHints()
{
    for (int i = 0; i < kNavButtonCount; ++i) {
        const QString user = i < m_hints.size() ? m_hints[i] : QString();
        m_buttons[size_t(i)]->setToolTip(user.isEmpty() ? NavButtonDefaultHint(TNavigateBtn(i)) : user);
    }
}

void TskDBNavigator::SetAlign(TAlign align)
{
    m_align = align;
    LayoutButtons();
}

void TskDBNavigator::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    for (TskNavButton* button : m_buttons)
        button->SetUIStyle(style);
}

void TskDBNavigator::LayoutButtons()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    int n = 0;
    for (int i = 0; i < kNavButtonCount; ++i)
        if (m_visible & (1u << i))
            ++n;
    if (n == 0)
        n = 1;
    int w = std::max(width(), kMinButtonWidth * n);
    const int h = std::max(height(), kMinButtonHeight);
    if (m_align == TAlign::alNone)
        w = (w / n) * n;
    if (w != width() || h != height())
        resize(w, h);
    const int buttonWidth = w / n;
    const int spare = w - n * buttonWidth;
    int counter = n / 2;
    int x = 0;
    for (int i = 0; i < kNavButtonCount; ++i) {
        TskNavButton* button = m_buttons[size_t(i)];
        if (!(m_visible & (1u << i))) {
            button->setGeometry(w + 1, 0, buttonWidth, h);  // parked out of sight
            continue;
        }
        int bw = buttonWidth;
        if (spare != 0) {
            counter -= spare;
            if (counter < 0) {
                ++bw;
                counter += n;
            }
        }
        button->setGeometry(x, 0, bw, h);
        x += bw;
    }
    m_layingOut = false;
}

void TskDBNavigator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutButtons();
}

void TskDBNavigator::UpdateButtons()
{
    for (int i = 0; i < kNavButtonCount; ++i)
        m_buttons[size_t(i)]->setEnabled(isEnabled() && DataSetOperationEnabled(TNavigateBtn(i), m_dataLink));
}

void TskDBNavigator::BtnClick(TNavigateBtn kind)
{
    TDataSet* set = m_dataLink.DataSet();
    if (!set || !m_dataLink.Active())
        return;
    emit BeforeAction(kind);
    const bool ask = kind == TNavigateBtn::nbDelete && m_confirmDelete;
    if ((!ask || AskToConfirm(this, m_question, db_texts::DeleteRecordQuestion())) &&
        !RunDataSetOperation(kind, *set))
        ShowDataSetError(this, m_error, set->LastError());
    emit OnClick(kind);
}

void TskDBNavigator::ButtonPressed(TNavigateBtn kind)
{
    const TNavigateBtn old = m_focusedButton;
    m_focusedButton = kind;
    if (TabStop() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_buttons[size_t(old)]->update();
    m_buttons[size_t(kind)]->update();
}

void TskDBNavigator::keyPressEvent(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
    if (step != 0) {
        for (int i = int(m_focusedButton) + step; i >= 0 && i < kNavButtonCount; i += step) {
            if (m_visible & (1u << i)) {
                const TNavigateBtn old = m_focusedButton;
                m_focusedButton = TNavigateBtn(i);
                m_buttons[size_t(old)]->update();
                m_buttons[size_t(i)]->update();
                break;
            }
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        TskNavButton* button = m_buttons[size_t(m_focusedButton)];
        if (button->isEnabled() && (m_visible & (1u << int(m_focusedButton))))
            button->Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TskDBNavigator::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_buttons[size_t(m_focusedButton)]->update();
}

void TskDBNavigator::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_buttons[size_t(m_focusedButton)]->update();
}

void TskDBNavigator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtons();
}
