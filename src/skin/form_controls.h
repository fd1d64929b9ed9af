#pragma once
// Placing a window's captions and buttons where its layout puts them.

#include <QString>

class QLabel;
class QWidget;
class TskButton;

/// GUI thread. A label child of `parent` named `name` (none when null) showing
/// `text` at (x, y); a width above 0 fixes its width.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 0);

/// GUI thread. A skinned button child of `parent` named `name` with the caption and,
/// when `icon` is not null, that icon's 16-pixel picture as its glyph.
TskButton* AddButton(QWidget* parent, const char* name, const QString& caption, const char* icon, int x, int y,
                     int width, int height = 26);
