// The clipboard copies of the main window's table list and definition view, and the
// helpers the data view uses for its own copies. Every copy puts "\r\n" line ends on the
// clipboard; a copy with nothing to copy leaves the clipboard as it was.
#pragma once

#include <windows.h>

#include <functional>

#include "common/GridView.h"
#include "common/StatusBar.h"
#include "common/VornString.h"

struct MainCopyContext {
    GridView* tableList = nullptr;
    GridView* definitionView = nullptr;
    bool definitionShowsFreeSql = false;
    HWND owner = nullptr;
    StatusBar* status = nullptr;
    std::function<void(const char*)> toCommandArea;
    std::function<void(const char*)> toNotepad;
};

// True when id is a copy command (handled, whether or not anything was copied).
bool RunMainCopyCommand(UINT id, const MainCopyContext& context);

// The grid's last clicked column, or -1 when it lies outside the grid's columns.
int ClickedColumn(const GridView& grid);

// Rows from firstColumn on, all or the selected ones, with or without the headings, in
// kExportTab, kExportComma or kExportHtml; false (clipboard untouched) when no row is copied.
bool CopyGridRows(const GridView& grid, int firstColumn, bool selectedOnly, bool withHeadings, int mode);
// The headings from firstColumn on in kExportHeaderTab, kExportHeaderComma or kExportHeaderLines.
bool CopyGridHeadings(const GridView& grid, int firstColumn, int mode);

// The column's cells, all or of the selected rows, with the heading first when asked; each
// followed by "\n" when lineEnds, else separated by separator.
VornString JoinColumn(const GridView& grid, int column, bool selectedOnly, bool withHeading,
                      const char* separator, bool lineEnds);

// The clicked cell, or the clicked column's heading; the status shows
// "【text】 がクリップボードにコピーされました". status may be null.
bool CopyClickedCell(const GridView& grid, StatusBar* status);
bool CopyClickedHeading(const GridView& grid, StatusBar* status);
// The clicked column's values, one per line: every row ("【heading】 列の全てのデータが…")
// or the selected rows ("【heading】 列の選択されたデータが…").
bool CopyClickedColumn(const GridView& grid, bool selectedOnly, bool withHeading, StatusBar* status);
