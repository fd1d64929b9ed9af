#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// 30 lines in CRLF: even lines are labels in a legacy code page (GBK "ÄãºÃ" and
// bytes that are not UTF-8), odd lines the values 100, 101, ...
QByteArray LegacyFile()
{
    QByteArray bytes;
    for (int i = 0; i < SettingsFile::kLineCount; ++i) {
        if (i % 2 == 0)
            bytes += QByteArray("\xC4\xE3\xBA\xC3 label ") + QByteArray::number(i) + "\xFF\x80";
        else
            bytes += QByteArray::number(100 + i);
        bytes += "\r\n";
    }
    return bytes;
}

QList<QByteArray> LinesOf(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()) << "every line must end with a line break";
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << "line break must be CRLF";
        line.chop(1);
    }
    return lines;
}

}  // namespace

TEST(SettingsFileLines, RoundTripKeepsLabelBytesAndWritesNewValues)
{
    const QByteArray original = LegacyFile();
    SettingsFile settings = SettingsFile::FromBytes(original);
    ASSERT_EQ(settings.lineCount(), 30);
    EXPECT_EQ(settings.value(kOffsetXSetting.line, 0), 113);

    settings.setValue(kOffsetXSetting, -40);
    settings.setValue(kIldaFrameIntervalSetting, 75);
    const QList<QByteArray> saved = LinesOf(settings.toBytes());
    const QList<QByteArray> before = LinesOf(original);
    ASSERT_EQ(saved.size(), 30);
    for (int i = 0; i < 30; i += 2)
        EXPECT_EQ(saved[i], before[i]) << "label line " << i;
    EXPECT_EQ((QList<QByteArray>{saved[13], saved[29], saved[15]}), (QList<QByteArray>{"-40", "75", "115"}));
}

TEST(SettingsFileLines, SplitsOnAnyLineBreakAndAFinalBreakAddsNoLine)
{
    EXPECT_EQ((std::vector<int>{SettingsFile::FromBytes("a\r\nb\nc\rd").lineCount(),
                                SettingsFile::FromBytes("a\r\nb\r\n").lineCount(), SettingsFile::FromBytes("").lineCount()}),
              (std::vector<int>{4, 2, 0}));

    // A lone CR before CRLF is an empty line, not part of the next line.
    const SettingsFile mixed = SettingsFile::FromBytes("a\r\r\nb\n\nc");
    ASSERT_EQ(mixed.lineCount(), 5);
    EXPECT_EQ((QList<QByteArray>{mixed.line(1), mixed.line(2), mixed.line(4)}), (QList<QByteArray>{"", "b", "c"}));

    // Saving and reading again must not grow the file.
    const SettingsFile once = SettingsFile::FromBytes(SettingsFile::FromBytes(LegacyFile()).toBytes());
    EXPECT_EQ(SettingsFile::FromBytes(once.toBytes()).lineCount(), 30);
}

TEST(SettingsFileLines, ShortFileIsPaddedLongFileKeptAndLinesStayLines)
{
    SettingsFile shortFile = SettingsFile::FromBytes("x\r\n5\r\ny\r\n");
    EXPECT_EQ(LinesOf(shortFile.toBytes()).size(), 30);
    shortFile.setValue(kIldaFrameIntervalSetting, 9);
    const QList<QByteArray> padded = LinesOf(shortFile.toBytes());
    ASSERT_EQ(padded.size(), 30);
    EXPECT_EQ(padded.mid(0, 4), QList<QByteArray>({"x", "5", "y", ""}));
    EXPECT_EQ(padded[29], "9");

    QByteArray longBytes = LegacyFile() + "extra one\r\nextra two\r\n";
    const QList<QByteArray> kept = LinesOf(SettingsFile::FromBytes(longBytes).toBytes());
    ASSERT_EQ(kept.size(), 32);
    EXPECT_EQ(kept[31], "extra two");

    // A line break stored in a line would shift every later line.
    SettingsFile settings = SettingsFile::FromBytes(LegacyFile());
    settings.setLine(4, "two\r\nlines");
    const SettingsFile reread = SettingsFile::FromBytes(settings.toBytes());
    EXPECT_EQ(reread.lineCount(), 30);
    EXPECT_EQ(reread.value(5, 0), 105);
}

TEST(SettingsFileValues, BadTextGivesTheDefaultAndOutOfRangeValuesAreClamped)
{
    const std::pair<QByteArray, int> texts[] = {{" 42 ", 42}, {"+3", 3},          {"-7", -7}, {"abc", -1},
                                                {"12abc", -1}, {"99999999999", -1}, {"", -1},
                                                {"+-4", -1},   {"-+4", -1},         {"+", -1},  {"--4", -1},
                                                {"4 2", -1},   {"+ 4", -1}};
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(SettingsFile::FromBytes("label\r\n" + text).value(1, -1), expected) << text.constData();
    EXPECT_EQ(SettingsFile().value(29, -1), -1) << "past the end";

    struct Clamp {
        SettingSlot slot;
        int stored;
        int read;
    };
    for (const Clamp& c : {Clamp{kIldaFrameIntervalSetting, 0, 2}, Clamp{kOutputChannelSetting, 0, 1},
                           Clamp{kOffsetXSetting, 2147483647, 256}, Clamp{kOffsetYSetting, -100000, -256},
                           Clamp{kSendSpeedByteSetting, 255, 100}, Clamp{kSizeXSetting, 41, 40}}) {
        SettingsFile settings;
        EXPECT_EQ(settings.value(c.slot), c.slot.fallback) << "missing line " << c.slot.line;
        settings.setValue(c.slot, c.stored);
        EXPECT_EQ(settings.value(c.slot), c.read) << "line " << c.slot.line;
    }
}

TEST(SettingsFileDisk, MissingFileGivesDefaultsAndLegacyBytesSurviveTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Vorla.ini");
    SettingsFile missing = SettingsFile::Load(path);
    EXPECT_EQ(missing.lineCount(), 0);
    EXPECT_EQ(missing.value(kSizeXSetting), 20);

    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(LegacyFile());
    }
    ASSERT_TRUE(SettingsFile::Load(path).save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), LegacyFile());
}

// A settings file larger than the limit is one that cannot be read: defaults,
// and the reason names the limit. One at the limit is read.
TEST(SettingsFileDisk, AFileLargerThanTheLimitGivesDefaultsAndSaysWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Vorla.ini");
    QByteArray bytes = "7\r\n";
    bytes += QByteArray(SettingsFile::kMaxFileBytes - bytes.size(), '\n');
    ASSERT_TRUE(SaveWholeFile(path, bytes));
    EXPECT_EQ(SettingsFile::Load(path).value(0, 1), 7);
    ASSERT_TRUE(SaveWholeFile(path, bytes + '\n'));
    const SettingsFile over = SettingsFile::Load(path);
    EXPECT_EQ(std::pair(over.lineCount(), over.value(0, 1)), std::pair(0, 1));
    EXPECT_TRUE(over.ReadFailure().contains(QString::number(SettingsFile::kMaxFileBytes))) << over.ReadFailure().toStdString();
}
