#include "skin/title_bar.h"

#include "skin/icons.h"
#include "skin/skin_form.h"
#include "skin/text_contrast.h"
#include "skin/theme_pictures.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The caption colour of an inactive bar where it reads. The system colour of
// that name is a background colour on this desktop and would vanish on light bars.
const QColor kInactiveCaptionText(128, 128, 128);

// Theme elements of the three state pictures, by button type (skMax's
// restore set is 63..65).
int ThemePictureElement(TskTitleBarBtnType type, TskTitleBtnState state, bool maximized)
{
    int first = 0;
    switch (type) {
    case TskTitleBarBtnType::skClose: first = 48; break;
    case TskTitleBarBtnType::skMax: first = maximized ? 63 : 51; break;
    case TskTitleBarBtnType::skMin: first = 54; break;
    case TskTitleBarBtnType::skHelp: first = 57; break;
    case TskTitleBarBtnType::skControlBox: first = 60; break;
    case TskTitleBarBtnType::skCustom: return 0;
    }
    return first + int(state);
}

QImage KeyedByCorner(const QImage& picture)
{
    return picture.isNull() ? QImage() : MaskedImage(picture, picture.pixel(0, 0));
}

}  // namespace

void ShowSkinErrorBox(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

QRegion TopRoundedRegion(const QRect& r, int radius)
{
    QRegion region(r);
    if (radius <= 0 || r.isEmpty())
        return region;
    // A corner ellipse `radius` across: each top corner loses the pixels whose
    // centres lie outside its quarter circle.
    const double half = radius / 2.0;
    for (int y = 0; y < int(std::ceil(half)) && y < r.height(); ++y) {
        const double dy = half - (y + 0.5);
        if (dy <= 0)
            break;
        const double dx = std::sqrt(std::max(0.0, half * half - dy * dy));
        const int inset = std::min(r.width(), std::max(0, int(std::ceil(half - dx - 0.5))));
        if (inset == 0)
            continue;
        region -= QRect(r.left(), r.top() + y, inset, 1);
        region -= QRect(r.right() - inset + 1, r.top() + y, inset, 1);
    }
    return region;
}

// --- Sections ----------------------------------------------------------------

void TskTitleBarSection::Changed() { m_owner->Update(); }

void TskTitleBarSection::SetWidth(int width)
{
    m_width = width;
    Changed();
}

void TskTitleBarSection::SetAlign(TskTitleBarAlign align)
{
    if (align == TskTitleBarAlign::skClient) {
        const TskTitleBarSections& all = *m_owner;
        for (int i = 0; i < all.Count(); ++i) {
            const TskTitleBarSection& other = all.Item(i);
            if (&other != this && other.Align() == TskTitleBarAlign::skClient) {
                all.TitleBar().ShowError(QStringLiteral("Sorry, only one section's Align property can be \"skClient\""));
                return;
            }
        }
        m_stretch = true;
    }
    m_align = align;
    Changed();
}

void TskTitleBarSection::SetPicture(const QImage& picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        m_width = m_picture.width();
    Changed();
}

void TskTitleBarSection::SetStretch(bool on)
{
    m_stretch = on;
    Changed();
}

void TskTitleBarSection::SetAutoSize(bool on)
{
    m_autoSize = on;
    if (m_autoSize && !m_picture.isNull())
        m_width = m_picture.width();
    Changed();
}

void TskTitleBarSection::Assign(const TskTitleBarSection& other)
{
    m_width = other.m_width;
    m_align = other.m_align;
    m_picture = other.m_picture;
    m_stretch = other.m_stretch;
    m_autoSize = other.m_autoSize;
    Changed();
}

TskTitleBarSection& TskTitleBarSections::Add()
{
    m_items.push_back(std::unique_ptr<TskTitleBarSection>(new TskTitleBarSection(*this)));
    Update();
    return *m_items.back();
}

void TskTitleBarSections::Clear()
{
    m_items.clear();
    Update();
}

void TskTitleBarSections::Assign(const TskTitleBarSections& other)
{
    if (&other == this)
        return;
    m_items.clear();
    for (const auto& item : other.m_items)
        Add().Assign(*item);
    Update();
}

void TskTitleBarSections::Update() { m_bar->update(); }

// --- Buttons -----------------------------------------------------------------

void TskTitleBarButton::Changed() { m_owner->Update(); }

void TskTitleBarButton::SetButtonType(TskTitleBarBtnType type)
{
    if (type == TskTitleBarBtnType::skControlBox) {
        const TskTitleBarButtons& all = *m_owner;
        for (int i = 0; i < all.Count(); ++i) {
            const TskTitleBarButton& other = all.Item(i);
            if (&other != this && other.ButtonType() == TskTitleBarBtnType::skControlBox) {
                all.TitleBar().ShowError(
                    QStringLiteral("Sorry, only one button's ButtonType property can be \"skControlBox\""));
                return;
            }
        }
    }
    m_type = type;
    UpdateUIStyle();
    Changed();
}

void TskTitleBarButton::SetTransparent(bool on)
{
    m_transparent = on;
    Changed();
}

void TskTitleBarButton::SetTop(int top)
{
    m_top = top;
    Changed();
}

void TskTitleBarButton::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    UpdateUIStyle();
    Changed();
}

