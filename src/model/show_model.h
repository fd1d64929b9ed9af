#pragma once
// The in-memory show: points, paths, drawings, ILDA frames and palettes,
// section rows and three-track sequences.
//
// Ownership: a path owns its points through unique_ptr so that a point keeps
// its address while the path grows or is reordered (the editor's selection
// holds non-owning pointers into a drawing). Everything else is a value.
// The classes are move-only; copies are made explicitly with the Copy*
// functions below (undo snapshots, play lists prepared for a worker).

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct LaserPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    /// ILDA frames: the z coordinate. Drawings: the file's z byte (2 marks a
    /// placed vertex, 0 an interpolated point).
    std::int32_t z = 0;
    /// Palette index 0..255; in play lists prepared for output, the device colour code 0..7.
    std::uint8_t colour = 0;
    /// Editor state: kMarkNone, kMarkSelected or kMarkErased.
    std::uint8_t mark = 0;
    /// 1 when the beam moves dark to this point.
    std::uint8_t blank = 0;
};

inline constexpr std::uint8_t kMarkNone = 0;
inline constexpr std::uint8_t kMarkSelected = 1;
inline constexpr std::uint8_t kMarkErased = 2;

/// One polyline, glyph contour or frame's points, in order.
using Path = std::vector<std::unique_ptr<LaserPoint>>;
/// An ordered list of paths; the first point of each path is normally blanked.
using Drawing = std::vector<Path>;

/// One frame section of an ILDA image; points in ILDA space (-128..127, y up).
struct TILDAframe {
    QString Name;
    QString Company;
    /// The count stated in the section header; Points.size() is what was read.
    std::uint32_t PointCount = 0;
    std::uint32_t FrameNumber = 0;
    std::uint32_t TotalFrames = 0;
    std::uint8_t ScannerHead = 0;
    std::uint8_t Reserved = 0;
    Path Points;
};

struct IldaColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

/// One palette section of an ILDA image, kept as read (screen colours come
/// from the fixed palette table, never from here).
struct TILDAcolorplatte {
    QString Name;
    QString Company;
    std::uint32_t ColourCount = 0;
    std::uint32_t PaletteNumber = 0;
    /// The header's 16-bit reserved field.
    std::uint32_t Reserved = 0;
    std::uint8_t Projector = 0;
    std::uint8_t Reserved2 = 0;
    std::vector<IldaColour> Colours;
};

struct TILDAimage {
    std::vector<TILDAframe> Frames;
    std::vector<TILDAcolorplatte> Palettes;
};

/// A drawing read from a show file and shared, unchanged, by every section
/// row and sequence item that names it (and by their play-list copies):
/// playing never changes a drawing, so one read serves them all. Reads as a
/// const Drawing; an empty one holds no drawing at all.
class SharedDrawing {
public:
    SharedDrawing() = default;
    SharedDrawing(Drawing drawing)  // NOLINT: a drawing stands in wherever a shared one is asked
        : drawing_(drawing.empty() ? nullptr : std::make_shared<const Drawing>(std::move(drawing)))
    {
    }

    const Drawing& get() const { return drawing_ ? *drawing_ : Empty(); }
    operator const Drawing&() const { return get(); }  // NOLINT: reads wherever a drawing is read

    Drawing::const_iterator begin() const { return get().begin(); }
    Drawing::const_iterator end() const { return get().end(); }
    bool empty() const { return get().empty(); }
    std::size_t size() const { return get().size(); }
    const Path& operator[](std::size_t i) const { return get()[i]; }
    void clear() { drawing_.reset(); }
    /// Whether both hold the same drawing (not merely equal points).
    bool SharesWith(const SharedDrawing& other) const { return drawing_ && drawing_ == other.drawing_; }

private:
    static const Drawing& Empty()
    {
        static const Drawing empty;
        return empty;
    }
    std::shared_ptr<const Drawing> drawing_;
};

