#include "skin/track_bar.h"

#include "skin/skin_drawing.h"
#include "skin/text_contrast.h"
#include "skin/theme_pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int Saturate(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TskTrackBar::TskTrackBar(QWidget* parent) : QWidget(parent), m_slider(new TskImagePanel(this))
{
    setAutoFillBackground(false);
    // A click takes the keyboard, as for any control that takes keys: the
    // arrows then move this bar, not whatever was clicked before it.
    setFocusPolicy(Qt::StrongFocus);
    // The bar hit-tests the slider itself, so a press on the slider keeps the
    // implicit grab (and every move of the drag) on the bar.
    m_slider->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_slider->resize(11, 20);
    m_slider->SetAutoSize(true);
    m_repeatTimer.setInterval(kRepeatInterval);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TskTrackBar::RepeatTick);
    resize(150, 20);
    SetUIStyle(GetSkinFormStyle(parent));
    UpdateControl();
}

TskTrackBar::~TskTrackBar() = default;

int TskTrackBar::Clamp(int value) const
{
    return std::clamp(value, m_min, m_max);
}

void TskTrackBar::SetPosition(int value)
{
    m_position = Clamp(value);
    UpdateSlider();
}

void TskTrackBar::UpdateSlider()
{
    if (m_position == m_lastNotified)
        return;
    PlaceSlider();
    update();
    NotifyIfChanged();
}

void TskTrackBar::NotifyIfChanged()
{
    if (m_position == m_lastNotified)
        return;
    // Recorded before the handler runs: two bars that set each other stop
    // as soon as the second one reports a value the first already holds.
    m_lastNotified = m_position;
    emit OnChange();
    m_lastNotified = m_position;
}

void TskTrackBar::SetMin(int value)
{
    m_min = value;
    m_max = std::max(m_max, value);
    PlaceSlider();
    update();
    SetPosition(m_position);
}

void TskTrackBar::SetMax(int value)
{
    m_max = value;
    m_min = std::min(m_min, value);
    PlaceSlider();
    update();
    SetPosition(m_position);
}

void TskTrackBar::SetPageSize(int value)
{
    if (value >= 0 && value <= 100)
        m_pageSize = value;
}

void TskTrackBar::SetOrientation(TskProgressBarOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    UpdateControl();
}

void TskTrackBar::SetUIStyle(TskUIStyle style)
{
    if (style == m_uiStyle)
        return;
    m_uiStyle = style;
    if (style != TskUIStyle::Custom) {
        m_color = GetThemeColor(style, 79);
        UpdateControl();
    }
}

void TskTrackBar::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TskTrackBar::SetBarImage(const QImage& picture)
{
    m_barImage = picture;
    UpdateControl();
}

void TskTrackBar::SetSliderImage(const QImage& picture)
{
    m_slider->SetPicture(picture);
    // The slider's size decides the control's thickness and the slider's place.
    UpdateControl();
}

QPoint TskTrackBar::GetSliderPosFromPosition() const
{
    const std::int64_t range = std::int64_t(m_max) - m_min;
    const std::int64_t offset = std::int64_t(m_position) - m_min;
    const int sw = m_slider->width();
    const int sh = m_slider->height();
    if (Horizontal()) {
        const int y = std::max(height() - sh, 0) / 2;
        const int x = range == 0 ? 0 : Saturate((std::int64_t(width()) - sw) * offset / range);
        return {x, y};
    }
    const int x = std::max(width() - sw, 0) / 2;
    const int y = range == 0 ? 0 : Saturate((std::int64_t(height()) - sh) * offset / range);
    return {x, y};
}

int TskTrackBar::GetPositionFromFromSliderPos(int x, int y) const
{
    const std::int64_t range = std::int64_t(m_max) - m_min;
    const int length = Horizontal() ? width() : height();
    const int sliderLength = Horizontal() ? m_slider->width() : m_slider->height();
    const int pointer = Horizontal() ? x : y;
    if (length == sliderLength)
        return 0;
    return Saturate((std::int64_t(pointer) - sliderLength / 2) * range / (length - sliderLength) + m_min);
}

void TskTrackBar::PlaceSlider()
{
    m_slider->move(GetSliderPosFromPosition());
}

void TskTrackBar::UpdateControl()
{
    if (m_inUpdate)
        return;
    m_inUpdate = true;
    UpdatePicture();
    SetSize();
    PlaceSlider();
    m_inUpdate = false;
    update();
}

