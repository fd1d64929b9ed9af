#include "skin/custom_button.h"

#include "skin/dialogs/modal_result.h"
#include "skin/theme_pictures.h"

#include <QEnterEvent>
#include <QFontInfo>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

QChar AcceleratorChar(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return caption.at(i + 1).isSpace() ? QChar() : caption.at(i + 1);
    }
    return {};
}

const QImage& FacePicture::Pick(bool keyedByCorner, bool greyed) const
{
    if (!greyed || !greyed_)
        return keyedByCorner ? keyed : plain;
    if (!greyed_->made) {
        greyed_->plain = GreyedImage(plain);
        greyed_->keyed = GreyedImage(keyed);
        greyed_->made = true;
    }
    return keyedByCorner ? greyed_->keyed : greyed_->plain;
}

QImage GreyedImage(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            // Washed-out grey: a disabled image stays readable but clearly inactive.
            const int v = 96 + qGray(px) * 5 / 8;
            line[x] = qRgba(v, v, v, qAlpha(px));
        }
    }
    return out;
}

FacePicture MakeFacePicture(const QImage& picture)
{
    FacePicture face;
    if (picture.isNull())
        return face;
    face.plain = picture;
    face.keyed = MaskedImage(picture, picture.pixel(0, 0));
    face.greyed_ = std::make_shared<FacePicture::Greyed>();
    return face;
}

QString TrimControlChars(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() < 33)
        ++first;
    while (last > first && text.at(last - 1).unicode() < 33)
        --last;
    return text.mid(first, last - first);
}

int FontPixelHeight(const QFont& font)
{
    return QFontInfo(font).pixelSize();
}

TskCustomButton::TskCustomButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] { emit OnMouseContinuouslyDown(); });
}

TskCustomButton::~TskCustomButton()
{
    if (m_keyWindow)
        m_keyWindow->removeEventFilter(this);
}

void TskCustomButton::SetCaption(const QString& caption)
{
    m_caption = caption;
    UpdateAccelerator();
    CaptionChanged();
    update();
}

void TskCustomButton::SetAutoSize(bool on)
{
    m_autoSize = on;
    AutoSizeChanged();
    update();
}

void TskCustomButton::SetTransparent(bool on)
{
    m_transparent = on;
    TransparentChanged();
    update();
}

void TskCustomButton::SetTabStop(bool on)
{
    m_tabStop = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TskCustomButton::SetDefault(bool on)
{
    m_default = on;
    UpdateDialogKeyFilter();
}

void TskCustomButton::SetCancel(bool on)
{
    m_cancel = on;
    UpdateDialogKeyFilter();
}

void TskCustomButton::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    SetButtonPic(m_uiStyle);
    UIStyleChanged();
    update();
}

namespace {
void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, TColor color)
{
    QPalette pal = widget.palette();
    pal.setColor(role, ToQColor(color));
    widget.setPalette(pal);
    widget.update();
}
}  // namespace

TColor TskCustomButton::Color() const
{
    return FromQColor(palette().color(QPalette::Window));
}

void TskCustomButton::SetColor(TColor color)
{
    SetPaletteColor(*this, QPalette::Window, color);
}

TColor TskCustomButton::FontColor() const
{
    return FromQColor(palette().color(QPalette::WindowText));
}

void TskCustomButton::SetFontColor(TColor color)
{
    SetPaletteColor(*this, QPalette::WindowText, color);
}

namespace {
// GUI thread. Each theme picture becomes a face once; the controls showing
// it share that face (and its greyed looks once one is drawn).
FacePicture LoadFace(const QString& name)
{
    if (name.isEmpty())
        return {};
    static QHash<QString, FacePicture> faces;
    const auto found = faces.constFind(name);
    if (found != faces.constEnd())
        return *found;
    FacePicture face = MakeFacePicture(ThemeImage(name));
    faces.insert(name, face);
    return face;
}
}  // namespace

void TskCustomButton::SetPicNormal(const QString& name)
{
    m_picNormalName = name;
    m_picNormal = LoadFace(name);
    AutoSizeChanged();
    update();
}

void TskCustomButton::SetPicMouseOn(const QString& name)
{
    m_picMouseOnName = name;
    m_picMouseOn = LoadFace(name);
    update();
}

void TskCustomButton::SetPicMouseDown(const QString& name)
{
    m_picMouseDownName = name;
    m_picMouseDown = LoadFace(name);
    update();
}

void TskCustomButton::Click()
{
    // The handler may close or delete the form; only guarded pointers survive it.
    QPointer<QWidget> form = parentWidget() ? window() : nullptr;
    if (form)
        SetFormModalResult(form, m_modalResult);
    emit OnClick();
    if (form)
        CloseFormOnModalResult(form);
}

void TskCustomButton::AutoSizeChanged()
{
    if (m_autoSize && !m_picNormalName.isEmpty() && !m_picNormal.IsNull())
        resize(m_picNormal.plain.size());
}

void TskCustomButton::FontChanged()
{
    update();
}

void TskCustomButton::TransparentChanged()
{
    m_picTransparent = m_transparent;
}

void TskCustomButton::UIStyleChanged()
{
    if (m_uiStyle == TskUIStyle::Custom)
        SetAutoSize(true);
}

void TskCustomButton::PaintPic(QPainter& canvas, const FacePicture& picture)
{
    if (picture.IsNull())
        return;
    canvas.drawImage(0, 0, picture.Pick(m_picTransparent, !isEnabled()));
}

void TskCustomButton::DrawCaptionText(QPainter& canvas, const QRect& rect, int flags, const QString& caption) const
{
    canvas.setBrush(Qt::NoBrush);
    if (!isEnabled()) {
        canvas.setPen(QColor(255, 255, 255));
        canvas.drawText(rect.translated(1, 1), flags, caption);
        canvas.setPen(QColor(0x80, 0x80, 0x80));
        canvas.drawText(rect, flags, caption);
        return;
    }
    canvas.setPen(palette().color(QPalette::WindowText));
    canvas.drawText(rect, flags, caption);
}

