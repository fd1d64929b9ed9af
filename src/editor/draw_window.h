#pragma once
// The Draw window: draws and edits the show's drawings and ILDA images.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm1(WindowRegistry& windows);

    // The values the settings file keeps for this window; the main window
    // writes them back when the program ends.
    int BackColor = 0;
    int BlankColor = 0;
    int GridStepX = 0;
    int GridStepY = 0;
    int PointDistance = 0;
    int PolygonSides = 0;
};
