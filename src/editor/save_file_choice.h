#pragma once
// Asking the operator for a file to save to: the dialog, the default
// extension when none was typed, and the question before replacing a file.

#include <QString>

class Dialogs;
class QWidget;

/// GUI thread. The file to save to, or an empty string when the operator cancelled the
/// dialog, typed a name the new-file rule refuses (the reason shown in a message box) or
/// declined to replace an existing file. `extension` (without dot) is added to
/// a name typed without one.
QString ChooseSaveFile(Dialogs& dialogs, QWidget* parent, const QString& caption, const QString& folder,
                       const QString& filter, const QString& extension);

/// The name of a path without its folder.
QString FileNameOnly(const QString& path);
