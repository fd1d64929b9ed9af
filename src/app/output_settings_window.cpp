#include "app/output_settings_window.h"

#include "shell/settings_file.h"
#include "shell/window_registry.h"
#include "skin/form_controls.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/radio_group.h"
#include "skin/track_bar.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

#include <algorithm>

namespace {

// Room for the widest values the labels show ("360", "200", up to the window's
// edge); "-1234" for the offsets.
constexpr int kPositionValueWidth = 24;
constexpr int kOffsetValueWidth = 50;

constexpr int kPadCentre = 128;
constexpr int kMarkerReach = 3;  // the red box reaches 3 pixels around the marker
constexpr QRgb kCrossGrey = 0x808080;

constexpr int kSendSpeedMax = 100;
constexpr int kSendSpeedDefault = 85;
constexpr int kSizeMax = 40;
constexpr int kSizeDefault = 20;
constexpr int kAngleMax = 360;
constexpr int kIntervalMin = 2;
constexpr int kIntervalMax = 200;

// Port check boxes <-> the settings packet's port byte.
constexpr int kPort1Only = 0;
constexpr int kPort2Only = 1;
constexpr int kBothPorts = 2;
constexpr int kNoPort = 3;

constexpr int kColumn = 285;
constexpr int kSliderWidth = 200;
constexpr int kSliderHeight = 22;

int PortSelectionFor(bool port1, bool port2)
{
    if (port1 && port2)
        return kBothPorts;
    if (port1)
        return kPort1Only;
    if (port2)
        return kPort2Only;
    return kNoPort;
}

}  // namespace

int OffsetFromPad(int padCoordinate)
{
    return 2 * std::clamp(padCoordinate, 0, kOffsetPadMax) - 256;
}

int PadFromOffset(int offset)
{
    // Offsets come clamped from the settings file; the clamp keeps the marker on the pad.
    return std::clamp((offset + 256) / 2, 0, kOffsetPadMax);
}

QImage DrawOffsetPad(QPoint marker)
{
    QImage picture(kOffsetPadSize, kOffsetPadSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter canvas(&picture);
    canvas.setPen(QPen(QColor(kCrossGrey), 1, Qt::DashLine));
    canvas.drawLine(kPadCentre, 0, kPadCentre, 255);
    canvas.drawLine(0, kPadCentre, 255, kPadCentre);
    canvas.setPen(QPen(Qt::red, 1));
    canvas.setBrush(Qt::NoBrush);
    // The box stays whole on the pad: offsets the pad cannot reach (256 from the
    // settings file, 254 from its far edge) would put it past the last pixel.
    const auto inside = [](int c) { return std::clamp(c, kMarkerReach, kOffsetPadSize - 1 - kMarkerReach); };
    const QPoint at(inside(marker.x()), inside(marker.y()));
    canvas.drawRect(at.x() - kMarkerReach, at.y() - kMarkerReach, 2 * kMarkerReach, 2 * kMarkerReach);
    return picture;
}

// ---- offset pad -----------------------------------------------------------

OffsetPad::OffsetPad(QWidget* parent) : QWidget(parent), m_picture(DrawOffsetPad(m_marker))
{
    setFixedSize(kOffsetPadSize, kOffsetPadSize);
}

void OffsetPad::SetMarker(QPoint marker)
{
    m_marker = marker;
    m_picture = DrawOffsetPad(marker);
    update();
}

void OffsetPad::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.drawImage(0, 0, m_picture);
}

void OffsetPad::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    emit MouseDown(p.x(), p.y());
}

void OffsetPad::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(p.x(), p.y());
}

void OffsetPad::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit MouseUp();
}

// ---- window -----------------------------------------------------------------

TForm13::TForm13(WindowRegistry& windows) : QWidget(nullptr, Qt::Window), m_windows(windows)
{
    setWindowTitle(QStringLiteral("settings"));
    BuildControls();
    LoadSettings();
    // A play start may set the send speed (the Draw window's plays do): an open window shows it at once.
    connect(&m_windows.HandOver(), &PlayHandOver::playStarted, this, [this](std::uint8_t) { ShowSendSpeed(); });
}

TForm13::~TForm13() = default;

