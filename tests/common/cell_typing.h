#pragma once
// Typing into a grid cell as the operator does: a double click opens the cell's
// editor, the keys replace its text, and nothing ends the edit (no Enter).

#include "skin/grids/custom_grid.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

inline void TypeIntoCell(TskCustomGrid& grid, int col, int row, const QString& text)
{
    const QPoint at = grid.CellRect(col, row).center();
    ASSERT_FALSE(at.isNull()) << "cell " << col << "," << row << " is not shown";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(grid.EditorMode());
    QTest::keyClicks(grid.InplaceEditor(), text);
}
