#pragma once
// The pictures of a tool bar's buttons: equal-sized images picked by index,
// drawn keyed (transparent where the key colour was) and greyed when disabled.

#include <QImage>
#include <QRgb>

#include <vector>

class QPainter;

class ToolImageList {
public:
    /// An empty list of images of width x height pixels.
    explicit ToolImageList(int width = 16, int height = 16);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return int(m_images.size()); }
    /// Cuts the picture into images of the list's width, left to right (a
    /// partial last slice is dropped), each made transparent where it has the
    /// colour `key`. Returns the index of the first one added, -1 if none fit.
    int AddMasked(const QImage& picture, QRgb key);
    /// As AddMasked, keyed by the picture's top-left pixel.
    int Add(const QImage& picture);
    /// The image at index; a null image outside 0..Count()-1.
    QImage Image(int index) const;
    /// Draws image `index` at (x, y), greyed when not `enabled`; nothing for an index outside the list.
    void Draw(QPainter& canvas, int x, int y, int index, bool enabled) const;

private:
    struct Entry {
        QImage normal;
        mutable QImage greyed;  // made at the first disabled draw
    };
    int m_width;
    int m_height;
    std::vector<Entry> m_images;
};
