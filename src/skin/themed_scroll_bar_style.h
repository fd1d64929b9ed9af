#pragma once
// Qt's own scroll bars, drawn in a theme's colours: the memo and the list box
// keep their built-in bars and give them this look.

#include "skin/themes.h"

#include <QProxyStyle>

class ThemedScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    /// Width of a vertical bar (height of a horizontal one), as the skinned bars.
    static constexpr int kExtent = 16;
    /// Shortest thumb, as the skinned bars.
    static constexpr int kMinThumb = 18;

    /// GUI thread. A built-in look; Custom is drawn as Navy.
    explicit ThemedScrollBarStyle(TskUIStyle look);

    TskUIStyle Look() const { return m_look; }
    /// Groove colour (theme element 84).
    TColor GrooveColor() const;
    /// Arrow buttons and thumb (theme element 74).
    TColor FaceColor() const;
    /// Frames and arrows (theme element 8).
    TColor LineColor() const;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

private:
    TskUIStyle m_look;
};

/// GUI thread. The shared style of that look (Custom gives Navy's), owned by
/// the application object.
ThemedScrollBarStyle* ScrollBarStyleFor(TskUIStyle look);

class QAbstractScrollArea;
/// GUI thread. Gives both scroll bars of the area the look.
void ApplyScrollBarLook(QAbstractScrollArea& area, TskUIStyle look);
