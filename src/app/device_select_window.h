#pragma once
// The device selection window "Select  Device": the master controller (the
// same choice as the main window's combo box), multi-device output, the extra
// controllers that receive every packet too, and the reset of the chosen
// controllers.
//
// It works on the main window's stores: the detected devices, the master
// combo box and the extra-device list. Only detected controllers are offered
// (one check box per detected device, laid out together in number order), the
// boxes' checks always follow the extra-device list and the master, and the
// main window publishes every change as the device-targets snapshot the play
// loops read.
//
// The reset talks to the controllers on a thread of its own, so a slow or hung
// controller never holds up the window; each failed reset is reported once.

#include <QStringList>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class TForm15;
class TskButton;
class TskCheckBox;
class TskComboBox;
class TskForm;
class WindowRegistry;
class WorkerThread;

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
    TskComboBox* ComboBox1() const { return m_comboBox1; }
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
    /// "reset select device": aborts the pipes and resets the processor of the master and, with
    /// multi-device output, the extra devices, on a thread of its own; returns at once. Ignored while a reset runs.
    void BitBtn2Click();
    /// True from "reset select device" until its last request has returned and its failures are queued.
    bool ResetRunning() const { return m_resetWorker != nullptr; }
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
    /// Places the shown device boxes in number order and sizes the window to them.
    void LayOutDeviceBoxes();
    /// GUI thread, queued from the reset thread.
    void ResetFailed(const QString& name);
    void ResetFinished();

    WindowRegistry& m_windows;
    // Children, owned by Qt's parent chain.
    TskForm* m_skForm1 = nullptr;
    TskComboBox* m_comboBox1 = nullptr;
    TskCheckBox* m_checkBox131 = nullptr;
    TskButton* m_bitBtn2 = nullptr;
    std::vector<TskCheckBox*> m_deviceBoxes;
    TskButton* m_skButton1 = nullptr;
    TskButton* m_skButton2 = nullptr;
    TskButton* m_skButton3 = nullptr;
    int m_gridTop = 0;

    // The running reset; its thread only reads what it was given and the flag.
    std::unique_ptr<WorkerThread> m_resetWorker;
    std::shared_ptr<std::atomic<bool>> m_resetCancel;
    // Failures waiting for their message, shown one at a time.
    std::deque<QString> m_resetFailures;
    bool m_showingFailure = false;
};
