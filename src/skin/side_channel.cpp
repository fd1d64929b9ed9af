#include "skin/side_channel.h"

#include "skin/button.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"

#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int kStripHeight = 16;

QIcon PinIcon(bool down)
{
    const QImage picture = ThemeImage(down ? QStringLiteral("SIDECHANNEL_BTN_ONTOP")
                                           : QStringLiteral("SIDECHANNEL_BTN_NOONTOP"));
    return QIcon(QPixmap::fromImage(MaskedImage(picture, qRgb(255, 0, 255))));
}

void Colour(QWidget& w, TColor color)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    w.setPalette(pal);
    w.setAutoFillBackground(true);
}

}  // namespace

TskSideChannel::TskSideChannel(QWidget* parent) : QWidget(parent)
{
    m_cursorSource = [] { return QCursor::pos(); };
    m_strip = new QLabel(this);
    m_strip->setAlignment(Qt::AlignCenter);
    m_strip->setMouseTracking(true);
    m_strip->installEventFilter(this);
    m_pin = new QToolButton(m_strip);
    m_pin->setCheckable(true);
    m_pin->setAutoRaise(true);
    m_pin->setFocusPolicy(Qt::NoFocus);
    m_pin->setFixedSize(20, 16);
    m_pin->setIconSize(QSize(16, 14));
    m_pin->setIcon(PinIcon(false));
    connect(m_pin, &QToolButton::clicked, this, [this] { PinClicked(); });
    m_sideBar = new QWidget(this);
    m_sideBar->setMouseTracking(true);
    m_sideBar->installEventFilter(this);
    m_sideBar->resize(10, height());
    m_barButton = new TskButton(m_sideBar);
    m_barButton->SetAutoSize(true);
    m_barButton->SetTabStop(false);
    m_barButton->setFocusPolicy(Qt::NoFocus);
    m_barButton->SetCaption(QString());
    m_barButton->SetPicNormal(QStringLiteral("SIDECHANNEL_BAR_NORMAL"));
    m_barButton->SetPicMouseOn(QStringLiteral("SIDECHANNEL_BAR_MOUSEON"));
    m_barButton->SetPicMouseDown(QStringLiteral("SIDECHANNEL_BAR_MOUSEON"));
    m_barButton->move(0, 0);
    m_barButton->setMouseTracking(true);
    m_barButton->installEventFilter(this);
    connect(m_barButton, &TskButton::OnClick, this, [this] {
        if (m_popupMode == TskSideChannelPopupMode::skMouseClick && !IsOpen())
            Pop(m_quickMove);
    });
    m_content = new QWidget(this);
    m_checkTimer.setInterval(kCheckMs);
    connect(&m_checkTimer, &QTimer::timeout, this, [this] { CheckPointer(); });
    m_animTimer.setInterval(kTickMs);
    connect(&m_animTimer, &QTimer::timeout, this, [this] { Tick(); });

    const TColor formColor = GetSkinFormColor(parent);
    SetColor(formColor);
    SetSideBarColor(formColor);
    if (parent) {
        m_dockParent = parent;
        parent->installEventFilter(this);
    }
    resize(m_openWidth, parent ? parent->height() : 200);
    Push(true);
    Dock();
}

int TskSideChannel::SideBarWidth() const { return m_sideBar->width(); }

void TskSideChannel::SetSideBarWidth(int width)
{
    m_sideBar->resize(std::max(1, width), m_sideBar->height());
    m_queued.reset();
    m_animTimer.stop();
    m_motion = Motion::None;
    m_moving = false;
    Push(true);
}

void TskSideChannel::SetSideBarColor(TColor color)
{
    m_sideBarColor = color;
    Colour(*m_sideBar, color);
    Colour(*m_strip, color);
}

void TskSideChannel::SetColor(TColor color)
{
    m_color = color;
    Colour(*this, color);
    Colour(*m_content, color);
}

void TskSideChannel::ApplyContainerStyle(TskUIStyle style)
{
    if (!ThemeColorsApply(style))
        return;
    SetColor(GetThemeColor(style, 9));
    SetSideBarColor(GetThemeColor(style, 9));
}

void TskSideChannel::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (IsOpen() && !m_moving)
        m_strip->setText(caption);
}

Qt::Alignment TskSideChannel::Alignment() const { return m_strip->alignment(); }

void TskSideChannel::SetAlignment(Qt::Alignment alignment) { m_strip->setAlignment(alignment | Qt::AlignVCenter); }

void TskSideChannel::SetAlign(TskSideChannelAlign align)
{
    m_align = align;
    Dock();
}

bool TskSideChannel::IsOpen() const { return width() > SideBarWidth(); }

void TskSideChannel::SetStayOn(bool on)
{
    m_stayOn = on;
    m_pin->setChecked(on);
    if (on)
        Pop(m_quickMove);
    else
        Push(true);
    PinClicked();
}

