#include "player/text_scroll.h"

#include "model/effect_steps.h"
#include "model/gbk_text.h"
#include "model/glyph_polylines.h"
#include "model/trunc_to_int.h"
#include "output/play_state.h"
#include "player/frame_builder.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool Stopped()
{
    return StopRequested.load(kRelaxed) != 0;
}

// TC, TD and TE divide: below 1 they count as 1.
std::int32_t Divisor(const std::atomic<std::int32_t>& v)
{
    return std::max<std::int32_t>(v.load(kRelaxed), 1);
}

std::int32_t Saturate32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// One character's glyph in its cell, the narrow letters shifted right.
Path CharacterPath(GlyphOutlineSource& source, const TextCharacter& character, const FontChoice& font, int TD, int TE,
                   std::uint8_t colour)
{
    Path path;
    GlyphToPolylines(source,
                     GlyphRequest{CharacterCell(character.gbk, TD, TE), character.gbk, font, colour, character.unicode},
                     path, std::nullopt);
    const std::int32_t shift = NarrowLetterShift(character.gbk, TD);
    for (auto& p : path)
        p->x = Saturate32(std::int64_t{p->x} + shift);
    return path;
}

std::unique_ptr<LaserPoint> Copy(const LaserPoint& p)
{
    return std::make_unique<LaserPoint>(p);
}

// The frame, its point total and a redraw for the preview.
std::shared_ptr<Drawing> NewFrame()
{
    return std::make_shared<Drawing>();
}

class TextRun {
public:
    explicit TextRun(TextLoopContext& context)
        : context_(context)
        , builder_(kPlayLoopOptions, [&live = context.play.live] { return live.Snapshot(); },
                   &context.play.animation)
    {
        builder_.ResetChangeCheck(false);
        settings_.SendNow(context.play.sink);
        builder_.StartLoop();
        builder_.StartRun(Drawing{}, true, 0);
    }

    /// A new window position: the counters of the animation tick start again, the phases go on.
    void NewWindow() { builder_.StartLoop(); }

    /// Publishes the frame and sends it until StayTime frame ticks passed (not counted while
    /// frozen). A hold that sent nothing waits a tick, so the loop never spins.
    void Hold(std::shared_ptr<const Drawing> frame)
    {
        context_.published.Publish(frame);
        FrameChanged.store(1, kRelaxed);
        builder_.SetPointTotal(*frame);
        bool sent = false;
        for (std::int32_t k = 0; k < context_.text.StayTime.load(kRelaxed) && !Stopped();) {
            SendTextFrame(*frame, settings_.Changed());
            sent = true;
            if (context_.play.tick.exchange(0, kRelaxed) != 0 && FreezePlay.load(kRelaxed) == 0)
                ++k;
        }
        if (sent)
            sentInPass_ = true;
        else
            context_.play.sink.Idle();
    }

    /// After a pass over the units: true when another pass follows. A pass that sent nothing waits a tick.
    bool Again()
    {
        const bool again = LoopPlay.load(kRelaxed) != 0 && !Stopped();
        if (again && !sentInPass_)
            context_.play.sink.Idle();
        sentInPass_ = false;
        return again;
    }

private:
    /// One pass of the effect chain over the frame and one send, with the settings
    /// packet when the settings changed. The builder's counters go on from the last frame.
    void SendTextFrame(const Drawing& frame, const std::optional<DeviceSettingsPacket>& settings)
    {
        builder_.ChangeCheck();
        builder_.BuildFrame(frame, nullptr, false);
        context_.play.sink.SendFrame(settings, builder_.Packet());
    }

    TextLoopContext& context_;
    FrameBuilder builder_;
    SettingsOnChange settings_;
    bool sentInPass_ = false;
};

}  // namespace

Drawing PrepareTextHorizontal(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font, int TD,
                              int TE, std::uint8_t colour)
{
    Drawing units;
    for (const QString& line : lines)
        for (const TextCharacter& character : TextCharacters(line))
            units.push_back(CharacterPath(source, character, font, TD, TE, colour));
    return units;
}

