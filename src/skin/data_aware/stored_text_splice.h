#pragma once
// Puts an operator's edit back into a stored text that the control could not
// show exactly. A text view turns CR LF and lone CR into LF and a no-break
// space into a plain space; writing the view's text back would rewrite every
// such character the operator never touched. Only the changed middle of the
// shown text (after the common start and end) replaces the stored characters
// it was shown for.

#include <QString>

/// `shown` is what the control made of `stored`, `edited` what the operator
/// left in it. Returns `stored` with the edited span replaced; `edited` itself
/// when `shown` cannot be matched to `stored` character by character.
QString SpliceEdit(const QString& stored, const QString& shown, const QString& edited);
