#include "app/main_window.h"

#include "app/device_select_window.h"
#include "app/output_settings_window.h"
#include "shell/window_registry.h"
#include "editor/draw_window.h"
#include "output/device_access.h"
#include "output/device_targets.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "player/play_window.h"
#include "player/section_window.h"
#include "sequencer/file_window.h"
#include "sequencer/sequence_window.h"
#include "skin/button.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 112;
constexpr int kClientHeight = 288;
constexpr int kControlLeft = 8;
constexpr int kControlWidth = 96;
constexpr int kControlHeight = 25;
constexpr int kControlTop = 6;
constexpr int kControlPitch = 31;

QRect ControlRect(int row)
{
    return {kControlLeft, kControlTop + row * kControlPitch, kControlWidth, kControlHeight};
}

}  // namespace

TForm15::TForm15(WindowRegistry& windows)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_windows(windows)
{
    setWindowTitle(QStringLiteral("Zarn"));
    setFixedSize(kClientWidth, kClientHeight);

    auto addButton = [this](int row, const char* caption) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setGeometry(ControlRect(row));
        return button;
    };
    m_bitBtn1 = addButton(0, "DRAW   ");
    m_bitBtn5 = addButton(1, "PLAY   ");
    m_bitBtn2 = addButton(2, "SECTION");
    m_bitBtn4 = addButton(3, "SEQUENCE");
    m_bitBtn3 = addButton(4, "FILE    ");
    m_bitBtn7 = addButton(5, "SELECT DEV");
    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setGeometry(ControlRect(6));
    m_skButton1 = new TskButton(this);
    m_skButton1->SetCaption(QStringLiteral("DETECT DEV"));
    m_skButton1->setGeometry(ControlRect(7));
    m_bitBtn6 = addButton(8, "EXIT     ");

    connect(m_bitBtn1, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form1()); });
    connect(m_bitBtn5, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form4()); });
    connect(m_bitBtn2, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form5()); });
    connect(m_bitBtn4, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form8()); });
    connect(m_bitBtn3, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form9()); });
    connect(m_bitBtn7, &QPushButton::clicked, this, [this] { ShowWindow(m_windows.Form19()); });
    connect(m_comboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(m_skButton1, &TskButton::OnClick, this, [this] { skButton1Click(); });
    connect(m_bitBtn6, &QPushButton::clicked, this, [this] { close(); });

    // Creation: the settings lines first, since the windows created after this one read them.
    m_windows.Settings() = SettingsFile::Load(m_windows.SettingsPath());
    m_baseTitle = m_windows.ApplicationTitle();
    m_listBox1.clear();
    m_multiDeviceMode = false;
    DetectDevices();
    if (m_memo1.isEmpty()) {
        m_currentDeviceName.clear();
        m_windows.SetApplicationTitle(m_baseTitle);
    } else {
        m_comboBox1->setCurrentIndex(0);
        UpdateMaster();
    }
    PublishTargets();
}

TForm15::~TForm15() = default;

void TForm15::DetectDevices()
{
    m_memo1.clear();
    m_comboBox1->clear();
    for (int n = 0; n < kMaxDevices; ++n) {
        const QString name = DeviceNameFor(n);
        if (!IsControllerAttached(name))
            continue;
        m_memo1 << name;
        m_comboBox1->addItem(QStringLiteral("Usb-%1").arg(n));
    }
}

void TForm15::SetListBox1(const QStringList& entries)
{
    m_listBox1 = entries;
    PublishTargets();
}

void TForm15::SetMultiDeviceMode(bool on)
{
    m_multiDeviceMode = on;
    PublishTargets();
}

void TForm15::SelectMaster(int index)
{
    if (index >= 0 && index < m_comboBox1->count() && m_comboBox1->currentIndex() != index)
        m_comboBox1->setCurrentIndex(index);
    UpdateMaster();
    PublishTargets();
}

void TForm15::skButton1Click()
{
    const int remembered = m_comboBox1->currentIndex();
    DetectDevices();
    const int count = static_cast<int>(m_memo1.size());
    // A remembered choice that no longer exists would leave no master although devices exist.
    const int index = count == 0 ? -1 : (count > 1 && remembered >= 0 && remembered < count ? remembered : 0);
    m_comboBox1->setCurrentIndex(index);
    UpdateMaster();
    emit devicesDetected();
    PublishTargets();
}

void TForm15::ComboBox1Change()
{
    UpdateMaster();
    PublishTargets();
    if (!m_memo1.isEmpty())
        emit masterChanged(m_comboBox1->currentIndex());
}

// The master, the application title and the caption from the combo's selection.
void TForm15::UpdateMaster()
{
    const int index = m_comboBox1->currentIndex();
    if (m_memo1.isEmpty() || index < 0 || index >= m_memo1.size()) {
        m_currentDeviceName.clear();
        m_windows.SetApplicationTitle(m_baseTitle);
    } else {
        m_currentDeviceName = m_memo1.at(index);
        m_windows.SetApplicationTitle(m_baseTitle + QLatin1Char('-') + QString::number(index));
    }
    setWindowTitle(m_windows.ApplicationTitle());
}

void TForm15::PublishTargets() const
{
    PublishDeviceTargets(MakeDeviceTargets(m_currentDeviceName, m_listBox1, m_multiDeviceMode));
}

void TForm15::ShowWindow(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm15::WriteSettingsLines()
{
    SettingsFile& settings = m_windows.Settings();
    if (const TForm1* draw = m_windows.Form1()) {
        settings.setValue(kBackColorSetting, draw->Document().BackColor);
        settings.setValue(kBlankColorSetting, draw->Document().BlankColor);
        settings.setValue(kGridStepXSetting, draw->Document().GridStepX);
        settings.setValue(kGridStepYSetting, draw->Document().GridStepY);
        settings.setValue(kPointDistanceSetting, draw->Document().PointDistance);
        settings.setValue(kPolygonSidesSetting, draw->Document().PolygonSides);
    }
    // The output settings are only meaningful once the settings window has loaded them.
    if (m_windows.Form13()) {
        settings.setValue(kOffsetXSetting, OffsetX.load());
        settings.setValue(kOffsetYSetting, OffsetY.load());
        settings.setValue(kOutputAngleSetting, OutputAngle.load());
        settings.setValue(kSendSpeedByteSetting, SendSpeedByte.load());
        settings.setValue(kSizeXSetting, SizeX.load());
        settings.setValue(kSizeYSetting, SizeY.load());
        settings.setValue(kPortSelectionSetting, PortSelection.load());
        settings.setValue(kOutputChannelSetting, OutputChannel.load());
        settings.setValue(kIldaFrameIntervalSetting, IldaFrameInterval.load());
    }
}

bool TForm15::FormClose()
{
    // Windows free the play lists their loops read, so no loop may run past this point.
    // stopAll raises the stop flag and ends the music before it waits.
    while (!m_windows.HandOver().stopAll()) {
    }
    WriteSettingsLines();
    const QString path = m_windows.SettingsPath();
    if (!m_windows.Settings().save(path)) {
        m_windows.ShowMessage(QStringLiteral("Zarn"), QStringLiteral("Cannot save the settings to ") + path);
        return false;
    }
    return true;
}

void TForm15::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
    QCoreApplication::quit();
}
