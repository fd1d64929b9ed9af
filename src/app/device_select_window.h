#pragma once
// The device selection window "Select  Device": the master controller (the
// same choice as the main window's combo box), multi-device output, the extra
// controllers that receive every packet too, and the reset of the chosen
// controllers.
//
// It works on the main window's stores: the detected devices, the master
// combo box and the extra-device list. Only detected controllers are offered
// (one check box per detected device, by its number), the boxes' checks always
// follow the extra-device list and the master, and the main window publishes
// every change as the device-targets snapshot the play loops read.

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <vector>

class QComboBox;
class QPushButton;
class TForm15;
class TskButton;
class TskCheckBox;
class TskForm;
class WindowRegistry;

/// GUI thread only.
class TForm19 : public QWidget {
    Q_OBJECT
public:
    /// Number of device check boxes ("Usb-0" .. "Usb-127").
    static constexpr int kDeviceBoxCount = 128;

    /// Creation: builds the frame and controls and takes the main window's device list (the main window exists).
    explicit TForm19(WindowRegistry& windows);
    ~TForm19() override;

    /// The master combo box (a copy of the main window's).
    QComboBox* ComboBox1() const { return m_comboBox1; }
    /// "Enable multiple device".
    TskCheckBox* CheckBox131() const { return m_checkBox131; }
    /// The check box of device `number` (0..127), or nullptr.
    TskCheckBox* DeviceBox(int number) const;

    /// Creation and activation: copies the main window's devices and master, forces multi-device output off below two devices.
    void FormActivate();
    /// The operator chose another master here.
    void ComboBox1Change();
    /// "Enable multiple device" clicked.
    void CheckBox131Click();
    /// A device check box clicked (its check has already turned).
    void DeviceBoxClick(TskCheckBox* box);
    /// "Select all": every detected device but the master becomes an extra device.
    void skButton2Click();
    /// "Clear all": no extra devices.
    void skButton3Click();
    /// "reset select device": aborts the pipes and resets the processor of the master and, with multi-device output, the extra devices.
    void BitBtn2Click();
    /// "OK": closes and repaints the Draw window.
    void skButton1Click();
    /// After the main window detected again: drops extra devices that are gone and rebuilds the boxes.
    void RefreshDevices();

protected:
    bool event(QEvent* event) override;

private:
    TForm15& Main() const;
    void BuildControls();
    void CopyMainDevices();
    void ApplyDeviceCount();
    /// Every box: shown when multi-device output is on and its device is detected; checked when it is an extra device or the master.
    void SyncDeviceBoxes();
    QString MasterEntry() const;
    QStringList DetectedEntries() const;
    void SetExtraDevices(const QStringList& entries);
    void ResetDevice(const QString& name, const std::vector<std::uint32_t>& pipes);

    WindowRegistry& m_windows;
    // Children, owned by Qt's parent chain.
    TskForm* m_skForm1 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    TskCheckBox* m_checkBox131 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    std::vector<TskCheckBox*> m_deviceBoxes;
    TskButton* m_skButton1 = nullptr;
    TskButton* m_skButton2 = nullptr;
    TskButton* m_skButton3 = nullptr;
};
