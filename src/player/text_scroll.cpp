#include "player/text_scroll.h"

#include "model/effect_steps.h"
#include "model/gbk_text.h"
#include "model/glyph_polylines.h"
#include "model/trunc_to_int.h"
#include "output/play_state.h"
#include "player/frame_builder.h"

#include <algorithm>
#include <limits>

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
Path CharacterPath(GlyphOutlineSource& source, const QByteArray& character, const FontChoice& font, int TD, int TE,
                   std::uint8_t colour)
{
    Path path;
    GlyphToPolylines(source, GlyphRequest{CharacterCell(character, TD, TE), character, font, colour}, path,
                     std::nullopt);
    const std::int32_t shift = NarrowLetterShift(character, TD);
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
            const auto changed = settings_.Changed();
            builder_.ChangeCheck();
            builder_.BuildFrame(*frame, nullptr, false);
            context_.play.sink.SendFrame(changed, builder_.Packet());
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
        for (const QByteArray& character : GbkCharacters(ToGbk(line)))
            units.push_back(CharacterPath(source, character, font, TD, TE, colour));
    return units;
}

Drawing PrepareTextVertical(GlyphOutlineSource& source, const QStringList& lines, const FontChoice& font, int TD,
                            int TE, std::uint8_t colour)
{
    Drawing units;
    for (const QString& line : lines) {
        const std::vector<QByteArray> characters = GbkCharacters(CutGbk(ToGbk(line), kVerticalLineBytes));
        if (characters.empty())
            continue;
        int bytes = 0;
        for (const QByteArray& c : characters)
            bytes += int(c.size());
        // A line longer than TD characters is squeezed into the width of the square.
        const int pitch = 256 / std::max(bytes, std::max(TD, 1));
        Path linePath;
        for (std::size_t j = 0; j < characters.size(); ++j) {
            Path path = CharacterPath(source, characters[j], font, TD, TE, colour);
            for (auto& p : path) {
                p->x = TruncToInt(static_cast<double>(p->x) * (1.0 / 12.0) +
                                  static_cast<double>(j) * pitch);
                p->y = TruncToInt(static_cast<double>(p->y) * (1.0 / 9.0));
                linePath.push_back(std::move(p));
            }
        }
        units.push_back(std::move(linePath));
    }
    return units;
}

Path ClipPath(const Path& source, const Path& placed, ClipEdge edge, std::int32_t delta)
{
    const bool low = edge == ClipEdge::Left || edge == ClipEdge::Top;
    const bool onX = edge == ClipEdge::Left || edge == ClipEdge::Right;
    const std::int64_t line = low ? 0 : 255;
    auto coordinate = [&](const LaserPoint& p) { return std::int64_t{onX ? p.x : p.y} + delta; };
    auto outside = [&](std::int64_t c) { return low ? c < 0 : c > 255; };
    auto inside = [&](std::int64_t c) { return low ? c > 0 : c < 255; };

    Path out;
    const std::size_t n = std::min(source.size(), placed.size());
    bool blankNext = false;
    for (std::size_t j = 0; j < n; ++j) {
        const LaserPoint& s = *source[j];
        const std::int64_t c = coordinate(s);
        if (!outside(c)) {
            auto q = Copy(*placed[j]);
            if (blankNext)
                q->blank = 1;
            out.push_back(std::move(q));
        }
        blankNext = false;
        if (j + 1 == n)
            break;
        const LaserPoint& next = *source[j + 1];
        const std::int64_t cn = coordinate(next);
        const bool entering = outside(c) && inside(cn);
        const bool leaving = inside(c) && outside(cn);
        if (entering || leaving) {
            if (next.blank != 0)
                continue;
            // The crossing, computed in the coordinates the edge is tested in.
            const std::int32_t x1 = onX ? Saturate32(c) : s.x, y1 = onX ? s.y : Saturate32(c);
            const std::int32_t x2 = onX ? Saturate32(cn) : next.x, y2 = onX ? next.y : Saturate32(cn);
            auto point = std::make_unique<LaserPoint>();
            switch (edge) {
            case ClipEdge::Left: IntersectLeftEdge(x1, y1, x2, y2, point->x, point->y); break;
            case ClipEdge::Right: IntersectRightEdge(x1, y1, x2, y2, point->x, point->y); break;
            case ClipEdge::Top: IntersectTopEdge(x1, y1, x2, y2, point->x, point->y); break;
            case ClipEdge::Bottom: IntersectBottomEdge(x1, y1, x2, y2, point->x, point->y); break;
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
        frame.push_back(std::move(path));
    }
    frame.front() = ClipPath(window.front(), frame.front(), ClipEdge::Left, Saturate32(-std::int64_t{offset}));
    if (window.size() > 1) {
        const std::size_t L = window.size() - 1;
        // The pitch is taken before the multiplication here: the edge test can differ from the placed x.
        const std::int64_t delta = std::int64_t{256 / TC} * std::int64_t(L) - offset;
        frame[L] = ClipPath(window[L], frame[L], ClipEdge::Right, Saturate32(delta));
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
        frame.push_back(std::move(path));
    }
    frame.front() = ClipPath(window.front(), frame.front(), ClipEdge::Top, offset);
    if (window.size() > 1) {
        const std::size_t L = window.size() - 1;
        const std::int64_t delta = std::int64_t{512 / TC} * std::int64_t(L) + offset;
        frame[L] = ClipPath(window[L], frame[L], ClipEdge::Bottom, Saturate32(delta));
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
                    q->x = TruncToInt(static_cast<double>(p->x) * (1.0 / 12.0));
                    q->y = TruncToInt(top + static_cast<double>(p->y) * (1.0 / 9.0));
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
