// What the find dialog looks for and where, without a window: a cell matches when it
// contains the text (character by character, so a trail byte never starts a match), and
// rows are tried from the top, after the current row, or backwards before it.
#pragma once

#include <cstddef>

#include "common/GridText.h"

namespace dataview {

enum class FindDirection { FromTop, Next, Previous };

struct FindQuery {
    const char* text = "";
    bool ignoreCase = false;    // single-byte letters only; double-byte characters never fold
    int column = -1;            // the one column searched; -1: every column from firstColumn on
    int firstColumn = 0;        // a whole-grid search skips the window's own columns before it
};

struct FindHit {
    int row = -1;
    int column = -1;
    bool Found() const { return row >= 0; }
};

bool CellContains(const char* cell, size_t cellLength, const char* text, size_t textLength, bool ignoreCase);

// The first matching cell in the direction's order. currentRow -1 means none: "next" then
// starts at the first row and "previous" at the last. The search stops at the grid's end
// (or its top) instead of wrapping, so "not found" really means nowhere in that direction.
FindHit FindInGrid(const GridTextSource& grid, const FindQuery& query, FindDirection direction, int currentRow);

}  // namespace dataview