const QImage& TskTitleBarButton::DrawnPicture(TskTitleBtnState state) const
{
    return m_transparent ? m_keyed[int(state)] : m_pictures[int(state)];
}

void TskTitleBarButton::SetPicture(TskTitleBtnState state, const QImage& picture)
{
    m_pictures[int(state)] = picture;
    m_keyed[int(state)] = KeyedByCorner(picture);
    Changed();
}

void TskTitleBarButton::UpdateUIStyle()
{
    if (!IsBuiltInStyle(m_uiStyle))
        return;
    m_transparent = GetThemeBool(m_uiStyle, 66);
    m_top = GetThemeInt(m_uiStyle, 69);
    if (m_type == TskTitleBarBtnType::skCustom)
        return;
    const QWidget* form = m_owner->TitleBar().Form();
    const bool maximized = form && form->isMaximized();
    for (int s = 0; s < 3; ++s) {
        const int element = ThemePictureElement(m_type, TskTitleBtnState(s), maximized);
        m_pictures[s] = ThemeImage(GetThemeString(m_uiStyle, element));
        m_keyed[s] = KeyedByCorner(m_pictures[s]);
    }
}

void TskTitleBarButton::DoClick()
{
    TskTitleBar& bar = m_owner->TitleBar();
    if (!bar.parentWidget())
        return;
    QWidget* form = bar.Form();
    const QRect work = GetWorkAreaRect();
    if (!work.isEmpty() && form->isWindow())
        form->setMaximumSize(work.size());
    switch (m_type) {
    case TskTitleBarBtnType::skMax:
        if (!form->isMaximized()) {
            form->showMaximized();
            if (qobject_cast<TskForm*>(bar.parentWidget()) && form->isWindow() && !work.isEmpty())
                form->move(work.topLeft());
        } else {
            form->showNormal();
        }
        bar.ProcessMaxBtn();
        bar.OnFormReSize();
        break;
    case TskTitleBarBtnType::skMin:
        // Qt minimises the window itself; the program's windows are all
        // top-level, so no application-wide command is needed.
        form->showMinimized();
        break;
    case TskTitleBarBtnType::skClose:
        form->close();
        break;
    case TskTitleBarBtnType::skControlBox:
        if (m_controlBoxMenu)
            m_controlBoxMenu->popup(bar.mapToGlobal(QPoint(0, bar.height())));
        break;
    case TskTitleBarBtnType::skHelp:
    case TskTitleBarBtnType::skCustom:
        break;
    }
}

