#include "skin/skin_form.h"

#include "skin/image_panel.h"
#include "skin/menus/main_menu.h"
#include "skin/menus/menu_bar.h"
#include "skin/menus/popup_menu.h"
#include "skin/skin_drawing.h"
#include "skin/theme_pictures.h"

#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

namespace {
constexpr int kMinFormWidth = 125;
constexpr int kMinFormHeight = 50;
}  // namespace

Qt::Edges FormResizeEdgesAt(QPoint p, QSize client)
{
    const int x = p.x();
    const int y = p.y();
    const int cw = client.width();
    const int ch = client.height();
    const int z = kFormResizeZone;
    if (x < z && y < z)
        return Qt::TopEdge | Qt::LeftEdge;
    if (x > cw - z && y < z)
        return Qt::TopEdge | Qt::RightEdge;
    if (x > cw - z && y > ch - z)
        return Qt::BottomEdge | Qt::RightEdge;
    if (x < z && y > ch - z)
        return Qt::BottomEdge | Qt::LeftEdge;
    if (x < z)
        return Qt::LeftEdge;
    if (y < z)
        return Qt::TopEdge;
    if (x > cw - z)
        return Qt::RightEdge;
    if (y > ch - z)
        return Qt::BottomEdge;
    return {};
}

QRect ResizedGeometry(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum, QSize maximum)
{
    int left = start.left();
    int top = start.top();
    int right = start.left() + start.width();  // exclusive
    int bottom = start.top() + start.height();
    auto limit = [](int size, int low, int high) { return std::max(low, std::min(size, std::max(low, high))); };
    if (edges & Qt::LeftEdge)
        left = right - limit(start.width() - delta.x(), minimum.width(), maximum.width());
    if (edges & Qt::RightEdge)
        right = left + limit(start.width() + delta.x(), minimum.width(), maximum.width());
    if (edges & Qt::TopEdge)
        top = bottom - limit(start.height() - delta.y(), minimum.height(), maximum.height());
    if (edges & Qt::BottomEdge)
        bottom = top + limit(start.height() + delta.y(), minimum.height(), maximum.height());
    return QRect(left, top, right - left, bottom - top);
}

Qt::CursorShape ResizeCursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

TskForm::TskForm(QWidget* host, TFormBorderStyle hostBorderStyle)
    : QWidget(host), m_savedBorderStyle(hostBorderStyle)
{
    // Checked before anything changes, so a refused frame leaves the host as it was.
    if (host) {
        for (const QObject* child : host->children()) {
            if (child != this && qobject_cast<const TskForm*>(child))
                throw std::runtime_error("Sorry, You can create only one TskForm component in one form!");
        }
    }
    setAutoFillBackground(false);
    m_titleBar = new TskTitleBar(this);
    m_titleBar->installEventFilter(this);
    connect(m_titleBar, &TskTitleBar::OnCustomBtnsClick, this, &TskForm::OnTitleBarCustomBtnsClick);
    connect(m_titleBar, &TskTitleBar::OnHelpBtnClick, this, &TskForm::OnTitleBarHelpBtnClick);
    m_titleBar->show();
    if (!host) {
        m_constructing = false;
        return;
    }

    host->setMinimumSize(std::max(host->minimumWidth(), kMinFormWidth), std::max(host->minimumHeight(), kMinFormHeight));
    m_restoreRect = host->geometry();
    m_createdMaximized = host->isMaximized();
    if (host->isWindow()) {
        const QRect work = GetWorkAreaRect();
        if (!work.isEmpty())
            host->setMaximumSize(work.size());
        // The frame draws the caption and border; the window system draws none.
        const bool wasVisible = host->isVisible();
        host->setWindowFlags(host->windowFlags() | Qt::FramelessWindowHint);
        if (wasVisible)
            host->show();
    }
    m_menuBarColor = m_color;
    SetUIStyle(TskUIStyle::Navy);
    SetCaption(host->windowTitle());
    host->installEventFilter(this);
    if (hostBorderStyle == TFormBorderStyle::bsSizeable) {
        // Hover is followed for the resize pointer along the edges.
        host->setMouseTracking(true);
        setMouseTracking(true);
    }
    m_constructing = false;
    AlignSelf();
    m_titleBar->OnFormReSize();
    if (host->isVisible())
        show();  // a child added to a shown window stays hidden otherwise
}

TskForm::~TskForm()
{
    if (m_menu)
        m_menu->SetHost(nullptr);
}

