#pragma once
// The rule every window applies to a name the operator types for a new show
// file: the name becomes part of a path and, for drawings, a field of a
// section or sequence line, so it may not leave its folder or break a line.

#include <QString>

#include <optional>

/// Any thread. Why the (already trimmed) name cannot name a new file, or
/// nullopt when it can: empty, "/", a backslash, "..", "|", a line break or
/// another control character.
std::optional<QString> NewFileNameProblem(const QString& name);
