#pragma once
// Placing a window's captions and buttons where its layout puts them.

#include <QString>

#include <initializer_list>

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

/// GUI thread. Places the buttons left to right from `x`, `gap` apart, each as
/// wide as its glyph and caption need with room to both edges.
void PlaceButtonsInRow(std::initializer_list<TskButton*> buttons, int x, int gap);
