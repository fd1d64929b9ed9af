#pragma once
// The main window "Zarn": the narrow column that opens every working window,
// detects the controllers and chooses the master one. Closing it ends the
// program: every worker is stopped and joined (within the hand-over's bound),
// the music ends and the settings file is written; when it cannot be written
// the operator chooses to retry, to quit without saving or to stay.
//
// It also tells the operator when a play loop ended by an exception.
//
// It owns the device stores the device selection window works on: the
// detected device names (Memo1), their "Usb-N" entries in ComboBox1 and the
// extra devices (ListBox1). Every change to the master, the extras or the
// multi-device flag is published as one device-targets snapshot for the loops.

#include <QString>
#include <QStringList>
#include <QWidget>

class QPushButton;
class TskButton;
class TskComboBox;
class WindowRegistry;

class TForm15 : public QWidget {
    Q_OBJECT
public:
    /// Creation: loads the settings lines, detects the controllers and chooses the first as master.
    explicit TForm15(WindowRegistry& windows);
    ~TForm15() override;

    /// The application title when the window was created ("Zarn").
    const QString& BaseTitle() const { return m_baseTitle; }

    /// Fills Memo1 and ComboBox1 with the controllers that open, answer the descriptor request and carry vendor id 0x8888.
    void DetectDevices();

    /// The detected device names ("ezusb-N"), in ComboBox1's order.
    const QStringList& Memo1() const { return m_memo1; }
    /// The master combo box ("Usb-N" items).
    TskComboBox* ComboBox1() const { return m_comboBox1; }
    /// The extra devices' entries ("Usb-N"), kept by the device selection window.
    const QStringList& ListBox1() const { return m_listBox1; }
    /// Replaces the extra devices' entries and publishes the targets.
    void SetListBox1(const QStringList& entries);

    /// The master device name ("ezusb-N"), empty when none.
    const QString& CurrentDeviceName() const { return m_currentDeviceName; }
    /// Whether packets go to the extra devices too.
    bool MultiDeviceMode() const { return m_multiDeviceMode; }
    /// Stores the flag and publishes the targets.
    void SetMultiDeviceMode(bool on);

    /// Selects the master by combo index as the operator's choice would (caption, master, targets), without emitting masterChanged.
    void SelectMaster(int index);

    /// "DETECT DEV": detects again, keeps the chosen index when it still exists (else the first device).
    void skButton1Click();
    /// ComboBox1 chosen by the operator.
    void ComboBox1Change();

    /// Shut-down in order: stop and join every worker, end the music, write the settings lines and save them.
    /// A worker that does not stop within the hand-over's bound is reported and left behind. When the save
    /// fails the operator is asked: retry, quit without saving (true) or stay (false: the program goes on).
    /// A settings file that was there but unreadable at start is written over only when the operator
    /// says so (No: quit leaving it alone; Cancel: stay). True when the program may end.
    bool FormClose();

signals:
    /// After "DETECT DEV" has detected again: the device selection window rebuilds its boxes.
    void devicesDetected();
    /// The operator chose another master here; carries the combo index.
    void masterChanged(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowWindow(QWidget* window);
    /// Shows the window of class W (caption `caption`), creating it when it is missing.
    template <class W>
    void ShowCreated(const QString& caption);
    void UpdateMaster();
    void PublishTargets() const;
    void WriteSettingsLines();

    WindowRegistry& m_windows;
    QString m_baseTitle;
    QStringList m_memo1;
    QStringList m_listBox1;
    QString m_currentDeviceName;
    bool m_multiDeviceMode = false;
    bool m_closed = false;
    bool m_closing = false;
    /// Why the settings file could not be read at start; empty once read, missing or replaced.
    QString m_settingsReadFailure;

    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn5 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    QPushButton* m_bitBtn4 = nullptr;
    QPushButton* m_bitBtn3 = nullptr;
    QPushButton* m_bitBtn7 = nullptr;
    TskComboBox* m_comboBox1 = nullptr;
    TskButton* m_skButton1 = nullptr;
    QPushButton* m_bitBtn6 = nullptr;
};
