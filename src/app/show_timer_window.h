#pragma once
// The show timer window "Setting timer": the operator sets a length in
// minutes and switches the timer on; when the time is up every running play
// stops (the stop flag is raised). While it runs the slider counts the
// remaining minutes down.
//
// Elapsed time is measured on a monotonic clock, not from the time of day, so
// midnight, a day-long timer and clock changes count right. Tests replace the
// clock and call the timer handlers directly.

#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

class QLabel;
class QLineEdit;
class QSlider;
class TskToolBar;
class TskToolButton;
class WindowRegistry;

/// A monotonic clock: milliseconds since an arbitrary fixed start.
using MonotonicClock = std::function<std::chrono::milliseconds()>;

/// The minutes typed as digits, saturated to 0..1440; -1 for an empty text or one holding a non-digit.
int ParseTimerMinutes(const QString& digits);

/// GUI thread only.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    /// Longest timer in minutes (one day).
    static constexpr int kMaxMinutes = 1440;
    /// Text shown when the time is up: "Time out", a full-width comma, "play end".
    static QString TimeOutText();

    /// Creation: the controls at their defaults, no timer running.
    explicit TForm2(WindowRegistry& windows);
    ~TForm2() override;

    /// Replaces the monotonic clock (tests).
    void SetClock(MonotonicClock clock);

    /// The length slider (then the remaining minutes).
    QSlider* TrackBar1() const { return m_trackBar1; }
    /// The length typed as digits.
    QLineEdit* Edit1() const { return m_edit1; }
    /// The on/off button: down while the timer runs.
    TskToolButton* ToolButton1() const { return m_toolButton1; }
    /// The timer state text.
    QLabel* Label6() const { return m_label6; }
    /// The length when switched.
    QLabel* Label7() const { return m_label7; }
    /// The expiry timer.
    const QTimer& Timer3() const { return m_timer3; }
    /// The remaining-time display timer.
    const QTimer& Timer6() const { return m_timer6; }

    /// The on/off button clicked (its down state has already turned).
    void ToolButton1Click();
    /// Enter in the edit, or leaving it: an empty edit gets the slider's value back, digits move the slider.
    void Edit1Apply();
    /// Every 20 s while running: the slider shows the remaining minutes.
    void Timer6Timer();
    /// The length has passed: raises the stop flag and switches the timer off.
    void Timer3Timer();

private:
    void BuildControls();
    void SwitchOff();

    MonotonicClock m_clock;
    int m_lengthMinutes = 0;
    std::chrono::milliseconds m_startTime{0};
    QTimer m_timer3;
    QTimer m_timer6;

    // Children, owned by Qt's parent chain.
    QSlider* m_trackBar1 = nullptr;
    QLineEdit* m_edit1 = nullptr;
    TskToolBar* m_toolBar1 = nullptr;
    TskToolButton* m_toolButton1 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
};
