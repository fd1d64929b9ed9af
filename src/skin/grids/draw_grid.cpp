#include "skin/grids/draw_grid.h"

TskCustomDrawGrid::TskCustomDrawGrid(QWidget* parent) : TskCustomGrid(parent)
{
    SetFocusedColor(0x008000);
    SetSelectedColor(0x00FFFF);
}