/// An ILDA image read from a show file and shared, unchanged, by every
/// sequence item that names it (and by their play-list copies), as drawings
/// are. Reads as a const image; an empty one holds no image at all.
class SharedImage {
public:
    SharedImage() = default;
    SharedImage(TILDAimage image)  // NOLINT: an image stands in wherever a shared one is asked
        : image_(image.Frames.empty() && image.Palettes.empty()
                     ? nullptr
                     : std::make_shared<const TILDAimage>(std::move(image)))
    {
    }

    const TILDAimage& get() const { return image_ ? *image_ : Empty(); }
    operator const TILDAimage&() const { return get(); }  // NOLINT: reads wherever an image is read
    const TILDAimage* operator->() const { return &get(); }
    void clear() { image_.reset(); }
    /// Whether both hold the same image (not merely equal frames).
    bool SharesWith(const SharedImage& other) const { return image_ && image_ == other.image_; }

private:
    static const TILDAimage& Empty()
    {
        static const TILDAimage empty;
        return empty;
    }
    std::shared_ptr<const TILDAimage> image_;
};

/// One section row: a drawing and its effect parameters A..R.
struct TSectionRecord {
    QString FileName;
    std::int32_t A = 0;  ///< Play_time
    std::int32_t B = 0;  ///< AllSpeed
    std::int32_t C = 0;  ///< Rot_Angle
    std::int32_t D = 0;  ///< SlowDraw
    std::int32_t E = 0;  ///< H_Stretch
    std::int32_t F = 0;  ///< V_Stretch
    std::int32_t G = 0;  ///< H_Rotate
    std::int32_t H = 0;  ///< V_Rotate
    std::int32_t I = 0;  ///< H_Bounce
    std::int32_t J = 0;  ///< V_Bounce
    std::int32_t K = 0;  ///< colour mode
    std::int32_t L = 0;  ///< Gobo_Size
    std::int32_t M = 0;  ///< Loc_Angle
    std::int32_t N = 0;  ///< Ch_Color_Sp
    std::uint8_t O = 0;  ///< PointDraw, 0 or 1
    std::int32_t P = 0;  ///< Send_speed
    std::int32_t Q = 0;  ///< X_Offset
    std::int32_t R = 0;  ///< Y_Offset
    /// The row's drawing, drawing space 0..255.
    SharedDrawing Paths;
};

/// One item of a sequence track. All three containers always exist; the
/// extension of FileName (".ddr", ".sec", ".ild") says which one is filled.
struct TSequenceRecord {
    QString FileName;
    /// Ticks of the Sequence window's pacing timer.
    std::int32_t PlayTime = 0;
    SharedDrawing Paths;
    std::vector<TSectionRecord> Sections;
    SharedImage IldaImage;
};

struct TSequence {
    QString MusicFile;
    std::vector<TSequenceRecord> Track1;
    std::vector<TSequenceRecord> Track2;
    std::vector<TSequenceRecord> Track3;
};

/// The items of track 0, 1 or 2.
inline const std::vector<TSequenceRecord>& TrackOf(const TSequence& s, int track)
{
    return track == 0 ? s.Track1 : track == 1 ? s.Track2 : s.Track3;
}

// Deep copies: every point is a new record with the same field values. The
// copies of section rows and sequence items share their drawings and images.
Path CopyPath(const Path& path);
Drawing CopyDrawing(const Drawing& drawing);
TILDAframe CopyFrame(const TILDAframe& frame);
TILDAimage CopyImage(const TILDAimage& image);
TSectionRecord CopySectionRecord(const TSectionRecord& record);
TSequenceRecord CopySequenceRecord(const TSequenceRecord& record);
TSequence CopySequence(const TSequence& sequence);

/// A copy for a play list or a preview handed to another thread: every point
/// except the erased ones, which must never reach a laser; paths left with
/// no point are dropped.
Drawing CopyDrawingWithoutErased(const Drawing& drawing);

/// Total number of points over every path of a drawing.
std::size_t PointTotal(const Drawing& drawing);
