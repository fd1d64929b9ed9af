#include "model/show_model.h"

#include <type_traits>

// Copying any of these would copy unique_ptrs and fails to compile; moves must
// not throw so that vectors of records move instead of copying on growth.
static_assert(std::is_nothrow_move_constructible_v<TSequenceRecord>);
static_assert(std::is_nothrow_move_constructible_v<TILDAframe>);

Path CopyPath(const Path& path)
{
    Path copy;
    copy.reserve(path.size());
    for (const auto& p : path)
        copy.push_back(std::make_unique<LaserPoint>(*p));
    return copy;
}

Drawing CopyDrawing(const Drawing& drawing)
{
    Drawing copy;
    copy.reserve(drawing.size());
    for (const auto& path : drawing)
        copy.push_back(CopyPath(path));
    return copy;
}

TILDAframe CopyFrame(const TILDAframe& frame)
{
    TILDAframe copy;
    copy.Name = frame.Name;
    copy.Company = frame.Company;
    copy.PointCount = frame.PointCount;
    copy.FrameNumber = frame.FrameNumber;
    copy.TotalFrames = frame.TotalFrames;
    copy.ScannerHead = frame.ScannerHead;
    copy.Reserved = frame.Reserved;
    copy.Points = CopyPath(frame.Points);
    return copy;
}

TILDAimage CopyImage(const TILDAimage& image)
{
    TILDAimage copy;
    copy.Frames.reserve(image.Frames.size());
    for (const auto& f : image.Frames)
        copy.Frames.push_back(CopyFrame(f));
    copy.Palettes = image.Palettes;
    return copy;
}

TSectionRecord CopySectionRecord(const TSectionRecord& record)
{
    TSectionRecord copy;
    copy.FileName = record.FileName;
    copy.A = record.A; copy.B = record.B; copy.C = record.C; copy.D = record.D;
    copy.E = record.E; copy.F = record.F; copy.G = record.G; copy.H = record.H;
    copy.I = record.I; copy.J = record.J; copy.K = record.K; copy.L = record.L;
    copy.M = record.M; copy.N = record.N; copy.O = record.O; copy.P = record.P;
    copy.Q = record.Q; copy.R = record.R;
    copy.Paths = CopyDrawing(record.Paths);
    return copy;
}

TSequenceRecord CopySequenceRecord(const TSequenceRecord& record)
{
    TSequenceRecord copy;
    copy.FileName = record.FileName;
    copy.PlayTime = record.PlayTime;
    copy.Paths = CopyDrawing(record.Paths);
    copy.Sections.reserve(record.Sections.size());
    for (const auto& s : record.Sections)
        copy.Sections.push_back(CopySectionRecord(s));
    copy.IldaImage = CopyImage(record.IldaImage);
    return copy;
}

static std::vector<TSequenceRecord> CopyTrack(const std::vector<TSequenceRecord>& track)
{
    std::vector<TSequenceRecord> copy;
    copy.reserve(track.size());
    for (const auto& r : track)
        copy.push_back(CopySequenceRecord(r));
    return copy;
}

TSequence CopySequence(const TSequence& sequence)
{
    TSequence copy;
    copy.MusicFile = sequence.MusicFile;
    copy.Track1 = CopyTrack(sequence.Track1);
    copy.Track2 = CopyTrack(sequence.Track2);
    copy.Track3 = CopyTrack(sequence.Track3);
    return copy;
}

std::size_t PointTotal(const Drawing& drawing)
{
    std::size_t n = 0;
    for (const auto& path : drawing)
        n += path.size();
    return n;
}
