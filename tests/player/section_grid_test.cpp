#include "model/section_file.h"
#include "player/section_grid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QStringList Cells(const QString& name, int a)
{
    QStringList c = DefaultSectionRow();
    c[0] = name;
    c[1] = QString::number(a);
    return c;
}

std::vector<QString> Names(const SectionGrid& g)
{
    std::vector<QString> n;
    for (int r = 1; r <= g.RowCount(); ++r)
        n.push_back(g.Cell(0, r));
    return n;
}

}  // namespace

TEST(SectionGrid, AddFillsThePlaceholderThenAppends)
{
    SectionGrid g;
    ASSERT_EQ(g.RowCount(), 1);
    g.Add(Cells("a.ddr", 5));
    EXPECT_EQ(g.RowCount(), 1);
    g.Add(Cells("b.ddr", 6));
    EXPECT_EQ(Names(g), (std::vector<QString>{"a.ddr", "b.ddr"}));

    // Insert on the placeholder fills it too.
    SectionGrid h;
    h.ResetToPlaceholder();
    EXPECT_EQ(h.Cell(1, 1), "0");
    EXPECT_EQ(h.Cell(11, 1), "0");
    EXPECT_FALSE(h.Insert(1, Cells("c.ddr", 1)).has_value());
    EXPECT_EQ(Names(h), (std::vector<QString>{"c.ddr"}));
}

TEST(SectionGrid, InsertAndRemoveShiftAndNormaliseOrChangeNothing)
{
    SectionGrid g;
    g.Add(Cells("a", 1));
    g.Add(Cells("b", 2));
    g.Add(Cells("c", 3));
    g.SetCell(2, 2, "007");
    g.SetCell(3, 3, "");
    EXPECT_FALSE(g.Insert(2, Cells("x", 9)).has_value());
    EXPECT_EQ(Names(g), (std::vector<QString>{"a", "x", "b", "c"}));
    EXPECT_EQ(g.Cell(2, 3), "7");  // shifted rows made canonical
    EXPECT_EQ(g.Cell(3, 4), "0");  // an empty cell becomes 0

    EXPECT_FALSE(g.Remove(2).has_value());
    EXPECT_EQ(Names(g), (std::vector<QString>{"a", "b", "c"}));
    EXPECT_FALSE(g.Remove(3).has_value());  // the last row: the grid only shrinks
    EXPECT_EQ(Names(g), (std::vector<QString>{"a", "b"}));

    // A bad cell anywhere: nothing moves, the message names the row.
    g.SetCell(5, 2, "1x");
    const auto before = Names(g);
    const auto error = g.Insert(1, Cells("y", 1));
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains("row 2")) << error->toStdString();
    EXPECT_TRUE(error->contains("'1x' is not a valid integer value")) << error->toStdString();
    EXPECT_EQ(Names(g), before);
    EXPECT_TRUE(g.Remove(1).has_value());
    EXPECT_EQ(Names(g), before);
    g.SetCell(5, 2, "a|b");
    EXPECT_TRUE(g.Check().has_value());

    // The only row is emptied, not removed.
    SectionGrid one;
    EXPECT_FALSE(one.Remove(1).has_value());
    EXPECT_EQ(one.RowCount(), 1);
    EXPECT_EQ(one.Row(1), QStringList(19, QString()));

    SectionGrid m;
    m.Add(Cells("a", 1));
    m.Add(Cells("b", 1));
    m.Add(Cells("c", 1));
    EXPECT_EQ((std::vector<bool>{m.MoveUp(1), m.MoveDown(3), m.MoveDown(0), m.MoveUp(3), m.MoveDown(1)}),
              (std::vector<bool>{false, false, false, true, true}));
    EXPECT_EQ(Names(m), (std::vector<QString>{"c", "a", "b"}));
    m.MoveRow(3, 1);
    EXPECT_EQ(Names(m), (std::vector<QString>{"b", "c", "a"}));
}

TEST(SectionGrid, NewRowsFromTheLiveControls)
{
    EffectParameters p;
    p.C = 12;
    p.O = 1;
    p.Q = -256;
    QString error;
    auto cells = NewRowCells("d.ddr", " ", p, 85, &error);
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->join('|'), "d.ddr|0|50|12|0|0|0|0|0|0|0|257|20|0|30|1|85|-256|0");
    EXPECT_EQ(NewRowCells("d.ddr", "0", p, 85, &error)->at(1), "0");
    EXPECT_EQ(NewRowCells("d.ddr", "300", p, 85, &error)->at(1), "300");
    EXPECT_FALSE(NewRowCells("d.ddr", "3o0", p, 85, &error));
    EXPECT_EQ(error, "'3o0' is not a valid integer value");
    EXPECT_FALSE(NewRowCells("a|b.ddr", "1", p, 85, &error));
}

TEST(SectionGrid, DefaultLineWithCrLfAndRoundTripThroughTheReader)
{
    SectionGrid g;
    EXPECT_EQ(g.FileText(), QByteArray("|50|0|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0\r\n"));

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Section"));
    g.Add(Cells("star.ddr", 7));  // fills the default row
    QStringList third = Cells("ring.ddr", -3);
    third[11] = "260";
    third[17] = "-99";
    g.Add(third);
    const QString path = dir.filePath("Section/show.sec");
    ASSERT_TRUE(WriteSectionFile(path, g));
    std::vector<TSectionRecord> rows;
    ASSERT_TRUE(ReadSectionFile(path, rows, ShowFolders(dir.path())));
    ASSERT_EQ(rows.size(), 2u);
    for (int r = 1; r <= 2; ++r)
        EXPECT_EQ(RowCells(rows[std::size_t(r - 1)]), g.Row(r)) << r;

    // A grid that could not be read back is not written, and the old file stays.
    g.SetCell(0, 1, "a|b");
    const FileResult bad = WriteSectionFile(path, g);
    EXPECT_FALSE(bad);
    EXPECT_TRUE(bad.message.contains("row 1"));
    ASSERT_TRUE(ReadSectionFile(path, rows, ShowFolders(dir.path())));
    EXPECT_EQ(rows.size(), 2u);
}

TEST(SectionGrid, FileNameRules)
{
    EXPECT_EQ((QStringList{SectionFileName("show1"), SectionFileName("show1.SEC"), WithExtension("drawing1.DDR", ".ddr"),
                           WithExtension("abc", ".ddr"), WithExtension("abc.sec", ".ddr")}),
              (QStringList{"show1.sec", "show1.SEC", "drawing1.DDR", "abc.ddr", "abc.sec.ddr"}));
}