Drawing PrepareTextVertical(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font, int TD,
                            int TE, std::uint8_t colour)
{
    Drawing units;
    for (const QString& line : lines) {
        const std::vector<TextCharacter> characters = TextCharacters(line, kVerticalLineBytes);
        if (characters.empty())
            continue;
        int bytes = 0;
        for (const TextCharacter& c : characters)
            bytes += c.Bytes();
        // A line of more bytes than TD is squeezed into the width of the square,
        // its letters narrowed with the pitch so they do not run into each other.
        const int cellPitch = 256 / std::max(TD, 1);
        const int pitch = 256 / std::max(bytes, std::max(TD, 1));
        const double scaleX = kLetterScaleX * pitch / cellPitch;
        Path linePath;
        for (std::size_t j = 0; j < characters.size(); ++j) {
            Path path = CharacterPath(source, characters[j], font, TD, TE, colour);
            for (auto& p : path) {
                p->x = TruncToInt(static_cast<double>(p->x) * scaleX + static_cast<double>(j) * pitch);
                p->y = TruncToInt(static_cast<double>(p->y) * kLetterScaleY);
                linePath.push_back(std::move(p));
            }
        }
        units.push_back(std::move(linePath));
    }
    return units;
}

Path ClipPath(const Path& path, ClipEdge edge)
{
    const bool low = edge == ClipEdge::Left || edge == ClipEdge::Top;
    const bool onX = edge == ClipEdge::Left || edge == ClipEdge::Right;
    const std::int32_t line = low ? 0 : 255;
    auto coordinate = [&](const LaserPoint& p) { return onX ? p.x : p.y; };
    auto outside = [&](std::int32_t c) { return low ? c < 0 : c > 255; };
    auto inside = [&](std::int32_t c) { return low ? c > 0 : c < 255; };

    Path out;
    bool blankNext = false;
    for (std::size_t j = 0; j < path.size(); ++j) {
        const LaserPoint& s = *path[j];
        const std::int32_t c = coordinate(s);
        if (!outside(c)) {
            auto q = Copy(s);
            if (blankNext)
                q->blank = 1;
            out.push_back(std::move(q));
        }
        blankNext = false;
        if (j + 1 == path.size())
            break;
        const LaserPoint& next = *path[j + 1];
        const std::int32_t cn = coordinate(next);
        const bool entering = outside(c) && inside(cn);
        const bool leaving = inside(c) && outside(cn);
        if (entering || leaving) {
            if (next.blank != 0)
                continue;
            auto point = std::make_unique<LaserPoint>();
            switch (edge) {
            case ClipEdge::Left: IntersectLeftEdge(s.x, s.y, next.x, next.y, point->x, point->y); break;
            case ClipEdge::Right: IntersectRightEdge(s.x, s.y, next.x, next.y, point->x, point->y); break;
            case ClipEdge::Top: IntersectTopEdge(s.x, s.y, next.x, next.y, point->x, point->y); break;
            case ClipEdge::Bottom: IntersectBottomEdge(s.x, s.y, next.x, next.y, point->x, point->y); break;
            }
            point->colour = s.colour;
            point->blank = entering ? 1 : 0;
            out.push_back(std::move(point));
        } else if (outside(c) && cn == line) {
            blankNext = true;
        }
    }
    return out;
}

void ClipToSquare(Path& path)
{
    std::int32_t minX = 0, maxX = 255, minY = 0, maxY = 255;
    for (const auto& p : path) {
        minX = std::min(minX, p->x);
        maxX = std::max(maxX, p->x);
        minY = std::min(minY, p->y);
        maxY = std::max(maxY, p->y);
    }
    if (minX < 0)
        path = ClipPath(path, ClipEdge::Left);
    if (maxX > 255)
        path = ClipPath(path, ClipEdge::Right);
    if (minY < 0)
        path = ClipPath(path, ClipEdge::Top);
    if (maxY > 255)
        path = ClipPath(path, ClipEdge::Bottom);
}