void TskForm::SetUIStyle(TskUIStyle style)
{
    m_uiStyle = style;
    if (!IsBuiltInStyle(style)) {
        // Custom: the frame keeps the colours it was given.
        m_tile = QImage();
        update();
        if (Host())
            Host()->update();
        return;
    }
    const int keepWidth = Width();
    const int keepHeight = Height();
    m_borderColor = GetThemeColor(style, 2);
    m_borderWidth = GetThemeInt(style, 4);
    SetColor(GetThemeColor(style, 3));
    m_menuBarColor = m_color;
    if (m_menu && m_menu->UIStyle() != TskUIStyle::Custom)
        m_menu->SetUIStyle(style);
    if (style == TskUIStyle::Pearl)
        m_tile = ThemeImage(QStringLiteral("PEARL_FORM_BACKGROUND"));
    else if (style == TskUIStyle::Ivory)
        m_tile = ThemeImage(QStringLiteral("IVORY_FORM_BACKGROUND"));
    else
        m_tile = QImage();
    m_titleBar->SetUIStyle(style);
    if (m_autoUpdateSub) {
        SubContainerApplyUIStyle(this, style);
        ContainerApplyUIStyle(this, style);
    }
    AlignSelf();
    update();
    if (Host())
        Host()->update();
    if (!m_constructing)
        KeepFrameSize(keepWidth, keepHeight);
}

void TskForm::SetBorderColor(TColor color)
{
    m_borderColor = color;
    AlignSelf();
    if (Host())
        Host()->update();
}

void TskForm::SetBorderWidth(int width)
{
    // Both sizes are taken first: re-applying one must not shrink the other.
    const int keepWidth = Width();
    const int keepHeight = Height();
    m_borderWidth = std::max(0, width);
    KeepFrameSize(keepWidth, keepHeight);
    if (Host())
        Host()->update();
}

bool TskForm::TitleBarVisible() const { return !m_titleBar->isHidden(); }

void TskForm::SetTitleBarVisible(bool visible)
{
    m_titleBar->setVisible(visible);
    m_titleBar->move(0, 0);
    AlignSelf();
    if (Host())
        Host()->update();
}

void TskForm::SetColor(TColor color)
{
    m_color = color;
    // Controls inside that follow their parent's colour read it from the palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    setPalette(pal);
    update();
}

void TskForm::SetCaption(const QString& caption)
{
    m_titleBar->SetCaption(caption);
    if (Host())
        Host()->setWindowTitle(caption);
}

void TskForm::SetFormPanel(QWidget* panel)
{
    if (panel == this) {
        if (m_errorBox)
            m_errorBox(window(), QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    m_formPanel = panel;
    if (!panel)
        return;
    if (auto* skinned = dynamic_cast<TskCustomPanel*>(panel))
        skinned->SetCaption(QString());
    else if (auto* frame = qobject_cast<QFrame*>(panel))
        frame->setFrameShape(QFrame::NoFrame);
    if (panel->parentWidget() != this) {
        panel->setParent(this);
        panel->show();
    }
    panel->setGeometry(ClientArea());
}

void TskForm::SetWidth(int value)
{
    if (!Host())
        return;
    Host()->resize(value + 2 * m_borderWidth, Host()->height());
    AlignSelf();
}

void TskForm::SetHeight(int value)
{
    if (!Host())
        return;
    Host()->resize(Host()->width(), value + m_borderWidth + m_borderWidth / 2);
    AlignSelf();
}

void TskForm::KeepFrameSize(int frameWidth, int frameHeight)
{
    // Exactly what AlignSelf takes away again. The Height formula adds
    // BorderWidth / 2 instead, which would let the frame creep by a pixel
    // (or shrink, with the title bar hidden) at every change of look.
    if (!Host())
        return;
    const int top = TitleBarVisible() ? 0 : m_borderWidth;
    Host()->resize(frameWidth + 2 * m_borderWidth, frameHeight + m_borderWidth + top);
    AlignSelf();
}

QRect TskForm::ClientArea() const
{
    int top = TitleBarVisible() ? m_titleBar->height() : 0;
    if (m_menuBar)
        top += m_menuBar->height();
    return QRect(0, top, width(), std::max(0, height() - top));
}

void TskForm::AlignSelf()
{
    QWidget* host = Host();
    if (!host)
        return;
    const int bw = m_borderWidth;
    const int top = TitleBarVisible() ? 0 : bw;
    setGeometry(bw, top, std::max(0, host->width() - 2 * bw), std::max(0, host->height() - bw - top));
    // resizeEvent places the children; do it here too when the size stayed.
    m_titleBar->setGeometry(0, 0, width(), m_titleBar->height());
    PlaceMenuBar();
    if (m_formPanel && m_formPanel->parentWidget() == this)
        m_formPanel->setGeometry(ClientArea());
}

void TskForm::resizeEvent(QResizeEvent*)
{
    m_titleBar->setGeometry(0, 0, width(), m_titleBar->height());
    PlaceMenuBar();
    if (m_formPanel && m_formPanel->parentWidget() == this)
        m_formPanel->setGeometry(ClientArea());
}

void TskForm::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const bool tiled = (m_uiStyle == TskUIStyle::Pearl || m_uiStyle == TskUIStyle::Ivory) && !m_tile.isNull();
    if (tiled)
        canvas.fillRect(rect(), QBrush(m_tile));
    else
        canvas.fillRect(rect(), ToQColor(m_color));
}

void TskForm::PaintFormBorder(QPainter& canvas) const
{
    const QWidget* host = Host();
    const int bw = m_borderWidth;
    if (!host || bw <= 0)
        return;
    const int cw = host->width();
    const int ch = host->height();
    const QColor colour = ToQColor(m_borderColor);
    canvas.fillRect(QRect(0, 0, bw, ch), colour);
    canvas.fillRect(QRect(0, ch - bw, cw, bw), colour);
    canvas.fillRect(QRect(cw - bw, 0, bw, ch), colour);
    // The top line is a pen of width bw along y = 0: only its lower half shows.
    canvas.fillRect(QRect(0, 0, cw, (bw + 1) / 2), colour);
}

void TskForm::HostResized()
{
    QWidget* host = Host();
    if (m_createdMaximized) {
        if (!host->isMaximized()) {
            m_createdMaximized = false;
            host->setGeometry(m_restoreRect);
        } else if (m_maximizedSizeCount >= 2) {
            const QRect work = GetWorkAreaRect();
            if (!work.isEmpty())
                host->move(work.topLeft());
        } else {
            ++m_maximizedSizeCount;
        }
    }
    AlignSelf();
    host->update();
    m_titleBar->OnFormReSize();
}

bool TskForm::StartResizeAt(QPoint hostPos, QPoint global)
{
    QWidget* host = Host();
    if (!host || m_savedBorderStyle != TFormBorderStyle::bsSizeable || !host->isWindow() || host->isMaximized())
        return false;
    const Qt::Edges edges = FormResizeEdgesAt(hostPos, host->size());
    if (!edges)
        return false;
    QWindow* handle = host->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return true;
    // No window manager took it: follow the pointer ourselves.
    m_resizeEdges = edges;
    m_resizeFrom = global;
    m_resizeStart = host->geometry();
    return true;
}

bool TskForm::ResizeTo(QPoint global)
{
    QWidget* host = Host();
    if (!Resizing() || !host)
        return false;
    host->setGeometry(ResizedGeometry(m_resizeStart, m_resizeEdges, global - m_resizeFrom, host->minimumSize(),
                                      host->maximumSize()));
    return true;
}

void TskForm::UpdateResizeCursor(QWidget& over, QPoint hostPos) const
{
    const QWidget* host = Host();
    Qt::Edges edges;
    if (host && m_savedBorderStyle == TFormBorderStyle::bsSizeable && host->isWindow() && !host->isMaximized())
        edges = FormResizeEdgesAt(hostPos, host->size());
    if (edges)
        over.setCursor(ResizeCursorFor(edges));
    else
        over.unsetCursor();
}

TskPopupMenu* TskForm::PopupMenu() const { return m_popupMenu; }

void TskForm::SetPopupMenu(TskPopupMenu* menu) { m_popupMenu = menu; }

void TskForm::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && Host()
        && StartResizeAt(mapTo(Host(), at), event->globalPosition().toPoint())) {
        event->accept();
        return;
    }
    m_clickPressed = event->button() == Qt::LeftButton;
    emit OnMouseDown(event->button(), at);
    event->accept();
}

