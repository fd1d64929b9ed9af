#include "model/ilda_file.h"
#include "model/sequence_file.h"
#include "show_root_fixture.h"
#include "unreadable_paths.h"

namespace {

QStringList Items(const std::vector<TSequenceRecord>& track)
{
    QStringList items;
    for (const TSequenceRecord& item : track)
        items << item.FileName + "=" + QString::number(item.PlayTime);
    return items;
}

// "music / track 1 / track 2 / track 3", items as name=ticks.
QString Outline(const TSequence& s)
{
    return QStringList{s.MusicFile, Items(s.Track1).join(','), Items(s.Track2).join(','), Items(s.Track3).join(',')}
        .join(" / ");
}

class SequenceFileTest : public ShowRootTest {
protected:
    FileResult Read(const QByteArray& text) { return ReadSequenceFile(Write("Sequence/t.seq", text), seq_); }
    TSequence seq_;
};

}  // namespace

TEST_F(SequenceFileTest, PartsComeFromTheirTagsWhateverTheirOrder)
{
    const std::vector<std::pair<QByteArray, QString>> cases = {
        // Tags match with case; blank lines stay empty items so grid rows keep their count.
        {"[Music]\r\nsong.mp3\r\n[Track1]\r\na.ddr|300\r\nb.sec|\r\n[track2]\r\n[Track2]\r\n"
         "[Track3]\r\nc.ild|  \r\nplain\r\n\r\nd.ddr|-5\r\n",
         "song.mp3 / a.ddr=300,b.sec=0,[track2]=0 /  / c.ild=0,plain=0,=0,d.ddr=-5"},
        {"a.ddr|1\n", " /  /  / "},
        {"[Track1]\na.ddr|1\n[Track3]\nc.ddr|3\n[Music]", " / a.ddr=1 /  / c.ddr=3"},
        {"[Track3]\nc.ddr|3\n[Track2]\nb.ddr|2\n[Music]\nm.wav\n[Track1]\na.ddr|1\n", "m.wav / a.ddr=1 / b.ddr=2 / c.ddr=3"},
        {"[Music]\n[Track1]\na.ddr|1\n", " / a.ddr=1 /  / "},  // no music line
        // Names as UTF-8, else as GBK (shows saved on Chinese Windows systems).
        {"[Music]\r\n歌曲.mp3\r\n[Track1]\r\n星星.ddr|5\r\n", QString::fromUtf8("歌曲.mp3 / 星星.ddr=5 /  / ")},
        {"[Music]\r\n\xb8\xe8\xc7\xfa.mp3\r\n[Track1]\r\n\xd0\xc7\xd0\xc7.ddr|5\r\n",
         QString::fromUtf8("歌曲.mp3 / 星星.ddr=5 /  / ")},
    };
    for (const auto& [text, outline] : cases) {
        ASSERT_TRUE(Read(text).ok) << text.toStdString();
        EXPECT_EQ(Outline(seq_), outline);
    }
}

TEST_F(SequenceFileTest, BadPlayTimeStopsButKeepsWhatWasRead)
{
    const ShowTextRead result = ReadSequenceFile(
        Write("Sequence/t.seq", "[Music]\nm.wav\n[Track1]\na.ddr|1\n[Track2]\nb.ddr|2\nc.ddr|3x\nd.ddr|4\n[Track3]\ne.ddr|5\n"),
        seq_);
    EXPECT_EQ(result.message, "'3x' is not a valid integer value");
    EXPECT_EQ(result.extent, ShowTextRead::Extent::Part);
    EXPECT_EQ(Outline(seq_), "m.wav / a.ddr=1 / b.ddr=2 / ");
    // A file that is not there, or cannot be read, is an error and leaves
    // the open sequence alone, so a later save cannot write over it empty.
    for (const QString& bad : {root_.filePath("Sequence/none.seq"), root_.filePath("Sequence")}) {
        const ShowTextRead failed = ReadSequenceFile(bad, seq_);
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.extent, ShowTextRead::Extent::Unchanged);
        EXPECT_TRUE(failed.message.startsWith("Cannot open file \"" + bad + "\".")) << failed.message.toStdString();
        EXPECT_EQ(Outline(seq_), "m.wav / a.ddr=1 / b.ddr=2 / ");
    }
}

