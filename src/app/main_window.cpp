#include "app/main_window.h"

#include "app/create_windows.h"
#include "app/device_combo_box.h"
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
#include "shell/dialogs.h"
#include "skin/button.h"
#include "skin/combo_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

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

QString PlayNotStoppedText(std::chrono::milliseconds bound)
{
    return QStringLiteral("A play did not stop within %1 s. Zarn ends without waiting for it.")
        .arg(double(bound.count()) / 1000.0);
}

// The save's message names the file and the system's reason.
QString SaveFailedText(const QString& message)
{
    return QStringLiteral("The settings were not saved. %1\n\n"
                          "Yes: try again.\nNo: quit without saving.\nCancel: stay in Zarn.")
        .arg(message);
}

QString UnreadableAtStartText(const QString& path, const QString& reason)
{
    return QStringLiteral("The settings file %1 cannot be read: %2\n"
                          "Zarn starts with its default settings and asks before it writes over the file.")
        .arg(path, reason);
}

QString ReplaceUnreadableText(const QString& path, const QString& reason)
{
    return QStringLiteral("The settings file %1 could not be read when Zarn started: %2\n\n"
                          "Yes: replace it with the current settings.\nNo: quit and leave it as it is.\n"
                          "Cancel: stay in Zarn.")
        .arg(path, reason);
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
    m_comboBox1 = MakeDeviceComboBox(this);
    m_comboBox1->setGeometry(ControlRect(6));
    m_skButton1 = new TskButton(this);
    m_skButton1->SetCaption(QStringLiteral("DETECT DEV"));
    m_skButton1->setGeometry(ControlRect(7));
    m_bitBtn6 = addButton(8, "EXIT     ");

    connect(m_bitBtn1, &QPushButton::clicked, this, [this] { ShowCreated<TForm1>(QStringLiteral("Draw")); });
    connect(m_bitBtn5, &QPushButton::clicked, this, [this] { ShowCreated<TForm4>(QStringLiteral("Play")); });
    connect(m_bitBtn2, &QPushButton::clicked, this, [this] { ShowCreated<TForm5>(QStringLiteral("Section ")); });
    connect(m_bitBtn4, &QPushButton::clicked, this, [this] { ShowCreated<TForm8>(QStringLiteral("Sequence")); });
    connect(m_bitBtn3, &QPushButton::clicked, this, [this] { ShowCreated<TForm9>(QStringLiteral("FILE")); });
    connect(m_bitBtn7, &QPushButton::clicked, this, [this] { ShowCreated<TForm19>(QStringLiteral("Select  Device")); });
    connect(m_comboBox1, &TskComboBox::OnChange, this, [this] { ComboBox1Change(); });
    connect(m_skButton1, &TskButton::OnClick, this, [this] { skButton1Click(); });
    connect(m_bitBtn6, &QPushButton::clicked, this, [this] { close(); });
    // A play loop that threw: the play has stopped, and the operator hears why.
    connect(&m_windows.HandOver(), &PlayHandOver::loopFailed, this,
            [this](const QString& message) { m_windows.ShowMessage(m_windows.ApplicationTitle(), message); });

    // Creation: the settings lines first, since the windows created after this one read them.
    m_windows.Settings() = SettingsFile::Load(m_windows.SettingsPath());
    m_settingsReadFailure = m_windows.Settings().ReadFailure();
    if (!m_settingsReadFailure.isEmpty()) {
        // Told once the message loop runs: the splash window is still up now.
        QTimer::singleShot(0, this, [this] {
            m_windows.ShowMessage(m_windows.ApplicationTitle(),
                                  UnreadableAtStartText(m_windows.SettingsPath(), m_settingsReadFailure));
        });
    }
    m_baseTitle = m_windows.ApplicationTitle();
    m_listBox1.clear();
    m_multiDeviceMode = false;
    DetectDevices();
    if (m_memo1.isEmpty()) {
        m_currentDeviceName.clear();
        m_windows.SetApplicationTitle(m_baseTitle);
    } else {
        m_comboBox1->SetItemIndex(0);
        UpdateMaster();
    }
    PublishTargets();
}

TForm15::~TForm15() = default;

void TForm15::DetectDevices()
{
    m_memo1.clear();
    m_comboBox1->ClearItems();
    // One look at the bus first: a controller replugged since the last look
    // gets its number now, before the walk below has passed it.
    RescanDevices();
    for (int n = 0; n < kMaxDevices; ++n) {
        const QString name = DeviceNameFor(n);
        if (!IsControllerAttached(name))
            continue;
        m_memo1 << name;
        m_comboBox1->AddItem(QStringLiteral("Usb-%1").arg(n));
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
    if (index >= 0 && index < m_comboBox1->Count() && m_comboBox1->ItemIndex() != index)
        m_comboBox1->SetItemIndex(index);
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
    m_comboBox1->SetItemIndex(index);
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

template <class W>
void TForm15::ShowCreated(const QString& caption)
{
    // The windows not shown at start may not have been created yet; one whose
    // creation failed is tried again, and says why when it fails again.
    m_windows.CreatePendingWindows();
    QStringList failures;
    W* window = CreateOrExplain<W>(m_windows, caption, failures);
    if (!failures.isEmpty())
        m_windows.ShowMessage(m_windows.ApplicationTitle(), failures.join(u'\n'));
    ShowWindow(window);
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
    // Windows free the play lists their loops read, so no loop may run past
    // this point; stopAll raises the stop flag and ends the music before it
    // waits. A loop that ignores the flag is not waited for beyond the bound:
    // the program still ends (without freeing what the loop reads).
    PlayHandOver& handOver = m_windows.HandOver();
    if (!handOver.stopAll())
        m_windows.ShowMessage(m_windows.ApplicationTitle(), PlayNotStoppedText(handOver.joinBound()));
    WriteSettingsLines();
    const QString path = m_windows.SettingsPath();
    // The operator's own file, unreadable at start, is replaced only on their word.
    if (!m_settingsReadFailure.isEmpty()) {
        switch (m_windows.Dialog().Question(this, QStringLiteral("Zarn"),
                                            ReplaceUnreadableText(path, m_settingsReadFailure), true)) {
        case Dialogs::Answer::Yes:
            break;
        case Dialogs::Answer::No:
            return true;
        case Dialogs::Answer::Cancel:
            return false;
        }
    }
    for (;;) {
        const FileResult saved = m_windows.Settings().save(path);
        if (saved) {
            m_settingsReadFailure.clear();
            return true;
        }
        switch (m_windows.Dialog().Question(this, QStringLiteral("Zarn"), SaveFailedText(saved.message), true)) {
        case Dialogs::Answer::Yes:
            continue;
        case Dialogs::Answer::No:
            return true;
        case Dialogs::Answer::Cancel:
            return false;
        }
    }
}

void TForm15::closeEvent(QCloseEvent* event)
{
    // A close asked for again while the save question is open waits for its answer.
    if (m_closing) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closing = true;
        const bool end = FormClose();
        m_closing = false;
        if (!end) {
            event->ignore();
            return;
        }
        m_closed = true;
    }
    event->accept();
    QCoreApplication::quit();
}
