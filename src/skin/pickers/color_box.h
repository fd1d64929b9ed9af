#pragma once
// A picker of the named colours (16 standard, 4 extended, the desktop's
// system colours, then None and Default), each item with a swatch, and an
// optional "Other..." entry that holds a colour chosen in a colour dialog.

#include "skin/combo_box.h"

#include <functional>
#include <optional>
#include <vector>

/// Bit i of a TColorBoxStyles set is value i.
enum TColorBoxStyle : std::uint8_t {
    cbStandardColors = 1u << 0,
    cbExtendedColors = 1u << 1,
    cbSystemColors = 1u << 2,
    cbIncludeNone = 1u << 3,
    cbIncludeDefault = 1u << 4,
    cbCustomColor = 1u << 5,
    cbPrettyNames = 1u << 6,
};
using TColorBoxStyles = std::uint8_t;

/// What Selected reads when no item is chosen.
inline constexpr TColor kNoColor = 0xFF000000u;

struct NamedColor {
    const char* name;  // "clMoneyGreen"
    TColor color;
};
/// The colour table in its order: 0..15 standard, 16..19 extended, then the
/// system colours, then clNone and clDefault (the last two).
const std::vector<NamedColor>& ColorTable();
/// "clMoneyGreen" -> "Money Green": no "cl", a space before every further capital.
QString PrettyColorName(const QString& identifier);

class TskCustomColorBox : public TskCustomComboBox {
    Q_OBJECT
public:
    /// GUI thread. Standard, extended and system colours, black selected.
    explicit TskCustomColorBox(QWidget* parent = nullptr);

    TColorBoxStyles Style() const { return m_style; }
    /// Stores, enables the box only when it lists colours (or the custom
    /// entry), lists again, and selects the first item when none is.
    void SetStyle(TColorBoxStyles style);
    /// The chosen colour; kNoColor when nothing is chosen.
    TColor Selected() const;
    /// Selects the item of that colour; else the custom entry takes it (with
    /// cbCustomColor); else nothing is selected. Raises no OnChange.
    void SetSelected(TColor color);
    TColor DefaultColorColor() const { return m_defaultColorColor; }
    /// The swatch shown for the Default entry; repaints.
    void SetDefaultColorColor(TColor color);
    TColor NoneColorColor() const { return m_noneColorColor; }
    /// The swatch shown for the None entry; repaints.
    void SetNoneColorColor(TColor color);
    /// The colour of item i.
    TColor ItemColor(int i) const;
    /// Replaces the colour dialog: given the current custom colour, the
    /// chosen one or nothing for Cancel.
    void SetColorDialog(std::function<std::optional<TColor>(TColor)> dialog) { m_colorDialog = std::move(dialog); }
    void showPopup() override;
    /// Closing the list marks the coming choice as made in the list.
    void hidePopup() override;
    /// Renders item i into an image of that size, as the list draws it.
    QImage RenderItem(int i, QSize size, bool selected) const;

signals:
    /// The user chose a colour (after a custom colour was accepted).
    void OnSelect();

protected:
    /// Asks for a custom colour (the colour dialog, preset to the custom
    /// entry's colour); true when one was chosen and stored in the entry.
    virtual bool PickCustomColor();
    void PopulateList();
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UserActivated(int index);
    void DrawItem(QPainter& p, const QRect& r, int index, bool selected) const;
    friend class ColorItemDelegate;

    TColorBoxStyles m_style = cbStandardColors | cbExtendedColors | cbSystemColors;
    TColor m_defaultColorColor = clBlack;
    TColor m_noneColorColor = clBlack;
    TColor m_selected = clBlack;
    int m_lastIndex = -1;  // the selection before the list changed it
    // The choice came from the dropped list (or Enter), not from arrowing
    // through the closed box: only then does "Other..." ask for a colour.
    bool m_listSelected = false;
    std::function<std::optional<TColor>(TColor)> m_colorDialog;
};

class TskColorBox : public TskCustomColorBox {
    Q_OBJECT
public:
    explicit TskColorBox(QWidget* parent = nullptr) : TskCustomColorBox(parent) {}
};
