#include "app/device_select_window.h"
#include "skin/window_frame.h"

#include "app/device_combo_box.h"
#include "app/main_window.h"
#include "shell/window_registry.h"
#include "editor/draw_window.h"
#include "output/device_access.h"
#include "output/worker_threads.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/combo_box.h"
#include "skin/skin_form.h"

#include <QEvent>
#include <QFont>
#include <QLabel>

#include <stdexcept>

namespace {

constexpr int kGridColumns = 8;
constexpr int kBoxWidth = 66;
constexpr int kBoxHeight = 17;
constexpr int kBoxPitchY = 19;
constexpr int kMargin = 10;
constexpr int kWindowWidth = 560;
constexpr int kButtonGap = 8;
constexpr TColor kFrameColor = 15198183;

// The master is reset on pipes 1, 3 and 5, every extra device on 1, 2 and 3.
const std::vector<std::uint32_t> kMasterResetPipes{1, 3, 5};
const std::vector<std::uint32_t> kExtraResetPipes{1, 2, 3};

// The frame's stored look: the Crystal style first, then what the window keeps over it.
void SetUpFrame(TskForm& frame)
{
    SetUpWindowFrame(frame, TskUIStyle::Crystal, kFrameColor, QStringLiteral("Select  Device"));
    frame.SetMenuBarColor(kFrameColor);
    frame.SetMenuBarHeight(22);
}

bool SameEntry(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString EntryFor(int number)
{
    return QStringLiteral("Usb-%1").arg(number);
}

struct ResetJob {
    QString name;
    const std::vector<std::uint32_t>* pipes;
};

}  // namespace

TForm19::TForm19(WindowRegistry& windows) : QWidget(nullptr, Qt::Window), m_windows(windows)
{
    if (!m_windows.Form15())
        throw std::logic_error("the device selection window needs the main window");
    BuildControls();
    connect(m_windows.Form15(), &TForm15::devicesDetected, this, &TForm19::RefreshDevices);
    connect(m_windows.Form15(), &TForm15::masterChanged, this, [this](int index) {
        m_comboBox1->setCurrentIndex(index);
        SyncDeviceBoxes();
    });
    FormActivate();
}

TForm19::~TForm19()
{
    // A reset still talking to a controller stops after its current request;
    // its queued reports die with this window.
    if (m_resetCancel)
        m_resetCancel->store(true);
    m_resetWorker.reset();
}

TForm15& TForm19::Main() const
{
    return *m_windows.Form15();
}

void TForm19::BuildControls()
{
    setWindowTitle(QStringLiteral("Select  Device"));
    // The frame first: skinned controls take their look from it when they are made.
    m_skForm1 = new TskForm(this, TFormBorderStyle::bsDialog);
    m_skForm1->setObjectName(QStringLiteral("skForm1"));
    SetUpFrame(*m_skForm1);
    QWidget* frame = m_skForm1;
    const int top = m_skForm1->TitleBar().height() + kMargin;

    auto* label1 = new QLabel(QStringLiteral("Master device     "), frame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->move(kMargin, top + 3);
    m_comboBox1 = MakeDeviceComboBox(frame);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setGeometry(120, top, 100, 22);
    m_checkBox131 = new TskCheckBox(frame);
    m_checkBox131->setObjectName(QStringLiteral("CheckBox131"));
    m_checkBox131->SetCaption(QStringLiteral("Enable multiple device"));
    m_checkBox131->setGeometry(235, top + 3, 170, kBoxHeight);
    auto button = [frame](const char* name, const QString& caption) {
        auto* b = new TskButton(frame);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        return b;
    };
    m_bitBtn2 = button("BitBtn2", QStringLiteral("reset select device"));
    m_bitBtn2->setGeometry(415, top - 2, 130, m_bitBtn2->height());

    m_gridTop = top + 36;
    m_deviceBoxes.reserve(kDeviceBoxCount);
    for (int n = 0; n < kDeviceBoxCount; ++n) {
        auto* box = new TskCheckBox(frame);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        box->SetCaption(EntryFor(n));
        box->resize(kBoxWidth - 2, kBoxHeight);
        box->hide();
        connect(box, &TskCheckBox::OnClick, this, [this, box] { DeviceBoxClick(box); });
        m_deviceBoxes.push_back(box);
    }
    m_skButton2 = button("skButton2", QStringLiteral("Select all"));
    m_skButton3 = button("skButton3", QStringLiteral("Clear all"));
    m_skButton1 = button("skButton1", QStringLiteral("OK"));
    m_skButton2->hide();
    m_skButton3->hide();
    LayOutDeviceBoxes();

    connect(m_comboBox1, &TskComboBox::OnChange, this, [this] { ComboBox1Change(); });
    connect(m_checkBox131, &TskCheckBox::OnClick, this, &TForm19::CheckBox131Click);
    connect(m_bitBtn2, &TskButton::OnClick, this, &TForm19::BitBtn2Click);
    connect(m_skButton1, &TskButton::OnClick, this, &TForm19::skButton1Click);
    connect(m_skButton2, &TskButton::OnClick, this, &TForm19::skButton2Click);
    connect(m_skButton3, &TskButton::OnClick, this, &TForm19::skButton3Click);
}

TskCheckBox* TForm19::DeviceBox(int number) const
{
    if (number < 0 || number >= static_cast<int>(m_deviceBoxes.size()))
        return nullptr;
    return m_deviceBoxes[static_cast<std::size_t>(number)];
}

bool TForm19::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        FormActivate();
    return QWidget::event(event);
}

void TForm19::FormActivate()
{
    CopyMainDevices();
    ApplyDeviceCount();
    SyncDeviceBoxes();
}

void TForm19::CopyMainDevices()
{
    const TskComboBox* mainCombo = Main().ComboBox1();
    m_comboBox1->SetItems(mainCombo->Items());
    m_comboBox1->SetItemIndex(mainCombo->ItemIndex());
}

void TForm19::ApplyDeviceCount()
{
    if (m_comboBox1->count() < 2) {
        // A box left checked while the mode is off would show a choice that is not in force.
        if (Main().MultiDeviceMode())
            Main().SetMultiDeviceMode(false);
        m_checkBox131->SetChecked(false);
        m_checkBox131->setEnabled(false);
    } else {
        m_checkBox131->setEnabled(true);
        m_checkBox131->SetChecked(Main().MultiDeviceMode());
    }
}

QString TForm19::MasterEntry() const
{
    return m_comboBox1->currentIndex() >= 0 ? m_comboBox1->currentText() : QString();
}

QStringList TForm19::DetectedEntries() const
{
    return Main().ComboBox1()->Items();
}

void TForm19::SetExtraDevices(const QStringList& entries)
{
    // The main window publishes the new device targets.
    Main().SetListBox1(entries);
}

void TForm19::SyncDeviceBoxes()
{
    const QStringList detected = DetectedEntries();
    const QStringList& extras = Main().ListBox1();
    const QString master = MasterEntry();
    const bool show = Main().MultiDeviceMode() && !detected.isEmpty();
    for (TskCheckBox* box : m_deviceBoxes) {
        const QString caption = box->Caption();
        box->SetChecked(extras.contains(caption) || (!master.isEmpty() && SameEntry(caption, master)));
        // Only a detected controller is offered: a box of another number could
        // send frames to a device that detection rejected.
        box->setVisible(show && detected.contains(caption));
    }
    m_skButton2->setVisible(show);
    m_skButton3->setVisible(show);
    LayOutDeviceBoxes();
}

void TForm19::LayOutDeviceBoxes()
{
    // The shown boxes side by side in number order, however the numbers are spread.
    int shown = 0;
    for (TskCheckBox* box : m_deviceBoxes) {
        if (box->isHidden())
            continue;
        box->move(kMargin + (shown % kGridColumns) * kBoxWidth, m_gridTop + (shown / kGridColumns) * kBoxPitchY);
        ++shown;
    }
    const int rows = (shown + kGridColumns - 1) / kGridColumns;
    const int buttonsTop = m_gridTop + rows * kBoxPitchY + kButtonGap;
    m_skButton2->move(kMargin, buttonsTop);
    m_skButton3->move(kMargin + 90, buttonsTop);
    m_skButton1->move(kWindowWidth - 2 * kMargin - m_skButton1->width(), buttonsTop);
    setFixedSize(kWindowWidth, buttonsTop + m_skButton1->height() + 2 * kMargin);
}

void TForm19::ComboBox1Change()
{
    Main().SelectMaster(m_comboBox1->currentIndex());
    if (Main().MultiDeviceMode() && !MasterEntry().isEmpty()) {
        QStringList extras = Main().ListBox1();
        const QString master = MasterEntry();
        extras.removeIf([&master](const QString& entry) { return SameEntry(entry, master); });
        SetExtraDevices(extras);
    }
    SyncDeviceBoxes();
}

void TForm19::CheckBox131Click()
{
    if (!m_checkBox131->isEnabled())
        m_checkBox131->SetChecked(false);
    Main().SetMultiDeviceMode(m_checkBox131->Checked());
    SyncDeviceBoxes();
}

void TForm19::DeviceBoxClick(TskCheckBox* box)
{
    const QString caption = box->Caption();
    if (!SameEntry(caption, MasterEntry())) {
        QStringList extras = Main().ListBox1();
        if (box->Checked()) {
            if (!extras.contains(caption) && DetectedEntries().contains(caption))
                extras << caption;
        } else {
            extras.removeAll(caption);
        }
        SetExtraDevices(extras);
    }
    // The master's box stays checked whatever the click did.
    SyncDeviceBoxes();
}

void TForm19::skButton2Click()
{
    const QString master = MasterEntry();
    QStringList extras;
    for (const QString& entry : DetectedEntries()) {
        if (!SameEntry(entry, master))
            extras << entry;
    }
    SetExtraDevices(extras);
    SyncDeviceBoxes();
}

void TForm19::skButton3Click()
{
    SetExtraDevices({});
    SyncDeviceBoxes();
}

void TForm19::RefreshDevices()
{
    const QStringList detected = DetectedEntries();
    QStringList extras = Main().ListBox1();
    extras.removeIf([&detected](const QString& entry) { return !detected.contains(entry); });
    SetExtraDevices(extras);
    FormActivate();
}

void TForm19::BitBtn2Click()
{
    if (m_comboBox1->count() == 0 || m_resetWorker)
        return;
    std::vector<ResetJob> jobs;
    const QString master = MasterEntry();
    QStringList done;
    if (!master.isEmpty()) {
        jobs.push_back({QStringLiteral("ez") + master, &kMasterResetPipes});
        done << master.toLower();
    }
    if (Main().MultiDeviceMode()) {
        const QStringList detected = DetectedEntries();
        for (const QString& entry : Main().ListBox1()) {
            // Each controller once (the master may also be listed) and only one detection found.
            if (!detected.contains(entry) || done.contains(entry.toLower()))
                continue;
            done << entry.toLower();
            jobs.push_back({QStringLiteral("ez") + entry, &kExtraResetPipes});
        }
    }
    if (jobs.empty())
        return;

    m_bitBtn2->setEnabled(false);
    m_resetCancel = std::make_shared<std::atomic<bool>>(false);
    // Every request may take up to the transfer timeout (a pipe abort longer):
    // the window must not wait for them. Reports come back queued; this window
    // joins the thread before it goes, so `this` outlives every post.
    m_resetWorker = std::make_unique<WorkerThread>([this, jobs = std::move(jobs), cancel = m_resetCancel] {
        for (const ResetJob& job : jobs) {
            if (cancel->load())
                break;
            // Pipe aborts report nothing; only the processor reset tells the operator.
            for (const std::uint32_t pipe : *job.pipes)
                ResetPipe(job.name, pipe);
            if (!ResetDeviceCpu(job.name)) {
                QMetaObject::invokeMethod(this, [this, name = job.name] { ResetFailed(name); },
                                          Qt::QueuedConnection);
            }
        }
        QMetaObject::invokeMethod(this, [this] { ResetFinished(); }, Qt::QueuedConnection);
    });
}

void TForm19::ResetFailed(const QString& name)
{
    m_resetFailures.push_back(name);
    // A message box runs an event loop, in which the next failure may arrive:
    // it waits for this box to close instead of opening a second one over it.
    if (m_showingFailure)
        return;
    m_showingFailure = true;
    while (!m_resetFailures.empty()) {
        const QString next = m_resetFailures.front();
        m_resetFailures.pop_front();
        m_windows.ShowMessage(m_windows.ApplicationTitle(), QStringLiteral("Failed to reset ") + next);
    }
    m_showingFailure = false;
}

void TForm19::ResetFinished()
{
    // Posting this was the thread's last act, so the join is immediate.
    m_resetWorker.reset();
    m_resetCancel.reset();
    m_bitBtn2->setEnabled(true);
}

void TForm19::skButton1Click()
{
    close();
    if (QWidget* draw = m_windows.Form1())
        draw->update();
}
