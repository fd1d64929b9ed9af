#include "show_root_fixture.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>

using ShowFoldersTest = ShowRootTest;

TEST_F(ShowFoldersTest, StoredNamesResolveExactlyThenIgnoringCaseInsideTheirFolder)
{
    EXPECT_EQ(ShowFolders("/shows/zarn/").PathFor(ShowFolder::Section, "sub\\a.sec"), "/shows/zarn/Section/sub/a.sec");
    EXPECT_EQ(ShowFolders("/").FolderPath(ShowFolder::IldaImage), "/ILDAimage");
    EXPECT_EQ(ShowFolders().Root(), QCoreApplication::applicationDirPath());
    WriteDrawing("Drawing/Star.ddr", 1);
    WriteDrawing("Drawing/star.ddr", 1);
    WriteDrawing("Drawing/Sub Folder/Ring.ddr", 1);
    WriteDrawing("Section/b.sec", 1);
    MakeFolder("Drawing/folder.ddr");
    const auto find = [&](const QString& name) { return folders_.FindFile(ShowFolder::Drawing, name); };

    EXPECT_EQ(find("star.ddr"), root_.filePath("Drawing/star.ddr"));
    EXPECT_EQ(find("Star.ddr"), root_.filePath("Drawing/Star.ddr"));
    EXPECT_TRUE(find("STAR.DDR").has_value());
    EXPECT_EQ(find("\\sub folder\\\\RING.ddr"), root_.filePath("Drawing/Sub Folder/Ring.ddr"));
    for (const char* missing : {"", "\\", "b.sec", "folder.ddr", "FOLDER.DDR", "..\\Section\\b.sec", "../Section/b.sec"})
        EXPECT_FALSE(find(missing).has_value()) << missing;
    EXPECT_FALSE(folders_.FindFile(ShowFolder::Sequence, "b.sec").has_value());
    EXPECT_FALSE(IsRegularFile(root_.filePath("Drawing")));
}

namespace {
std::atomic<int> g_messages{0};
void CountMessage(QtMsgType, const QMessageLogContext&, const QString&) { ++g_messages; }
}  // namespace

// A stored name with a control character is refused before the disk is
// asked, even when a file of exactly that name exists; the platform logs
// nothing about it.
TEST_F(ShowFoldersTest, NamesWithControlCharactersAreRefusedUnlooked)
{
    WriteDrawing("Drawing/line\nbreak.ddr", 1);
    WriteDrawing("Drawing/a.ddr", 1);
    g_messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler(CountMessage);
    for (const QString& name : {QString("line\nbreak.ddr"), QString("a.ddr") + QChar(0), QString("a") + QChar(0) + ".ddr",
                                QString("A.DDR") + QChar(0x7f), QString("\ta.ddr")}) {
        EXPECT_FALSE(folders_.FindFile(ShowFolder::Drawing, name).has_value()) << name.toStdString();
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_messages, 0);
    EXPECT_TRUE(folders_.FindFile(ShowFolder::Drawing, "A.ddr").has_value());
}

TEST_F(ShowFoldersTest, OneLookupListsEachFolderOnce)
{
    WriteDrawing("Drawing/Sub/One.ddr", 1);
    WriteDrawing("Drawing/Sub/Two.ddr", 1);
    WriteDrawing("Section/Three.sec", 1);
    NameLookup lookup(folders_);
    EXPECT_TRUE(lookup.FindFile(ShowFolder::Drawing, "Sub\\One.ddr").has_value());  // exact: no listing
    EXPECT_EQ(lookup.ListingCount(), 0);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(lookup.FindFile(ShowFolder::Drawing, "sub\\one.DDR"), root_.filePath("Drawing/Sub/One.ddr"));
        EXPECT_EQ(lookup.FindFile(ShowFolder::Drawing, "SUB\\TWO.ddr"), root_.filePath("Drawing/Sub/Two.ddr"));
        EXPECT_FALSE(lookup.FindFile(ShowFolder::Drawing, "sub\\three.ddr").has_value());
    }
    EXPECT_EQ(lookup.ListingCount(), 2);  // Drawing and Drawing/Sub
    EXPECT_TRUE(lookup.FindFile(ShowFolder::Section, "three.SEC").has_value());
    EXPECT_EQ(lookup.ListingCount(), 3);
}

// A name that misses its exact case among many case variants looks at each
// variant on disk once per lookup, not once per name looked up.
TEST_F(ShowFoldersTest, CaseVariantsAreLookedAtOncePerLookup)
{
    // 32 spellings of "ab.ddr": 31 links to a folder and the file last in the
    // listing's order. A listing tells a link from a file only on disk.
    MakeFolder("Drawing/target");
    const QString name = "ab.ddr";
    int variants = 0;
    for (int mask = 0; mask < 32; ++mask) {
        QString spelling = name;
        for (int bit = 0, at = 0; at < spelling.size(); ++at) {
            if (!spelling[at].isLetter())
                continue;
            if (mask & (1 << bit++))
                spelling[at] = spelling[at].toUpper();
        }
        if (spelling == name)
            WriteDrawing("Drawing/" + spelling, 1);
        else
            ASSERT_TRUE(QFile::link(root_.filePath("Drawing/target"), root_.filePath("Drawing/" + spelling)));
        ++variants;
    }
    ASSERT_EQ(variants, 32);
    NameLookup lookup(folders_);
    for (int row = 0; row < 50; ++row)
        EXPECT_EQ(lookup.FindFile(ShowFolder::Drawing, "AB.ddr"), root_.filePath("Drawing/ab.ddr"));
    EXPECT_GT(lookup.EntryLookCount(), 0);
    EXPECT_LE(lookup.EntryLookCount(), variants);
}