TEST_F(SequenceFileTest, LoadingFillsEachKindFromItsFolder)
{
    WriteDrawing("Drawing/Star.ddr", 3);
    WriteDrawing("Drawing/row.ddr", 2);
    WriteDrawing("Drawing/up.DDR", 2);
    Write("Section/Intro.sec", "row.ddr|50\nrow.ddr|60\n");
    TILDAimage image;
    image.Frames.resize(2);
    image.Frames[1].Points.push_back(std::make_unique<LaserPoint>(LaserPoint{-5, 7, 0, 3, 0, 0}));
    MakeFolder("ILDAimage");
    ASSERT_TRUE(WriteIldaFile(root_.filePath("ILDAimage/logo.ild"), image).ok);

    const QString path = Write("Sequence/show.seq", "[Music]\n\n[Track1]\nstar.ddr|10\nintro.sec|20\n[Track2]\n"
                                                    "logo.ild|30\n[Track3]\nmissing.ddr|40\nup.DDR|50\n");
    ASSERT_TRUE(LoadSequenceFile(path, folders_, seq_).ok);
    EXPECT_EQ(PointTotal(seq_.Track1[0].Paths), 3u);
    ASSERT_EQ(seq_.Track1[1].Sections.size(), 2u);
    EXPECT_EQ(seq_.Track1[1].Sections[1].A, 60);
    EXPECT_EQ(PointTotal(seq_.Track1[1].Sections[1].Paths), 2u);
    ASSERT_EQ(seq_.Track2[0].IldaImage->Frames.size(), 2u);
    EXPECT_EQ(seq_.Track2[0].IldaImage->Frames[1].Points.at(0)->x, -5);
    // Missing files and extensions in another case stay as items that hold nothing.
    EXPECT_EQ(Items(seq_.Track3), (QStringList{"missing.ddr=40", "up.DDR=50"}));
    EXPECT_EQ(PointTotal(seq_.Track3[0].Paths) + PointTotal(seq_.Track3[1].Paths), 0u);

    ASSERT_TRUE(ReadSequenceFile(path, seq_).ok);  // the editor's reader loads nothing
    EXPECT_TRUE(seq_.Track1[0].Paths.empty() && seq_.Track1[1].Sections.empty());
}

TEST_F(SequenceFileTest, AFaultyItemIsReportedAndTheRestStillLoad)
{
    WriteDrawing("Drawing/a.ddr", 2);
    Write("Section/bad.sec", "a.ddr|1\na.ddr|oops\n");
    Write("ILDAimage/bad.ild", "Not an ILDA file at all, really! Not at all.");
    const QString path = Write("Sequence/s.seq", "[Track1]\nbad.sec|1\nbad.ild|2\na.ddr|3\n");
    EXPECT_EQ(LoadSequenceFile(path, folders_, seq_).message, "'oops' is not a valid integer value");
    ASSERT_EQ(seq_.Track1.size(), 3u);
    EXPECT_EQ(seq_.Track1[0].Sections.size(), 1u);
    EXPECT_EQ(PointTotal(seq_.Track1[2].Paths), 2u);
    EXPECT_FALSE(LoadSequenceItem(seq_.Track1[1], folders_).ok);
    seq_.Track1[2].FileName = "gone.sec";  // a reused record drops what it held
    ASSERT_TRUE(LoadSequenceItem(seq_.Track1[2], folders_).ok);
    EXPECT_TRUE(seq_.Track1[2].Paths.empty());

    // An item whose file exists but cannot be read says so.
    seq_.Track1[2].FileName = QFileInfo(UnreadablePaths(root_.filePath("Drawing"), "x.ddr")[1]).fileName();
    const FileResult unreadable = LoadSequenceItem(seq_.Track1[2], folders_);
    EXPECT_FALSE(unreadable.ok);
    EXPECT_TRUE(unreadable.message.startsWith("Cannot open file")) << unreadable.message.toStdString();
    EXPECT_TRUE(seq_.Track1[2].Paths.empty());
}

