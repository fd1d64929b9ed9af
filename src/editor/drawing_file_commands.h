#pragma once
// The Draw window's drawing files (.ddr in the show's "Drawing" folder, held at
// twice the file's scale) and its one-slot copy buffer. No widgets: the play
// panel's buttons call these and show the label and status texts.

#include "editor/frame_pages.h"

#include <QString>

class DrawDocument;
class Dialogs;
class QWidget;

/// Label8 while the drawing has no file.
inline constexpr char kNewDrawingText[] = "newdrawing";
inline constexpr char kSaveBufferText[] = "save to buffer success!";
inline constexpr char kReadBufferText[] = "read from buffer success!";
/// The message of a drawing file read only in part.
inline constexpr char kDrawingReadErrorText[] = "Read Error!";

/// The commands work on the document's DrawingFileName: empty for a new drawing,
/// for which Save asks for a name.
class DrawingFiles {
public:
    /// Label8: the file's name without folder, or "newdrawing".
    static QString FileNameLabel(const DrawDocument& document);

    /// BitBtn4: saves, asking for a name only for a new drawing; a save empties the undo
    /// history, which starts again from the drawing as saved.
    FileCommand Save(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder);
    /// BitBtn31: always asks for a name.
    FileCommand SaveAs(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder);
    /// BitBtn3: opens a drawing; a missing file is ignored, an unreadable one is shown and keeps
    /// the drawing. A file that ends inside a point record is shown as far as it goes, as a new
    /// drawing without a file (ReadInPart), so no plain Save writes over it.
    FileCommand Open(DrawDocument& document, Dialogs& dialogs, QWidget* parent, const QString& folder);

private:
    static FileCommand WriteTo(const QString& file, DrawDocument& document, Dialogs& dialogs, QWidget* parent);
};

/// How a drawing file read into the Draw window ended, and the message to show (empty when none).
struct DrawingLoad {
    enum class Kind { Whole, InPart, Missing, Unreadable };
    Kind kind = Kind::Missing;
    QString message;
};

/// GUI thread. The one read of a drawing file into the Draw window, shared by Open_D
/// and the other windows' Edit. Only a regular file is read. Missing, or Unreadable (the
/// open message): nothing changes. Whole: the drawing and its file name become the
/// file's. InPart (the file ends inside a point record): what was read replaces the
/// drawing as a new drawing without a file, so no plain Save writes over the damaged
/// file; the message is "Read Error!". A replacement empties the selection and the undo
/// history; the caller repaints and sets Label8.
DrawingLoad LoadDrawingFile(DrawDocument& document, const QString& file);

/// skButton30: copies the drawing into the buffer (marks 0); false, and the buffer
/// unchanged, when the drawing holds no path.
bool SaveToBuffer(DrawDocument& document);
/// skButton31: clears the selection, then appends a copy of every buffered path,
/// every copied point selected. No undo snapshot.
void ReadFromBuffer(DrawDocument& document);
