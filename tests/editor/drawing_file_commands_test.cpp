#include "editor/draw_document.h"
#include "editor/drawing_file_commands.h"
#include "editor/frame_pages.h"
#include "shell/dialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void AddPath(DrawDocument& doc, std::initializer_list<std::pair<int, int>> points)
{
    Path path;
    bool first = true;
    for (auto [x, y] : points) {
        auto p = std::make_unique<LaserPoint>();
        p->x = x;
        p->y = y;
        p->z = first ? 2 : 0;
        p->colour = 5;
        p->blank = first ? 1 : 0;
        first = false;
        path.push_back(std::move(p));
    }
    doc.Drawing.push_back(std::move(path));
}

class DrawingFilesTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    DrawingFiles files_;
    DrawDocument doc_;
};

TEST_F(DrawingFilesTest, SaveAsksOnceThenWritesWithoutADialogAndEmptiesTheHistory)
{
    AddPath(doc_, {{511, 3}, {100, 200}});
    doc_.PushUndo();
    EXPECT_EQ(DrawingFiles::FileNameLabel(doc_), QStringLiteral("newdrawing"));

    EXPECT_EQ(std::pair(files_.Save(doc_, dialogs_, nullptr, dir_.path()), doc_.SnapshotCount()), std::pair(FileCommand::Cancelled, 2));

    dialogs_.fileNames = {Path("star")};
    ASSERT_EQ(files_.Save(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Done);
    EXPECT_EQ(std::tuple(DrawingFiles::FileNameLabel(doc_), doc_.SnapshotCount(), doc_.UndoIndex), std::tuple(QString("star.ddr"), 1, 0));

    doc_.PushUndo();
    dialogs_.asked.clear();
    ASSERT_EQ(files_.Save(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Done);
    EXPECT_TRUE(dialogs_.asked.isEmpty() && doc_.SnapshotCount() == 1);  // no dialog for a drawing that has a file

    // Open reads it back at the editor's scale: 511 is written as 255, read as 510.
    DrawDocument other;
    other.PushUndo();
    DrawingFiles otherFiles;
    dialogs_.fileNames = {Path("star.ddr")};
    ASSERT_EQ(otherFiles.Open(other, dialogs_, nullptr, dir_.path()), FileCommand::Done);
    EXPECT_EQ(std::pair(DrawingFiles::FileNameLabel(other), other.SnapshotCount()), std::pair(QString("star.ddr"), 1));
    ASSERT_EQ(other.Drawing.size(), 1u);
    const auto& p = other.Drawing[0];
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(std::tie(p[0]->x, p[0]->y, p[0]->colour, p[0]->blank, p[1]->x, p[1]->y),
              std::make_tuple(510, 2, std::uint8_t(5), std::uint8_t(1), 100, 200));
}

TEST_F(DrawingFilesTest, AFailedSaveKeepsHistoryAndNameAndAMissingFileIsIgnored)
{
    AddPath(doc_, {{10, 10}});
    doc_.PushUndo();
    dialogs_.fileNames = {Path("no/such/folder.ddr")};
    EXPECT_EQ(files_.SaveAs(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Failed);
    EXPECT_EQ(std::pair(doc_.SnapshotCount(), DrawingFiles::FileNameLabel(doc_)), std::pair(2, QString("newdrawing")));
    ASSERT_EQ(dialogs_.asked.size(), 2);

    // A missing file is ignored without a message.
    dialogs_.asked.clear();
    dialogs_.fileNames = {Path("gone.ddr")};
    EXPECT_EQ(files_.Open(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Cancelled);
    EXPECT_EQ(dialogs_.asked.size(), 1);
}

TEST_F(DrawingFilesTest, SaveOfANewDrawingMakesTheMissingDrawingFolderFirst)
{
    AddPath(doc_, {{10, 10}});
    const QString folder = Path("Drawing");
    ASSERT_FALSE(QFileInfo::exists(folder));
    dialogs_.fileNames = {folder + "/first"};  // named in the folder the dialog opened
    ASSERT_EQ(files_.Save(doc_, dialogs_, nullptr, folder), FileCommand::Done);
    EXPECT_TRUE(QFileInfo(folder).isDir() && QFileInfo(folder + "/first.ddr").isFile());
}

// A drawing's name becomes a field of section and sequence lines, an image's of sequence lines:
// the name rule every window applies to a new file refuses it before anything is written.
TEST_F(DrawingFilesTest, SaveRefusesANameNoSectionOrSequenceCanHold)
{
    AddPath(doc_, {{10, 10}});
    for (const char* name : {"d|e.ddr", "d|e", "a\tb.ddr"}) {
        dialogs_.asked.clear();
        dialogs_.fileNames = {Path(QString::fromUtf8(name))};
        EXPECT_EQ(files_.SaveAs(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Cancelled) << name;
        ASSERT_EQ(dialogs_.asked.size(), 2) << name;
        EXPECT_TRUE(dialogs_.asked[1].startsWith("Save_D: The name")) << dialogs_.asked[1].toStdString();
    }
    EXPECT_EQ(DrawingFiles::FileNameLabel(doc_), QString("newdrawing"));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());

    FramePages pages;
    pages.New();
    dialogs_.asked.clear();
    dialogs_.fileNames = {Path("i|j.ild")};
    EXPECT_EQ(SaveIldaImage(pages, dialogs_, nullptr, dir_.path(), true), FileCommand::Cancelled);
    ASSERT_EQ(dialogs_.asked.size(), 2);
    EXPECT_TRUE(dialogs_.asked[1].contains("may not contain \"|\"")) << dialogs_.asked[1].toStdString();
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files).isEmpty());

    // A name the rule accepts is written as before.
    dialogs_.fileNames = {Path("d-e.ddr")};
    EXPECT_EQ(files_.SaveAs(doc_, dialogs_, nullptr, dir_.path()), FileCommand::Done);
}

TEST_F(DrawingFilesTest, CopyBufferPastesSelectedCopiesAgainAndAgain)
{
    EXPECT_FALSE(SaveToBuffer(doc_));  // an empty drawing leaves the buffer alone
    AddPath(doc_, {{1, 2}, {3, 4}});
    AddPath(doc_, {{5, 6}});
    doc_.Drawing[0][1]->mark = kMarkErased;  // not yet purged: must not come back
    ASSERT_TRUE(SaveToBuffer(doc_));
    doc_.Drawing.clear();
    EXPECT_FALSE(SaveToBuffer(doc_));
    ASSERT_EQ(doc_.SaveBuffer.size(), 2u);

    ReadFromBuffer(doc_);
    ReadFromBuffer(doc_);
    ASSERT_EQ(doc_.Drawing.size(), 4u);
    EXPECT_EQ(doc_.Drawing[0].size(), 1u);
    // Only the second paste is selected; the first paste's points were deselected.
    EXPECT_EQ(std::tuple(doc_.Drawing[0][0]->mark, doc_.Drawing[2][0]->mark, doc_.SaveBuffer[0][0]->mark),
              std::tuple(kMarkNone, kMarkSelected, kMarkNone));
    EXPECT_EQ(doc_.Selection, (std::vector<LaserPoint*>{doc_.Drawing[2][0].get(), doc_.Drawing[3][0].get()}));
    EXPECT_EQ(doc_.SnapshotCount(), 1);  // the first state only

    DrawDocument empty;
    AddPath(empty, {{9, 9}});
    empty.Drawing[0][0]->mark = kMarkSelected;
    empty.Selection.push_back(empty.Drawing[0][0].get());
    ReadFromBuffer(empty);  // empty buffer: only deselects
    EXPECT_TRUE(empty.Selection.empty() && empty.Drawing.size() == 1u);
}

}  // namespace
