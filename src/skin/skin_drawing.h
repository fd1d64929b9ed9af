#pragma once
// Drawing and geometry routines shared by the skinned controls. Rectangles
// given as VclRect exclude their right and bottom edges, as the skinned
// controls' geometry is written; QRect arguments are ordinary Qt rectangles.

#include "skin/skin_color.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QObject;
class QPainter;
class QWidget;

/// A rectangle whose right and bottom edges lie just outside it: width is
/// right - left. An inverted rectangle is empty.
struct VclRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    /// The same pixels as a QRect; an empty QRect when IsEmpty().
    QRect ToQRect() const;
    /// The same pixels as the QRect.
    static VclRect FromQRect(const QRect& r);
    friend constexpr bool operator==(const VclRect&, const VclRect&) = default;
};

/// GUI thread, inside control's paintEvent. Paints the control's parent
/// (background and its own painting, not its other children) so that the
/// part behind the control shows. Nothing without a parent.
void DoTrans(QPainter& canvas, const QWidget& control);

/// Draws the picture over r: the four corners unscaled, the edges and centre
/// stretched from the picture's middle rows and columns. Corners are keyed
/// by magenta only when `transparent`; stretched pieces always are.
void SpitDraw(const QImage& picture, QPainter& canvas, const QRect& r, bool transparent);

/// Draws a picture of three equal parts: left cap at r's left, right cap
/// against r's right, the middle stretched between them. When `transparent`,
/// pixels of the picture's top-left colour are left out.
void SpitDrawHorizontal(const QImage& picture, QPainter& canvas, const QRect& r, bool transparent);

/// Repeats the picture from the canvas origin until r's width and height
/// are covered (one extra picture each way). An empty picture draws nothing.
void TileDraw(QPainter& canvas, const QImage& picture, const QRect& r);

/// GUI thread, inside a paint event. Frames `outer` one pixel wide in
/// `border` and the rectangle one pixel inside it in `inner` (system
/// colours are resolved first).
void DrawControlBorder(QPainter& canvas, const QRect& outer, TColor border, TColor inner);

/// Lets the parent show through the control: it no longer fills its
/// background nor claims to paint opaquely.
void SetWinControlTransparent(QWidget& control);

/// Turns the picture a quarter turn anticlockwise in place:
/// (x, y) goes to (y, W - 1 - x); width and height swap.
void RoundPicture(QImage& picture);
/// Turns the picture a quarter turn clockwise in place:
/// (x, y) goes to (H - 1 - y, x); width and height swap.
void RoundPicture3(QImage& picture);
/// Mirrors a square picture top to bottom in place: the pixel read at
/// (x = row index, y = column index) goes to (row index, W - 1 - column
/// index) of a picture with width and height swapped. Of a picture that is
/// not square only pixels inside it are read; the places whose source would
/// lie outside are left transparent (black where the format has no alpha).
void RoundPicture2(QImage& picture);

/// GUI thread. Masks the window to the bitmap's pixels that differ from
/// `transparent`: each row's runs of such pixels are one-pixel-high
/// rectangles of the mask; then the window repaints. A bitmap with no such
/// pixel shows nothing of the window.
void SetBitmapWindow(QWidget& window, const QImage& bitmap, TColor transparent);

/// True when the object's class declares a property of that name, in any
/// case (its meta-object's properties, inherited ones included); dynamic
/// properties set on the object do not count. False for a null object. The
/// skinned controls declare the properties they publish.
bool IsHasProperty(const QObject* object, const char* name);

/// A NUL-terminated UTF-8 text as a string; empty for an empty text or a null pointer.
inline QString PCharToStr(const char* text)
{
    return text && *text ? QString::fromUtf8(text) : QString();
}

/// True when left <= x <= right and top <= y <= bottom (all edges inclusive).
bool InRect(int x, int y, const VclRect& r);
/// As above, for a point.
bool InRect(QPoint p, const VclRect& r);

/// GUI thread. The desktop work area of the primary screen (empty offscreen
/// without a screen).
QRect GetWorkAreaRect();

/// GUI thread. Moves the control's top-left corner to p.
void PlaceControl(QWidget& control, QPoint p);
/// GUI thread. Left, top, width = right - left, height = bottom - top.
void PlaceControl(QWidget& control, const VclRect& r);