void TskTrackBar::UpdatePicture()
{
    if (m_uiStyle != TskUIStyle::Custom) {
        m_barImage = ThemeImage(GetThemeString(m_uiStyle, Horizontal() ? 75 : 77));
        m_slider->SetPicture(ThemeImage(GetThemeString(m_uiStyle, Horizontal() ? 76 : 78)));
        m_slider->SetAutoSize(true);
    }
    m_barThickness = m_barImage.isNull() ? 0 : m_barImage.height();
    if (m_barImage.isNull()) {
        m_barBitmap = {};
        return;
    }
    if (m_uiStyle != TskUIStyle::Custom) {
        const int length = Horizontal() ? width() : height();
        if (length <= 0) {
            m_barBitmap = {};
            return;
        }
        m_barBitmap = QImage(length, m_barThickness, QImage::Format_ARGB32_Premultiplied);
        m_barBitmap.fill(Qt::transparent);
        QPainter p(&m_barBitmap);
        SpitDrawHorizontal(m_barImage, p, m_barBitmap.rect(), true);
    } else {
        m_barBitmap = m_barImage.copy();
    }
    if (!Horizontal())
        RoundPicture(m_barBitmap);
}

void TskTrackBar::SetSize()
{
    if (Horizontal()) {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(std::max(m_barThickness, m_slider->height()));
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(std::max(m_barThickness, m_slider->width()));
    }
}

void TskTrackBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(m_color));
    if (m_barBitmap.isNull())
        return;
    if (Horizontal())
        p.drawImage(0, (height() - m_barThickness) / 2, m_barBitmap);
    else
        p.drawImage((width() - m_barThickness) / 2, 0, m_barBitmap);
    if (hasFocus()) {
        // Which bar the arrow keys move: a dotted frame that reads on the bar's colour.
        p.setPen(QPen(ReadableOn(Qt::black, LuminanceRange::Of(ToQColor(m_color))), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TskTrackBar::keyPressEvent(QKeyEvent* event)
{
    // Forward is right (or down on a vertical bar, whose minimum is at the top);
    // the page keys go as on the program's plain sliders.
    const bool horizontal = Horizontal();
    std::int64_t target = m_position;
    switch (event->key()) {
    case Qt::Key_Right: target += 1; break;
    case Qt::Key_Left: target -= 1; break;
    case Qt::Key_Up: target += horizontal ? 1 : -1; break;
    case Qt::Key_Down: target += horizontal ? -1 : 1; break;
    case Qt::Key_PageUp: target += m_pageSize; break;
    case Qt::Key_PageDown: target -= m_pageSize; break;
    case Qt::Key_Home: target = m_min; break;
    case Qt::Key_End: target = m_max; break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    SetPosition(Saturate(target));
}

void TskTrackBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TskTrackBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TskTrackBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateControl();
}

void TskTrackBar::PageStepToward(QPoint pointer)
{
    const QPoint s = GetSliderPosFromPosition();
    const int target = GetPositionFromFromSliderPos(pointer.x(), pointer.y());
    const int at = Horizontal() ? pointer.x() : pointer.y();
    const int sliderAt = Horizontal() ? s.x() : s.y();
    if (at < sliderAt)
        SetPosition(Saturate(std::max<std::int64_t>(std::int64_t(m_position) - m_pageSize, target)));
    else if (at > sliderAt)
        SetPosition(Saturate(std::min<std::int64_t>(std::int64_t(m_position) + m_pageSize, target)));
}

void TskTrackBar::RepeatTick()
{
    PageStepToward(m_lastPointer);
}

void TskTrackBar::StopRepeat()
{
    m_repeatTimer.stop();
}

void TskTrackBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    m_lastPointer = p;
    event->accept();
    if (!m_slider->isHidden() && m_slider->geometry().contains(p)) {
        m_grabOffset = Horizontal() ? p.x() - m_slider->x() : p.y() - m_slider->y();
        m_dragging = true;
        return;
    }
    PageStepToward(p);
    if (!m_repeatTimer.isActive())
        m_repeatTimer.start();
}

void TskTrackBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_lastPointer = p;
    event->accept();
    if (m_dragging) {
        if (Horizontal()) {
            const int left = std::clamp(p.x() - m_grabOffset, 0, std::max(0, width() - m_slider->width()));
            m_slider->move(left, m_slider->y());
        } else {
            const int top = std::clamp(p.y() - m_grabOffset, 0, std::max(0, height() - m_slider->height()));
            m_slider->move(m_slider->x(), top);
        }
        m_position = Clamp(GetPositionFromFromSliderPos(p.x(), p.y()));
        update();
        NotifyIfChanged();
        return;
    }
    // Qt holds the leave back while the button is down: the move stops the repeat.
    if (p.x() < 0 || p.x() > width() || p.y() < 0 || p.y() > height())
        StopRepeat();
}

void TskTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    StopRepeat();
    m_dragging = false;
    event->accept();
}

void TskTrackBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        StopRepeat();
        m_dragging = false;
    }
    QWidget::changeEvent(event);
}

bool TskScrollTrackBar::SliderVisible() const
{
    return !Slider().isHidden();
}

void TskScrollTrackBar::SetSliderVisible(bool visible)
{
    SliderPanel().setVisible(visible);
}

void TskScrollTrackBar::UpdateSliderSize()
{
    SliderPanel().SetAutoSize(true);
}
