#pragma once
// A drawing file shown small: a black square picture of the drawing at half
// size, shown in a fixed box beside its point count. A box smaller than the
// picture shows all of it, averaged down, so no one-pixel line drops out.

#include "model/show_model.h"

#include <QImage>
#include <QWidget>

class ElidingLabel;
class QLabel;
struct DrawingThumbnail;

/// Side of the preview pictures in pixels (drawing space 0..255 at half size).
inline constexpr int kPreviewSize = 128;

/// Any thread. The drawing at half size on black (blank moves not drawn).
QImage DrawDrawingPreview(const Drawing& paths);

/// A box that shows one preview picture: unscaled when it has the box's
/// size, else the whole picture scaled to the box with area averaging.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. A fixed square of `side` pixels, black until a picture is set.
    explicit PreviewBox(QWidget* parent = nullptr, int side = kPreviewSize);
    void SetPicture(const QImage& picture);
    /// The picture as given.
    const QImage& Picture() const { return m_picture; }
    /// What the box paints: the picture at the box's size.
    const QImage& Shown() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QImage m_shown;
};

/// The largest point count a thumbnail's count label shows whole.
inline constexpr int kWholePointCount = 99999;

/// GUI thread. The label beside a thumbnail that shows its point count, `width` wide:
/// counts up to kWholePointCount show whole (in a smaller font where the room asks
/// for it), larger ones are cut with "..." and show whole on hover.
ElidingLabel* AddPointCountLabel(QWidget* parent, const char* name, int x, int y, int width);

/// GUI thread. Shows `thumbnail` in `box` and its point count in `count`; a
/// read that failed says why in `message`.
void ShowDrawingThumbnail(const DrawingThumbnail& thumbnail, PreviewBox& box, QLabel& count, QLabel& message);
