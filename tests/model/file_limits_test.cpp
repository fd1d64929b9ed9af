// Every reader refuses a file larger than its kind may hold before reading it,
// naming the file and the limit; reads within the limits stay bounded.

#include "model/drawing_file.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/sequence_file.h"
#include "show_root_fixture.h"

#include <QFile>

namespace {

class FileLimitsTest : public ShowRootTest {
protected:
    // A file of `size` bytes that takes no disk.
    QString Sparse(const QString& relative, qint64 size)
    {
        const QString path = Write(relative, QByteArray());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(size)) << relative.toStdString();
        return path;
    }
};

constexpr qint64 kTerabyte = qint64{1} << 40;

void ExpectRefusal(const FileResult& result, const QString& path, qint64 limit)
{
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(path) && result.message.contains(QString::number(limit)))
        << result.message.toStdString();
}

}  // namespace

// A terabyte, or one byte past the limit, is refused by its size before it is
// read (a read would throw std::bad_alloc or take gigabytes), and what the
// caller held stays.
TEST_F(FileLimitsTest, EachKindRefusesAFileLargerThanItsLimitUnread)
{
    for (const qint64 size : {kMaxDrawingFileBytes + 1, kTerabyte}) {
        const QString path = Sparse("Drawing/big.ddr", size);
        Drawing drawing(1);
        ExpectRefusal(ReadDrawingFile(path, drawing, kFileScale), path, kMaxDrawingFileBytes);
        EXPECT_EQ(drawing.size(), 1u);
    }
    for (const qint64 size : {kMaxIldaFileBytes + 1, kTerabyte}) {
        const QString path = Sparse("ILDAimage/big.ild", size);
        TILDAimage image;
        image.Frames.resize(2);
        ExpectRefusal(ReadIldaFile(path, image), path, kMaxIldaFileBytes);
        EXPECT_EQ(image.Frames.size(), 2u);
    }
    for (const qint64 size : {kMaxShowTextBytes + 1, kTerabyte}) {
        const QString section = Sparse("Section/big.sec", size);
        std::vector<TSectionRecord> rows(3);
        const ShowTextRead read = ReadSectionFile(section, rows, folders_);
        ExpectRefusal(read, section, kMaxShowTextBytes);
        EXPECT_EQ(std::pair(read.extent, rows.size()), std::pair(ShowTextRead::Extent::Unchanged, std::size_t{3}));

        const QString sequence = Sparse("Sequence/big.seq", size);
        TSequence seq;
        seq.MusicFile = "kept.wav";
        ExpectRefusal(ReadSequenceFile(sequence, seq), sequence, kMaxShowTextBytes);
        ExpectRefusal(LoadSequenceFile(sequence, folders_, seq), sequence, kMaxShowTextBytes);
        EXPECT_EQ(seq.MusicFile, "kept.wav");
    }
}

// A section of line feeds within the size limit is refused by its rows before
// any row is made; one row with a long tail still reads.
TEST_F(FileLimitsTest, SectionRowsAreCountedBeforeTheyAreMade)
{
    const QString feeds = Write("Section/feeds.sec", QByteArray(kMaxRowsPerRead + 1, '\n'));
    std::vector<TSectionRecord> rows(2);
    const ShowTextRead refused = ReadSectionFile(feeds, rows, folders_);
    EXPECT_EQ(std::pair(refused.message, refused.extent),
              std::pair(TooManyRowsMessage(), ShowTextRead::Extent::Unchanged));
    const QString one = Write("Section/one.sec", "a.ddr|5" + QByteArray(1 << 20, ' ') + "\r\n");
    ASSERT_TRUE(ReadSectionFile(one, rows, folders_).ok);
    EXPECT_EQ(std::pair(rows.size(), rows.at(0).A), std::pair(std::size_t{1}, 5));
}