void TskForm::mouseMoveEvent(QMouseEvent* event)
{
    if (ResizeTo(event->globalPosition().toPoint()))
        return;
    if (Host())
        UpdateResizeCursor(*this, mapTo(Host(), event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TskForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (Resizing()) {
        EndResize();
        return;
    }
    const QPoint at = event->position().toPoint();
    const bool click = m_clickPressed && event->button() == Qt::LeftButton && rect().contains(at);
    m_clickPressed = false;
    QPointer<TskForm> alive(this);
    emit OnMouseUp(event->button(), at);
    if (click && alive)
        emit OnClick();
}

void TskForm::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        QWidget::contextMenuEvent(event);
        return;
    }
    m_popupMenu->Popup(event->globalPos());
    event->accept();
}

bool TskForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_titleBar) {
        if (event->type() == QEvent::Resize)
            PlaceMenuBar();
        if (event->type() == QEvent::Resize && m_formPanel && m_formPanel->parentWidget() == this)
            m_formPanel->setGeometry(ClientArea());
        return false;
    }
    if (m_menu && event->type() == QEvent::KeyPress && watched->isWidgetType() && Host()
        && static_cast<QWidget*>(watched)->window() == Host()->window())
        return ProcessKeyPress(*static_cast<QKeyEvent*>(event));
    if (watched != Host())
        return false;
    switch (event->type()) {
    case QEvent::Paint: {
        // The host paints no background of its own under the frame; the
        // strips the frame leaves free become the border.
        QPainter canvas(Host());
        PaintFormBorder(canvas);
        break;
    }
    case QEvent::Resize:
        HostResized();
        break;
    case QEvent::Show:
        AlignSelf();
        break;
    case QEvent::WindowActivate:
        m_titleBar->SetActive(true);
        Host()->update();
        break;
    case QEvent::WindowDeactivate:
        m_titleBar->SetActive(false);
        Host()->update();
        break;
    case QEvent::WindowStateChange:
        m_titleBar->ProcessMaxBtn();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton
            && StartResizeAt(mouse->position().toPoint(), mouse->globalPosition().toPoint()))
            return true;
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (ResizeTo(mouse->globalPosition().toPoint()))
            return true;
        UpdateResizeCursor(*Host(), mouse->position().toPoint());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (Resizing()) {
            EndResize();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
