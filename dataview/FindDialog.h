// The find dialog over a grid of the main window or the data view: a text, "先頭から検索",
// "次を検索", "前を検索" and "大文字小文字を区別しない". A hit selects its row, scrolls the
// cell into view and makes the row the grid's current row.
#pragma once

#include <windows.h>

#include "common/GridView.h"

struct FindRequest {
    const char* caption = "";   // "表定義・Free SQL ビュー内の検索", "データビュー内の検索", or heading + " の検索"
    int column = -1;            // the column searched (mode 0); -1: every column (mode 1)
    int firstColumn = 0;        // a whole-grid search skips the columns before this one (the data view passes 2)
};

// Modal over owner; 1 when the dialog was closed after a hit, else 0.
int RunFindDialog(HWND owner, GridView& grid, const FindRequest& request);

// "この列の検索": the grid's clicked column, captioned heading + " の検索"; without a clicked
// column "対象となるカラムがありません" instead. Returns what the dialog returned (0 after
// the message).
int FindInClickedColumn(HWND owner, GridView& grid);
// "ビュー内の検索": every column from firstColumn on; an empty grid gives
// "対象となるデータがビューに表示されていません" instead.
int FindInWholeGrid(HWND owner, GridView& grid, const char* caption, int firstColumn);