void PlaceTextWindowHorizontal(const Drawing& window, Drawing& frame, std::int32_t offset, std::int32_t TC)
{
    if (window.empty())
        return;
    TC = std::max(TC, 1);
    frame.clear();
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::int64_t left = std::int64_t(i) * 256 / TC - offset;
        Path path;
        for (const auto& p : window[i]) {
            auto q = Copy(*p);
            q->x = Saturate32(left + p->x);
            path.push_back(std::move(q));
        }
        // Every unit: a lowered TC moves the middle ones past the right edge too.
        ClipToSquare(path);
        frame.push_back(std::move(path));
    }
}

void PlaceTextWindowVertical(const Drawing& window, Drawing& frame, std::int32_t offset, std::int32_t TC)
{
    frame.clear();
    if (window.empty())
        return;
    TC = std::max(TC, 1);
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::int64_t top = std::int64_t(i) * 512 / TC + offset;
        Path path;
        for (const auto& p : window[i]) {
            auto q = Copy(*p);
            q->y = Saturate32(top + p->y);
            path.push_back(std::move(q));
        }
        // Every line: a window of TC lines reaches twice the square's height.
        ClipToSquare(path);
        frame.push_back(std::move(path));
    }
}

void TextFrameSnapshot::Publish(std::shared_ptr<const Drawing> frame)
{
    if (!frame)
        frame = std::make_shared<const Drawing>();
    std::lock_guard lock(mutex_);
    frame_ = std::move(frame);
}

std::shared_ptr<const Drawing> TextFrameSnapshot::Load() const
{
    std::lock_guard lock(mutex_);
    return frame_;
}

void PlayTextHorizontalLoop(const Drawing& units, TextLoopContext& context)
{
    const TextScrollParameters& text = context.text;
    TextRun run(context);
    do {
        const std::size_t count = units.size();
        for (std::size_t s = 0; s < count && !Stopped(); ++s) {
            // TC + 1 characters while the text lasts.
            const std::size_t TC = std::size_t(Divisor(text.VisibleCount));
            const std::size_t e = s + TC < count ? s + TC : count - 1;
            const std::int32_t TE = Divisor(text.TextCharHeightFactor);
            const double top = 128 - 128 / TE;
            Drawing window;
            for (std::size_t u = s; u <= e; ++u) {
                Path path;
                for (const auto& p : units[u]) {
                    auto q = Copy(*p);
                    q->x = TruncToInt(static_cast<double>(p->x) * kLetterScaleX);
                    q->y = TruncToInt(top + static_cast<double>(p->y) * kLetterScaleY);
                    path.push_back(std::move(q));
                }
                window.push_back(std::move(path));
            }
            run.NewWindow();
            for (std::int32_t offset = 0; !window.empty() && !Stopped();) {
                const std::int32_t tc = Divisor(text.VisibleCount);
                if (offset >= 256 / tc)
                    break;
                auto frame = NewFrame();
                PlaceTextWindowHorizontal(window, *frame, offset, tc);
                run.Hold(frame);
                offset = Saturate32(std::int64_t{offset} + std::max(text.ScrollStep.load(kRelaxed), 0));
            }
        }
    } while (run.Again());
}

void PlayTextVerticalLoop(const Drawing& units, TextLoopContext& context)
{
    const TextScrollParameters& text = context.text;
    TextRun run(context);
    do {
        const std::size_t count = units.size();
        for (std::size_t s = 0; s < count && !Stopped(); ++s) {
            // Up to TC lines.
            const std::size_t TC = std::size_t(Divisor(text.VisibleCount));
            const std::size_t e = std::min(s + TC, count);
            Drawing window;
            for (std::size_t u = s; u < e; ++u)
                window.push_back(CopyPath(units[u]));
            run.NewWindow();
            for (std::int32_t offset = 256 / Divisor(text.VisibleCount); !Stopped();) {
                const std::int32_t tc = Divisor(text.VisibleCount);
                if (offset <= -256 / tc)
                    break;
                auto frame = NewFrame();
                PlaceTextWindowVertical(window, *frame, offset, tc);
                run.Hold(frame);
                offset = Saturate32(std::int64_t{offset} - std::max(text.ScrollStep.load(kRelaxed), 0));
            }
        }
    } while (run.Again());
}