void TForm13::BuildControls()
{
    setFixedSize(520, 372);

    auto label = [this](const char* name, const QString& text, int x, int y) {
        return AddLabel(this, name, text, x, y);
    };
    // A row: caption above, slider with its end labels, the position at the right.
    auto endLabels = [&](int y, const QString& low, const QString& high) {
        label("", low, kColumn, y + kSliderHeight);
        label("", high, kColumn + kSliderWidth - 18, y + kSliderHeight);
    };

    m_image1 = new OffsetPad(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->move(10, 10);
    label("Label1", QStringLiteral("X offset distance:"), 10, 275);
    label("Label2", QStringLiteral("Y offset distance:"), 10, 297);
    m_label3 = label("Label3", QStringLiteral("0"), 120, 275);
    m_label4 = label("Label4", QStringLiteral("0"), 120, 297);
    for (QLabel* offset : {m_label3, m_label4})
        offset->setFixedWidth(kOffsetValueWidth);
    m_skButton2 = new TskButton(this);
    m_skButton2->setObjectName(QStringLiteral("skButton2"));
    m_skButton2->SetCaption(QStringLiteral("Reset To 0"));
    m_skButton2->setGeometry(175, 280, 90, 27);

    auto slider = [this](const char* name, int min, int max, int y) {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QLatin1String(name));
        s->setRange(min, max);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setGeometry(kColumn, y, kSliderWidth, kSliderHeight);
        return s;
    };
    auto skinSlider = [this](const char* name, int max, int y) {
        auto* s = new TskTrackBar(this);
        s->setObjectName(QLatin1String(name));
        s->SetMax(max);
        s->SetMin(0);
        s->SetPageSize(1);
        s->setGeometry(kColumn, y, kSliderWidth, kSliderHeight);
        return s;
    };
    const int positionX = kColumn + kSliderWidth + 10;

    label("Label16", QStringLiteral("Data send speed"), kColumn, 8);
    m_trackBar6 = slider("TrackBar6", 0, kSendSpeedMax, 26);
    m_trackBar6->setValue(kSendSpeedDefault);
    endLabels(26, QStringLiteral("0"), QStringLiteral("100"));
    m_label6 = label("Label6", QString::number(kSendSpeedDefault), positionX, 28);

    label("Label5", QStringLiteral("Size X"), kColumn, 66);
    m_skTrackBar1 = skinSlider("skTrackBar1", kSizeMax, 84);
    m_skTrackBar1->SetPosition(kSizeDefault);
    endLabels(84, QStringLiteral("0"), QStringLiteral("40"));
    m_label9 = label("Label9", QString::number(kSizeDefault), positionX, 86);

    label("Label10", QStringLiteral("Size Y"), kColumn, 124);
    m_skTrackBar2 = skinSlider("skTrackBar2", kSizeMax, 142);
    m_skTrackBar2->SetPosition(kSizeDefault);
    endLabels(142, QStringLiteral("0"), QStringLiteral("40"));
    m_label13 = label("Label13", QString::number(kSizeDefault), positionX, 144);

    m_skCheckBox1 = new TskCheckBox(this);
    m_skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    m_skCheckBox1->SetCaption(QStringLiteral("Lock XY size scale"));
    m_skCheckBox1->setGeometry(kColumn, 184, 160, 17);

    label("Label18", QStringLiteral("Angle"), kColumn, 208);
    m_skTrackBar3 = skinSlider("skTrackBar3", kAngleMax, 226);
    endLabels(226, QStringLiteral("0"), QStringLiteral("360"));
    m_label14 = label("Label14", QStringLiteral("0"), positionX, 228);

    label("Label22", QStringLiteral("ILDA frame interval"), kColumn, 266);
    m_trackBar1 = slider("TrackBar1", kIntervalMin, kIntervalMax, 284);
    endLabels(284, QStringLiteral("2"), QStringLiteral("200"));
    m_label19 = label("Label19", QString::number(kIntervalMin), positionX, 286);
    // Sized for the widest position, not the first one shown.
    for (QLabel* position : {m_label6, m_label9, m_label13, m_label14, m_label19})
        position->setFixedWidth(kPositionValueWidth);

    // Channel and port: shown nowhere, they only carry the settings file's bytes.
    m_skRadioGroup1 = new TskRadioGroup(this);
    m_skRadioGroup1->setObjectName(QStringLiteral("skRadioGroup1"));
    m_skRadioGroup1->SetCaption(QStringLiteral("Choose channel"));
    m_skRadioGroup1->SetItems({QStringLiteral("Chanel1"), QStringLiteral("Chanel2")});
    m_skRadioGroup1->SetItemIndex(0);
    m_skRadioGroup1->hide();
    m_skCheckBox2 = new TskCheckBox(this);
    m_skCheckBox2->setObjectName(QStringLiteral("skCheckBox2"));
    m_skCheckBox2->SetCaption(QStringLiteral("Port1"));
    m_skCheckBox2->SetChecked(true);
    m_skCheckBox2->hide();
    m_skCheckBox3 = new TskCheckBox(this);
    m_skCheckBox3->setObjectName(QStringLiteral("skCheckBox3"));
    m_skCheckBox3->SetCaption(QStringLiteral("Port2"));
    m_skCheckBox3->hide();

    m_skButton1 = new TskButton(this);
    m_skButton1->setObjectName(QStringLiteral("skButton1"));
    m_skButton1->SetCaption(QStringLiteral("OK"));
    m_skButton1->setGeometry(kColumn + kSliderWidth - 80, 336, 80, 27);

    connect(m_image1, &OffsetPad::MouseDown, this, &TForm13::Image1MouseDown);
    connect(m_image1, &OffsetPad::MouseMove, this, &TForm13::Image1MouseMove);
    connect(m_image1, &OffsetPad::MouseUp, this, &TForm13::Image1MouseUp);
    connect(m_skButton2, &TskButton::OnClick, this, &TForm13::skButton2Click);
    connect(m_skButton1, &TskButton::OnClick, this, [this] { close(); });
    // The sliders' change handlers store their position whether the operator or
    // the code moved them; storing the value shown is always right.
    connect(m_trackBar6, &QSlider::valueChanged, this, &TForm13::TrackBar6Change);
    connect(m_trackBar1, &QSlider::valueChanged, this, &TForm13::TrackBar1Change);
    connect(m_skTrackBar1, &TskTrackBar::OnChange, this, &TForm13::skTrackBar1Change);
    connect(m_skTrackBar2, &TskTrackBar::OnChange, this, &TForm13::skTrackBar2Change);
    connect(m_skTrackBar3, &TskTrackBar::OnChange, this, &TForm13::skTrackBar3Change);
    connect(m_skCheckBox1, &TskCheckBox::OnClick, this, &TForm13::skCheckBox1Click);
    connect(m_skCheckBox2, &TskCheckBox::OnClick, this, &TForm13::PortCheckBoxClick);
    connect(m_skCheckBox3, &TskCheckBox::OnClick, this, &TForm13::PortCheckBoxClick);
    connect(m_skRadioGroup1, &TskRadioGroup::OnClick, this, &TForm13::skRadioGroup1Click);
}