// Items and section rows naming one drawing share one read of it, across
// tracks; a sequence whose drawings and images would pass the point bound is
// refused and holds nothing.
TEST_F(SequenceFileTest, ItemsShareEachDrawingAndTheReadIsBounded)
{
    WriteDrawing("Drawing/a.ddr", 3);
    Write("Section/rows.sec", "a.ddr|1\na.ddr|2\n");
    TILDAimage image;
    image.Frames.resize(1);
    for (int i = 0; i < 2; ++i)
        image.Frames[0].Points.push_back(std::make_unique<LaserPoint>(LaserPoint{i, i, 0, 1, 0, 0}));
    MakeFolder("ILDAimage");
    ASSERT_TRUE(WriteIldaFile(root_.filePath("ILDAimage/logo.ild"), image).ok);
    const QString path =
        Write("Sequence/s.seq", "[Track1]\na.ddr|1\nrows.sec|2\n[Track2]\nrows.sec|3\n[Track3]\nlogo.ild|4\nA.ddr|5\n");
    NameLookup lookup(folders_);
    ASSERT_TRUE(LoadSequenceFile(path, lookup, seq_).ok);
    EXPECT_EQ(lookup.Drawings().FilesRead(), 1u);
    const SharedDrawing& first = seq_.Track1[0].Paths;
    EXPECT_EQ(PointTotal(first), 3u);
    for (const SharedDrawing* other : {&seq_.Track1[1].Sections[0].Paths, &seq_.Track1[1].Sections[1].Paths,
                                       &seq_.Track2[0].Sections[1].Paths, &seq_.Track3[1].Paths})
        EXPECT_TRUE(first.SharesWith(*other));

    // One drawing of 3 points in one path and an image of 2 points: before the
    // image is read, its size / 6 must fit beside the drawing's 3 points and path.
    const std::uint64_t imageRoom = std::uint64_t(QFileInfo(root_.filePath("ILDAimage/logo.ild")).size() / 6);
    for (const auto& [limit, ok] : {std::pair{4 + imageRoom, true}, std::pair{3 + imageRoom, false}}) {
        NameLookup bounded(folders_, limit);
        TSequence read;
        const FileResult result = LoadSequenceFile(path, bounded, read);
        EXPECT_EQ(result.ok, ok) << limit;
        EXPECT_EQ(read.Track1.size() + read.Track2.size() + read.Track3.size(), ok ? 5u : 0u) << limit;
        if (!ok) {
            EXPECT_EQ(result.message, TooManyPointsMessage(limit));
        }
    }
}

// A sequence naming one section many times reads it once; its rows and items
// count against a bound, and one that would pass it is refused at once.
TEST_F(SequenceFileTest, ItemsShareEachSectionAndRowsAndItemsAreBounded)
{
    WriteDrawing("Drawing/a.ddr", 3);
    Write("Section/rows.sec", "a.ddr|1\na.ddr|2\n");
    const QString path = Write("Sequence/s.seq", "[Track1]\nrows.sec|1\nRows.sec|2\n[Track2]\nrows.sec|3\n[Track3]\n");
    NameLookup lookup(folders_);
    ASSERT_TRUE(LoadSequenceFile(path, lookup, seq_).ok);
    EXPECT_EQ(std::pair(lookup.Drawings().SectionFilesRead(), lookup.Drawings().FilesRead()),
              std::pair(std::size_t{1}, std::size_t{1}));
    for (const TSequenceRecord* item : {&seq_.Track1[0], &seq_.Track1[1], &seq_.Track2[0]}) {
        ASSERT_EQ(item->Sections.size(), 2u);
        EXPECT_EQ(std::pair(item->Sections[0].A, item->Sections[1].A), std::pair(1, 2));
        EXPECT_TRUE(item->Sections[1].Paths.SharesWith(seq_.Track1[0].Sections[0].Paths));
    }

    // 3 items of 2 rows each: 9 are held.
    for (const auto& [limit, ok] : {std::pair{9u, true}, std::pair{8u, false}}) {
        NameLookup bounded(folders_, kMaxPointsPerRead, limit);
        TSequence read;
        const ShowTextRead result = LoadSequenceFile(path, bounded, read);
        EXPECT_EQ(result.ok, ok) << limit;
        EXPECT_EQ(read.Track1.size() + read.Track2.size(), ok ? 3u : 0u) << limit;
        if (!ok) {
            EXPECT_EQ(result.message, TooManyRowsMessage(limit));
            EXPECT_EQ(result.extent, ShowTextRead::Extent::Unchanged);
        }
    }
}

