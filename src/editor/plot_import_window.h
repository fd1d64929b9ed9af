#pragma once
// The plotter-file import window "Import Plt": chooses a .plt file, a
// thinning distance and a size factor, previews the parsed paths and on OK
// adds them to the Draw window's drawing as the new selection, one undo step.

#include "model/show_model.h"

#include <QImage>
#include <QWidget>

class QLabel;
class TskButton;
class TskEdit;
class TskForm;
class TskTrackBar;
class WindowRegistry;

/// GUI thread only.
class TForm17 : public QWidget {
    Q_OBJECT
public:
    /// Created once at start-up, hidden.
    explicit TForm17(WindowRegistry& windows);

    TskEdit* Edit1() const { return m_edit1; }
    /// "Fine/Coarse factor": the thinning distance.
    TskTrackBar* TrackBar1() const { return m_trackBar1; }
    /// "Size factor": 20 - position divides the size.
    TskTrackBar* TrackBar2() const { return m_trackBar2; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label5() const { return m_label5; }
    QLabel* Label7() const { return m_label7; }
    /// Why the last parse gave nothing (a missing file, the bad line, no path), with the
    /// layout the import reads where the text was at fault; empty otherwise.
    QLabel* MessageLabel() const { return m_labelMessage; }
    QLabel* Image1() const { return m_image1; }
    TskButton* BitBtn1() const { return m_bitBtn1; }
    TskButton* BitBtn2() const { return m_bitBtn2; }
    TskButton* BitBtn3() const { return m_bitBtn3; }
    const QImage& PreviewPltBitmap() const { return m_previewPltBitmap; }
    /// The paths of the last preview.
    const Drawing& ImportObjects() const { return m_importObjects; }

    /// "Find....": a chosen file name goes into Edit1.
    void Button1Click();
    /// "Preview": parses the file and draws it at half size; a missing or bad file
    /// empties the preview and says why beside it.
    void BitBtn3Click();
    /// "OK": parses the file and adds its paths to the Draw window as the selection;
    /// a file that gives no point adds nothing and keeps the dialog open.
    void BitBtn1Click();
    /// "Cancel".
    void BitBtn2Click();

private:
    void BuildControls();
    /// Parses Edit1's file into ImportObjects; false, and the reason shown, when it
    /// gave no point.
    bool ReadPlt();
    /// Draws ImportObjects into the preview and shows their point count.
    void ShowPreview();
    /// Empties ImportObjects, the preview, the point count and the message.
    void ClearPreview();
    void CloseAndRefresh();

    WindowRegistry& m_windows;
    QImage m_previewPltBitmap;
    /// Blank-move colour of the preview painter (0: blank moves are not drawn).
    std::uint8_t PreviewColor = 0;
    Drawing m_importObjects;
    // Children, owned by Qt's parent chain.
    TskForm* m_skForm1 = nullptr;
    TskEdit* m_edit1 = nullptr;
    TskButton* m_button1 = nullptr;
    TskTrackBar* m_trackBar1 = nullptr;
    TskTrackBar* m_trackBar2 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_labelMessage = nullptr;
    QLabel* m_image1 = nullptr;
    TskButton* m_bitBtn1 = nullptr;
    TskButton* m_bitBtn2 = nullptr;
    TskButton* m_bitBtn3 = nullptr;
};
