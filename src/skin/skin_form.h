#pragma once
// The skinned frame of a window: placed as a direct child of its host, it
// makes the host frameless, paints a border around itself, carries a title
// bar at its top and gives the window the theme's round top corners.

#include "skin/skin_color.h"
#include "skin/themes.h"
#include "skin/title_bar.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>

/// The border the host window was designed with; only a sizeable host is
/// offered the resize zone along its edges.
enum class TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

/// Width of the zone along a host's edges that resizes it.
inline constexpr int kFormResizeZone = 5;
/// The host edges a press at `p` (host coordinates) resizes, for a host of
/// size `client`; none outside the 5-pixel zone.
Qt::Edges FormResizeEdgesAt(QPoint p, QSize client);
/// The window geometry after dragging `edges` of `start` by `delta`, kept
/// within the size limits (the opposite edges stay where they were).
QRect ResizedGeometry(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum, QSize maximum);
/// The pointer shape over those edges (the arrow for none).
Qt::CursorShape ResizeCursorFor(Qt::Edges edges);

class QKeyEvent;
class TskMainMenu;
class TskMenuBar;
class TskPopupMenu;

class TskForm : public QWidget, public SkinFormFrame {
    Q_OBJECT
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool UIStyleAutoUpdateSub READ UIStyleAutoUpdateSub WRITE SetUIStyleAutoUpdateSub)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(bool TitleBarVisible READ TitleBarVisible WRITE SetTitleBarVisible)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool TitleBarDrawAppIcon READ TitleBarDrawAppIcon WRITE SetTitleBarDrawAppIcon)
    Q_PROPERTY(TColor MenuBarColor READ MenuBarColor WRITE SetMenuBarColor)
    Q_PROPERTY(int MenuBarHeight READ MenuBarHeight WRITE SetMenuBarHeight)
public:
    /// GUI thread. Frames `host` (a host that is its own window becomes
    /// frameless). Throws std::runtime_error when the host already has a frame.
    explicit TskForm(QWidget* host, TFormBorderStyle hostBorderStyle = TFormBorderStyle::bsSizeable);
    ~TskForm() override;

    /// The framed window (the parent).
    QWidget* Host() const { return parentWidget(); }
    TskTitleBar& TitleBar() { return *m_titleBar; }
    const TskTitleBar& TitleBar() const { return *m_titleBar; }

    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// Stores; a built-in look also takes the theme's border colour and
    /// width and background colour, restyles the title bar and keeps the
    /// frame's size. Custom keeps the frame's own colours and reads no theme.
    void SetUIStyle(TskUIStyle style);
    bool UIStyleAutoUpdateSub() const { return m_autoUpdateSub; }
    /// Whether a new look is pushed into the skinned controls inside.
    void SetUIStyleAutoUpdateSub(bool on) { m_autoUpdateSub = on; }
    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints the border.
    void SetBorderColor(TColor color);
    int BorderWidth() const { return m_borderWidth; }
    /// Stores, keeps the frame's size (the host grows or shrinks), repaints.
    void SetBorderWidth(int width);
    bool TitleBarVisible() const;
    /// Shows or hides the title bar, re-lays out.
    void SetTitleBarVisible(bool visible);
    TColor Color() const { return m_color; }
    /// Stores the background colour, repaints.
    void SetColor(TColor color);
    QString Caption() const { return m_titleBar->Caption(); }
    /// The title bar's caption and the host's window title.
    void SetCaption(const QString& caption);
    QWidget* FormPanel() const { return m_formPanel; }
    /// A panel kept filling the area below the title bar (null for none).
    /// The frame itself is refused with an error box.
    void SetFormPanel(QWidget* panel);
    /// Copies the sections into the title bar.
    void SetTitleBarSections(const TskTitleBarSections& sections) { m_titleBar->SetSections(sections); }
    /// Copies the buttons into the title bar.
    void SetTitleBarButtons(const TskTitleBarButtons& buttons) { m_titleBar->SetButtons(buttons); }
    bool TitleBarDrawAppIcon() const { return m_titleBar->DrawAppIcon(); }
    /// The title bar's DrawAppIcon.
    void SetTitleBarDrawAppIcon(bool on) { m_titleBar->SetDrawAppIcon(on); }
    /// The title bar's caption font.
    void SetTitleBarFont(const QFont& font) { m_titleBar->setFont(font); }
    TColor MenuBarColor() const { return m_menuBarColor; }
    /// Stores the menu bar's colour (and colours the bar).
    void SetMenuBarColor(TColor color);
    int MenuBarHeight() const { return m_menuBarHeight; }
    /// Stores the menu bar's height (and sizes the bar).
    void SetMenuBarHeight(int height);
    TskMainMenu* Menu() const;
    /// The main menu shown in a menu bar below the title bar; null removes
    /// the bar. The old menu forgets this frame, the new one is told.
    void SetMenu(TskMainMenu* menu);
    /// The bar showing Menu(); null without a menu.
    TskMenuBar* MenuBar() const { return m_menuBar; }
    /// Rebuilds the bar's buttons from the menu's top-level items.
    void UpdateMenu();
    /// Copies the top-level items' captions and enabled states to the bar.
    void UpdateTopMenu();
    /// Takes the menu's font and repaints the bar.
    void RepaintMenuBar();
    /// A key pressed anywhere in the host window: the menu's shortcuts and
    /// access keys. True when the menu used it.
    bool ProcessKeyPress(const QKeyEvent& key);

    /// The frame's own width.
    int Width() const { return width(); }
    /// Sizes the host: value + 2 x BorderWidth wide.
    void SetWidth(int value);
    /// The frame's own height.
    int Height() const { return height(); }
    /// Sizes the host: value + BorderWidth + BorderWidth / 2 high.
    void SetHeight(int value);

    /// The host's border style when the frame was made.
    TFormBorderStyle SavedBorderStyle() const { return m_savedBorderStyle; }
    /// The area below the title bar, in frame coordinates.
    QRect ClientArea() const;
    /// Places the frame inside the host's border, then the title bar and the FormPanel.
    void AlignSelf();
    /// Maximised resizes counted since the host was made maximised (this frame only).
    int MaximizedSizeCount() const { return m_maximizedSizeCount; }
    /// GUI thread. A press at hostPos (global: the same point on the screen)
    /// in the resize zone of a sizeable, unmaximised window starts a resize:
    /// by the window system, or by the frame when no window manager takes
    /// it. False outside the zone or for other windows.
    bool StartResizeAt(QPoint hostPos, QPoint global);
    /// GUI thread. During a resize the frame runs itself, follows the
    /// pointer; false when there is none.
    bool ResizeTo(QPoint global);
    /// Ends a resize the frame runs itself.
    void EndResize() { m_resizeEdges = {}; }
    /// True while the frame itself resizes the window.
    bool Resizing() const { return m_resizeEdges != Qt::Edges(); }
    /// GUI thread. Gives `over` the resize pointer where hostPos lies in the
    /// zone of a sizeable window, else its normal pointer.
    void UpdateResizeCursor(QWidget& over, QPoint hostPos) const;
    TskPopupMenu* PopupMenu() const;
    /// The menu a right click on the frame pops up (null for none; not owned).
    void SetPopupMenu(TskPopupMenu* menu);
    /// Replaces the error box.
    void SetErrorBox(TskErrorBox box) { m_errorBox = std::move(box); }

    TskUIStyle FrameUIStyle() const override { return m_uiStyle; }
    TColor FrameColor() const override { return m_color; }