// A drawing or image whose size alone passes the point bound is refused before
// it is read: a terabyte, sparse on disk, would not even fit in memory.
TEST_F(SequenceFileTest, ADrawingOrImageTooLargeForTheBoundIsRefusedUnread)
{
    MakeFolder("ILDAimage");
    MakeFolder("Drawing");
    for (const char* file : {"Drawing/huge.ddr", "ILDAimage/huge.ild"}) {
        QFile huge(root_.filePath(file));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 40));
    }
    Write("Section/one.sec", "huge.ddr|1\n");
    for (const char* item : {"one.sec", "huge.ild", "huge.ddr"}) {
        SCOPED_TRACE(item);
        const QString path = Write("Sequence/s.seq", QByteArray("[Track1]\n") + item + "|1\n");
        TSequence read;
        const ShowTextRead result = LoadSequenceFile(path, folders_, read);
        EXPECT_EQ(result.message, TooManyPointsMessage());
        EXPECT_TRUE(read.Track1.empty());
    }
    // Before an image is read, its size / 6 must fit what the read has left.
    WriteDrawing("Drawing/five.ddr", 5);
    TILDAimage image;
    image.Frames.resize(1);
    for (int i = 0; i < 2; ++i)
        image.Frames[0].Points.push_back(std::make_unique<LaserPoint>(LaserPoint{i, i, 0, 1, 0, 0}));
    ASSERT_TRUE(WriteIldaFile(root_.filePath("ILDAimage/two.ild"), image).ok);
    const QString path = Write("Sequence/s.seq", "[Track1]\nfive.ddr|1\n[Track2]\ntwo.ild|1\n");
    const qint64 imageRoom = QFileInfo(root_.filePath("ILDAimage/two.ild")).size() / 6;
    for (const auto& [limit, ok] : {std::pair{6 + imageRoom, true}, std::pair{5 + imageRoom, false}}) {
        NameLookup bounded(folders_, std::uint64_t(limit));
        TSequence read;
        EXPECT_EQ(LoadSequenceFile(path, bounded, read).ok, ok) << limit;
    }
}

namespace {

// What the Sequence window holds at its start: a blank row with time "0" in every track.
SequenceSheet FreshSheet()
{
    SequenceSheet sheet;
    for (auto& track : sheet.Tracks)
        track.push_back({"", "0"});
    return sheet;
}

}  // namespace

TEST_F(SequenceFileTest, FreshWindowWritesTheEmptySequence)
{
    const QString path = root_.filePath("Sequence/NewOne.seq");
    MakeFolder("Sequence");
    ASSERT_TRUE(WriteSequenceFile(path, FreshSheet()).ok);
    EXPECT_EQ(*ReadWholeFile(path), QByteArray("[Music]\r\n\r\n[Track1]\r\n|0\r\n[Track2]\r\n|0\r\n[Track3]\r\n|0\r\n"));
    ASSERT_TRUE(ReadSequenceFile(path, seq_).ok);
    EXPECT_EQ(Outline(seq_), " / =0 / =0 / =0");
}

