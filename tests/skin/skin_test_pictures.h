#pragma once
// Pictures the skin tests paint with, and a count of the pixels a control drew.

#include "skin/text_contrast.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>
#include <initializer_list>
#include <vector>

namespace skin_test {

inline QImage Solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

/// The colours at the given points, to compare a whole row of pixels at once.
inline std::vector<QColor> PixelsAt(const QImage& img, std::initializer_list<QPoint> at)
{
    std::vector<QColor> out;
    for (QPoint p : at)
        out.push_back(img.pixelColor(p));
    return out;
}

inline int CountPixels(const QImage& img, const std::function<bool(QColor)>& pred)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}

/// A text found by comparing a picture with the same picture without it.
struct DrawnText {
    QColor colour;  // the changed pixel that stands out most from what was under it: the pen
    QRect box;      // round every changed pixel
    int pixels = 0;
};

/// The text drawn into `with` over `without`, looking only inside `area` (all when null).
inline DrawnText TextBetween(const QImage& without, const QImage& with, QRect area = {})
{
    DrawnText text;
    double best = 0.0;
    if (area.isNull())
        area = with.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor under = without.pixelColor(x, y), drawn = with.pixelColor(x, y);
            if (under == drawn)
                continue;
            ++text.pixels;
            text.box |= QRect(x, y, 1, 1);
            if (const double c = ContrastRatio(drawn, under); c > best) {
                best = c;
                text.colour = drawn;
            }
        }
    }
    return text;
}

}  // namespace skin_test
