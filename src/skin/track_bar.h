#pragma once
// The skinned slider: a bar picture across the control's length and a
// slider panel moved along it. The user drags the slider or presses the bar
// to step by PageSize (repeating while held); a click also gives it the
// keyboard, whose arrows step by one, page keys by PageSize, Home and End to
// the ends. The program sets Position from code and hears user moves and code
// changes alike through OnChange.

#include "skin/image_panel.h"
#include "skin/progress_bar_orientation.h"
#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class TskTrackBar : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// Milliseconds between page steps while the bar is held.
    static constexpr int kRepeatInterval = 500;

    /// GUI thread. Min 0, Max 100, Position 0, PageSize 10, horizontal, in the
    /// look of the parent's form (Navy without a skinned frame).
    explicit TskTrackBar(QWidget* parent = nullptr);
    ~TskTrackBar() override;

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    /// Position = value clamped to Min..Max; OnChange runs when that differs
    /// from the value OnChange last reported.
    void SetPosition(int value);
    /// Stores (a Max below it is raised to it) and brings Position into range.
    void SetMin(int value);
    /// Stores (a Min above it is lowered to it) and brings Position into range.
    void SetMax(int value);
    int PageSize() const { return m_pageSize; }
    /// Accepted only in 0..100; other values are ignored.
    void SetPageSize(int value);
    TskProgressBarOrientation Orientation() const { return m_orientation; }
    /// Turns the control: pictures, size and slider follow.
    void SetOrientation(TskProgressBarOrientation orientation);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// A built-in look takes its colour (element 79) and its bar and slider pictures.
    void SetUIStyle(TskUIStyle style);
    TColor Color() const { return m_color; }
    /// Background colour, repaints.
    void SetColor(TColor color);
    const QImage& BarImage() const { return m_barImage; }
    /// Copies the bar picture (kept as is under Custom), rebuilds the control.
    void SetBarImage(const QImage& picture);
    const QImage& SliderImage() const { return m_slider->Picture(); }
    /// Copies the picture into the slider panel (a built-in look puts its own back at the next rebuild), repaints.
    void SetSliderImage(const QImage& picture);

    /// The slider's top-left corner for the current Position and sizes.
    QPoint GetSliderPosFromPosition() const;
    /// The position the pointer at (x, y) stands for, unclamped (0 when the
    /// control is exactly as long as its slider).
    int GetPositionFromFromSliderPos(int x, int y) const;

    /// The slider panel (a child that paints itself; the bar takes its mouse input).
    const TskImagePanel& Slider() const { return *m_slider; }
    /// True while the slider follows the pointer.
    bool Dragging() const { return m_dragging; }
    /// True while the bar is held and page steps repeat.
    bool Repeating() const { return m_repeatTimer.isActive(); }
    /// What every repeat tick does: one page step toward the last pointer position.
    void RepeatTick();

    /// Rebuilds the slider place, the bar picture and the size; repaints.
    void UpdateControl();

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    /// Position changed: by the user, or from code through SetPosition, SetMin or SetMax.
    void OnChange();

protected:
    TskImagePanel& SliderPanel() { return *m_slider; }
    /// The slider at the place of the current Position (whether or not it changed).
    void PlaceSlider();
    /// Rebuilds the bar bitmap from the bar picture and the control's length.
    virtual void UpdatePicture();
    void SetSize();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Horizontal() const { return m_orientation == TskProgressBarOrientation::skHorizontal; }
    void UpdateSlider();
    void NotifyIfChanged();
    void PageStepToward(QPoint pointer);
    void StopRepeat();
    int Clamp(int value) const;

    QImage m_barImage;
    QTimer m_repeatTimer;
    TskImagePanel* m_slider;  // child, owned by Qt's parent chain
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_lastNotified = 0;
    TskProgressBarOrientation m_orientation = TskProgressBarOrientation::skHorizontal;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    TColor m_color = clBtnFace;
    bool m_dragging = false;
    int m_grabOffset = 0;
    int m_pageSize = 10;
    QImage m_barBitmap;     // the bar prepared to the control's length
    int m_barThickness = 0; // the bar picture's height before any turn
    QPoint m_lastPointer;   // where the held pointer was last seen
    bool m_inUpdate = false;
};

/// The thumb area of the skinned scroll bar: a track bar whose slider can be hidden.
class TskScrollTrackBar : public TskTrackBar {
    Q_OBJECT
public:
    /// A click leaves the keyboard with the control the scroll bar serves.
    explicit TskScrollTrackBar(QWidget* parent = nullptr) : TskTrackBar(parent) { setFocusPolicy(Qt::TabFocus); }

    /// Whether the slider panel is shown.
    bool SliderVisible() const;
    /// Shows or hides the slider panel.
    void SetSliderVisible(bool visible);
    /// Sizes the slider panel to its picture from now on.
    void UpdateSliderSize();
};
