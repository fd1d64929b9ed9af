#pragma once
// The Section window: composes and plays sections (the caption keeps its trailing blank).
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm5 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm5(WindowRegistry& windows);
};
