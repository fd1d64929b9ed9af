#pragma once
// The plotter-file import window.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm17 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm17(WindowRegistry& windows);
};
