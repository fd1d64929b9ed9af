#pragma once
// The Draw window's document: the edited drawing in canvas coordinates
// (0..510, y down), the selection, the copy buffer, the undo history and the
// window's drawing settings. No widgets: the window forwards to it and paints it.

#include "model/show_model.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class DrawDocument {
public:
    /// Snapshots the history keeps at most.
    static constexpr int kMaxSnapshots = 400;
    /// Memory the history may hold (512 MB): hours of edits on a large drawing
    /// drop the oldest snapshots instead of running the machine out of memory.
    static constexpr std::size_t kMaxHistoryBytes = std::size_t{512} << 20;

    /// The edited drawing; paths own their points.
    ::Drawing Drawing;
    /// Selected points (mark 1), pointing into `Drawing`; a point may stand twice.
    std::vector<LaserPoint*> Selection;
    /// The copy buffer of "SaveBuff" (value copy).
    ::Drawing SaveBuffer;
    /// Each snapshot is a deep copy of `Drawing` with marks 0.
    std::vector<::Drawing> UndoSnapshots;
    /// The snapshot that shows the current state; -1 when the history is empty.
    int UndoIndex = -1;
    /// The memory bound of the history; the current state after an edit is kept even above it.
    std::size_t HistoryByteLimit = kMaxHistoryBytes;

    /// Palette index given to new points.
    int CurrentColor = 4;
    int BackColor = 0;
    int BlankColor = 0;
    int GridStepX = 32;
    int GridStepY = 32;
    /// Spacing of generated points, at least 1.
    int PointDistance = 20;
    /// Sides of the polygon tools, at least 3.
    int PolygonSides = 5;
    bool ShowPoints = true;
    bool PictureOn = false;
    QString PictureFileName;
    bool CopyObjects = false;
    /// Path of the drawing file being edited; empty for a new drawing.
    QString DrawingFileName;

    /// Ends whatever a tool holds (open stroke, saved points, grabbed pointer) before
    /// the drawing is replaced; set by the tool engine. Called by Undo, Redo,
    /// NewDrawing and ReplaceDrawing.
    std::function<void()> EndPendingWork;

    /// An empty drawing whose history holds it as the first state.
    DrawDocument();

    /// Appends a deep copy of `Drawing` (marks 0) to the history.
    void SnapshotDrawing();
    /// Records the current state after an edit: drops the redo tail, snapshots,
    /// and keeps at most kMaxSnapshots within HistoryByteLimit, dropping the oldest.
    void PushUndo();
    /// The memory the snapshots hold (points, their owners and the paths).
    std::size_t HistoryBytes() const;
    /// Replaces `Drawing` with a deep copy of snapshot i; ignores an index out of range.
    void RestoreSnapshot(int i);
    /// Removes snapshot i; ignores an index out of range.
    void DeleteSnapshot(int i);
    /// Removes snapshots first..last-1 (last clipped to the count); ignores first out of range.
    void DeleteSnapshots(int first, int last);
    int SnapshotCount() const { return static_cast<int>(UndoSnapshots.size()); }

    /// Empties the history and makes the drawing as it stands its first state
    /// (UndoIndex 0), so that the next edit can be undone. A drawing whose copy
    /// would hold more than HistoryByteLimit is not copied: the history stays
    /// empty (UndoIndex -1) until the next edit records the state after it.
    void ResetHistory();

    /// Steps back one snapshot; false at the first state (UndoIndex <= 0).
    bool Undo();
    /// Steps forward one snapshot; false at the newest.
    bool Redo();
    /// Empties the drawing, the selection and the history ("New_D").
    void NewDrawing();
    /// Replaces the drawing (a file opened, another window's drawing loaded): ends
    /// pending tool work, empties the selection, and starts the history from it.
    void ReplaceDrawing(::Drawing drawing);
    /// Replaces the drawing as one step of the history: Undo brings back the drawing
    /// as it stood, even when its last change was never recorded (a paste).
    void ReplaceDrawingAsEdit(::Drawing drawing);
    /// Drops every point marked erased (a path left empty stays, counting 0 points);
    /// the selection forgets them. Runs before every snapshot and every repaint.
    void PurgeErasedPoints();
    /// Clears the selection and every point's mark 1 ("UnSelect").
    void ClearSelection();

    // ---- Object commands. Each returns true when it recorded an undo snapshot.
    // Transforms act once on every distinct point of the selection, even where
    // the selection names a point twice; the selection itself stays as it is.

    /// "Mirror_H": y = 510 - y over the selection (or mirrored copies, see CopyObjects).
    bool MirrorH();
    /// "Mirror_V": x = 510 - x over the selection (or mirrored copies).
    bool MirrorV();
    /// "Erase": the selected points go; paths left empty stay.
    bool EraseSelection();
    /// "O_Color_Change": every selected point takes CurrentColor.
    bool ColourSelection();
    /// "Objects_Blanking": the blank flag of every selected point is toggled.
    bool ToggleSelectionBlank();
    /// "O_Rainbow_Ch": the i-th selection entry takes colour (i mod 7) + 1; a point
    /// named twice keeps the colour of its last entry.
    bool RainbowColours();
    /// "SelectAll": every point, path by path, is selected once.
    void SelectAll();
    /// Points of `Selection` without repeats, in order of first appearance.
    std::vector<LaserPoint*> DistinctSelection() const;
    /// For every path holding a selected point (mark 1): a new path of copies of
    /// its selected points in path order, each changed by `change` (mark 0).
    /// Appended after every existing path.
    void AppendCopiesOfSelectedPaths(const std::function<void(LaserPoint&)>& change);
    /// Replaces the selection with `paths`, appended as new objects (empty ones
    /// are dropped); records a snapshot when any was added.
    void AddSelectedObjects(::Drawing paths);

    /// "Picture": remembers the file and shows it under the grid when it is a regular file.
    void SetPicture(const QString& fileName);
    /// "Redraw": drops the background picture.
    void DropPicture();

    /// What an edit of the polygon sides or point distance field gives: empty text keeps
    /// `current`, and so does a number too long to read; a number below `minimum` becomes
    /// `minimum`, one above `maximum` becomes `maximum`.
    static int CommitSettingText(const QString& text, int current, int minimum, int maximum);

    /// Total points over every path, blank points included.
    std::size_t PointCount() const { return PointTotal(Drawing); }
};
