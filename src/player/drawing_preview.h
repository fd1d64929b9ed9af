#pragma once
// A drawing file shown small: a black square picture of the drawing at half
// size, shown in a fixed box beside its point count.

#include "model/show_model.h"

#include <QImage>
#include <QWidget>

/// Side of the preview pictures in pixels (drawing space 0..255 at half size).
inline constexpr int kPreviewSize = 128;

/// Any thread. The drawing at half size on black (blank moves not drawn).
QImage DrawDrawingPreview(const Drawing& paths);

/// A box that shows one preview picture, unscaled, from its top-left corner.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. kPreviewSize square, black until a picture is set.
    explicit PreviewBox(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