TEST_F(SequenceFileTest, WrittenSequenceReadsBackWithNamesLowered)
{
    WriteDrawing("Drawing/Star.ddr", 3);
    const QString music = QString::fromUtf8("D:\\Musik\\Über Alles.MP3");
    const QString song = QString::fromUtf8("ÄRGER 歌曲.DDR");
    SequenceSheet sheet;
    sheet.MusicFile = music;
    sheet.Tracks[0] = {{"Star.DDR", "300"}, {"Intro.Sec", ""}, {song, " -5 "}};
    sheet.Tracks[1] = {};  // a header-only grid: no item lines
    sheet.Tracks[2] = {{"", ""}, {"Logo.ILD", "+7"}};
    const QString path = root_.filePath("Sequence/show.seq");
    MakeFolder("Sequence");
    ASSERT_TRUE(WriteSequenceFile(path, sheet).ok);

    // UTF-8; A-Z lowered in the cells only, other letters as they are.
    const QByteArray bytes = *ReadWholeFile(path);
    EXPECT_EQ(bytes, "[Music]\r\n" + music.toUtf8() + "\r\n[Track1]\r\nstar.ddr|300\r\nintro.sec|\r\n" +
                         QString::fromUtf8("Ärger 歌曲.ddr").toUtf8() +
                         "| -5 \r\n[Track2]\r\n[Track3]\r\n|\r\nlogo.ild|+7\r\n");
    ASSERT_TRUE(LoadSequenceFile(path, folders_, seq_).ok);
    EXPECT_EQ(Outline(seq_), music + " / star.ddr=300,intro.sec=0," + QString::fromUtf8("Ärger 歌曲.ddr") +
                                 "=-5 /  / =0,logo.ild=7");
    // The lowered name still finds the drawing saved with capitals.
    EXPECT_EQ(PointTotal(seq_.Track1[0].Paths), 3u);
}

TEST_F(SequenceFileTest, SheetThatWouldNotReadBackIsRefusedNamingTheRowAndNothingIsWritten)
{
    struct Case {
        int track;
        std::vector<SequenceRow> rows;
        QString music;
        QString message;
    };
    const std::vector<Case> cases = {
        {0, {{"a|b.ddr", "1"}}, "", "Track1, row 1: \"|\" and line breaks cannot be saved"},
        {1, {{"a.ddr", "1"}, {"b.ddr", "2"}, {"c\nd.ddr", "3"}}, "", "Track2, row 3: \"|\" and line breaks cannot be saved"},
        // A time that reads as a number only because the line break is trimmed away.
        {2, {{"a.ddr", "5\r"}}, "", "Track3, row 1: \"|\" and line breaks cannot be saved"},
        {1, {{"a.ddr", "1"}, {"b.ddr", "abc"}}, "", "Track2, row 2: the play time \"abc\" is not an integer"},
        {0, {{"a.ddr", "99999999999"}}, "", "Track1, row 1: the play time \"99999999999\" is not an integer"},
        {0, {}, "song\r\n.mp3", "Music file: a line break cannot be saved"},
        {0, {}, "[Track2]", "Music file: \"[Track2]\" cannot be saved as a music name"},
    };
    MakeFolder("Sequence");
    const QString path = Write("Sequence/keep.seq", "old contents");
    for (const Case& c : cases) {
        SequenceSheet sheet = FreshSheet();
        sheet.MusicFile = c.music;
        sheet.Tracks[c.track] = c.rows;
        const FileResult result = WriteSequenceFile(path, sheet);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message);
    }
    EXPECT_EQ(*ReadWholeFile(path), "old contents");
    // "[Music]" as the music name reads back, so it is saved.
    SequenceSheet sheet = FreshSheet();
    sheet.MusicFile = "[Music]";
    ASSERT_TRUE(WriteSequenceFile(path, sheet).ok);
    ASSERT_TRUE(ReadSequenceFile(path, seq_).ok);
    EXPECT_EQ(seq_.MusicFile, "[Music]");
    EXPECT_FALSE(WriteSequenceFile(root_.filePath("no folder/x.seq"), sheet).ok);
}

// A refused read leaves the sequence it was given as it was; the editor's
// reader applies the items bound the loading reader applies.
TEST_F(SequenceFileTest, ARefusedReadChangesNothingAndTheEditorsReadIsBounded)
{
    ASSERT_TRUE(Read("[Music]\nkept.wav\n[Track1]\na.ddr|1\n").ok);
    const QString path = Write("Sequence/many.seq", "[Music]\nother.wav\n[Track1]\nb.ddr|1\nc.ddr|2\n[Track3]\nd.ddr|3\n");
    NameLookup bounded(folders_, kMaxPointsPerRead, 2);
    const ShowTextRead refused = LoadSequenceFile(path, bounded, seq_);
    EXPECT_EQ(std::pair(refused.message, refused.extent), std::pair(TooManyRowsMessage(2), ShowTextRead::Extent::Unchanged));
    EXPECT_EQ(Outline(seq_), "kept.wav / a.ddr=1 /  / ");

    QByteArray items = "[Music]\nother.wav\n[Track2]\n";
    for (std::uint64_t i = 0; i <= kMaxRowsPerRead; ++i)
        items += "a|1\n";
    const ShowTextRead tooMany = ReadSequenceFile(Write("Sequence/huge.seq", items), seq_);
    EXPECT_EQ(std::pair(tooMany.message, tooMany.extent), std::pair(TooManyRowsMessage(), ShowTextRead::Extent::Unchanged));
    EXPECT_EQ(Outline(seq_), "kept.wav / a.ddr=1 /  / ");
}

