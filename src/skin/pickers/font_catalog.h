#pragma once
// The installed font families as the font pickers list them, behind an
// interface so that tests can offer a fixed set.

#include <QString>

#include <memory>
#include <vector>

struct FontFamilyInfo {
    QString family;
    bool scalable = true;     // an outline font (TrueType or CFF)
    bool fixedPitch = false;
    bool symbol = false;      // a symbol font without ordinary letters
    bool latin = true;        // carries the Latin (ANSI) letters
    std::vector<int> pixelSizes;  // em heights of a bitmap font's faces, in pixels
};

class FontCatalog {
public:
    virtual ~FontCatalog() = default;
    /// GUI thread. Every family once, in no particular order.
    virtual std::vector<FontFamilyInfo> Families() const = 0;
};

/// A family's name without the " [foundry]" Qt adds when several foundries
/// make a family of that name.
QString PlainFamilyName(const QString& family);

/// GUI thread. The desktop's families as fontconfig offers them through Qt,
/// each once by its plain name.
std::shared_ptr<const FontCatalog> SystemFontCatalog();