void TskCustomButton::PaintText(QPainter& canvas, const QString& caption)
{
    QRect r = rect();
    if (isEnabled() && m_mouseDown)
        r.translate(1, 1);
    DrawCaptionText(canvas, r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

void TskCustomButton::DrawFocusFrame(QPainter& canvas, const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QPen pen(QColor(0, 0, 0), 0, Qt::DotLine);
    canvas.save();
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    canvas.restore();
}

void TskCustomButton::PaintFocus(QPainter& canvas)
{
    DrawFocusFrame(canvas, QRect(2, 2, width() - 4, height() - 4));
}

void TskCustomButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    // A transparent control leaves its background unpainted: Qt composes
    // the parent underneath.
    if (!m_transparent)
        canvas.fillRect(rect(), palette().color(QPalette::Window));
    const FacePicture* picture = &PaintButtonDisabled();
    if (isEnabled())
        picture = m_mouseDown ? &PaintButtonMouseDown() : m_mouseOn ? &PaintButtonMouseOn() : &PaintButtonNormal();
    PaintPic(canvas, *picture);
    if (hasFocus() && m_tabStop)
        PaintFocus(canvas);
    canvas.setFont(font());
    if (!TrimControlChars(m_caption).isEmpty())
        PaintText(canvas, m_caption);
}

void TskCustomButton::StopRepeat()
{
    m_repeatTimer.stop();
}

void TskCustomButton::enterEvent(QEnterEvent*)
{
    m_mouseOn = true;
    update();
    emit OnMouseEnter();
}

void TskCustomButton::leaveEvent(QEvent*)
{
    m_mouseOn = false;
    m_mouseDown = false;
    StopRepeat();
    update();
    emit OnMouseExit();
}

void TskCustomButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool outside = p.x() < 0 || p.x() > width() || p.y() < 0 || p.y() > height();
    if (outside) {
        // Qt holds the leave back while the button is held, so the repeat
        // must stop here or it would run on with the pointer elsewhere.
        if (m_mouseOn || m_mouseDown || RepeatActive()) {
            m_mouseOn = false;
            m_mouseDown = false;
            StopRepeat();
            update();
        }
    } else if (!m_mouseOn && m_leftHeld) {
        m_mouseOn = true;
        update();
    }
    event->accept();
}

void TskCustomButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_mouseDown = true;
    m_leftHeld = true;
    if (!m_repeatTimer.isActive()) {
        m_repeatTimer.setInterval(std::max(m_repeatInterval, 0));
        m_repeatTimer.start();
    }
    update();
    event->accept();
}

void TskCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool click = m_leftHeld && rect().contains(event->position().toPoint());
    StopRepeat();
    m_mouseDown = false;
    m_leftHeld = false;
    update();
    event->accept();
    if (click)
        Click();
}

namespace {
bool IsPressKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}
}  // namespace

void TskCustomButton::keyPressEvent(QKeyEvent* event)
{
    if (!IsPressKey(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && isEnabled()) {
        m_mouseDown = true;
        update();
    }
    event->accept();
}

void TskCustomButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsPressKey(event->key())) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !m_mouseDown || !isEnabled())
        return;
    m_mouseDown = false;
    update();
    Click();
}

void TskCustomButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TskCustomButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TskCustomButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        FontChanged();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            StopRepeat();
            m_mouseDown = false;
        }
        EnableChanged();
        update();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool TskCustomButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_acceleratorId && m_acceleratorId != 0) {
            // Accelerators of hidden or disabled controls are not theirs to take.
            if (isVisible() && isEnabled()) {
                if (focusPolicy() != Qt::NoFocus)
                    setFocus(Qt::ShortcutFocusReason);
                Click();
            }
            return true;
        }
    }
    if (event->type() == QEvent::ParentChange)
        UpdateDialogKeyFilter();
    return QWidget::event(event);
}

bool TskCustomButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_keyWindow && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool esc = key->key() == Qt::Key_Escape;
        if (mods == Qt::NoModifier && ((m_default && enter) || (m_cancel && esc)) && isVisible() && isEnabled()) {
            Click();
            return true;
        }
        // A plain letter reaches the window only when the focused control did
        // not take it (a button, a check box; not an edit or a list), and then
        // it works as the accelerator, as Alt with the letter does.
        const QChar letter = AcceleratorChar(m_caption);
        if (!letter.isNull() && (mods == Qt::NoModifier || mods == Qt::ShiftModifier) && !key->isAutoRepeat()
            && key->text().size() == 1 && key->text().at(0).toUpper() == letter.toUpper() && isVisible()
            && isEnabled()) {
            if (focusPolicy() != Qt::NoFocus)
                setFocus(Qt::ShortcutFocusReason);
            Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TskCustomButton::UpdateAccelerator()
{
    if (m_acceleratorId != 0) {
        releaseShortcut(m_acceleratorId);
        m_acceleratorId = 0;
    }
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_caption);
    if (!mnemonic.isEmpty())
        m_acceleratorId = grabShortcut(mnemonic);
    UpdateDialogKeyFilter();
}

void TskCustomButton::UpdateDialogKeyFilter()
{
    const bool watches = m_default || m_cancel || !AcceleratorChar(m_caption).isNull();
    QWidget* target = watches && parentWidget() ? window() : nullptr;
    if (target == m_keyWindow)
        return;
    if (m_keyWindow)
        m_keyWindow->removeEventFilter(this);
    m_keyWindow = target;
    if (target)
        target->installEventFilter(this);
}
