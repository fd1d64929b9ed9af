#pragma once
// Pictures the skin tests paint with, and a count of the pixels a control drew.

#include <QColor>
#include <QImage>

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

}  // namespace skin_test
