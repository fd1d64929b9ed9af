#pragma once
// The Draw window's palette grid (skDrawGrid1, 4 columns of 64 palette
// colours) and its colour display; choosing a cell sets the colour of new points.

#include "editor/draw_panel_hooks.h"

#include <QWidget>

#include <array>

class DrawDocument;
class QLabel;
class QPainter;
class QRect;
class TskDrawGrid;
class WindowRegistry;

class PaletteGridPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 150;
    static constexpr int kMinimumHeight = 130;

    /// GUI thread. The grid's current cell is the document's CurrentColor.
    PaletteGridPanel(WindowRegistry& windows, DrawDocument& document, DrawPanelHooks hooks, QWidget* parent = nullptr);

    /// The grid's cells: each is filled with the palette colour it stands for.
    void skDrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect) const;
    /// A cell chosen on the grid: its palette colour becomes the current one.
    void skDrawGrid1SelectCell(int col, int row);
    /// skDrawGrid1SelectCell, and the pick-colour tool: CurrentColor and the display take palette index `index`.
    void ChoosePaletteIndex(int index);
    /// The pick-colour tool: the grid's current cell moves to `index` (scrolled into
    /// view, no selection event), then as ChoosePaletteIndex.
    void ShowPaletteIndex(int index);

    TskDrawGrid* Grid() const { return m_grid; }
    /// "R", "G", "B", "ColorIndex": the colour display's texts.
    QString LabelText(const char* which) const;
    /// Panel1's colour.
    QColor SwatchColour() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    DrawDocument& m_document;
    DrawPanelHooks m_hooks;
    QLabel* m_caption = nullptr;
    std::array<QLabel*, 4> m_captions{};
    TskDrawGrid* m_grid = nullptr;
    QLabel* m_label13 = nullptr;
    QLabel* m_label22 = nullptr;
    QLabel* m_label24 = nullptr;
    QLabel* m_label34 = nullptr;
    QWidget* m_panel1 = nullptr;
};
