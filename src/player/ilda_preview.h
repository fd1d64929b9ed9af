#pragma once
// The ILDA animation of the file windows: one frame of the previewed image
// painted on each tick, at twice the output's frame interval, wrapping to the
// first frame after the last. The clock runs only while there is a frame to
// paint (started, ticked and an image with frames), so an idle window never
// wakes the program. The clock is a TickSource so that tests step it.

#include "model/show_model.h"

#include <QImage>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class TickTimer;

/// The pixel of an ILDA point in a preview picture: ((x + 128) / 2, (128 - y) / 2),
/// truncating toward zero (ILDA y grows upwards).
QPoint IldaPreviewPixel(int x, int y);

/// The animation's interval for the output's frame interval: 2 x max(2, interval) ms.
int IldaPreviewInterval(int ildaFrameInterval);

/// GUI thread. The frame on black: lines in the points' palette colours, a
/// move to the first and to every blanked point, a small ring on blanked
/// points, and `shownNumber` in white at the top left.
QImage DrawIldaPreviewFrame(const TILDAframe& frame, int shownNumber);

/// A periodic clock the animation runs on.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    /// The function run at each firing.
    virtual void SetHandler(std::function<void()> handler) = 0;
};

/// The real clock: a TickTimer on the 15.625 ms time base.
std::unique_ptr<TickSource> MakeTimerTickSource(QObject* parent);

/// A clock that fires only when told to (tests).
class ManualTickSource final : public TickSource {
public:
    void SetInterval(int ms) override { m_interval = ms; }
    int Interval() const override { return m_interval; }
    void SetEnabled(bool enabled) override { m_enabled = enabled; }
    bool Enabled() const override { return m_enabled; }
    void SetHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    /// Runs the handler when enabled, as a firing would.
    void Fire()
    {
        if (m_enabled && m_handler)
            m_handler();
    }

private:
    int m_interval = 0;
    bool m_enabled = false;
    std::function<void()> m_handler;
};

class IldaPreviewAnimator : public QObject {
    Q_OBJECT
public:
    /// GUI thread. `clock` null makes a TickTimer; the first firing comes 25 ms after Start.
    explicit IldaPreviewAnimator(std::unique_ptr<TickSource> clock = nullptr, QObject* parent = nullptr);
    ~IldaPreviewAnimator() override;

    /// The previewed image, replaced by LoadFile; the next frame shown is the
    /// first. A change made through it counts at the next Start or SetActive;
    /// an image a play shares is copied first, so the play keeps what it was given.
    TILDAimage& Image();
    const TILDAimage& Image() const { return *m_image; }
    /// The previewed image as a play shares it: never changed afterwards.
    std::shared_ptr<const TILDAimage> SharedImage() const { return m_image; }
    /// Reads the image when path is a regular file (else the old one stays);
    /// the next frame shown is the first in every case. Returns the reader's
    /// message of a damaged file, else empty. A file that cannot be read or is
    /// refused (too large) leaves no image and paints the empty picture.
    QString LoadFile(const QString& path);
    /// Index of the next frame shown.
    int NextFrame() const { return m_nextFrame; }

    /// Whether ticks paint (the window's "Preview" tick box).
    void SetActive(bool active);
    bool Active() const { return m_active; }
    /// Runs the clock from now on whenever there is a frame to paint.
    void Start();
    /// Stops the clock until the next Start; what is shown stays.
    void Stop();
    TickSource& Clock() { return *m_clock; }

    /// One firing: when active and the image has frames, the interval becomes
    /// IldaPreviewInterval(output frame interval) and the next frame is painted;
    /// otherwise the clock stops until there is something to paint.
    void Tick();

signals:
    /// A frame was painted: the picture and the frame's point count.
    void FramePainted(const QImage& picture, int pointCount);

private:
    /// Switches the clock on or off for what there is to paint.
    void UpdateClock();

    std::unique_ptr<TickSource> m_clock;
    std::shared_ptr<TILDAimage> m_image = std::make_shared<TILDAimage>();
    int m_nextFrame = 0;
    bool m_active = false;
    bool m_started = false;
};
