#include "app/show_timer_window.h"

#include "skin/form_controls.h"
#include "output/play_state.h"
#include "skin/tool_bar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kMillisecondsPerMinute = 60000;
constexpr int kDisplayIntervalMs = 20000;
constexpr int kPageMinutes = 5;

// The on/off button's picture: a clock face showing a quarter past, on a key
// colour that the image list makes transparent.
QImage TimerGlyph()
{
    constexpr QRgb kKey = 0xFF00FF;
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(kKey);
    QPainter canvas(&glyph);
    canvas.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    canvas.setBrush(QColor(0xF4, 0xF4, 0xE8));
    canvas.drawEllipse(1, 1, 13, 13);
    canvas.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
    canvas.drawLine(8, 8, 8, 4);
    canvas.setPen(QPen(QColor(0xC0, 0x10, 0x10), 2));
    canvas.drawLine(8, 8, 11, 8);
    return glyph;
}

std::chrono::milliseconds SteadyNow()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

QString TForm2::TimeOutText()
{
    return QStringLiteral("Time out\uFF0Cplay end");
}

int ParseTimerMinutes(const QString& digits)
{
    if (digits.isEmpty())
        return -1;
    int minutes = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        // Saturate: a long digit string must not overflow.
        minutes = std::min(minutes * 10 + (c.unicode() - '0'), TForm2::kMaxMinutes);
    }
    return minutes;
}

TForm2::TForm2(WindowRegistry&)
    // A dialog border without title-bar buttons: "OK" closes it.
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clock(SteadyNow)
{
    setWindowTitle(QStringLiteral("Setting timer"));
    // A coarse timer may fire several percent late: over an hour that is minutes.
    m_timer3.setTimerType(Qt::PreciseTimer);
    m_timer3.setSingleShot(true);
    m_timer6.setInterval(kDisplayIntervalMs);
    connect(&m_timer3, &QTimer::timeout, this, &TForm2::Timer3Timer);
    connect(&m_timer6, &QTimer::timeout, this, &TForm2::Timer6Timer);
    BuildControls();
}

TForm2::~TForm2() = default;

void TForm2::SetClock(MonotonicClock clock)
{
    m_clock = clock ? std::move(clock) : MonotonicClock(SteadyNow);
}

void TForm2::BuildControls()
{
    setFixedSize(380, 190);
    auto label = [this](const char* name, const QString& text, int x, int y) {
        return AddLabel(this, name, text, x, y);
    };

    label("Label4", QStringLiteral("Tme length:"), 10, 14);
    m_trackBar1 = new QSlider(Qt::Horizontal, this);
    m_trackBar1->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar1->setRange(0, kMaxMinutes);
    m_trackBar1->setPageStep(kPageMinutes);
    m_trackBar1->setValue(0);
    m_trackBar1->setGeometry(85, 10, 220, 24);
    label("Label1", QStringLiteral("0"), 85, 36);
    label("Label2", QStringLiteral("1440"), 280, 36);
    label("Label3", QStringLiteral("minute"), 315, 14);

    m_edit1 = new QLineEdit(QStringLiteral("0"), this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(85, 58, 60, 22);
    // Characters other than digits are dropped as they are typed or pasted.
    m_edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit1));

    label("Label9", QStringLiteral("On/Off timer"), 10, 96);
    m_toolBar1 = new TskToolBar(this);
    m_toolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar1->setGeometry(100, 90, 30, 26);
    ToolImageList images;
    const int glyph = images.Add(TimerGlyph());
    m_toolBar1->SetImages(images);
    m_toolButton1 = m_toolBar1->AddButton(TToolButtonStyle::tbsCheck, glyph);
    m_toolButton1->setObjectName(QStringLiteral("ToolButton1"));

    label("Label5", QStringLiteral("Message :"), 10, 128);
    // Room for the longest state, "Time out，play end", and for a day's minutes.
    // (The full-width comma comes from a taller font.)
    m_label6 = label("Label6", QStringLiteral("no setting"), 85, 125);
    m_label6->setFixedSize(165, 20);
    m_label7 = label("Label7", QStringLiteral("0"), 256, 128);
    m_label7->setFixedWidth(36);
    label("Label8", QStringLiteral("minute"), 294, 128);

    auto* bitBtn4 = new QPushButton(QStringLiteral("OK"), this);
    bitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    bitBtn4->setGeometry(290, 155, 80, 26);

    connect(m_trackBar1, &QSlider::valueChanged, this,
            [this](int position) { m_edit1->setText(QString::number(position)); });
    connect(m_edit1, &QLineEdit::editingFinished, this, &TForm2::Edit1Apply);
    connect(m_toolButton1, &TskToolButton::OnClick, this, &TForm2::ToolButton1Click);
    // The timer keeps running when the window closes.
    connect(bitBtn4, &QPushButton::clicked, this, [this] { close(); });
}

void TForm2::Edit1Apply()
{
    const int minutes = ParseTimerMinutes(m_edit1->text());
    if (minutes >= 0)
        m_trackBar1->setValue(minutes);
    // Shows what was taken: the slider's value, clamped.
    m_edit1->setText(QString::number(m_trackBar1->value()));
}

void TForm2::ToolButton1Click()
{
    if (!m_toolButton1->Down()) {
        SwitchOff();
        m_label6->setText(QStringLiteral("Stop Timer"));
        return;
    }
    const int minutes = m_trackBar1->value();
    if (minutes == 0) {
        m_toolButton1->SetDown(false);
        return;
    }
    m_lengthMinutes = minutes;
    m_startTime = m_clock();
    m_timer3.start(minutes * kMillisecondsPerMinute);
    m_timer6.start();
    m_label6->setText(QStringLiteral("Start Timer"));
    m_label7->setText(QString::number(minutes));
}

void TForm2::SwitchOff()
{
    m_timer3.stop();
    m_timer6.stop();
    m_trackBar1->setValue(0);
    m_label7->setText(QString::number(m_trackBar1->value()));
}

void TForm2::Timer6Timer()
{
    const auto elapsed = m_clock() - m_startTime;
    const auto elapsedMinutes = std::max<std::int64_t>(0, elapsed.count() / kMillisecondsPerMinute);
    const std::int64_t remaining = std::max<std::int64_t>(0, m_lengthMinutes - elapsedMinutes);
    m_trackBar1->setValue(static_cast<int>(remaining));
}

void TForm2::Timer3Timer()
{
    StopRequested = 1;
    SwitchOff();
    m_toolButton1->SetDown(false);
    m_label6->setText(TimeOutText());
}