signals:
    void OnTitleBarCustomBtnsClick(TskTitleBar* sender, int buttonIndex);
    void OnTitleBarHelpBtnClick(TskTitleBar* sender, int buttonIndex);
    /// A button pressed on the frame's free area (frame coordinates).
    void OnMouseDown(Qt::MouseButton button, QPoint at);
    /// A button released after a press on the frame's free area.
    void OnMouseUp(Qt::MouseButton button, QPoint at);
    /// A left press and release on the frame's free area.
    void OnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void PaintFormBorder(QPainter& canvas) const;
    void HostResized();
    /// Sizes the host so that the frame keeps this size under the current border.
    void KeepFrameSize(int frameWidth, int frameHeight);
    /// Places the menu bar below the title bar.
    void PlaceMenuBar();

    TskTitleBar* m_titleBar = nullptr;  // child widget, owned by Qt
    QPointer<QWidget> m_formPanel;
    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    bool m_autoUpdateSub = false;
    TColor m_borderColor = clBlack;
    int m_borderWidth = 0;
    TColor m_color = clBtnFace;
    TColor m_menuBarColor = clBtnFace;
    int m_menuBarHeight = 22;
    QImage m_tile;  // the Pearl or Ivory background, loaded with the look
    TFormBorderStyle m_savedBorderStyle = TFormBorderStyle::bsSizeable;
    QRect m_restoreRect;
    bool m_createdMaximized = false;
    int m_maximizedSizeCount = 0;
    bool m_constructing = true;
    TskErrorBox m_errorBox = ShowSkinErrorBox;
    QPointer<TskPopupMenu> m_popupMenu;
    QPointer<TskMainMenu> m_menu;
    TskMenuBar* m_menuBar = nullptr;  // child widget while a menu is set
    bool m_clickPressed = false;
    // A resize the frame runs itself: the edges held, where the press was
    // and the window's geometry then.
    Qt::Edges m_resizeEdges;
    QPoint m_resizeFrom;
    QRect m_resizeStart;
};
