#pragma once
// The Draw window: draws and edits the show's drawings and ILDA images.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include "editor/draw_document.h"

#include <QWidget>

class WindowRegistry;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm1(WindowRegistry& windows);

    /// The edited drawing, selection and undo history.
    DrawDocument& Document() { return m_document; }
    /// Repaints the canvas after another window changed the drawing.
    void RefreshDrawing() {}
    /// Repaints the canvas after an edit.
    void RedrawDrawing() {}

    // The values the settings file keeps for this window; the main window
    // writes them back when the program ends.
    int BackColor = 0;
    int BlankColor = 0;
    int GridStepX = 0;
    int GridStepY = 0;
    int PointDistance = 0;
    int PolygonSides = 0;

private:
    DrawDocument m_document;
};
