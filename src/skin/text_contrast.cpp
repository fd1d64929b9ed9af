#include "skin/text_contrast.h"

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& from, const QColor& to, double t)
{
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

QColor BlackOrWhite(const LuminanceRange& background)
{
    const QColor black(Qt::black), white(Qt::white);
    return background.WorstContrast(black) >= background.WorstContrast(white) ? black : white;
}

}  // namespace

double RelativeLuminance(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

LuminanceRange LuminanceRange::Of(const QColor& c)
{
    const double l = RelativeLuminance(c);
    return {l, l, c, c};
}

LuminanceRange LuminanceRange::Of(const QImage& image, const QRect& area)
{
    LuminanceRange range;
    const QRect inside = area & image.rect();
    // Gradient rows repeat one colour along the row: work each run out once.
    QRgb last = 0;
    bool seen = false;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (seen && px == last)
                continue;
            seen = true;
            last = px;
            const double l = RelativeLuminance(QColor(px));
            if (l < range.low || !range.darkest.isValid()) {
                range.low = l;
                range.darkest = QColor(px);
            }
            if (l > range.high || !range.lightest.isValid()) {
                range.high = l;
                range.lightest = QColor(px);
            }
        }
    }
    return range;
}

double LuminanceRange::WorstContrast(const QColor& c) const
{
    if (IsEmpty())
        return 21.0;
    const double l = RelativeLuminance(c);
    if (l > high)
        return (l + 0.05) / (high + 0.05);
    if (l < low)
        return (low + 0.05) / (l + 0.05);
    return 1.0;
}

QColor ReadableOn(const QColor& preferred, const LuminanceRange& background, double least)
{
    if (background.WorstContrast(preferred) >= least)
        return preferred;
    return BlackOrWhite(background);
}

QColor NearestReadable(const QColor& preferred, const LuminanceRange& background, double least)
{
    if (background.WorstContrast(preferred) >= least)
        return preferred;
    constexpr int kSteps = 64;
    for (int step = 1; step <= kSteps; ++step) {
        const double t = double(step) / kSteps;
        const QColor darker = Mix(preferred, Qt::black, t);
        const QColor lighter = Mix(preferred, Qt::white, t);
        const bool darkReads = background.WorstContrast(darker) >= least;
        const bool lightReads = background.WorstContrast(lighter) >= least;
        if (darkReads && lightReads)
            return background.WorstContrast(darker) >= background.WorstContrast(lighter) ? darker : lighter;
        if (darkReads)
            return darker;
        if (lightReads)
            return lighter;
    }
    return BlackOrWhite(background);
}
