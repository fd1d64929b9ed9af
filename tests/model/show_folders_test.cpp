#include "show_root_fixture.h"

#include <QCoreApplication>

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