void TskTitleBarButton::Assign(const TskTitleBarButton& other)
{
    m_type = other.m_type;
    m_transparent = other.m_transparent;
    m_top = other.m_top;
    m_uiStyle = other.m_uiStyle;
    for (int s = 0; s < 3; ++s) {
        m_pictures[s] = other.m_pictures[s];
        m_keyed[s] = other.m_keyed[s];
    }
    m_controlBoxMenu = other.m_controlBoxMenu;
    Changed();
}

TskTitleBarButton& TskTitleBarButtons::Add()
{
    m_items.push_back(std::unique_ptr<TskTitleBarButton>(new TskTitleBarButton(*this)));
    Update();
    return *m_items.back();
}

TskTitleBarButton* TskTitleBarButtons::Add(TskTitleBarBtnType type)
{
    TskTitleBarButton& button = Add();
    button.SetButtonType(type);
    if (button.ButtonType() != type) {  // refused (a second control box): drop it again
        m_items.pop_back();
        Update();
        return nullptr;
    }
    button.SetUIStyle(m_bar->UIStyle());
    return &button;
}

int TskTitleBarButtons::IndexOf(TskTitleBarBtnType type) const
{
    for (int i = 0; i < Count(); ++i) {
        if (Item(i).ButtonType() == type)
            return i;
    }
    return -1;
}

void TskTitleBarButtons::Clear()
{
    m_items.clear();
    Update();
}

void TskTitleBarButtons::Assign(const TskTitleBarButtons& other)
{
    if (&other == this)
        return;
    m_items.clear();
    for (const auto& item : other.m_items)
        Add().Assign(*item);
    Update();
}

void TskTitleBarButtons::Update() { m_bar->update(); }

// --- The bar -----------------------------------------------------------------

TskTitleBar::TskTitleBar(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    for (TskTitleBarBtnType type : {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose,
                                    TskTitleBarBtnType::skMax, TskTitleBarBtnType::skMin}) {
        TskTitleBarButton& button = m_buttons.Add();
        button.SetButtonType(type);
    }
    SetUIStyle(GetSkinFormStyle(parent));
}

TskTitleBar::~TskTitleBar() = default;

void TskTitleBar::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    m_sections.Clear();
    if (!IsBuiltInStyle(style)) {
        update();
        return;
    }
    TskTitleBarSection& left = m_sections.Add();
    left.SetPicture(ThemeImage(GetThemeString(style, 45)));
    left.SetAutoSize(true);
    TskTitleBarSection& right = m_sections.Add();
    right.SetPicture(ThemeImage(GetThemeString(style, 47)));
    right.SetAutoSize(true);
    right.SetAlign(TskTitleBarAlign::skRight);
    TskTitleBarSection& middle = m_sections.Add();
    middle.SetPicture(ThemeImage(GetThemeString(style, 46)));
    middle.SetAlign(TskTitleBarAlign::skClient);
    m_leftBtnXOffset = GetThemeInt(style, 67);
    m_rightBtnXOffset = GetThemeInt(style, 68);
    if (QWidget* form = Form(); form && form != this)
        form->setMinimumWidth(GetThemeInt(style, 6));
    m_roundCornerRadius = GetThemeInt(style, 7);
    SetFormRoundCorner(m_roundCornerRadius);
    for (int i = 0; i < m_buttons.Count(); ++i)
        m_buttons.Item(i).SetUIStyle(style);
    SetAutoSize(true);
    update();
}

void TskTitleBar::SetAutoSize(bool on)
{
    if (m_sections.Count() == 0) {
        m_autoSize = false;
        return;
    }
    m_autoSize = on;
    if (m_autoSize) {
        const QImage& first = m_sections.Item(0).Picture();
        if (!first.isNull())
            resize(width(), first.height());
    }
}

void TskTitleBar::SetButtonInterval(int pixels)
{
    m_buttonInterval = pixels;
    update();
}

