#include "player/ilda_preview.h"

#include "model/file_io.h"
#include "model/gdi_canvas.h"
#include "model/ilda_file.h"
#include "model/palette.h"
#include "model/screen_colour.h"
#include "model/show_folders.h"
#include "output/play_state.h"
#include "output/tick_timer.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kFirstTickMs = 25;
constexpr int kMinFrameInterval = 2;
constexpr std::uint32_t kNumberColour = 0x00FFFFFFu;

class TimerTickSource final : public TickSource {
public:
    explicit TimerTickSource(QObject* parent) : m_timer(new TickTimer(parent)) {}
    void SetInterval(int ms) override { m_timer->setInterval(ms); }
    int Interval() const override { return m_timer->interval(); }
    void SetEnabled(bool enabled) override { m_timer->setEnabled(enabled); }
    bool Enabled() const override { return m_timer->isEnabled(); }
    void SetHandler(std::function<void()> handler) override
    {
        QObject::connect(m_timer, &TickTimer::timeout, m_timer, std::move(handler));
    }

private:
    TickTimer* m_timer;  // owned by the parent QObject
};

}  // namespace

QPoint IldaPreviewPixel(int x, int y)
{
    return QPoint((x + 128) / 2, (128 - y) / 2);
}

int IldaPreviewInterval(int ildaFrameInterval)
{
    return 2 * std::max(kMinFrameInterval, ildaFrameInterval);
}

QImage DrawIldaPreviewFrame(const TILDAframe& frame, int shownNumber)
{
    QImage picture(kPreviewSize, kPreviewSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        GdiCanvas canvas(picture);
        canvas.SetHollowBrush();
        bool first = true;
        for (const auto& p : frame.Points) {
            const QPoint pixel = IldaPreviewPixel(p->x, p->y);
            canvas.SetPenColour(PaletteColour(p->colour));
            if (first || p->blank)
                canvas.MoveTo(pixel.x(), pixel.y());
            else
                canvas.LineTo(pixel.x(), pixel.y());
            if (p->blank) {
                canvas.Ellipse(pixel.x() - 1, pixel.y() - 1, pixel.x() + 1, pixel.y() + 1);
                canvas.MoveTo(pixel.x(), pixel.y());
            }
            first = false;
        }
    }
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(ToQColor(kNumberColour));
    painter.drawText(QRect(1, 0, kPreviewSize, 12), Qt::AlignLeft | Qt::AlignTop, QString::number(shownNumber));
    return picture;
}

std::unique_ptr<TickSource> MakeTimerTickSource(QObject* parent)
{
    return std::make_unique<TimerTickSource>(parent);
}

IldaPreviewAnimator::IldaPreviewAnimator(std::unique_ptr<TickSource> clock, QObject* parent)
    : QObject(parent), m_clock(clock ? std::move(clock) : MakeTimerTickSource(this))
{
    m_clock->SetInterval(kFirstTickMs);
    m_clock->SetHandler([this] { Tick(); });
}

IldaPreviewAnimator::~IldaPreviewAnimator()
{
    m_clock->SetEnabled(false);
}

QString IldaPreviewAnimator::LoadFile(const QString& path)
{
    QString message;
    if (IsRegularFile(path)) {
        // Read into an image of its own: a play may share the old one.
        auto image = std::make_shared<TILDAimage>();
        try {
            // A file that cannot be read is named first, as the drawing previews name theirs.
            const FileBytes file = ReadFileBytes(path, kMaxIldaFileBytes);
            const FileResult read = file.read() || file.missing()
                                        ? ReadIldaBytes(file.bytes, *image)
                                        : FileResult::Failure(PreviewFailedMessage(path, file.reason));
            if (!read)
                message = read.message;
            // A damaged file shows the frames before the damage; one not read shows nothing.
            if (!read && read.message != QLatin1String(kIldaReadError))
                *image = TILDAimage{};
        } catch (const std::exception& error) {
            image = std::make_shared<TILDAimage>();
            message = ReadFailedMessage(path, error);
        }
        m_image = std::move(image);
        if (m_image->Frames.empty() && !message.isEmpty())
            emit FramePainted(DrawDrawingPreview({}), 0);
    }
    m_nextFrame = 0;
    UpdateClock();
    return message;
}

TILDAimage& IldaPreviewAnimator::Image()
{
    if (m_image.use_count() > 1)
        m_image = std::make_shared<TILDAimage>(CopyImage(*m_image));
    return *m_image;
}

void IldaPreviewAnimator::SetActive(bool active)
{
    m_active = active;
    UpdateClock();
}

void IldaPreviewAnimator::Start()
{
    m_started = true;
    UpdateClock();
}

void IldaPreviewAnimator::Stop()
{
    m_started = false;
    UpdateClock();
}

void IldaPreviewAnimator::UpdateClock()
{
    const bool run = m_started && m_active && !m_image->Frames.empty();
    if (m_clock->Enabled() != run)
        m_clock->SetEnabled(run);
}

void IldaPreviewAnimator::Tick()
{
    const int count = static_cast<int>(m_image->Frames.size());
    if (count == 0 || !m_active) {
        UpdateClock();
        return;
    }
    m_clock->SetEnabled(false);
    m_clock->SetInterval(IldaPreviewInterval(IldaFrameInterval.load()));
    m_nextFrame = ((m_nextFrame % count) + count) % count;
    const TILDAframe& frame = m_image->Frames[static_cast<std::size_t>(m_nextFrame)];
    emit FramePainted(DrawIldaPreviewFrame(frame, m_nextFrame + 1), static_cast<int>(frame.Points.size()));
    ++m_nextFrame;
    m_clock->SetEnabled(true);
}
