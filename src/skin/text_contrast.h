#pragma once
// How well text reads on what it is drawn over: the WCAG relative luminance
// and contrast ratio, and the choice of a text colour that reaches a least
// contrast against a background of one colour or of many pixels.

#include <QColor>

class QImage;
class QRect;

/// Small captions must reach this contrast against what they sit on.
inline constexpr double kLeastTextContrast = 3.0;

/// 0 for black .. 1 for white (sRGB channels linearised, then weighted).
double RelativeLuminance(const QColor& c);
/// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

/// The luminances a background spans. Empty (low > high) when it has no pixel.
struct LuminanceRange {
    double low = 1.0;
    double high = 0.0;
    QColor darkest;   // a colour of luminance `low` (invalid when empty or made by hand)
    QColor lightest;  // a colour of luminance `high`

    bool IsEmpty() const { return low > high; }
    /// The range of a single colour.
    static LuminanceRange Of(const QColor& c);
    /// The range of the image's pixels inside `area` (clipped to the image).
    static LuminanceRange Of(const QImage& image, const QRect& area);
    /// The least contrast a colour has against any luminance of the range
    /// (1 when its own luminance lies inside; none to reach when empty: 21).
    double WorstContrast(const QColor& c) const;
};

/// `preferred` when it reaches `least` against the whole background;
/// otherwise black or white, whichever reads better.
QColor ReadableOn(const QColor& preferred, const LuminanceRange& background, double least = kLeastTextContrast);

/// `preferred` when it reaches `least` against the whole background;
/// otherwise the colour closest to it, on the way to black or to white, that
/// does (a dimmed caption stays as dim as it can); black or white, whichever
/// reads better, when neither way reaches.
QColor NearestReadable(const QColor& preferred, const LuminanceRange& background, double least = kLeastTextContrast);
