#pragma once
// The font a Font button takes from the font dialog. Families name their
// faces differently ("Regular", "Book", "Roman"). When the operator picks a new
// family, the dialog keeps the previous face's style name if the family has
// it, else offers the family's first face, which may be slanted or bold. That
// first face is no choice of the operator's: the face of the previous weight
// and slant is taken in its place.

#include <QFont>

/// GUI thread. `chosen`, unless it is the face the dialog falls back to in a new
/// family (its first, the previous style name not being there); then the new
/// family's face of the previous weight and slant when it has one.
QFont ChosenFontKeepingFace(const QFont& previous, const QFont& chosen);

/// GUI thread. The font to open the font dialog on: `font` when its family (as
/// the dialog names it, perhaps with a foundry) is the face in use, else the
/// face in use (an alias such as "Arial" is not in the dialog's list).
QFont FontToOffer(const QFont& font, const QString& familyInUse);
