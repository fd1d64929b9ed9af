#include "chain_fixtures.h"

#include "model/palette.h"
#include "player/frame_builder.h"

#include <limits>
#include <random>

namespace {

EffectParameters Params(std::int32_t B = 50)
{
    EffectParameters p;
    p.B = B;
    return p;
}

// The point (1-based) at which each EffectStep happens while ticking n points.
std::vector<int> StepPoints(const EffectParameters& p, int n, EffectPhases* phases = nullptr,
                            std::vector<std::int32_t>* rotations = nullptr)
{
    EffectPhases local;
    EffectPhases& ph = phases ? *phases : local;
    EffectCounters counters;
    std::vector<int> at;
    for (int i = 1; i <= n; ++i)
        if (AnimationTick(ph, counters, p, PhaseWrap::Modulo510)) {
            at.push_back(i);
            if (rotations)
                rotations->push_back(ph.SectionRotationPhase);
        }
    return at;
}

}  // namespace

TEST(EffectCadence, FirstStepAtPoint12ThenEvery11AtFullSpeed)
{
    EffectParameters p = Params(100);
    p.C = 10;
    std::vector<std::int32_t> rotations;
    const auto at = StepPoints(p, 40, nullptr, &rotations);
    EXPECT_EQ(at, (std::vector<int>{12, 23, 34}));
    EXPECT_EQ(rotations, (std::vector<std::int32_t>{10, 20, 30}));

    EXPECT_EQ(StepPoints(Params(50), 1200).front(), 562);
    EXPECT_EQ(StepPoints(Params(0), 2300), (std::vector<int>{1112, 2223}));
}

TEST(EffectCadence, ColourCycleAdvancesEvery41MinusNSteps)
{
    for (int N : {30, 40, 35}) {
        EffectParameters p;
        p.N = N;
        EffectPhases ph;
        EffectCounters c;
        std::vector<int> changes;
        for (int step = 1; step <= 3 * (41 - N); ++step) {
            const auto before = ph.SectionColourCycle;
            EffectStep(ph, c, p, PhaseWrap::Modulo510);
            if (ph.SectionColourCycle != before)
                changes.push_back(step);
        }
        EXPECT_EQ(changes, (std::vector<int>{41 - N, 2 * (41 - N), 3 * (41 - N)})) << "N " << N;
    }
    // Seven changes bring the cycle back to 0.
    EffectParameters p;
    p.N = 40;
    EffectPhases ph;
    EffectCounters c;
    for (int i = 0; i < 7; ++i)
        EffectStep(ph, c, p, PhaseWrap::Modulo510);
    EXPECT_EQ(ph.SectionColourCycle, 0);
}

TEST(EffectCadence, PhaseWrapsCouplingAndHugeValues)
{
    EffectParameters p;
    p.E = 10;
    p.F = 11;
    EffectPhases ph;
    EffectCounters c;
    ph.SectionHStretchPhase = 504;
    EffectStep(ph, c, p, PhaseWrap::Modulo510);
    EXPECT_EQ(ph.SectionHStretchPhase, 4);

    ph.SectionHStretchPhase = 500;
    EffectStep(ph, c, p, PhaseWrap::ZeroAbove510);
    EXPECT_EQ(ph.SectionHStretchPhase, 510);
    ph.SectionHStretchPhase = 504;
    EffectStep(ph, c, p, PhaseWrap::ZeroAbove510);
    EXPECT_EQ(ph.SectionHStretchPhase, 0);

    // E == F: the V phase follows the H phase; G == H likewise; I and J never couple.
    p = {};
    p.E = p.F = 7;
    p.G = p.H = 3;
    p.I = p.J = 5;
    ph = {};
    ph.SectionVStretchPhase = 100;
    ph.SectionVRotatePhase = 100;
    ph.SectionVBouncePhase = 100;
    EffectStep(ph, c, p, PhaseWrap::Modulo510);
    EXPECT_EQ(ph.SectionVStretchPhase, ph.SectionHStretchPhase);
    EXPECT_EQ(ph.SectionVRotatePhase, ph.SectionHRotatePhase);
    EXPECT_EQ(ph.SectionVBouncePhase, 105);

    // Hand-written extremes: no overflow, results reduced as the step reduces them.
    p = {};
    p.C = std::numeric_limits<std::int32_t>::max();
    p.E = std::numeric_limits<std::int32_t>::max();
    p.N = std::numeric_limits<std::int32_t>::min();
    p.D = std::numeric_limits<std::int32_t>::max();
    ph = {};
    ph.SectionRotationPhase = 359;
    ph.SectionPointTotal = 10;
    ph.SectionSlowDrawPrefix = 5;
    EffectStep(ph, c, p, PhaseWrap::Modulo510);
    EXPECT_EQ(ph.SectionRotationPhase, static_cast<std::int32_t>((359LL + p.C) % 360));
    EXPECT_EQ(ph.SectionHStretchPhase, static_cast<std::int32_t>(std::int64_t{p.E} % 510));
    EXPECT_EQ(ph.SectionSlowDrawPrefix, 0);
    EXPECT_GE(ph.SectionColourCycle, 0);
}

