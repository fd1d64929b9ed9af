#pragma once
// The text window: turns text into laser paths and plays it.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm6 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm6(WindowRegistry& windows);
};