void TskTitleBar::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TskTitleBar::SetActive(bool active)
{
    m_formActive = active;
    update();
}

void TskTitleBar::SetLeftBtnXOffset(int x)
{
    m_leftBtnXOffset = x;
    update();
}

void TskTitleBar::SetRightBtnXOffset(int x)
{
    m_rightBtnXOffset = x;
    update();
}

void TskTitleBar::SetDrawAppIcon(bool on)
{
    m_drawAppIcon = on;
    update();
}

QWidget* TskTitleBar::Form() const
{
    if (auto* frame = qobject_cast<TskForm*>(parentWidget()); frame && frame->Host())
        return frame->Host();
    return window();
}

void TskTitleBar::ShowError(const QString& text) const
{
    if (m_errorBox)
        m_errorBox(window(), text);
}

TitleBarLayout TskTitleBar::Layout(int width) const
{
    TitleBarLayout out;
    const int h = height();

    // Sections: left caps from the left, right caps from the right while
    // they fit, the (last) client section stretched over what remains.
    int left = -1;
    int right = width + 1;
    int client = -1;
    out.sections.resize(std::size_t(m_sections.Count()));
    for (int i = 0; i < m_sections.Count(); ++i) {
        const TskTitleBarSection& s = m_sections.Item(i);
        switch (s.Align()) {
        case TskTitleBarAlign::skLeft:
            out.sections[std::size_t(i)] = QRect(left + 1, 0, s.Width(), h);
            left += s.Width();
            break;
        case TskTitleBarAlign::skRight:
            if (width - left >= s.Width()) {
                out.sections[std::size_t(i)] = QRect(right - 1 - s.Width(), 0, s.Width(), h);
                right -= s.Width();
            }
            break;
        case TskTitleBarAlign::skClient:
            client = i;
            break;
        }
    }
    if (client >= 0)
        out.sections[std::size_t(client)] = QRect(left + 1, 0, std::max(0, right - left - 2), h);

    // Right-hand buttons in collection order, the first one rightmost.
    out.buttons.resize(std::size_t(m_buttons.Count()));
    int x = width + 1 + m_rightBtnXOffset;
    int controlBox = -1;
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TskTitleBarButton& b = m_buttons.Item(i);
        if (b.ButtonType() == TskTitleBarBtnType::skControlBox) {
            if (controlBox < 0)
                controlBox = i;
            continue;
        }
        const QSize size = b.Picture(TskTitleBtnState::Normal).size();
        x -= size.width() + 1 + m_buttonInterval;
        out.buttons[std::size_t(i)] = QRect(QPoint(x, b.Top()), size);
    }
    int x0 = m_leftBtnXOffset;
    if (controlBox >= 0) {
        const TskTitleBarButton& b = m_buttons.Item(controlBox);
        if (m_drawAppIcon) {
            out.appIcon = QRect(x0 + 3, b.Top(), 16, 16);
            out.buttons[std::size_t(controlBox)] = out.appIcon;
            x0 += 21;
        } else {
            const QSize size = b.Picture(TskTitleBtnState::Normal).size();
            out.buttons[std::size_t(controlBox)] = QRect(QPoint(x0, b.Top()), size);
            x0 += size.width() + 5;
        }
    }
    if (x0 == 0)
        x0 = 6;
    out.captionLeft = x0;
    out.captionRight = x;
    return out;
}

QString TskTitleBar::FittedCaption(int room) const
{
    const QFontMetrics metrics(font());
    if (metrics.horizontalAdvance(m_caption) > room)
        return m_caption.left(2) + QStringLiteral("...");
    return m_caption;
}

int TskTitleBar::ButtonAt(QPoint p) const
{
    const TitleBarLayout layout = Layout(width());
    int hit = -1;
    for (int i = 0; i < int(layout.buttons.size()); ++i) {
        const QRect& r = layout.buttons[std::size_t(i)];
        if (r.isEmpty())
            continue;
        // Edges inclusive, as the bar has always hit-tested its buttons.
        if (InRect(p, VclRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}))
            hit = i;
    }
    return hit;
}

