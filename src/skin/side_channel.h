#pragma once
// A panel docked to the left or right edge of its parent that folds down to
// a narrow side bar and slides open when the pointer reaches the bar (or the
// bar is clicked). Open, it shows a title strip with a caption and a pin;
// unpinned it slides shut again once the pointer has left it.

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QToolButton;
class TskButton;

enum class TskSideChannelAlign : std::uint8_t { skLeft = 0, skRight = 1 };
enum class TskSideChannelPopupMode : std::uint8_t { skMouseOn = 0, skMouseClick = 1 };

class TskSideChannel : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(int SideBarWidth READ SideBarWidth WRITE SetSideBarWidth)
    Q_PROPERTY(TColor SideBarColor READ SideBarColor WRITE SetSideBarColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TskSideChannelAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool StayOn READ StayOn WRITE SetStayOn)
    Q_PROPERTY(TskSideChannelPopupMode PopupMode READ PopupMode WRITE SetPopupMode)
    Q_PROPERTY(bool QuickMove READ QuickMove WRITE SetQuickMove)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// Pixels the width changes by on each animation tick.
    static constexpr int kStep = 15;
    /// Milliseconds between animation ticks.
    static constexpr int kTickMs = 10;
    /// Milliseconds between checks whether the pointer has left.
    static constexpr int kCheckMs = 500;
    /// Narrowest width an open channel can be given.
    static constexpr int kMinOpenWidth = 50;

    /// GUI thread. Docked left, closed, in the colour of parent's form.
    explicit TskSideChannel(QWidget* parent = nullptr);

    /// The width the channel opens to.
    int OpenWidth() const { return m_openWidth; }
    /// Stores the open width (the current width changes at the next opening).
    void SetOpenWidth(int width) { m_openWidth = width; }
    int SideBarWidth() const;
    /// Resizes the side bar and closes at once.
    void SetSideBarWidth(int width);
    TColor SideBarColor() const { return m_sideBarColor; }
    /// Colours the side bar and the title strip.
    void SetSideBarColor(TColor color);
    QString Caption() const { return m_caption; }
    /// Stores; shown on the title strip while open.
    void SetCaption(const QString& caption);
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);
    TskSideChannelAlign Align() const { return m_align; }
    /// Docks to the left or right edge of the parent.
    void SetAlign(TskSideChannelAlign align);
    bool StayOn() const { return m_stayOn; }
    /// True opens (QuickMove) and presses the pin; false releases the pin and closes at once.
    void SetStayOn(bool on);
    TskSideChannelPopupMode PopupMode() const { return m_popupMode; }
    void SetPopupMode(TskSideChannelPopupMode mode) { m_popupMode = mode; }
    bool QuickMove() const { return m_quickMove; }
    /// False (the default) animates opening and closing.
    void SetQuickMove(bool on) { m_quickMove = on; }
    /// Asked before a width request is granted (it may change the width); true grants.
    void SetOnCanResize(std::function<bool(int& width)> hook) { m_canResize = std::move(hook); }
    /// Where the pointer is, in global coordinates (QCursor::pos() unless replaced).
    void SetCursorSource(std::function<QPoint()> source) { m_cursorSource = std::move(source); }

    /// Opens: animated in kStep steps unless `quick`. A request while the
    /// channel moves is queued and runs when the movement ends.
    void Pop(bool quick);
    /// Closes: animated in kStep steps unless `quick`; queued while moving.
    void Push(bool quick);
    /// Wider than its side bar.
    bool IsOpen() const;
    bool Moving() const { return m_moving; }
    /// A width asked for by the operator (or a layout): OnCanResize first,
    /// then an open channel refuses widths below kMinOpenWidth. True when applied.
    bool RequestWidth(int width);
    /// One tick of the pointer check: closes (QuickMove) when the pointer is
    /// outside the channel or it has no parent. Inside means QRect::contains
    /// on the channel's screen rectangle (right and bottom edges outside).
    void CheckPointer();
    bool CheckTimerActive() const { return m_checkTimer.isActive(); }
    /// The pin, for tests and layouts.
    QToolButton& Pin() { return *m_pin; }
    QLabel& TitleStrip() { return *m_strip; }
    QWidget& SideBar() { return *m_sideBar; }
    TskButton& BarButton() { return *m_barButton; }
    /// The area right of the side bar and below the strip, for the channel's contents.
    QWidget& Content() { return *m_content; }
    TColor Color() const { return m_color; }
    /// The panel's own colour.
    void SetColor(TColor color);

    TskUIStyle UIStyleOf() const override { return TskUIStyle::Custom; }
    /// A form's look gives the panel and its side bar the theme's colour 9.
    void ApplyContainerStyle(TskUIStyle style) override;

signals:
    void OnResize();
    /// Opened.
    void OnPop();
    /// Closed.
    void OnPush();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Motion : std::uint8_t { None, Opening, Closing };
    void Tick();
    void FinishPop();
    void FinishPush();
    void PinClicked();
    void Dock();
    void LayoutParts();
    void UpdateFloor();
    void RunQueued();

    QWidget* m_sideBar = nullptr;
    QLabel* m_strip = nullptr;
    QToolButton* m_pin = nullptr;
    TskButton* m_barButton = nullptr;
    QWidget* m_content = nullptr;
    QTimer m_checkTimer;
    QTimer m_animTimer;
    Motion m_motion = Motion::None;
    std::optional<std::pair<bool, bool>> m_queued;  // (open, quick)
    int m_openWidth = 185;
    bool m_moving = false;
    QString m_caption;
    TColor m_sideBarColor = clBtnFace;
    TColor m_color = clBtnFace;
    TskSideChannelAlign m_align = TskSideChannelAlign::skLeft;
    bool m_stayOn = false;
    TskSideChannelPopupMode m_popupMode = TskSideChannelPopupMode::skMouseOn;
    bool m_quickMove = false;
    std::function<bool(int&)> m_canResize;
    std::function<QPoint()> m_cursorSource;
    QPointer<QWidget> m_dockParent;
};
