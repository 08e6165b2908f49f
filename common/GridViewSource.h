// A GridView read as a GridTextSource, so the window-free writers and search rules work on
// the grids of the windows.
#pragma once

#include <commctrl.h>

#include "GridText.h"
#include "GridView.h"

class GridViewSource : public GridTextSource {
public:
    explicit GridViewSource(const GridView& grid) : grid_(grid) {}
    int ColumnCount() const override { return grid_.ColumnCount(); }
    int RowCount() const override { return grid_.RowCount(); }
    void ColumnTitle(int column, VornString& out) const override { out = grid_.ColumnTitle(column); }
    void CellText(int row, int column, VornString& out) const override { grid_.GetCellText(row, column, out); }
    void AppendCellText(int row, int column, VornString& target) const override
    {
        grid_.AppendCellText(row, column, target);
    }
    bool IsRowSelected(int row) const override
    {
        return ListView_GetItemState(grid_.ListHandle(), row, LVIS_SELECTED) != 0;
    }

private:
    const GridView& grid_;
};