TEST(EffectColours, EveryModeForBothSources)
{
    const std::uint8_t c = 40;  // a palette index whose device code is not its own value
    const std::uint8_t dev = DeviceColourCode(c);
    for (int k = 0; k <= 7; ++k) {
        EXPECT_EQ(ColourCode(k, c, 3, 5, ColourSource::PaletteIndex), k);
        EXPECT_EQ(ColourCode(k, 4, 3, 5, ColourSource::DeviceCode), k);
    }
    EXPECT_EQ(ColourCode(kColourAuto, c, 3, 5, ColourSource::PaletteIndex), dev);
    EXPECT_EQ(ColourCode(kColourAuto, 4, 3, 5, ColourSource::DeviceCode), 4);
    EXPECT_EQ(ColourCode(kColourRnd1, c, 3, 5, ColourSource::PaletteIndex), (dev + 3) % 7 + 1);
    EXPECT_EQ(ColourCode(kColourRnd1, 6, 3, 5, ColourSource::DeviceCode), (6 + 3) % 7 + 1);
    EXPECT_EQ(ColourCode(kColourRnd2, c, 3, 5, ColourSource::PaletteIndex), 4);
    EXPECT_EQ(ColourCode(kColourRnd3, c, 3, 5, ColourSource::PaletteIndex), 6);
    // Colour 0 stays dark in every mode; modes outside the table send dark.
    for (std::int32_t k : {0, 3, kColourAuto, kColourRnd1, kColourRnd2, kColourRnd3})
        EXPECT_EQ(ColourCode(k, 0, 3, 5, ColourSource::PaletteIndex), 0) << k;
    for (std::int32_t k : {8, 256, 261, -1, 263})
        EXPECT_EQ(ColourCode(k, c, 3, 5, ColourSource::PaletteIndex), 0) << k;

    EXPECT_EQ((std::vector<int>{PointFlags(0, 0, 0), PointFlags(1, 0, 1), PointFlags(0, 1, 0), PointFlags(0, 0, 2),
                                PointFlags(1, 1, 2), PointFlags(0, 0, -5)}),
              (std::vector<int>{0, 1, 1, 2, 3, 0}));
}

TEST(EffectTransform, GoldenValues)
{
    EffectParameters ep;
    EffectPhases ph;
    OutputGeometry g;
    const auto at = [&](const LoopOptions& options, int px, int py) {
        LaserPoint p;
        p.x = px;
        p.y = py;
        std::int32_t x = 0, y = 0;
        TransformPointReference(options, ep, ph, g, p, x, y);
        return std::pair{x, y};
    };
    using XY = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(at(kSectionRowOptions, 0, 0), XY(255, 255));  // (0, 0) plays at the far corner: x = 255 - 0
    ep.Q = 10;
    ep.R = -20;
    g.offsetX = 5;
    EXPECT_EQ(at(kSectionRowOptions, 0, 0), XY(240, 255));  // 255 - 10 - 5; 255 + 20, clamped
    g.mirrorX = true;  // back to 0, then -Q - offset: clamped at 0
    EXPECT_EQ(at(kSectionRowOptions, 0, 0).first, 0);

    // The preview adds what the loop subtracts, on the unturned point; size 40 doubles the distance from the centre.
    g = {};
    EXPECT_EQ(at(kSectionRowPreview, 100, 50), XY(110, 30));
    g.sizeX = 40;
    ep = {};
    EXPECT_EQ(at(kSectionRowPreview, 100, 50).first, 72);

    // Huge offsets saturate instead of overflowing.
    g = {};
    ep.Q = std::numeric_limits<std::int32_t>::max();
    ep.R = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(at(kSectionRowOptions, 100, 50), XY(0, 255));
    g.offsetX = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(at(kSectionRowPreview, 100, 50).first, 255);
}

