#pragma once
// The output settings window "settings": the offset pad, the output size with
// its lock, the angle, the send speed and the ILDA frame interval that every
// play loop and preview applies after the effects. It loads the shared output
// settings from the settings lines when it is created and changes them live
// while the operator moves its controls; the main window saves them at exit.
//
// The channel and port controls are hidden: those two bytes come only from
// the settings file.

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <atomic>
#include <cstdint>

class QLabel;
class QSlider;
class TskButton;
class TskCheckBox;
class TskRadioGroup;
class TskTrackBar;
class WindowRegistry;

/// Side of the square offset pad in pixels; positions run 0..255.
inline constexpr int kOffsetPadSize = 255;
/// Largest pad coordinate a press or drag can give.
inline constexpr int kOffsetPadMax = 255;

/// The output offset a pad coordinate stands for (the coordinate is clamped to the pad first).
int OffsetFromPad(int padCoordinate);
/// Where an offset places the pad marker: (offset + 256) / 2 truncated toward zero, kept on the pad.
int PadFromOffset(int offset);
/// The pad picture: black, a grey dashed cross through the centre, a red box around `marker`.
QImage DrawOffsetPad(QPoint marker);

/// Image1 (GUI thread): shows the pad picture and reports presses, drags and releases in pad coordinates.
class OffsetPad : public QWidget {
    Q_OBJECT
public:
    explicit OffsetPad(QWidget* parent = nullptr);
    /// Repaints with the marker at `marker`.
    void SetMarker(QPoint marker);
    /// Where the red box is drawn.
    QPoint Marker() const { return m_marker; }

signals:
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    void MouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint m_marker{128, 128};
    QImage m_picture;
};

/// GUI thread only.
class TForm13 : public QWidget {
    Q_OBJECT
public:
    /// Creation: builds the controls, then loads the nine output settings from the settings lines (defaults for missing or bad lines, clamped to the controls' ranges).
    explicit TForm13(WindowRegistry& windows);
    ~TForm13() override;

    /// The pad marker (offset pad position).
    QPoint PadPosition() const { return m_padPosition; }
    /// Whether a pad drag is in progress.
    bool Dragging() const { return m_dragging; }

    /// Re-reads the send speed, which the play windows change, into its slider.
    void FormActivate();
    /// A press on the pad at (x, y): starts a drag and sets the offsets.
    void Image1MouseDown(int x, int y);
    /// A move over the pad: follows while dragging (a point off the pad counts as its nearest edge).
    void Image1MouseMove(int x, int y);
    /// Ends the drag.
    void Image1MouseUp();
    /// "Reset To 0".
    void skButton2Click();

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void LoadSettings();
    void ShowSendSpeed();
    void SetOffsetsFromPad(int x, int y);
    void TrackBar6Change();
    void skTrackBar1Change();
    void skTrackBar2Change();
    void skTrackBar3Change();
    void TrackBar1Change();
    void skCheckBox1Click();
    void SizeChange(const TskTrackBar& moved, std::atomic<std::int32_t>& size, QLabel& label, TskTrackBar& other,
                    std::atomic<std::int32_t>& otherSize, QLabel& otherLabel);
    void PortCheckBoxClick();
    void skRadioGroup1Click();

    WindowRegistry& m_windows;
    QPoint m_padPosition{128, 128};
    bool m_dragging = false;

    // Children, owned by Qt's parent chain.
    OffsetPad* m_image1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label9 = nullptr;
    QLabel* m_label13 = nullptr;
    QLabel* m_label14 = nullptr;
    QLabel* m_label19 = nullptr;
    QSlider* m_trackBar6 = nullptr;
    QSlider* m_trackBar1 = nullptr;
    TskTrackBar* m_skTrackBar1 = nullptr;
    TskTrackBar* m_skTrackBar2 = nullptr;
    TskTrackBar* m_skTrackBar3 = nullptr;
    TskCheckBox* m_skCheckBox1 = nullptr;
    TskCheckBox* m_skCheckBox2 = nullptr;
    TskCheckBox* m_skCheckBox3 = nullptr;
    TskRadioGroup* m_skRadioGroup1 = nullptr;
    TskButton* m_skButton1 = nullptr;
    TskButton* m_skButton2 = nullptr;
};
