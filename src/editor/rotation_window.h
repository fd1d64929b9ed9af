#pragma once
// The rotation window "Rotation setting": turns the Draw window's selected
// points about the canvas point (256, 256) by whole degrees, in place or as
// rotated copies (the Draw window's "Copy objects"), with a live preview.

#include "model/painters.h"

#include <QImage>
#include <QWidget>

class QLabel;
class TskButton;
class TskCheckBox;
class TskForm;
class TskTrackBar;
class WindowRegistry;

/// GUI thread only.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    /// Created once at start-up, hidden.
    explicit TForm3(WindowRegistry& windows);

    /// The angle in degrees, 0..360.
    TskTrackBar* TrackBar1() const { return m_trackBar1; }
    /// "converse counter": the angle is negated.
    TskCheckBox* skCheckBox1() const { return m_skCheckBox1; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Image1() const { return m_image1; }
    TskButton* BitBtn1() const { return m_bitBtn1; }
    TskButton* BitBtn2() const { return m_bitBtn2; }
    const QImage& RotationBitmap() const { return m_rotationBitmap; }
    /// Radians of the current position and check box.
    double RotationAngle() const { return m_rotationAngle; }
    /// The preview's rotated copies of the selection.
    const Path& RotatedPoints() const { return m_rotatedPoints; }

    /// Activation: position 0 and the preview of the unrotated selection.
    void FormActivate();
    /// The user moved the track bar or ticked "converse counter": preview, and
    /// the Draw window redraws.
    void TrackBar1Change();
    /// "OK": rotates the selection (or adds rotated copies), records one undo step when
    /// that changed the drawing, and closes.
    void BitBtn1Click();
    /// "Cancel": closes without change.
    void BitBtn2Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ComputeAngle();
    void Preview();
    void CloseAndRefresh();

    WindowRegistry& m_windows;
    double m_rotationAngle = 0.0;
    Path m_rotatedPoints;
    QImage m_rotationBitmap;
    bool m_settingFromCode = false;
    // Children, owned by Qt's parent chain.
    TskForm* m_skForm1 = nullptr;
    TskTrackBar* m_trackBar1 = nullptr;
    TskCheckBox* m_skCheckBox1 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_image1 = nullptr;
    TskButton* m_bitBtn1 = nullptr;
    TskButton* m_bitBtn2 = nullptr;
};
