#include "model/show_model.h"

#include <type_traits>

// Copying any of these would copy unique_ptrs and fails to compile; moves must
// not throw so that vectors of records move instead of copying on growth.
static_assert(std::is_nothrow_move_constructible_v<TSequenceRecord>);
static_assert(std::is_nothrow_move_constructible_v<TILDAframe>);

namespace {

// A new vector holding copyOne(element) for every element, in order.
template <class T, class F>
auto CopyEach(const std::vector<T>& items, F copyOne)
{
    std::vector<decltype(copyOne(items.front()))> copy;
    copy.reserve(items.size());
    for (const T& item : items)
        copy.push_back(copyOne(item));
    return copy;
}

}  // namespace

Path CopyPath(const Path& path)
{
    return CopyEach(path, [](const std::unique_ptr<LaserPoint>& p) { return std::make_unique<LaserPoint>(*p); });
}

Drawing CopyDrawing(const Drawing& drawing)
{
    return CopyEach(drawing, CopyPath);
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
    copy.Frames = CopyEach(image.Frames, CopyFrame);
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
    copy.Paths = record.Paths;
    return copy;
}

TSequenceRecord CopySequenceRecord(const TSequenceRecord& record)
{
    TSequenceRecord copy;
    copy.FileName = record.FileName;
    copy.PlayTime = record.PlayTime;
    copy.Paths = record.Paths;
    copy.Sections = CopyEach(record.Sections, CopySectionRecord);
    copy.IldaImage = record.IldaImage;
    return copy;
}

TSequence CopySequence(const TSequence& sequence)
{
    TSequence copy;
    copy.MusicFile = sequence.MusicFile;
    copy.Track1 = CopyEach(sequence.Track1, CopySequenceRecord);
    copy.Track2 = CopyEach(sequence.Track2, CopySequenceRecord);
    copy.Track3 = CopyEach(sequence.Track3, CopySequenceRecord);
    return copy;
}

Drawing CopyDrawingWithoutErased(const Drawing& drawing)
{
    Drawing copy;
    copy.reserve(drawing.size());
    for (const Path& path : drawing) {
        Path kept;
        for (const auto& p : path) {
            if (p->mark != kMarkErased)
                kept.push_back(std::make_unique<LaserPoint>(*p));
        }
        if (!kept.empty())
            copy.push_back(std::move(kept));
    }
    return copy;
}

std::size_t PointTotal(const Drawing& drawing)
{
    std::size_t n = 0;
    for (const auto& path : drawing)
        n += path.size();
    return n;
}
