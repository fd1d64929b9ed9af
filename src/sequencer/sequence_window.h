#pragma once
// The Sequence window: composes and plays sequences of three tracks with music.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm8 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm8(WindowRegistry& windows);
};