void TskTitleBar::SetHovered(int index)
{
    if (m_hovered == index)
        return;
    m_hovered = index;
    update();
}

void TskTitleBar::SetFormRoundCorner(int radius)
{
    auto* frame = qobject_cast<TskForm*>(parentWidget());
    if (!frame || !frame->Host())
        return;
    QWidget* host = frame->Host();
    if (radius <= 0)
        host->clearMask();
    else
        host->setMask(TopRoundedRegion(host->rect(), radius));
}

void TskTitleBar::OnFormReSize()
{
    if (qobject_cast<TskForm*>(parentWidget()))
        SetFormRoundCorner(m_roundCornerRadius);
}

void TskTitleBar::ProcessMaxBtn()
{
    for (int i = 0; i < m_buttons.Count(); ++i) {
        TskTitleBarButton& b = m_buttons.Item(i);
        if (b.ButtonType() == TskTitleBarBtnType::skMax)
            b.UpdateUIStyle();
    }
    update();
}

void TskTitleBar::DrawSectionsTo(QPainter& canvas, const TitleBarLayout& layout)
{
    for (int i = 0; i < m_sections.Count(); ++i) {
        const TskTitleBarSection& s = m_sections.Item(i);
        const QRect& r = layout.sections[std::size_t(i)];
        if (r.isEmpty() || s.Picture().isNull())
            continue;
        if (s.Stretch())
            canvas.drawImage(r, s.Picture());
        else
            canvas.drawImage(r.topLeft(), s.Picture(), QRect(QPoint(0, 0), r.size()));
    }
}

void TskTitleBar::DrawButtons(QPainter& canvas, const TitleBarLayout& layout)
{
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TskTitleBarButton& b = m_buttons.Item(i);
        const QRect& r = layout.buttons[std::size_t(i)];
        if (r.isEmpty())
            continue;
        if (r == layout.appIcon && b.ButtonType() == TskTitleBarBtnType::skControlBox) {
            // The program's icon; its own mark while the application has set none.
            const QIcon icon = QApplication::windowIcon().isNull() ? ProgramIcon() : QApplication::windowIcon();
            canvas.drawPixmap(r.topLeft(), icon.pixmap(16, 16));
            continue;
        }
        TskTitleBtnState state = TskTitleBtnState::Normal;
        if (i == m_hovered)
            state = m_mouseDown && m_pressed == i ? TskTitleBtnState::MouseDown : TskTitleBtnState::MouseOn;
        const QImage& picture = b.DrawnPicture(state);
        if (!picture.isNull())
            canvas.drawImage(r.topLeft(), picture);
    }

    const QFontMetrics metrics(font());
    const QString text = FittedCaption(layout.captionRight - layout.captionLeft);
    const int y = m_uiStyle == TskUIStyle::Navy ? 4 : (height() - metrics.height()) / 2;
    const QRect box(layout.captionLeft, y, metrics.horizontalAdvance(text) + 2, metrics.height());
    canvas.setFont(font());
    canvas.setPen(CaptionColour(layout, box));
    canvas.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

QColor TskTitleBar::CaptionColour(const TitleBarLayout& layout, const QRect& box)
{
    // What the bar shows under the caption, drawn again into a picture that can be read.
    const QRect under = box & rect();
    QImage background(under.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    {
        QPainter p(&background);
        p.translate(-under.topLeft());
        PaintBackground(p, layout);
    }
    const LuminanceRange range = LuminanceRange::Of(background, background.rect());
    if (!m_formActive) {
        // As dim as still reads: grey where it does, else moved only as far as it must.
        return NearestReadable(kInactiveCaptionText, range);
    }
    const QColor active = m_uiStyle == TskUIStyle::Pearl ? QColor(Qt::black) : palette().color(QPalette::WindowText);
    return ReadableOn(active, range);
}

void TskTitleBar::PaintBackground(QPainter& canvas, const TitleBarLayout& layout)
{
    // What no section covers shows the frame's colour, not stale pixels.
    canvas.fillRect(rect(), parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                           : palette().color(QPalette::Window));
    DrawSectionsTo(canvas, layout);
}

void TskTitleBar::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const TitleBarLayout layout = Layout(width());
    PaintBackground(canvas, layout);
    DrawButtons(canvas, layout);
}

void TskTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    m_mouseDown = true;
    m_pressed = ButtonAt(p);
    m_hovered = m_pressed;
    update();
    QWidget* form = Form();
    if (auto* frame = qobject_cast<TskForm*>(parentWidget()); m_pressed < 0 && frame && frame->Host()
        && frame->StartResizeAt(mapTo(frame->Host(), p), event->globalPosition().toPoint())) {
        m_mouseDown = false;  // the bar's top edge is also the window's
        return;
    }
    if (m_pressed < 0 && !form->isMaximized()) {
        m_moveArmed = true;
        m_pressGlobal = event->globalPosition().toPoint();
        m_formStart = form->pos();
        m_mouseDown = false;
    }
}

void TskTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    auto* frame = qobject_cast<TskForm*>(parentWidget());
    if (frame && frame->ResizeTo(global))
        return;
    if (m_manualMove) {
        Form()->move(m_formStart + (global - m_pressGlobal));
        return;
    }
    if (m_moveArmed && (event->buttons() & Qt::LeftButton)) {
        if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance())
            return;
        m_moveArmed = false;
        QWidget* form = Form();
        QWindow* handle = form->isWindow() ? form->windowHandle() : nullptr;
        if (handle && handle->startSystemMove())
            return;  // the window manager moves it from here on
        // No window manager took the move: follow the pointer ourselves.
        m_manualMove = true;
        form->move(m_formStart + (global - m_pressGlobal));
        return;
    }
    SetHovered(ButtonAt(event->position().toPoint()));
    if (frame && frame->Host())
        frame->UpdateResizeCursor(*this, mapTo(frame->Host(), event->position().toPoint()));
}

void TskTitleBar::EndMove()
{
    m_moveArmed = false;
    m_manualMove = false;
}

void TskTitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (auto* frame = qobject_cast<TskForm*>(parentWidget()); frame && frame->Resizing()) {
        frame->EndResize();
        m_mouseDown = false;
        m_pressed = -1;
        return;
    }
    const QPoint p = event->position().toPoint();
    const bool wasMoving = m_manualMove;
    EndMove();
    const int hit = ButtonAt(p);
    const int pressed = m_pressed;
    m_mouseDown = false;
    m_pressed = -1;
    if (!wasMoving && hit >= 0 && hit == pressed) {
        const TskTitleBarBtnType type = m_buttons.Item(hit).ButtonType();
        QPointer<TskTitleBar> alive(this);
        m_buttons.Item(hit).DoClick();  // may close, and so delete, the window
        if (!alive)
            return;
        if (type == TskTitleBarBtnType::skCustom)
            emit OnCustomBtnsClick(this, hit);
        else if (type == TskTitleBarBtnType::skHelp)
            emit OnHelpBtnClick(this, hit);
        if (!alive)
            return;
    }
    m_hovered = ButtonAt(p);
    update();
}

void TskTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (ButtonAt(event->position().toPoint()) >= 0) {
        mousePressEvent(event);  // a quick second click on a button is a click
        return;
    }
    if (const int max = m_buttons.IndexOf(TskTitleBarBtnType::skMax); max >= 0)
        m_buttons.Item(max).DoClick();
}

void TskTitleBar::leaveEvent(QEvent*)
{
    SetHovered(-1);
}

void TskTitleBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}
