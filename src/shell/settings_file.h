#pragma once
// The settings file "Vorla.ini" beside the program: a list of text lines whose
// odd lines 1..29 hold decimal values and whose even lines are labels carried
// through untouched.
//
// The file may come from an older installation whose labels are in a legacy
// code page, so lines are kept as bytes and never pass through a QString. A
// missing, short or non-numeric file never stops start-up: every value has a
// default and a range, and a bad or missing value gives the default while an
// out-of-range one is clamped. Lines split on CRLF, LF or CR; the file is
// written with CRLF after every line, at least 30 lines, through QSaveFile so
// a failed save leaves the old file whole.
//
// A file that is there but cannot be read (no permission, a folder or a pipe
// in its place) also gives the defaults, but the store remembers why, so the
// program can tell the operator instead of writing over the file unasked.

#include "model/file_io.h"

#include <QByteArray>
#include <QString>

#include <vector>

/// One value of the settings file: its line, the default and the range of the control that shows it.
struct SettingSlot {
    int line;
    int fallback;
    int min;
    int max;
};

// Draw window values.
inline constexpr SettingSlot kBackColorSetting{1, 0, 0, 255};
inline constexpr SettingSlot kBlankColorSetting{3, 0, 0, 255};
inline constexpr SettingSlot kGridStepXSetting{5, 32, 1, 512};
inline constexpr SettingSlot kGridStepYSetting{7, 32, 1, 512};
inline constexpr SettingSlot kPointDistanceSetting{9, 20, 1, 100};
inline constexpr SettingSlot kPolygonSidesSetting{11, 5, 3, 100};
// Output settings (the output settings window).
inline constexpr SettingSlot kOffsetXSetting{13, 0, -256, 256};
inline constexpr SettingSlot kOffsetYSetting{15, 0, -256, 256};
inline constexpr SettingSlot kOutputAngleSetting{17, 0, 0, 360};
/// The stored byte is 100 minus the send-speed slider (slider default 85).
inline constexpr SettingSlot kSendSpeedByteSetting{19, 15, 0, 100};
inline constexpr SettingSlot kSizeXSetting{21, 20, 0, 40};
inline constexpr SettingSlot kSizeYSetting{23, 20, 0, 40};
inline constexpr SettingSlot kPortSelectionSetting{25, 0, 0, 3};
inline constexpr SettingSlot kOutputChannelSetting{27, 1, 1, 2};
inline constexpr SettingSlot kIldaFrameIntervalSetting{29, 2, 2, 200};

class SettingsFile {
public:
    /// Lines a saved file has at least; the values sit on odd lines 1..29.
    static constexpr int kLineCount = 30;
    /// The file's name inside the program folder.
    static constexpr const char* kFileName = "Vorla.ini";
    /// The largest settings file read; a larger one is a file that cannot be read.
    static constexpr qint64 kMaxFileBytes = qint64{1} << 20;

    /// No lines: every value reads as its default.
    SettingsFile() = default;

    /// Splits raw file bytes into lines (CRLF, LF or CR); a final line break adds no line.
    static SettingsFile FromBytes(const QByteArray& bytes);
    /// Reads the file; a missing or unreadable file gives an empty store. For an
    /// unreadable one (also one larger than kMaxFileBytes), ReadFailure() says
    /// why. Never blocks: only a regular file is opened.
    static SettingsFile Load(const QString& path);

    /// Why the file was there but could not be read when loaded; empty when it was read or missing.
    const QString& ReadFailure() const { return readFailure_; }

    /// The decimal value on line `index` (surrounding blanks allowed); `fallback` when missing or not an integer.
    int value(int index, int fallback) const;
    /// As value(index, fallback), then clamped to min..max.
    int value(int index, int fallback, int min, int max) const;
    /// The slot's value: its default when missing or bad, clamped to its range.
    int value(const SettingSlot& slot) const;

    /// Stores `number` as decimal text on line `index`, padding with empty lines as needed.
    void setValue(int index, int number);
    /// Stores a slot's value.
    void setValue(const SettingSlot& slot, int number) { setValue(slot.line, number); }

    /// The raw bytes of line `index` (without line break); empty when the file is shorter.
    QByteArray line(int index) const;
    /// Replaces line `index` by raw bytes, padding with empty lines as needed.
    void setLine(int index, const QByteArray& bytes);
    /// Number of lines held (may be below kLineCount until saved).
    int lineCount() const { return static_cast<int>(lines_.size()); }

    /// The file's bytes: every line followed by CRLF, padded to at least kLineCount lines.
    QByteArray toBytes() const;
    /// Writes toBytes() through a temporary file and a rename, every write and the flush
    /// checked; a failure leaves the old file whole and carries the system's reason.
    FileResult save(const QString& path) const;

private:
    std::vector<QByteArray> lines_;
    QString readFailure_;
};
