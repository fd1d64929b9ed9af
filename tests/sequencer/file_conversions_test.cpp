#include "common/test_files.h"
#include "common/test_points.h"
#include "common/window_clicks.h"
#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "sequencer/file_conversions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTemporaryDir>

#include <deque>
#include <tuple>

namespace {

class FakePrompter : public ConversionPrompter {
public:
    std::deque<bool> answers;
    QStringList questions;
    QStringList messages;
    bool ConfirmReplace(const QString& question) override
    {
        questions << question;
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void ShowMessage(const QString& text) override { messages << text; }
};

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        for (const char* sub : {"Drawing", "Section", "ILDAimage"})
            ASSERT_TRUE(QDir(root_.path()).mkpath(QLatin1String(sub)));
        folders_ = {At("Drawing"), At("Section"), At("ILDAimage")};
    }
    QString At(const QString& relative) const { return root_.filePath(relative); }
    QByteArray Bytes(const QString& relative) const
    {
        QFile file(At(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void Write(const QString& relative, const QByteArray& bytes) { WriteTestFile(At(relative), bytes); }
    /// A drawing of the given points, each path's first point blanked.
    void WriteDrawing(const QString& name, std::initializer_list<QPoint> points, int colour = 4)
    {
        Drawing drawing(1);
        for (QPoint p : points)
            drawing[0].push_back(TestPoint(p.x(), p.y(), colour, drawing[0].empty() ? 1 : 0));
        ASSERT_TRUE(WriteDrawingFile(At("Drawing/" + name), drawing, kFileScale));
    }

    QTemporaryDir root_;
    ConversionFolders folders_;
    FakePrompter prompter_;
};

TEST(ConversionNames, ExtensionPrefixAndFrameNumberRules)
{
    EXPECT_EQ((QStringList{TargetFileName("  NewSection ", ".sec"), TargetFileName("Show.SEC", ".sec"),
                           TargetFileName("Show.txt", ".sec"), TargetFileName("Image.ILD", ".ild"),
                           TargetFileName(" \t ", ".ild")}),
              (QStringList{"NewSection.sec", "Show.SEC", "Show.txt.sec", "Image.ILD", ""}));
    EXPECT_EQ((QStringList{FrameDrawingPrefix("NewSection.sec"), FrameDrawingPrefix("Show.SEC"),
                           FrameDrawingPrefix("Show.txt.sec")}),
              (QStringList{"NewSection_sec_", "Show_sec_", "Show.txt_sec_"}));
    EXPECT_EQ((QStringList{FrameNumberText(1), FrameNumberText(42), FrameNumberText(99999), FrameNumberText(123456)}),
              (QStringList{"00001", "00042", "99999", "123456"}));
    EXPECT_FALSE(PlayTimeProblem(" 50 "));
    EXPECT_FALSE(PlayTimeProblem("-3"));
    for (const char* bad : {"", " ", "abc", "1|2", "5x", "1.5", "99999999999"})
        EXPECT_TRUE(PlayTimeProblem(QString::fromLatin1(bad))) << bad;
}

TEST(ConversionNames, SectionRowsAreExactBytes)
{
    EXPECT_EQ(ListSectionText({"Dog.ddr", "Dog.ddr"}, "50"),
              QByteArray("Dog.ddr|50|0|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n"
                         "Dog.ddr|50|0|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n"));
    EXPECT_EQ(FrameSectionText({"NewSection_sec_00001.ddr", "Show_sec_00007.ddr"}, "2"),
              QByteArray("NewSection_sec_00001.ddr|2|100|0|0|0|0|0|0|0|0|257|20|0|30|0|100|0|0\r\n"
                         "Show_sec_00007.ddr|2|100|0|0|0|0|0|0|0|0|257|20|0|30|0|100|0|0\r\n"));
    EXPECT_TRUE(ListSectionText({}, "50").isEmpty());
    EXPECT_TRUE(FrameSectionText({}, "2").isEmpty());
}

TEST_F(ConversionTest, ListToSectionWritesRowsAndAsksBeforeReplacingEvenForAnEmptyList)
{
    auto r = WriteListAsSection(folders_, {"Dog.ddr", "Cat.ddr"}, " Show ", "50", prompter_);
    EXPECT_EQ(r.status, ConversionStatus::Written);
    EXPECT_EQ(r.fileName, "Show.sec");
    EXPECT_EQ(Bytes("Section/Show.sec"), ListSectionText({"Dog.ddr", "Cat.ddr"}, "50"));
    EXPECT_TRUE(prompter_.questions.isEmpty());

    prompter_.answers = {true};
    r = WriteListAsSection(folders_, {}, "Show", "50", prompter_);
    EXPECT_EQ(r.status, ConversionStatus::Written);
    EXPECT_EQ(prompter_.questions, QStringList{"This section have already exists,replace it?"});
    EXPECT_EQ(Bytes("Section/Show.sec"), QByteArray());
    // The section reader takes the rows back.
    WriteListAsSection(folders_, {"Dog.ddr"}, "Other", " 7 ", prompter_);
    std::vector<TSectionRecord> rows;
    ASSERT_TRUE(ReadSectionFile(At("Section/Other.sec"), rows, ShowFolders(root_.path())));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::tuple(rows[0].A, rows[0].K, rows[0].P), std::tuple(7, 257, 85));
}

TEST_F(ConversionTest, DeclinedBlankUnsafeOrBadPlayTimeLeaveEveryFileAsItWas)
{
    WriteDrawing("a.ddr", {{10, 10}, {20, 20}});
    Write("Section/Show.sec", "old section\r\n");
    Write("ILDAimage/Img.ild", "old image");
    Write("ILDAimage/Src.ild", QByteArray());
    TILDAimage src;
    src.Frames.resize(2);
    src.Frames[0].Points.push_back(TestPoint(1, 2, 3, 0));
    ASSERT_TRUE(WriteIldaFile(At("ILDAimage/Src.ild"), src));
    const FolderBytes before = ReadFolderBytes(root_.path());

    // Declined replace questions, with the three texts.
    prompter_.answers = {false, false, false, false};
    EXPECT_EQ(WriteListAsSection(folders_, {"a.ddr"}, "Show", "50", prompter_).status, ConversionStatus::Declined);
    EXPECT_EQ(ConvertListToIlda(folders_, {"a.ddr"}, "Img", prompter_).status, ConversionStatus::Declined);
    Write("Section/Rows.sec", "a.ddr|3\r\n");
    EXPECT_EQ(ConvertSectionToIlda(folders_, root_.path(), At("Section/Rows.sec"), "Img.ILD", prompter_).status,
              ConversionStatus::Declined);
    QFile::remove(At("Section/Rows.sec"));
    EXPECT_EQ(WriteIldFramesAsSection(folders_, At("ILDAimage/Src.ild"), "Show.SEC", "2", prompter_).status,
              ConversionStatus::Declined);
    EXPECT_EQ(prompter_.questions,
              QStringList({"This section have already exists,replace it?",
                           "This ILDAimage have already exists,replace it?",
                           "This ILDAimage have already exists,replace?",
                           "This section have already exists,replace it?"}));
    EXPECT_TRUE(prompter_.messages.isEmpty());

    // Blank names: nothing, silently.
    EXPECT_EQ(WriteListAsSection(folders_, {"a.ddr"}, "  ", "50", prompter_).status, ConversionStatus::Skipped);
    EXPECT_EQ(WriteIldFramesAsSection(folders_, At("ILDAimage/Src.ild"), "", "2", prompter_).status,
              ConversionStatus::Skipped);
    EXPECT_TRUE(prompter_.messages.isEmpty());

    // Unusable names and play times: a message each, no question.
    prompter_.questions.clear();
    for (const char* name : {"../Show", "a/b", "a\\b", "x|y", "line\nbreak"}) {
        EXPECT_EQ(WriteListAsSection(folders_, {"a.ddr"}, QString::fromLatin1(name), "50", prompter_).status,
                  ConversionStatus::Refused) << name;
        EXPECT_EQ(ConvertListToIlda(folders_, {"a.ddr"}, QString::fromLatin1(name), prompter_).status,
                  ConversionStatus::Refused) << name;
    }
    EXPECT_EQ(WriteListAsSection(folders_, {"a.ddr"}, "New", "abc", prompter_).status, ConversionStatus::Refused);
    EXPECT_EQ(WriteIldFramesAsSection(folders_, At("ILDAimage/Src.ild"), "New", "1|2", prompter_).status,
              ConversionStatus::Refused);
    EXPECT_EQ(prompter_.messages.size(), 12);
    EXPECT_TRUE(prompter_.questions.isEmpty());

    EXPECT_EQ(ChangedFiles(before, root_.path()), "");
}

TEST_F(ConversionTest, IldaToSectionThenBackKeepsEveryPointAndTheFrameCount)
{
    TILDAimage image;
    image.Frames.resize(3);
    auto& f1 = image.Frames[0].Points;
    f1.push_back(TestPoint(-128, 127, 1, 1));
    f1.push_back(TestPoint(127, -128, 4, 0));
    f1.push_back(TestPoint(0, 0, 200, 1));
    f1.push_back(TestPoint(-5, 9, 2, 0));
    // Frame 2 stays empty; frame 3 follows it.
    image.Frames[2].Points.push_back(TestPoint(33, -44, 6, 1));
    image.Frames[2].Points.push_back(TestPoint(-100, 100, 7, 0));
    ASSERT_TRUE(WriteIldaFile(At("ILDAimage/Src.ild"), image));
    TILDAimage source;
    ASSERT_TRUE(ReadIldaFile(At("ILDAimage/Src.ild"), source));

    auto r = WriteIldFramesAsSection(folders_, At("ILDAimage/Src.ild"), "Show", "2", prompter_);
    ASSERT_EQ(r.status, ConversionStatus::Written) << prompter_.messages.join("; ").toStdString();
    EXPECT_EQ(r.fileName, "Show.sec");
    EXPECT_EQ(Bytes("Section/Show.sec"),
              FrameSectionText({"Show_sec_00001.ddr", "Show_sec_00002.ddr", "Show_sec_00003.ddr"}, "2"));
    for (const char* name : {"Show_sec_00001.ddr", "Show_sec_00002.ddr", "Show_sec_00003.ddr"})
        EXPECT_TRUE(QFile::exists(At("Drawing/") + QLatin1String(name))) << name;

    std::vector<TSectionRecord> rows;
    ASSERT_TRUE(ReadSectionFile(At("Section/Show.sec"), rows, ShowFolders(root_.path())));
    ASSERT_EQ(rows.size(), 3u);

    r = ConvertSectionToIlda(folders_, root_.path(), At("Section/Show.sec"), "Back", prompter_);
    ASSERT_EQ(r.status, ConversionStatus::Written);
    TILDAimage back;
    ASSERT_TRUE(ReadIldaFile(At("ILDAimage/Back.ild"), back));
    ASSERT_EQ(back.Frames.size(), source.Frames.size());
    for (std::size_t f = 0; f < source.Frames.size(); ++f) {
        const Path& want = source.Frames[f].Points;
        const Path& got = back.Frames[f].Points;
        ASSERT_EQ(got.size(), want.size()) << "frame " << f;
        for (std::size_t i = 0; i < want.size(); ++i)
            EXPECT_EQ(std::tuple(got[i]->x, got[i]->y, got[i]->colour, got[i]->blank, got[i]->z),
                      std::tuple(want[i]->x, want[i]->y, want[i]->colour, want[i]->blank, 0)) << f << ":" << i;
    }
}

TEST_F(ConversionTest, ListToIldaSkipsMissingDrawingsAndKeepsEmptyOnes)
{
    WriteDrawing("a.ddr", {{0, 0}, {255, 255}}, 5);
    Write("Drawing/empty.ddr", QByteArray());
    auto r = ConvertListToIlda(folders_, {"a.ddr", "missing.ddr", "empty.ddr", "a.ddr"}, "List", prompter_);
    ASSERT_EQ(r.status, ConversionStatus::Written);
    TILDAimage image;
    ASSERT_TRUE(ReadIldaFile(At("ILDAimage/List.ild"), image));
    ASSERT_EQ(image.Frames.size(), 3u);
    ASSERT_EQ(image.Frames[2].Points.size(), 2u);
    const LaserPoint &first = *image.Frames[2].Points[0], &second = *image.Frames[2].Points[1];
    EXPECT_EQ(std::tuple(first.x, first.y, second.x, second.y, int(second.colour)), std::tuple(-128, 127, 127, -128, 5));
    // An empty list does nothing at all, not even the name steps.
    EXPECT_EQ(ConvertListToIlda(folders_, {}, "List", prompter_).status, ConversionStatus::Skipped);
    EXPECT_TRUE(prompter_.questions.isEmpty());
}

TEST_F(ConversionTest, MissingSourcesAndFailedWritesReportAndWriteNoSection)
{
    EXPECT_EQ(ConvertSectionToIlda(folders_, root_.path(), At("Section/Gone.sec"), "X", prompter_).status,
              ConversionStatus::SourceMissing);
    EXPECT_EQ(WriteIldFramesAsSection(folders_, At("ILDAimage"), "X", "2", prompter_).status,
              ConversionStatus::SourceMissing);  // a folder is not a file

    TILDAimage image;
    image.Frames.resize(2);
    ASSERT_TRUE(WriteIldaFile(At("ILDAimage/Two.ild"), image));
    ConversionFolders broken = folders_;
    broken.drawing = At("NoSuchFolder");
    auto r = WriteIldFramesAsSection(broken, At("ILDAimage/Two.ild"), "Two", "2", prompter_);
    EXPECT_EQ(r.status, ConversionStatus::Failed);
    EXPECT_EQ(prompter_.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(At("Section/Two.sec")));

    // A section with a bad field: the reader's message, no image.
    Write("Section/Bad.sec", "a.ddr|x\r\n");
    r = ConvertSectionToIlda(folders_, root_.path(), At("Section/Bad.sec"), "Bad", prompter_);
    EXPECT_EQ(r.status, ConversionStatus::Failed);
    EXPECT_EQ(prompter_.messages.size(), 2);
    EXPECT_FALSE(QFile::exists(At("ILDAimage/Bad.ild")));
}

}  // namespace
