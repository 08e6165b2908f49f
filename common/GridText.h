// The grid's text rules without a window: export in every mode and the sort comparison.
#pragma once

#include "VornString.h"

// What an export reads from a grid.
class GridTextSource {
public:
    virtual ~GridTextSource() = default;
    virtual int ColumnCount() const = 0;
    virtual int RowCount() const = 0;
    virtual void ColumnTitle(int column, VornString& out) const = 0;
    virtual void CellText(int row, int column, VornString& out) const = 0;
    // Adds the cell's text to the end of target; a source that holds its cells overrides
    // it to save the copy through a scratch string for every cell of a large export.
    virtual void AppendCellText(int row, int column, VornString& target) const
    {
        VornString cell;
        CellText(row, column, cell);
        target.Append(cell.Text(), cell.Length());
    }
    virtual bool IsRowSelected(int row) const = 0;
};

// Modes 0-3 (tab, comma, backslash, HTML) into target; 100-102 the header alone;
// 1000-1003 as 0-3 into the file whose path target holds. False when the file cannot be
// written or the mode is unknown.
bool ExportGridText(const GridTextSource& source, int firstColumn, bool selectedOnly,
                    bool withHeader, int mode, VornString& target);

// Sort order of two cells: right-aligned columns by their integer values (by text when
// both are 0), others by text ignoring case; negated when descending.
int CompareGridCells(const char* a, const char* b, bool rightAligned, bool descending);