// Each name is read as UTF-8 when it is valid UTF-8, else as GBK: a stray byte
// in one name leaves the others as they were written.
TEST_F(SequenceFileTest, EachNameIsDecodedOnItsOwn)
{
    ASSERT_TRUE(Read("[Music]\n歌曲.mp3\n[Track1]\n星星.ddr|1\nbad\xff.ddr|2\n[Track2]\n\xd0\xc7\xd0\xc7.ddr|3\n").ok);
    EXPECT_EQ(Outline(seq_),
              QString::fromUtf8("歌曲.mp3 / 星星.ddr=1,bad") + QChar(0xFFFD) + QString::fromUtf8(".ddr=2 / 星星.ddr=3 / "));
}

// Items naming one image share one read of it; its frames and palette entries
// count against the bound as its points do.
TEST_F(SequenceFileTest, ItemsShareEachImageAndItsFramesAndPalettesCount)
{
    MakeFolder("ILDAimage");
    TILDAimage image;
    image.Frames.resize(3);  // each written as one dark point
    ASSERT_TRUE(WriteIldaFile(root_.filePath("ILDAimage/a.ild"), image).ok);
    ASSERT_TRUE(WriteIldaFile(root_.filePath("ILDAimage/b.ild"), image).ok);
    const QString path = Write("Sequence/s.seq", "[Track1]\na.ild|1\nA.ild|2\n[Track2]\na.ild|3\n");
    NameLookup lookup(folders_);
    ASSERT_TRUE(LoadSequenceFile(path, lookup, seq_).ok);
    EXPECT_EQ(seq_.Track1[0].IldaImage->Frames.size(), 3u);
    EXPECT_TRUE(seq_.Track1[0].IldaImage.SharesWith(seq_.Track1[1].IldaImage)
                && seq_.Track1[0].IldaImage.SharesWith(seq_.Track2[0].IldaImage));

    // The second image must fit, by its size, beside what the first keeps: its
    // three points and three frames.
    const std::uint64_t room = std::uint64_t(QFileInfo(root_.filePath("ILDAimage/b.ild")).size() / 6);
    const QString two = Write("Sequence/two.seq", "[Track1]\na.ild|1\nb.ild|2\n");
    const std::uint64_t kept = 3 + 3 * kFrameWeight;
    for (const auto& [limit, ok] : {std::pair{kept + room, true}, std::pair{kept + room - 1, false}}) {
        NameLookup bounded(folders_, limit);
        TSequence read;
        EXPECT_EQ(LoadSequenceFile(two, bounded, read).ok, ok) << limit;
    }

    // So do palettes and their entries: two files of one 256-colour palette each.
    QByteArray palette = QByteArray("ILDA\0\0\0\x02", 8) + QByteArray(16, 'P') + QByteArray("\x01\x00\0\0\0\0\0\0", 8);
    palette += QByteArray(256 * 3, '\x7f');
    Write("ILDAimage/c.ild", palette);
    Write("ILDAimage/d.ild", palette);
    const QString colours = Write("Sequence/c.seq", "[Track1]\nc.ild|1\nd.ild|1\n");
    const std::uint64_t paletteKept = kPaletteWeight + 256 / kPaletteEntriesPerUnit;
    const std::uint64_t paletteRoom = std::uint64_t(palette.size() / 6);
    for (const auto& [limit, ok] : {std::pair{paletteKept + paletteRoom, true}, std::pair{paletteKept + paletteRoom - 1, false}}) {
        NameLookup bounded(folders_, limit);
        TSequence read;
        EXPECT_EQ(LoadSequenceFile(colours, bounded, read).ok, ok) << limit;
    }
}
