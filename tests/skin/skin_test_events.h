#pragma once
// Input as the window system would deliver it to a skinned control, sent
// straight to the control so tests do not depend on a pointer position.

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace skin_test {

/// A shown window to hold the controls under test, so painting and
/// visibility behave as on screen.
struct Host {
    QWidget window;
    Host()
    {
        window.resize(400, 300);
        window.show();
    }
};

inline void Enter(QWidget& w, QPoint at = {2, 2})
{
    QEnterEvent e(QPointF(at), QPointF(w.mapTo(w.window(), at)), QPointF(w.mapToGlobal(at)));
    QCoreApplication::sendEvent(&w, &e);
}

inline void Leave(QWidget& w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &e);
}

inline void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w.mapTo(w.window(), at)), QPointF(w.mapToGlobal(at)), button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void Press(QWidget& w, QPoint at = {2, 2})
{
    Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

inline void Release(QWidget& w, QPoint at = {2, 2})
{
    Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void MoveHeld(QWidget& w, QPoint at)
{
    Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}

/// A full left click inside the control: enter, press, release.
inline void Click(QWidget& w)
{
    Enter(w);
    Press(w);
    Release(w);
}

}  // namespace skin_test