void TForm13::LoadSettings()
{
    // Values are clamped to the controls' ranges on read: a slider would
    // silently clamp the shown value while the shared setting kept the bad one.
    const SettingsFile& settings = m_windows.Settings();
    OffsetX = settings.value(kOffsetXSetting);
    OffsetY = settings.value(kOffsetYSetting);
    OutputAngle = settings.value(kOutputAngleSetting);
    SendSpeedByte = static_cast<std::uint8_t>(settings.value(kSendSpeedByteSetting));
    SizeX = settings.value(kSizeXSetting);
    SizeY = settings.value(kSizeYSetting);
    PortSelection = static_cast<std::uint8_t>(settings.value(kPortSelectionSetting));
    OutputChannel = static_cast<std::uint8_t>(settings.value(kOutputChannelSetting));
    IldaFrameInterval = settings.value(kIldaFrameIntervalSetting);

    m_label3->setText(QString::number(OffsetX.load()));
    m_label4->setText(QString::number(OffsetY.load()));
    m_padPosition = QPoint(PadFromOffset(OffsetX.load()), PadFromOffset(OffsetY.load()));
    m_image1->SetMarker(m_padPosition);

    // Read every value first: a slider's change handler stores its own value only.
    const int angle = OutputAngle.load();
    const int interval = IldaFrameInterval.load();
    const int speed = kSendSpeedMax - SendSpeedByte.load();
    const int sizeX = SizeX.load();
    const int sizeY = SizeY.load();
    m_skTrackBar3->SetPosition(angle);
    m_trackBar1->setValue(interval);
    m_trackBar6->setValue(speed);
    m_skTrackBar1->SetPosition(sizeX);
    m_skTrackBar2->SetPosition(sizeY);
    m_label14->setText(QString::number(angle));
    m_label19->setText(QString::number(interval));
    m_label6->setText(QString::number(speed));
    m_label9->setText(QString::number(sizeX));
    m_label13->setText(QString::number(sizeY));

    const int ports = PortSelection.load();
    m_skCheckBox2->SetChecked(ports == kPort1Only || ports == kBothPorts);
    m_skCheckBox3->SetChecked(ports == kPort2Only || ports == kBothPorts);
    m_skRadioGroup1->SetItemIndex(OutputChannel.load() - 1);
}

