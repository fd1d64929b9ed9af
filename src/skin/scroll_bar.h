#pragma once
// The skinned scroll bar: two arrow buttons around a track bar that serves as
// the thumb area. Arrows step by SmallChange while held (and once for a
// click however short), presses on the track step by LargeChange, and the
// thumb is dragged like a track bar's slider.

#include "skin/image_button.h"
#include "skin/progress_bar_orientation.h"
#include "skin/skin_color.h"
#include "skin/themes.h"
#include "skin/track_bar.h"

#include <QImage>
#include <QWidget>

class TskScrollBar : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
    Q_PROPERTY(int LargeChange READ LargeChange WRITE SetLargeChange)
    Q_PROPERTY(int SmallChange READ SmallChange WRITE SetSmallChange)
    Q_PROPERTY(int LineButton READ LineButton WRITE SetLineButton)
    Q_PROPERTY(bool SliderVisible READ SliderVisible WRITE SetSliderVisible)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
public:
    /// Milliseconds between arrow steps while an arrow is held.
    static constexpr int kArrowRepeatInterval = 100;
    /// The shortest thumb a fixed LineButton length gives.
    static constexpr int kMinLineButton = 18;

    /// GUI thread. Vertical, 185 high, Min 0, Max 100, SmallChange 1, page 10,
    /// in the look of the parent's form (Navy without a skinned frame).
    explicit TskScrollBar(QWidget* parent = nullptr);

    int Min() const { return m_track->Min(); }
    /// The track bar's SetMin.
    void SetMin(int value) { m_track->SetMin(value); }
    int Max() const { return m_track->Max(); }
    /// The track bar's SetMax.
    void SetMax(int value) { m_track->SetMax(value); }
    int Position() const { return m_track->Position(); }
    /// The track bar's SetPosition (OnChange when the clamped value changes).
    void SetPosition(int value) { m_track->SetPosition(value); }
    int PageSize() const { return m_track->PageSize(); }
    /// The track bar's page (0..100 only), then the thumb is rebuilt.
    void SetPageSize(int value);
    int LargeChange() const { return m_track->PageSize(); }
    /// The same page as SetPageSize: the step of a press on the track.
    void SetLargeChange(int value) { SetPageSize(value); }
    int SmallChange() const { return m_smallChange; }
    /// The step of an arrow.
    void SetSmallChange(int value) { m_smallChange = value; }
    int LineButton() const { return m_lineButton; }
    /// 1 or more: a fixed thumb length (at least kMinLineButton); 0: the thumb follows the page.
    void SetLineButton(int value);
    bool SliderVisible() const { return m_track->SliderVisible(); }
    /// Shows or hides the thumb.
    void SetSliderVisible(bool visible) { m_track->SetSliderVisible(visible); }
    TskProgressBarOrientation Orientation() const { return m_orientation; }
    /// Turns the bar: pictures reloaded, parts placed again.
    void SetOrientation(TskProgressBarOrientation orientation);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    /// A built-in look takes its colour (element 84) and its arrow and thumb pictures.
    void SetUIStyle(TskUIStyle style);
    TColor Color() const { return m_color; }
    /// The background colour of the bar and its track.
    void SetColor(TColor color);

    /// One arrow step toward Max.
    void StepUp();
    /// One arrow step toward Min.
    void StepDown();

    /// The thumb area (tests and the controls that drive the bar read it).
    TskScrollTrackBar& TrackBar() { return *m_track; }
    /// The arrow at the bottom or right.
    TskImageButton& IncrementButton() { return *m_increment; }
    /// The arrow at the top or left.
    TskImageButton& DecrementButton() { return *m_decrement; }

    /// Places the arrows and the track for the current size and orientation, rebuilds the thumb.
    void PlaceTrackBarAndButton();

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    /// Position changed (the track bar's OnChange).
    void OnChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool Horizontal() const { return m_orientation == TskProgressBarOrientation::skHorizontal; }
    void UpdatePictures();
    void UpdateSliderPic();
    void ArrowTicked(bool up);
    void ArrowClicked(bool up);

    TskScrollTrackBar* m_track;     // children, owned by Qt's parent chain
    TskImageButton* m_increment;
    TskImageButton* m_decrement;
    QImage m_thumbStart;
    QImage m_thumbMiddle;
    QImage m_thumbEnd;
    TskUIStyle m_uiStyle = TskUIStyle::Custom;
    TskProgressBarOrientation m_orientation = TskProgressBarOrientation::skVertical;
    int m_smallChange = 1;
    int m_lineButton = 0;
    TColor m_color = clBtnFace;
    bool m_arrowTicked = false;  // the held arrow has stepped since its press
    bool m_placing = false;
};
