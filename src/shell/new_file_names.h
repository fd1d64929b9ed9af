#pragma once
// The rule every window applies to a name the operator types for a new show
// file: the name becomes part of a path and, for drawings, a field of a
// section or sequence line, so it may not leave its folder or break a line.

#include <QString>

#include <optional>

class Dialogs;
class QLabel;
class QWidget;

/// Any thread. Why the (already trimmed) name cannot name a new file, or
/// nullopt when it can: empty, "/", a backslash, "..", "|", a line break or
/// another control character.
std::optional<QString> NewFileNameProblem(const QString& name);

/// GUI thread. Asks for a new file's name: the trimmed name, or nullopt when
/// the operator cancels or types nothing, or when the rule refuses the name
/// (the reason then shown in `status`).
std::optional<QString> AskNewFileName(Dialogs& dialogs, QWidget* parent, const QString& title,
                                      const QString& label, QLabel& status);
