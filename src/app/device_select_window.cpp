#include "app/device_select_window.h"

#include "app/main_window.h"
#include "shell/window_registry.h"
#include "editor/draw_window.h"
#include "output/device_access.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/skin_form.h"

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPushButton>

#include <stdexcept>

namespace {

constexpr int kGridColumns = 8;
constexpr int kBoxWidth = 66;
constexpr int kBoxHeight = 17;
constexpr int kBoxPitchY = 19;
constexpr int kMargin = 10;
constexpr int kWindowWidth = 560;
constexpr TColor kFrameColor = 15198183;
constexpr int kTitleButtonTop = 6;

// The master is reset on pipes 1, 3 and 5, every extra device on 1, 2 and 3.
const std::vector<std::uint32_t> kMasterResetPipes{1, 3, 5};
const std::vector<std::uint32_t> kExtraResetPipes{1, 2, 3};

// The frame's stored look: the Crystal style first, then what the window keeps over it.
void SetUpFrame(TskForm& frame)
{
    frame.SetUIStyle(TskUIStyle::Crystal);
    frame.SetUIStyleAutoUpdateSub(false);
    frame.SetBorderColor(clBlack);
    frame.SetBorderWidth(1);
    frame.SetTitleBarVisible(true);
    frame.SetColor(kFrameColor);
    frame.SetCaption(QStringLiteral("Select  Device"));
    frame.SetTitleBarDrawAppIcon(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    frame.SetTitleBarFont(font);
    frame.SetMenuBarColor(kFrameColor);
    frame.SetMenuBarHeight(22);

    // A dialog: control box, close and minimise, no maximise.
    TskTitleBarButtons& buttons = frame.TitleBar().Buttons();
    buttons.Clear();
    for (const TskTitleBarBtnType type :
         {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMin}) {
        if (TskTitleBarButton* button = buttons.Add(type)) {
            button->SetTop(kTitleButtonTop);
            button->SetTransparent(true);
        }
    }
}

bool SameEntry(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString EntryFor(int number)
{
    return QStringLiteral("Usb-%1").arg(number);
}

QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

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

TForm19::~TForm19() = default;

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
    m_comboBox1 = new QComboBox(frame);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setGeometry(120, top, 100, 22);
    m_checkBox131 = new TskCheckBox(frame);
    m_checkBox131->setObjectName(QStringLiteral("CheckBox131"));
    m_checkBox131->SetCaption(QStringLiteral("Enable multiple device"));
    m_checkBox131->setGeometry(235, top + 3, 170, kBoxHeight);
    m_bitBtn2 = new QPushButton(QStringLiteral("reset select device"), frame);
    m_bitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    m_bitBtn2->setGeometry(415, top, 130, 24);

    const int gridTop = top + 36;
    m_deviceBoxes.reserve(kDeviceBoxCount);
    for (int n = 0; n < kDeviceBoxCount; ++n) {
        auto* box = new TskCheckBox(frame);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        box->SetCaption(EntryFor(n));
        box->setGeometry(kMargin + (n % kGridColumns) * kBoxWidth, gridTop + (n / kGridColumns) * kBoxPitchY,
                         kBoxWidth - 2, kBoxHeight);
        box->hide();
        connect(box, &TskCheckBox::OnClick, this, [this, box] { DeviceBoxClick(box); });
        m_deviceBoxes.push_back(box);
    }
    const int buttonsTop = gridTop + (kDeviceBoxCount / kGridColumns) * kBoxPitchY + 8;
    auto button = [frame](const char* name, const QString& caption) {
        auto* b = new TskButton(frame);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        return b;
    };
    m_skButton2 = button("skButton2", QStringLiteral("Select all"));
    m_skButton2->move(kMargin, buttonsTop);
    m_skButton3 = button("skButton3", QStringLiteral("Clear all"));
    m_skButton3->move(kMargin + 90, buttonsTop);
    m_skButton1 = button("skButton1", QStringLiteral("OK"));
    m_skButton1->move(kWindowWidth - 2 * kMargin - m_skButton1->width(), buttonsTop);
    m_skButton2->hide();
    m_skButton3->hide();
    resize(kWindowWidth, buttonsTop + m_skButton1->height() + 2 * kMargin);

    connect(m_comboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(m_checkBox131, &TskCheckBox::OnClick, this, &TForm19::CheckBox131Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, &TForm19::BitBtn2Click);
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
    const QComboBox* mainCombo = Main().ComboBox1();
    m_comboBox1->clear();
    m_comboBox1->addItems(ItemsOf(mainCombo));
    m_comboBox1->setCurrentIndex(mainCombo->currentIndex());
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
    return ItemsOf(Main().ComboBox1());
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

void TForm19::ResetDevice(const QString& name, const std::vector<std::uint32_t>& pipes)
{
    // Pipe aborts report nothing; only the processor reset tells the operator.
    for (const std::uint32_t pipe : pipes)
        ResetPipe(name, pipe);
    if (!ResetDeviceCpu(name))
        m_windows.ShowMessage(m_windows.ApplicationTitle(), QStringLiteral("Failed to reset ") + name);
}

void TForm19::BitBtn2Click()
{
    if (m_comboBox1->count() == 0)
        return;
    const QString master = MasterEntry();
    QStringList done;
    if (!master.isEmpty()) {
        ResetDevice(QStringLiteral("ez") + master, kMasterResetPipes);
        done << master.toLower();
    }
    if (!Main().MultiDeviceMode())
        return;
    const QStringList detected = DetectedEntries();
    for (const QString& entry : Main().ListBox1()) {
        // Each controller once (the master may also be listed) and only one detection found.
        if (!detected.contains(entry) || done.contains(entry.toLower()))
            continue;
        done << entry.toLower();
        ResetDevice(QStringLiteral("ez") + entry, kExtraResetPipes);
    }
}

void TForm19::skButton1Click()
{
    close();
    if (QWidget* draw = m_windows.Form1())
        draw->update();
}
