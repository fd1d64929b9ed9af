#pragma once
// The colours each look paints its pictures in, taken from its theme table
// where the table has them and chosen to match where it has not.

#include "skin/themes.h"

#include <QColor>

struct ArtPalette {
    QColor back;         // control background (element 9)
    QColor border;       // outline of faces and boxes
    QColor accent;       // selection colour (element 11)
    QColor faceTop;      // push-button gradient
    QColor faceBottom;
    QColor hot;          // outline of a face under the mouse
    QColor mark;         // ticks, dots and arrows
    QColor titleTop;     // caption bar gradient
    QColor titleBottom;
    QColor titleEdge;    // caption bar outline
    QColor titleGlyph;   // caption button symbols
    QColor closeFace;    // caption close button, when it has its own colour
    QColor track;        // track bar background (element 79)
    QColor scroll;       // scroll bar track (element 84)
    qreal radius = 3;    // corner radius of faces
    bool glossy = false; // a highlight over the upper half of faces
};

/// The palette of a built-in look (Navy's for anything else).
ArtPalette PaletteOf(TskUIStyle style);

/// The colour of a theme colour element.
QColor ThemeQColor(TskUIStyle style, int index);

/// a mixed towards b by t (0..1).
QColor Mix(const QColor& a, const QColor& b, qreal t);
