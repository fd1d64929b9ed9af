#pragma once
// The laser-specific icons no icon theme has, each drawn by its own recipe
// under a "zarn-" name, at any size.

#include <QImage>
#include <QString>

#include <vector>

/// The names that have a recipe, "zarn-program" (the program's mark) included.
std::vector<QString> IconRecipeNames();
/// Whether `name` has a recipe.
bool HasIconRecipe(const QString& name);
/// The icon drawn at size x size (ARGB32, transparent around the mark); a
/// null image for a name without a recipe.
QImage PaintIconRecipe(const QString& name, int size);