TEST(EffectTransform, LoopAndPreviewMirrorThroughTheCentre)
{
    // Bounce, offsets and mirrors: the preview of a point lands where the loop's point, turned back, lands.
    EffectParameters ep;
    ep.I = 5;
    ep.J = 5;
    ep.Q = 7;
    ep.R = -9;
    EffectPhases ph;
    ph.SectionHBouncePhase = 40;
    ph.SectionVBouncePhase = 300;
    OutputGeometry g;
    g.mirrorY = true;
    for (int px : {20, 100, 200})
        for (int py : {30, 128, 240}) {
            LaserPoint p;
            p.x = px;
            p.y = py;
            std::int32_t lx = 0, ly = 0, vx = 0, vy = 0;
            TransformPointReference(kSectionRowOptions, ep, ph, g, p, lx, ly);
            TransformPointReference(kSectionRowPreview, ep, ph, g, p, vx, vy);
            EXPECT_NEAR(255 - lx, vx, 1) << px << "," << py;
            EXPECT_NEAR(255 - ly, vy, 1) << px << "," << py;
        }
}

TEST(EffectTransform, PreparedTransformIsBitIdenticalToThePerPointSteps)
{
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const LoopOptions presets[] = {kSectionRowOptions, kSectionDrawingOptions, kSectionRowPreview,
                                   kSectionDrawingPreview};
    // One transform per preset, prepared again each round: what it keeps from
    // one step to the next must follow the new parameters.
    PointTransform transforms[std::size(presets)];
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        EffectParameters ep;
        ep.C = pick(-2, 180);
        for (auto m : {&EffectParameters::E, &EffectParameters::F, &EffectParameters::G, &EffectParameters::H,
                       &EffectParameters::I, &EffectParameters::J})
            ep.*m = pick(0, 40);
        ep.L = round % 5 == 0 ? 20 : pick(-5, 45);
        ep.M = round % 3 == 0 ? 0 : pick(-400, 400);
        ep.Q = pick(-300, 300);
        ep.R = pick(-300, 300);
        EffectPhases ph;
        ph.SectionRotationPhase = pick(-359, 359);
        for (auto m : {&EffectPhases::SectionHStretchPhase, &EffectPhases::SectionVStretchPhase,
                       &EffectPhases::SectionHBouncePhase, &EffectPhases::SectionVBouncePhase})
            ph.*m = pick(-20, 520);
        ph.SectionHRotatePhase = pick(-255, 255);
        ph.SectionVRotatePhase = pick(-255, 255);
        OutputGeometry g;
        g.mirrorX = pick(0, 1);
        g.mirrorY = pick(0, 1);
        g.offsetX = pick(-100, 100);
        g.offsetY = pick(-100, 100);
        g.outputAngle = round % 4 == 0 ? 0 : pick(-720, 720);
        g.sizeX = pick(0, 40);
        g.sizeY = pick(0, 40);
        for (std::size_t preset = 0; preset < std::size(presets); ++preset) {
            const LoopOptions& options = presets[preset];
            PointTransform& t = transforms[preset];
            t.Prepare(options, ep, ph, g);
            for (int i = 0; i < 64; ++i) {
                LaserPoint p;
                p.x = i == 0 ? 128 : pick(-20, 300);
                p.y = i == 0 ? 128 : pick(-20, 300);
                if (i == 1) {  // hand-written files may hold anything
                    p.x = round % 2 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
                    p.y = -p.x / 3;
                }
                std::int32_t ax = 0, ay = 0, bx = 0, by = 0;
                t.Apply(p, ax, ay);
                TransformPointReference(options, ep, ph, g, p, bx, by);
                ASSERT_EQ(ax, bx) << "round " << round;
                ASSERT_EQ(ay, by) << "round " << round;
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 400 * 4 * 64);
}

using FrameAssembly = PlayStateTest;

TEST_F(FrameAssembly, SlowDrawFrameLengthsAndTheCap)
{
    const Drawing d = LineDrawing(100, 10, 50);
    EffectParameters ep = Params(50);  // a step every 561 points: most frames see none
    ep.D = 5;
    FrameBuilder b(kSectionRowOptions, [&] { return ep; });
    b.StartLoop();
    b.StartRun(d);
    // Lengths of frames that started and ended with the same prefix (a frame in which
    // the prefix passed the total and restarted is cut where it was).
    std::vector<std::size_t> lengths;
    for (int f = 0; f < 20000 && lengths.size() < 40; ++f) {
        const auto before = b.Phases().SectionSlowDrawPrefix;
        b.BuildFrame(d, nullptr, false);
        const auto after = b.Phases().SectionSlowDrawPrefix;
        const std::size_t n = b.Packet().PointCount();
        if (before == after && (lengths.empty() || lengths.back() != n))
            lengths.push_back(n);
    }
    std::vector<std::size_t> expected{100};
    for (std::size_t n = 1; n <= 96; n += 5)
        expected.push_back(n);
    expected.push_back(100);
    expected.push_back(1);
    lengths.resize(std::min(lengths.size(), expected.size()));
    EXPECT_EQ(lengths, expected);

    // More than a packet holds: the frame stops at 16,384 points.
    Drawing big;
    for (int i = 0; i < 5; ++i)
        big.push_back(LinePath(4000, 0, i));
    FrameBuilder c(kSectionRowOptions, [] { return EffectParameters{}; });
    c.StartRun(big);
    c.BuildFrame(big, nullptr, false);
    EXPECT_EQ(c.Packet().PointCount(), FramePacket::kMaxPoints);
}

TEST_F(FrameAssembly, Rnd3RunsThroughConsecutiveColoursFromTheCycle)
{
    const Drawing d = LineDrawing(9, 10, 50);
    EffectParameters ep;
    ep.K = kColourRnd3;
    ep.O = 1;
    FrameBuilder b(kSectionRowOptions, [&] { return ep; });
    b.StartRun(d);
    b.BuildFrame(d, nullptr, false);
    std::vector<int> codes, flags;
    const auto bytes = b.Packet().Bytes();
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        codes.push_back(bytes[i + 2]);
        flags.push_back(bytes[i + 3]);
    }
    EXPECT_EQ(codes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 1, 2}));
    EXPECT_EQ(flags, std::vector<int>(9, 1));
}