bool TForm13::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return QWidget::event(event);
}

void TForm13::FormActivate()
{
    m_dragging = false;
    // The play windows set the speed byte from their own sliders; follow them.
    ShowSendSpeed();
    m_image1->SetMarker(m_padPosition);
}

void TForm13::ShowSendSpeed()
{
    m_trackBar6->setValue(kSendSpeedMax - std::min<int>(SendSpeedByte.load(), kSendSpeedMax));
    m_label6->setText(QString::number(m_trackBar6->value()));
}

void TForm13::SetOffsetsFromPad(int x, int y)
{
    // Qt keeps reporting moves outside the pad while the button is held; such a
    // point counts as the nearest pad edge, so the offsets stay in range.
    x = std::clamp(x, 0, kOffsetPadMax);
    y = std::clamp(y, 0, kOffsetPadMax);
    OffsetX = OffsetFromPad(x);
    OffsetY = OffsetFromPad(y);
    m_label3->setText(QString::number(OffsetX.load()));
    m_label4->setText(QString::number(OffsetY.load()));
    m_padPosition = QPoint(x, y);
    m_image1->SetMarker(m_padPosition);
}

void TForm13::Image1MouseDown(int x, int y)
{
    m_dragging = true;
    SetOffsetsFromPad(x, y);
}

void TForm13::Image1MouseMove(int x, int y)
{
    if (m_dragging)
        SetOffsetsFromPad(x, y);
}

void TForm13::Image1MouseUp()
{
    m_dragging = false;
}

void TForm13::skButton2Click()
{
    OffsetX = 0;
    OffsetY = 0;
    m_label3->setText(QStringLiteral("0"));
    m_label4->setText(QStringLiteral("0"));
    m_padPosition = QPoint(kPadCentre, kPadCentre);
    m_image1->SetMarker(m_padPosition);
}

void TForm13::TrackBar6Change()
{
    SendSpeedByte = static_cast<std::uint8_t>(kSendSpeedMax - m_trackBar6->value());
    m_label6->setText(QString::number(m_trackBar6->value()));
}

void TForm13::skTrackBar1Change()
{
    SizeChange(*m_skTrackBar1, SizeX, *m_label9, *m_skTrackBar2, SizeY, *m_label13);
}

void TForm13::skTrackBar2Change()
{
    SizeChange(*m_skTrackBar2, SizeY, *m_label13, *m_skTrackBar1, SizeX, *m_label9);
}

// One size slider moved: store it and, under the lock, carry the other along.
// The other slider's handler then finds its size unchanged, so this ends.
void TForm13::SizeChange(const TskTrackBar& moved, std::atomic<std::int32_t>& size, QLabel& label,
                         TskTrackBar& other, std::atomic<std::int32_t>& otherSize, QLabel& otherLabel)
{
    size = moved.Position();
    label.setText(QString::number(size.load()));
    if (m_skCheckBox1->Checked()) {
        other.SetPosition(size.load());
        otherSize = size.load();
        otherLabel.setText(QString::number(otherSize.load()));
    }
}

void TForm13::skTrackBar3Change()
{
    OutputAngle = m_skTrackBar3->Position();
    m_label14->setText(QString::number(OutputAngle.load()));
}

void TForm13::TrackBar1Change()
{
    IldaFrameInterval = m_trackBar1->value();
    m_label19->setText(QString::number(IldaFrameInterval.load()));
}

void TForm13::skCheckBox1Click()
{
    if (!m_skCheckBox1->Checked())
        return;
    m_skTrackBar2->SetPosition(SizeX.load());
    SizeY = SizeX.load();
    m_label13->setText(QString::number(SizeY.load()));
}

void TForm13::PortCheckBoxClick()
{
    PortSelection = static_cast<std::uint8_t>(PortSelectionFor(m_skCheckBox2->Checked(), m_skCheckBox3->Checked()));
}

void TForm13::skRadioGroup1Click()
{
    // A click on the frame leaves no item checked; the channel stays as it was.
    const int index = m_skRadioGroup1->ItemIndex();
    if (index >= 0)
        OutputChannel = static_cast<std::uint8_t>(index + 1);
}
