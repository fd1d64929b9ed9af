#pragma once
// The Play window: plays drawings and ILDA images with live effects.
// Only its frame exists so far: the window is created at start-up and shown
// by the main window.

#include <QWidget>

class WindowRegistry;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden.
    explicit TForm4(WindowRegistry& windows);
};