void TskSideChannel::Pop(bool quick)
{
    if (m_moving) {
        m_queued = std::make_pair(true, quick);
        return;
    }
    m_moving = true;
    UpdateFloor();
    m_pin->show();
    if (quick) {
        FinishPop();
        return;
    }
    m_motion = Motion::Opening;
    m_animTimer.start();
}

void TskSideChannel::Push(bool quick)
{
    if (m_moving) {
        m_queued = std::make_pair(false, quick);
        return;
    }
    m_moving = true;
    UpdateFloor();
    m_checkTimer.stop();
    if (quick) {
        FinishPush();
        return;
    }
    m_motion = Motion::Closing;
    m_animTimer.start();
}

void TskSideChannel::Tick()
{
    if (m_motion == Motion::Opening) {
        if (width() + kStep < m_openWidth) {
            resize(width() + kStep, height());
            return;
        }
        FinishPop();
    } else if (m_motion == Motion::Closing) {
        if (width() - kStep > SideBarWidth()) {
            resize(width() - kStep, height());
            return;
        }
        FinishPush();
    } else {
        m_animTimer.stop();
    }
}

void TskSideChannel::FinishPop()
{
    m_animTimer.stop();
    m_motion = Motion::None;
    resize(m_openWidth, height());
    update();
    if (!m_pin->isChecked())
        m_checkTimer.start();
    m_moving = false;
    UpdateFloor();
    m_strip->setText(m_caption);
    emit OnPop();
    RunQueued();
}

void TskSideChannel::FinishPush()
{
    m_animTimer.stop();
    m_motion = Motion::None;
    resize(SideBarWidth(), height());
    update();
    m_pin->hide();
    m_strip->clear();
    m_moving = false;
    UpdateFloor();
    emit OnPush();
    RunQueued();
}

void TskSideChannel::RunQueued()
{
    if (!m_queued)
        return;
    const auto [open, quick] = *m_queued;
    m_queued.reset();
    // A pinned channel stays open; a closed one needs no second closing.
    if (open && !IsOpen())
        Pop(quick);
    else if (!open && IsOpen() && !m_pin->isChecked())
        Push(quick);
}

bool TskSideChannel::RequestWidth(int width)
{
    if (m_canResize && !m_canResize(width))
        return false;
    if (!m_moving && IsOpen() && width < kMinOpenWidth)
        return false;
    resize(width, height());
    return true;
}

void TskSideChannel::CheckPointer()
{
    if (m_moving || !IsOpen() || m_pin->isChecked())
        return;
    const QRect onScreen(mapToGlobal(QPoint(0, 0)), size());
    if (!parentWidget() || !onScreen.contains(m_cursorSource()))
        Push(m_quickMove);
}

void TskSideChannel::PinClicked()
{
    const bool down = m_pin->isChecked();
    if (down)
        m_checkTimer.stop();
    else if (IsOpen() && !m_moving)
        m_checkTimer.start();
    m_pin->setIcon(PinIcon(down));
    m_stayOn = down;
}

void TskSideChannel::UpdateFloor()
{
    // Qt has no resize veto: a floor while open keeps layouts and drags above it.
    setMinimumWidth(!m_moving && IsOpen() ? kMinOpenWidth : 0);
}

void TskSideChannel::Dock()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const int x = m_align == TskSideChannelAlign::skLeft ? 0 : parent->width() - width();
    setGeometry(x, 0, width(), parent->height());
}

void TskSideChannel::LayoutParts()
{
    // The strip takes the top edge first, the side bar the left edge below it.
    m_strip->setGeometry(0, 0, width(), kStripHeight);
    m_pin->move(std::max(0, m_strip->width() - m_pin->width()), 0);
    m_sideBar->setGeometry(0, kStripHeight, m_sideBar->width(), std::max(0, height() - kStripHeight));
    m_content->setGeometry(m_sideBar->width(), kStripHeight, std::max(0, width() - m_sideBar->width()),
                           std::max(0, height() - kStripHeight));
}

bool TskSideChannel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dockParent && event->type() == QEvent::Resize) {
        Dock();
        return false;
    }
    const bool trigger = watched == m_sideBar || watched == m_strip || watched == m_barButton;
    if (trigger) {
        const QEvent::Type t = event->type();
        if ((t == QEvent::MouseMove || t == QEvent::Enter) && m_popupMode == TskSideChannelPopupMode::skMouseOn
            && !IsOpen())
            Pop(m_quickMove);
        if (t == QEvent::MouseButtonRelease && watched == m_sideBar
            && m_popupMode == TskSideChannelPopupMode::skMouseClick && !IsOpen())
            Pop(m_quickMove);
    }
    return QWidget::eventFilter(watched, event);
}

void TskSideChannel::resizeEvent(QResizeEvent*)
{
    if (m_align == TskSideChannelAlign::skRight && parentWidget())
        move(parentWidget()->width() - width(), y());
    LayoutParts();
    if (!m_moving && width() > SideBarWidth())
        m_openWidth = width();
    emit OnResize();
}

void TskSideChannel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
}

void TskSideChannel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_strip->setFont(font());
    QWidget::changeEvent(event);
}
