#include "skin/scroll_bar.h"

#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kDefaultArrowSize = 16;

int SaturatedSum(int a, int b)
{
    return int(std::clamp<std::int64_t>(std::int64_t(a) + b, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

QImage Turned(QImage picture, bool turn)
{
    if (turn && !picture.isNull())
        RoundPicture(picture);
    return picture;
}

}  // namespace

TskScrollBar::TskScrollBar(QWidget* parent)
    : QWidget(parent),
      m_track(new TskScrollTrackBar(this)),
      m_increment(new TskImageButton(this)),
      m_decrement(new TskImageButton(this))
{
    setAutoFillBackground(false);
    m_track->SetUIStyle(TskUIStyle::Custom);
    m_track->SetBarImage({});
    m_track->SetOrientation(m_orientation);
    connect(m_track, &TskTrackBar::OnChange, this, &TskScrollBar::OnChange);
    for (TskImageButton* arrow : {m_increment, m_decrement}) {
        const bool up = arrow == m_increment;
        arrow->resize(kDefaultArrowSize, kDefaultArrowSize);
        arrow->SetMouseContinuouslyDownInterval(kArrowRepeatInterval);
        arrow->installEventFilter(this);
        connect(arrow, &TskCustomButton::OnMouseContinuouslyDown, this, [this, up] { ArrowTicked(up); });
        connect(arrow, &TskCustomButton::OnClick, this, [this, up] { ArrowClicked(up); });
    }
    resize(kDefaultArrowSize, 185);
    SetUIStyle(GetSkinFormStyle(parent));
    PlaceTrackBarAndButton();
}

void TskScrollBar::StepUp()
{
    m_track->SetPosition(SaturatedSum(m_track->Position(), m_smallChange));
}

void TskScrollBar::StepDown()
{
    m_track->SetPosition(SaturatedSum(m_track->Position(), -m_smallChange));
}

void TskScrollBar::ArrowTicked(bool up)
{
    m_arrowTicked = true;
    up ? StepUp() : StepDown();
}

void TskScrollBar::ArrowClicked(bool up)
{
    // The steps come from the arrow's repeat timer; a click released before
    // its first tick would otherwise not scroll at all.
    if (!m_arrowTicked)
        up ? StepUp() : StepDown();
    m_arrowTicked = false;
}

bool TskScrollBar::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_increment || watched == m_decrement) && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        m_arrowTicked = false;
    return QWidget::eventFilter(watched, event);
}

void TskScrollBar::SetPageSize(int value)
{
    m_track->SetPageSize(value);
    UpdateSliderPic();
}

void TskScrollBar::SetLineButton(int value)
{
    if (value == m_lineButton)
        return;
    m_lineButton = value;
    UpdateSliderPic();
}

void TskScrollBar::SetOrientation(TskProgressBarOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    // The length stays the length: a bar turned on its side keeps its long side.
    const int length = std::max(width(), height());
    if (Horizontal())
        resize(length, height());
    else
        resize(width(), length);
    UpdatePictures();
    PlaceTrackBarAndButton();
}

void TskScrollBar::SetUIStyle(TskUIStyle style)
{
    if (style == m_uiStyle)
        return;
    m_uiStyle = style;
    if (style == TskUIStyle::Custom)
        return;
    SetColor(GetThemeColor(style, 84));
    UpdatePictures();
    PlaceTrackBarAndButton();
}

void TskScrollBar::SetColor(TColor color)
{
    m_color = color;
    m_track->SetColor(color);
    update();
}

void TskScrollBar::UpdatePictures()
{
    if (m_uiStyle == TskUIStyle::Custom)
        return;
    m_track->SetBarImage({});

    // The thumb parts are stacked top to bottom in a picture drawn upright.
    QImage track = ThemeImage(GetThemeString(m_uiStyle, 91));
    m_thumbStart = m_thumbMiddle = m_thumbEnd = {};
    if (!track.isNull()) {
        RoundPicture(track);
        const int part = track.width() / 3;
        m_thumbStart = track.copy(0, 0, part, track.height());
        m_thumbMiddle = track.copy(part, 0, part, track.height());
        m_thumbEnd = track.copy(2 * part, 0, part, track.height());
        if (!Horizontal()) {
            RoundPicture3(m_thumbStart);
            RoundPicture3(m_thumbMiddle);
            RoundPicture3(m_thumbEnd);
        }
    }

    const bool turn = Horizontal();
    auto load = [this, turn](int index) { return Turned(ThemeImage(GetThemeString(m_uiStyle, index)), turn); };
    m_decrement->SetPicNormal(load(85));
    m_decrement->SetPicMouseOn(load(86));
    m_decrement->SetPicMouseDown(load(87));
    m_increment->SetPicNormal(load(88));
    m_increment->SetPicMouseOn(load(89));
    m_increment->SetPicMouseDown(load(90));
    m_decrement->SetAutoSize(true);
    m_increment->SetAutoSize(true);
}

void TskScrollBar::PlaceTrackBarAndButton()
{
    if (m_placing)
        return;
    m_placing = true;
    m_track->SetOrientation(m_orientation);
    const int w = width();
    const int h = height();
    const QSize dec = m_decrement->size();
    const QSize inc = m_increment->size();
    m_decrement->move(0, 0);
    if (Horizontal()) {
        m_track->setGeometry(dec.width(), 0, std::max(0, w - inc.width() - dec.width()), m_track->height());
        m_increment->move(w - inc.width(), 0);
        resize(w, dec.height());
    } else {
        m_track->setGeometry(0, dec.height(), m_track->width(), std::max(0, h - inc.height() - dec.height() - 1));
        m_increment->move(0, h - inc.height());
        resize(dec.width(), h);
    }
    m_placing = false;
    UpdateSliderPic();
}

void TskScrollBar::UpdateSliderPic()
{
    int length = 0;
    if (m_lineButton >= 1) {
        m_lineButton = std::max(m_lineButton, kMinLineButton);
        length = m_lineButton;
    } else {
        const int page = m_track->PageSize();
        length = page < 10 || page > 100 ? 10 : page;
    }
    const bool horizontal = Horizontal();
    int thickness = horizontal ? m_thumbStart.height() : m_thumbStart.width();
    if (m_thumbStart.isNull())
        thickness = horizontal ? m_decrement->height() : m_decrement->width();
    QImage thumb(horizontal ? QSize(length, thickness) : QSize(thickness, length), QImage::Format_RGB32);
    if (thumb.isNull())
        return;
    if (m_thumbStart.isNull()) {
        // No theme pictures (Custom): a plain thumb keeps the bar usable.
        thumb.fill(ToQColor(clBtnShadow));
    } else {
        thumb.fill(ToQColor(m_color));
        QPainter p(&thumb);
        if (horizontal) {
            const int endAt = length - m_thumbEnd.width();
            p.drawImage(QRect(m_thumbStart.width(), 0, std::max(0, endAt - m_thumbStart.width()), thickness),
                        m_thumbMiddle);
            p.drawImage(0, 0, m_thumbStart);
            p.drawImage(endAt, 0, m_thumbEnd);
        } else {
            const int endAt = length - m_thumbEnd.height();
            p.drawImage(QRect(0, m_thumbStart.height(), thickness, std::max(0, endAt - m_thumbStart.height())),
                        m_thumbMiddle);
            p.drawImage(0, 0, m_thumbStart);
            p.drawImage(0, endAt, m_thumbEnd);
        }
    }
    m_track->SetSliderImage(thumb);
    m_track->UpdateSliderSize();
    m_track->UpdateControl();
}

void TskScrollBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceTrackBarAndButton();
}

void TskScrollBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(m_color));
}
