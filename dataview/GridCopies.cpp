#include "GridCopies.h"

#include "common/Clipboard.h"
#include "resources/resource.h"

namespace {

const char kCopiedFormat[] = "【%s】 がクリップボードにコピーされました";
const char kWholeColumnFormat[] = "【%s】 列の全てのデータがクリップボードにコピーされました";
const char kSelectedColumnFormat[] = "【%s】 列の選択されたデータがクリップボードにコピーされました";

// Copies of whole rows: which grid, which rows, and the export mode.
struct RowCopy {
    UINT id;
    bool tableList;
    bool selectedOnly;
    bool withHeadings;
    int mode;
};

const RowCopy kRowCopies[] = {
    {IDM_COPY_TABLE_LIST, true, false, true, kExportTab},
    {IDM_COPY_TABLE_LIST_HTML, true, false, true, kExportHtml},
    {IDM_COPY_DEFINITION_TAB, false, false, true, kExportTab},
    {IDM_COPY_DEFINITION_COMMA, false, false, true, kExportComma},
    {IDM_COPY_DEFINITION_HTML, false, false, true, kExportHtml},
    {IDM_COPY_SELECTED_TAB, false, true, false, kExportTab},
    {IDM_COPY_SELECTED_COMMA, false, true, false, kExportComma},
    {IDM_COPY_SELECTED_WITH_HEADINGS_TAB, false, true, true, kExportTab},
    {IDM_COPY_SELECTED_WITH_HEADINGS_COMMA, false, true, true, kExportComma},
};

struct SeparatorCopy {
    UINT id;
    int mode;                // the headings' export mode
    const char* separator;   // between the definition's column names
};

const SeparatorCopy kHeadingCopies[] = {
    {IDM_COPY_HEADINGS_COMMA, kExportHeaderComma, nullptr},
    {IDM_COPY_HEADINGS_TAB, kExportHeaderTab, nullptr},
    {IDM_COPY_HEADINGS_LINES, kExportHeaderLines, nullptr},
};

const SeparatorCopy kColumnNameCopies[] = {
    {IDM_COPY_COLUMN_NAMES_COMMA, 0, ","},
    {IDM_COPY_COLUMN_NAMES_TAB, 0, "\t"},
    {IDM_COPY_COLUMN_NAMES_LINES, 0, "\n"},
};

// The definition view's column 1 holds the column names while it shows a table definition.
const int kNameColumn = 1;

bool HasRows(const GridView& grid, bool selectedOnly)
{
    return selectedOnly ? grid.NextSelectedRow(-1) >= 0 : grid.RowCount() > 0;
}

bool PutText(const GridView& grid, const VornString& text)
{
    return PutClipboardTextCrLf(grid.ListHandle(), text.Text(), text.Length());
}

void Report(StatusBar* status, const char* format, const char* text)
{
    if (!status)
        return;
    VornString message;
    message.Format(format, text);
    status->SetSimpleText(message);
}

bool CopyColumn(const GridView& grid, int column, bool selectedOnly, bool withHeading)
{
    if (column < 0 || column >= grid.ColumnCount() || !HasRows(grid, selectedOnly))
        return false;
    return PutText(grid, JoinColumn(grid, column, selectedOnly, withHeading, nullptr, true));
}

bool CopyJoinedColumn(const GridView& grid, int column, const char* separator)
{
    if (column >= grid.ColumnCount() || grid.RowCount() == 0)
        return false;
    return PutText(grid, JoinColumn(grid, column, false, false, separator, false));
}

// The clicked column's values with "\r\n" line ends, for an edit control; empty when none.
VornString ClickedColumnLines(const GridView& grid)
{
    int column = ClickedColumn(grid);
    if (column < 0 || grid.RowCount() == 0)
        return VornString();
    VornString text = JoinColumn(grid, column, false, false, nullptr, true);
    text.ReplaceAll("\n", "\r\n");
    return text;
}

bool RunTableCommand(UINT id, const MainCopyContext& context)
{
    for (const RowCopy& copy : kRowCopies) {
        if (copy.id == id) {
            GridView* grid = copy.tableList ? context.tableList : context.definitionView;
            CopyGridRows(*grid, 0, copy.selectedOnly, copy.withHeadings, copy.mode);
            return true;
        }
    }
    for (const SeparatorCopy& copy : kHeadingCopies) {
        if (copy.id == id) {
            CopyGridHeadings(*context.definitionView, 0, copy.mode);
            return true;
        }
    }
    for (const SeparatorCopy& copy : kColumnNameCopies) {
        if (copy.id == id) {
            if (!context.definitionShowsFreeSql)
                CopyJoinedColumn(*context.definitionView, kNameColumn, copy.separator);
            return true;
        }
    }
    return false;
}

bool RunColumnCommand(UINT id, const MainCopyContext& context)
{
    const GridView& view = *context.definitionView;
    switch (id) {
    case IDM_COPY_ALL_TABLE_NAMES:
    case IDM_COPY_SELECTED_TABLE_NAMES:
        CopyColumn(*context.tableList, kNameColumn, id == IDM_COPY_SELECTED_TABLE_NAMES, false);
        return true;
    case IDM_COPY_CELL:
        CopyClickedCell(view, context.status);
        return true;
    case IDM_COPY_COLUMN_TITLE:
        CopyClickedHeading(view, context.status);
        return true;
    case IDM_COPY_WHOLE_COLUMN:
        CopyClickedColumn(view, false, false, context.status);
        return true;
    case IDM_COPY_COLUMN_SELECTED:
    case IDM_COPY_COLUMN_SELECTED_WITH_HEADING:
        CopyClickedColumn(view, true, id == IDM_COPY_COLUMN_SELECTED_WITH_HEADING, context.status);
        return true;
    case IDM_COLUMN_TO_COMMAND_AREA:
    case IDM_COLUMN_TO_NOTEPAD: {
        VornString lines = ClickedColumnLines(view);
        const auto& target = id == IDM_COLUMN_TO_COMMAND_AREA ? context.toCommandArea : context.toNotepad;
        if (!lines.IsEmpty() && target)
            target(lines);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

bool RunMainCopyCommand(UINT id, const MainCopyContext& context)
{
    if (!context.tableList || !context.definitionView)
        return false;
    return RunTableCommand(id, context) || RunColumnCommand(id, context);
}

int ClickedColumn(const GridView& grid)
{
    int column = grid.LastColumn();
    return column >= 0 && column < grid.ColumnCount() ? column : -1;
}

bool CopyGridRows(const GridView& grid, int firstColumn, bool selectedOnly, bool withHeadings, int mode)
{
    if (firstColumn >= grid.ColumnCount() || !HasRows(grid, selectedOnly))
        return false;
    return grid.CopyToClipboard(firstColumn, selectedOnly, withHeadings, mode);
}

bool CopyGridHeadings(const GridView& grid, int firstColumn, int mode)
{
    if (firstColumn >= grid.ColumnCount())
        return false;
    return grid.CopyToClipboard(firstColumn, false, true, mode);
}

VornString JoinColumn(const GridView& grid, int column, bool selectedOnly, bool withHeading,
                      const char* separator, bool lineEnds)
{
    VornString text(260u);
    bool first = true;
    auto add = [&](const char* cell, size_t length) {
        if (!first && !lineEnds)
            text.Append(separator);
        text.Append(cell, length);
        if (lineEnds)
            text.Append('\n');
        first = false;
    };
    if (withHeading) {
        VornString heading = grid.ColumnTitle(column);
        add(heading.Text(), heading.Length());
    }
    VornString cell;
    int row = selectedOnly ? grid.NextSelectedRow(-1) : (grid.RowCount() > 0 ? 0 : -1);
    while (row >= 0) {
        grid.GetCellText(row, column, cell);
        add(cell.Text(), cell.Length());
        row = selectedOnly ? grid.NextSelectedRow(row) : grid.NextRow(row);
    }
    return text;
}

bool CopyClickedCell(const GridView& grid, StatusBar* status)
{
    int column = ClickedColumn(grid);
    int row = grid.LastRow();
    if (column < 0 || row < 0 || row >= grid.RowCount())
        return false;
    VornString text = grid.CellText(row, column);
    if (text.IsEmpty() || !PutText(grid, text))
        return false;
    Report(status, kCopiedFormat, text);
    return true;
}

bool CopyClickedHeading(const GridView& grid, StatusBar* status)
{
    int column = ClickedColumn(grid);
    if (column < 0)
        return false;
    VornString heading = grid.ColumnTitle(column);
    if (heading.IsEmpty() || !PutText(grid, heading))
        return false;
    Report(status, kCopiedFormat, heading);
    return true;
}

bool CopyClickedColumn(const GridView& grid, bool selectedOnly, bool withHeading, StatusBar* status)
{
    int column = ClickedColumn(grid);
    if (!CopyColumn(grid, column, selectedOnly, withHeading))
        return false;
    Report(status, selectedOnly ? kSelectedColumnFormat : kWholeColumnFormat, grid.ColumnTitle(column));
    return true;
}