TEST_F(FrameAssembly, FreezeGivesIdenticalFramesAndAStopEndsAtAPath)
{
    Drawing d = LineDrawing(30, 10, 50);
    d.push_back(LinePath(30, 10, 60));
    d.push_back(LinePath(30, 10, 70));
    EffectParameters ep = Params(100);
    ep.C = 10;
    ep.K = kColourRnd2;
    ep.N = 40;
    FrameBuilder b(kSectionDrawingOptions, [&] { return ep; });
    b.StartRun(d);
    FreezePlay.store(1);
    b.BuildFrame(d, nullptr, false);
    const auto first = std::vector<std::uint8_t>(b.Packet().Bytes().begin(), b.Packet().Bytes().end());
    b.BuildFrame(d, nullptr, true);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), b.Packet().Bytes().begin(), b.Packet().Bytes().end()));
    FreezePlay.store(0);

    // A stop raised while the first path is built ends the pass before the second path;
    // without the path check (section rows) the frame is finished.
    const auto stopDuringFirstPath = [&](const LoopOptions& options, bool pathCheck) {
        StopRequested.store(0);
        int asked = 0;
        FrameBuilder s(options, [&] {
            if (++asked == 2)
                StopRequested.store(1);
            return ep;
        });
        s.StartRun(d);
        const FrameEnd end = s.BuildFrame(d, nullptr, pathCheck);
        return std::pair(end, s.Packet().PointCount());
    };
    EXPECT_EQ(stopDuringFirstPath(kSectionDrawingOptions, true), std::pair(FrameEnd::Stopped, std::size_t{30}));
    EXPECT_EQ(stopDuringFirstPath(kSectionRowOptions, false), std::pair(FrameEnd::Complete, std::size_t{90}));
}

TEST_F(FrameAssembly, ChangeCheckRaisesFrameChangedOnce)
{
    const Drawing d = LineDrawing(3, 10, 50);
    FrameBuilder b(kSectionRowOptions, [] { return EffectParameters{}; });
    b.ResetChangeCheck(false);
    b.ChangeCheck();
    EXPECT_EQ(FrameChanged.load(), 0);
    MirrorX.store(1);
    b.ChangeCheck();
    EXPECT_EQ(FrameChanged.load(), 1);
    EXPECT_EQ(LastMirrorX.load(), 1);
    FrameChanged.store(0);
    b.ChangeCheck();
    EXPECT_EQ(FrameChanged.load(), 0);
}
