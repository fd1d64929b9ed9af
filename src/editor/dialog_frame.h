#pragma once
// The skinned frame the Draw window's dialogs share: a title bar with the
// caption and close and minimise buttons, a light panel, in each dialog's own look.

#include "skin/skin_color.h"
#include "skin/themes.h"

#include <QString>

class QLabel;
class QWidget;
class TskButton;
class TskForm;

/// A dialog's look: its frame's style and border colour. The edits placed on the
/// frame afterwards take the border colour too.
struct DialogLook {
    TskUIStyle style = TskUIStyle::Crystal;
    TColor borderColor = clBlack;
};

/// GUI thread. Frames host as a fixed dialog with this caption in `look`; returns the
/// frame (a child of host) on which the controls are placed.
TskForm* MakeDialogFrame(QWidget* host, const QString& caption, DialogLook look);

/// GUI thread. The y below the frame's title bar where controls start.
int DialogTop(TskForm& frame);

/// GUI thread. A plain caption named `name` at (x, y).
QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int x, int y);

/// GUI thread. A command button named `name` of the dialogs' common size at (x, y).
TskButton* DialogButton(QWidget* parent, const char* name, const QString& caption, int x, int y);
