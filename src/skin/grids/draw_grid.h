#pragma once
// The skinned draw grid: a grid without data of its own, whose cells the
// program paints in OnDrawCell.

#include "skin/grids/custom_grid.h"

class TskCustomDrawGrid : public TskCustomGrid {
    Q_OBJECT
public:
    /// GUI thread. A 5 x 5 grid; the current cell is green while focused.
    explicit TskCustomDrawGrid(QWidget* parent = nullptr);
};

class TskDrawGrid : public TskCustomDrawGrid {
    Q_OBJECT
public:
    /// GUI thread. As TskCustomDrawGrid.
    explicit TskDrawGrid(QWidget* parent = nullptr) : TskCustomDrawGrid(parent) {}
};
