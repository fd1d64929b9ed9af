#pragma once
// The Draw window's ILDA image, shown 24 frames to a page: page bookkeeping,
// the selected frame, the frame commands (New, Open, Save, Save As, Add, Ins,
// Del) and the exchange of a frame with the drawing. No widgets: the frame
// pages panel shows what this holds.
//
// The selected frame is the one truth of the selection: the marked thumbnail
// and its page follow from it, so the mark never names another frame than
// the "Frame number" label.

#include "model/file_io.h"
#include "model/show_model.h"

#include <QString>

class DrawDocument;
class Dialogs;
class QWidget;

inline constexpr int kThumbnailsPerPage = 24;
/// Label26 before any image exists: the frame commands do nothing.
inline constexpr char kNoImageText[] = "*.ild";
/// Label26 after New: Save asks for a name.
inline constexpr char kNewImageText[] = "NewImage.ild";

class FramePages {
public:
    /// The edited image (points in ILDA space, -128..127, y up).
    TILDAimage EditedImage;
    /// Where the image was read from or last saved; empty for a new image.
    QString IldaFileName;
    /// Label26: the file's name, kNoImageText or kNewImageText.
    QString FileNameLabel = QString::fromLatin1(kNoImageText);
    /// 0-based page shown.
    int CurrentPage = 0;
    /// Frame count / 24, rounded up.
    int PageCount = 0;
    /// Label32: the selected frame, 1-based; 0 when none.
    int SelectedFrame = 0;

    int FrameCount() const { return int(EditedImage.Frames.size()); }
    /// Whether New or Open has made an image (Label26 is not "*.ild").
    bool HasImage() const;
    /// Page of the selected frame; -1 when none is selected.
    int SelectedFramePage() const;
    /// Slot (0..23) of the selected frame on the current page; -1 when it is not shown.
    int SelectedThumbnail() const;
    /// The frame shown in a slot of the current page; -1 for an empty slot.
    int FrameAtSlot(int slot) const;
    /// How many slots of the current page show a frame.
    int ShownThumbnails() const;
    /// Label36: points of the selected frame (0 when none).
    int SelectedPointCount() const;
    /// Label19 and Label20: the current page, 1-based, and the page count.
    QString PageText() const { return QString::number(CurrentPage + 1); }
    QString PageCountText() const { return QString::number(PageCount); }

    /// Page bookkeeping after the frame list changed.
    void UpdatePageCount();

    /// Image2Click..Image25Click: selects the frame of that slot; false for an empty slot.
    bool SelectFrameThumbnail(int slot);
    /// skButton2 / skButton3: false at the first / last page.
    bool PreviousPage();
    bool NextPage();

    /// skButton1: a new image of one empty frame.
    void New();
    /// skButton4 after the dialog: reads the file and shows its first page; the image
    /// takes the file's name only when the whole file was read. A file that cannot be
    /// read, holds nothing (0 bytes) or breaks off before its first frame changes
    /// nothing. One that breaks off later ("Read Error!") shows its complete frames as
    /// a new image (Label26 "NewImage.ild", no file name), so no plain Save writes
    /// them over the damaged file. A failure carries the message to show.
    FileResult Open(const QString& file);
    /// skButton7: appends an empty frame; false without an image.
    bool Add();
    /// skButton8: inserts an empty frame before the selected one, or appends one when
    /// none is selected; false without an image.
    bool Ins();
    /// skButton9: deletes the selected frame; false without an image or a selection.
    bool Del();
    /// Writes the image to `file`; on success it becomes IldaFileName and Label26.
    FileResult SaveTo(const QString& file);

    /// skButton6: the drawing becomes one path of the selected frame's points at
    /// ((x + 128) * 2, (128 - y) * 2), as one undo step. False without a selection.
    bool SendToDrawing(DrawDocument& document) const;
    /// skButton5: the selected frame's points become every point of the drawing, in
    /// order, at (x / 2 - 128, 128 - y / 2), kept inside ILDA space. False without a selection.
    bool GetFromDrawing(const DrawDocument& document);

private:
    bool HasSelection() const { return SelectedFrame > 0 && SelectedFrame <= FrameCount(); }
};

/// What a file command did, for the window's status and labels. ReadInPart: a file
/// read only in part is shown as a new, unnamed document.
enum class FileCommand { Done, Cancelled, Failed, NotAvailable, ReadInPart };

/// GUI thread. skButton4: asks for an .ild file in `folder` and opens it (see
/// FramePages::Open). Failed: the message was shown, and the image is as it was or,
/// for a file read in part, its complete frames as a new image.
FileCommand OpenIldaImage(FramePages& pages, Dialogs& dialogs, QWidget* parent, const QString& folder);
/// GUI thread. skButton10 (`always` false: asks only for a new image) and skButton11
/// (`always` true). A failed save is shown and changes nothing.
FileCommand SaveIldaImage(FramePages& pages, Dialogs& dialogs, QWidget* parent, const QString& folder, bool always);
