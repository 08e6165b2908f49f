#include "FindRules.h"

#include <cstring>

#include "common/SjisText.h"

namespace dataview {

namespace {

int StartRow(FindDirection direction, int currentRow, int rows)
{
    switch (direction) {
    case FindDirection::FromTop:
        return 0;
    case FindDirection::Next:
        return currentRow < 0 ? 0 : currentRow + 1;
    case FindDirection::Previous:
    default:
        return (currentRow < 0 || currentRow > rows) ? rows - 1 : currentRow - 1;
    }
}

}  // namespace

bool CellContains(const char* cell, size_t cellLength, const char* text, size_t textLength, bool ignoreCase)
{
    return sjis::Find(cell, cellLength, text, textLength, ignoreCase) >= 0;
}

FindHit FindInGrid(const GridTextSource& grid, const FindQuery& query, FindDirection direction, int currentRow)
{
    const size_t textLength = query.text ? std::strlen(query.text) : 0;
    const int rows = grid.RowCount();
    const int columns = grid.ColumnCount();
    int first = query.column >= 0 ? query.column : (query.firstColumn > 0 ? query.firstColumn : 0);
    int last = query.column >= 0 ? query.column : columns - 1;
    if (textLength == 0 || first >= columns)
        return FindHit();
    const int step = direction == FindDirection::Previous ? -1 : 1;
    VornString cell;
    for (int row = StartRow(direction, currentRow, rows); row >= 0 && row < rows; row += step) {
        for (int column = first; column <= last; ++column) {
            grid.CellText(row, column, cell);
            if (CellContains(cell.Text(), cell.Length(), query.text, textLength, query.ignoreCase))
                return FindHit{row, column};
        }
    }
    return FindHit();
}

}  // namespace dataview
