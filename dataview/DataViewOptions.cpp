// The data view's option dialogs: "条件指定", "カラム表示", "ソート指定" and "更新キー設定".
// Each writes the query options of the schema browser and, unless the options are
// cleared for the moment, the per-column options of the main window; the view reloads.
#include "DataViewWindow.h"

#include <algorithm>
#include <cstdlib>

#include "OptionDialog.h"
#include "app/PartsLists.h"
#include "common/MessageBoxes.h"
#include "db/TypeCatalogue.h"
#include "resources/DataViewIds.h"

namespace {

// Columns of the per-column options grid.
enum { kOptNumber = 0, kOptCondition = 1, kOptValue = 2, kOptHidden = 3, kOptSortPosition = 4, kOptDescending = 5 };

const char kNeedOneColumn[] = "少なくとも一つの列を選択して下さい　　";
const char kConditionHelp[] = "help\\DataViewCond.htm";
const char kKeyHelp[] = "help\\DataViewSetKey.htm";

struct TableColumn {
    VornString name;
    VornString category;
};

std::vector<TableColumn> TableColumnsOf(const GridView& definition, DatabaseKind kind)
{
    std::vector<TableColumn> columns;
    for (int row = 0; row < definition.RowCount(); ++row) {
        TableColumn column{definition.CellText(row, kDefName), LiteralCategory(definition.CellText(row, kDefAdoType))};
        if (kind == DatabaseKind::Postgres && definition.CellText(row, kDefTypeName).EqualsIgnoreCase("money"))
            column.category = "文字列";
        columns.push_back(column);
    }
    return columns;
}

// One row per column of the table, numbered; kept for the program's life.
void FitOptionRows(GridView& options, int rows)
{
    while (options.RowCount() > rows)
        options.DeleteRow(options.RowCount() - 1);
    while (options.RowCount() < rows)
        options.AddRow();
    VornString number;
    for (int row = 0; row < rows; ++row) {
        number.Format("%d", row + 1);
        options.SetCellText(row, kOptNumber, number);
    }
}

class ConditionDialog : public OptionDialog {
public:
    ConditionDialog(const DataViewContext& context, const dataview::SqlDialect& dialect, const char* operators)
        : OptionDialog(IDD_DV_CONDITION, "CondWindowSize", *context.settings), context_(context), dialect_(dialect),
          operators_(operators)
    {
    }
    VornString where;

private:
    void OnInit() override
    {
        GridView& grid = AdoptGrid(IDC_DV_COND_GRID);
        grid_ = &grid;
        const char* headings[] = {"№", "列名", "型", "条件", "値"};
        const int widths[] = {30, 150, 70, 100, 200};
        for (int i = 0; i < 5; ++i)
            grid.AddColumn(headings[i], widths[i]);
        GridView& options = *context_.columnOptions;
        columns_ = TableColumnsOf(*context_.definitionView, dialect_.kind);
        for (size_t i = 0; i < columns_.size(); ++i) {
            int row = grid.AddRow();
            grid.SetTextFormat(0, "%2d", row + 1);
            grid.SetText(1, columns_[i].name);
            grid.SetText(2, columns_[i].category);
            if (!context_.browser->optionsCleared && row < options.RowCount()) {
                grid.SetText(3, options.CellText(row, kOptCondition));
                grid.SetText(4, options.CellText(row, kOptValue));
            }
        }
        grid.SetNonEditableColumns("0,1,2");
        ShowClearedNote(IDC_DV_COND_NOTE, context_.browser->optionsCleared);
    }

    void OnGridClick(GridView& grid, int row, int column) override
    {
        if (row < 0 || row >= grid.RowCount())
            return;
        if (column == 3) {
            grid.FillCombo(operators_);
            grid.BeginComboEdit(row, column);
        } else if (column == 4) {
            grid.BeginEdit(row, column);
        }
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDC_DV_COND_DECIDE: Decide(); return true;
        case IDC_DV_COND_CLEAR:
            grid_->HideEditor();
            for (int row = 0; row < grid_->RowCount(); ++row) {
                grid_->SetCellText(row, 3, "");
                grid_->SetCellText(row, 4, "");
            }
            return true;
        case IDC_DV_COND_HELP: OpenHelpPage(context_.programFolder, kConditionHelp); return true;
        default: return false;
        }
    }

    void Decide()
    {
        CommitEditors();
        std::vector<dataview::ConditionRow> rows;
        for (int row = 0; row < grid_->RowCount(); ++row)
            rows.push_back({columns_[row].name, columns_[row].category, grid_->CellText(row, 3), grid_->CellText(row, 4)});
        where = dataview::ConditionWhere(dialect_, rows);
        if (!context_.browser->optionsCleared) {
            GridView& options = *context_.columnOptions;
            FitOptionRows(options, grid_->RowCount());
            for (int row = 0; row < grid_->RowCount(); ++row) {
                options.SetCellText(row, kOptCondition, rows[row].op);
                options.SetCellText(row, kOptValue, rows[row].value);
            }
        }
        Finish(IDOK);
    }

    const DataViewContext& context_;
    dataview::SqlDialect dialect_;
    VornString operators_;
    GridView* grid_ = nullptr;
    std::vector<TableColumn> columns_;
};

class ColumnsDialog : public OptionDialog {
public:
    ColumnsDialog(const DataViewContext& context, const dataview::SqlDialect& dialect)
        : OptionDialog(IDD_DV_COLUMNS, "DispcolumnWindowSize", *context.settings), context_(context), dialect_(dialect)
    {
    }
    VornString selectList;

private:
    void OnInit() override
    {
        GridView& grid = AdoptGrid(IDC_DV_COLUMNS_GRID);
        grid_ = &grid;
        grid.SetCheckBoxes(true);
        grid.AddColumn("列名", 200);
        bool everything = context_.browser->selectList.Equals("*");
        GridView& options = *context_.columnOptions;
        for (int row = 0; row < context_.definitionView->RowCount(); ++row) {
            names_.push_back(context_.definitionView->CellText(row, kDefName));
            grid.AddRow();
            grid.SetText(0, names_.back());
            bool hidden = !everything && row < options.RowCount() && options.CellText(row, kOptHidden).Equals("Y");
            grid.SetChecked(row, !hidden);
        }
        ShowClearedNote(IDC_DV_COLUMNS_NOTE, context_.browser->optionsCleared);
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDC_DV_COLUMNS_CHECK:
        case IDC_DV_COLUMNS_UNCHECK:
            for (int row = grid_->NextSelectedRow(-1); row >= 0; row = grid_->NextSelectedRow(row))
                grid_->SetChecked(row, id == IDC_DV_COLUMNS_CHECK);
            break;
        case IDC_DV_COLUMNS_ALL:
        case IDC_DV_COLUMNS_FIRST:
            for (int row = 0; row < grid_->RowCount(); ++row)
                grid_->SetChecked(row, id == IDC_DV_COLUMNS_ALL || row == 0);
            break;
        case IDC_DV_COLUMNS_DECIDE:
            Decide();
            return true;
        default:
            return false;
        }
        grid_->Synchronize();
        return true;
    }

    void Decide()
    {
        std::vector<bool> checked;
        for (int row = 0; row < grid_->RowCount(); ++row)
            checked.push_back(grid_->IsChecked(row));
        if (std::find(checked.begin(), checked.end(), true) == checked.end()) {
            ShowWarning(dialog_, kNeedOneColumn);
            return;
        }
        selectList = dataview::ColumnSelectList(dialect_, names_, checked);
        if (!context_.browser->optionsCleared) {
            GridView& options = *context_.columnOptions;
            FitOptionRows(options, grid_->RowCount());
            for (int row = 0; row < grid_->RowCount(); ++row)
                options.SetCellText(row, kOptHidden, checked[row] ? "" : "Y");
        }
        Finish(IDOK);
    }

    const DataViewContext& context_;
    dataview::SqlDialect dialect_;
    GridView* grid_ = nullptr;
    std::vector<VornString> names_;
};

// "ソート指定" and "更新キー設定": the table's columns on the left, the chosen ones in
// their order on the right; Enter moves a row across.
class OrderDialog : public OptionDialog {
public:
    OrderDialog(const DataViewContext& context, const dataview::SqlDialect& dialect, bool keys)
        : OptionDialog(IDD_DV_ORDER, keys ? "SetKeyWindowSize" : "SortWindowSize", *context.settings),
          context_(context), dialect_(dialect), keys_(keys)
    {
        SetDefaultPlacement(20, 10, 60, 60);
    }
    VornString orderBy;

private:
    void OnInit() override
    {
        if (keys_)
            SetWindowTextA(dialog_, "更新キー設定");
        else
            ShowWindow(GetDlgItem(dialog_, IDC_DV_ORDER_HELP), SW_HIDE);
        left_ = &AdoptGrid(IDC_DV_ORDER_LEFT);
        right_ = &AdoptGrid(IDC_DV_ORDER_RIGHT);
        left_->AddColumn("№", 30);
        left_->AddColumn("列名", 150);
        right_->AddColumn("選択された列名", 150);
        right_->AddColumn("", 0);
        if (!keys_)
            right_->SetCheckBoxes(true);
        for (int row = 0; row < context_.definitionView->RowCount(); ++row)
            names_.push_back(context_.definitionView->CellText(row, kDefName));
        for (const Chosen& chosen : InitialChoice())
            AppendRight(chosen.number, chosen.descending);
        for (size_t i = 0; i < names_.size(); ++i)
            if (!IsOnRight(static_cast<int>(i)))
                InsertLeft(static_cast<int>(i));
        ShowClearedNote(IDC_DV_ORDER_NOTE, context_.browser->optionsCleared && !keys_);
    }

    struct Chosen {
        int number;   // index of the definition row
        int position;
        bool descending;
    };

    // The key columns in key order, or the stored sort positions.
    std::vector<Chosen> InitialChoice() const
    {
        std::vector<Chosen> chosen;
        const GridView& definition = *context_.definitionView;
        const GridView& options = *context_.columnOptions;
        for (int row = 0; row < static_cast<int>(names_.size()); ++row) {
            VornString position = keys_ ? definition.CellText(row, kDefPrimaryKey)
                                        : (context_.browser->optionsCleared || row >= options.RowCount()
                                               ? VornString()
                                               : options.CellText(row, kOptSortPosition));
            position.TrimBlanks();
            if (position.IsEmpty())
                continue;
            bool descending = !keys_ && options.CellText(row, kOptDescending).Equals("Y");
            chosen.push_back({row, std::atoi(position), descending});
        }
        std::stable_sort(chosen.begin(), chosen.end(), [](const Chosen& a, const Chosen& b) { return a.position < b.position; });
        return chosen;
    }

    bool IsOnRight(int number) const
    {
        for (int row = 0; row < right_->RowCount(); ++row)
            if (right_->CellText(row, 1).ToInteger() == number)
                return true;
        return false;
    }

    void AppendRight(int number, bool descending)
    {
        int row = right_->AddRow();
        right_->SetText(0, names_[number]);
        right_->SetTextFormat(1, "%d", number);
        right_->SetChecked(row, descending);
    }

    // Back at its place by number.
    void InsertLeft(int number)
    {
        int at = 0;
        while (at < left_->RowCount() && left_->CellText(at, 0).ToInteger() - 1 < number)
            ++at;
        int row = left_->InsertRow(at);
        left_->SetCellText(row, 1, names_[number]);
        VornString text;
        text.Format("%d", number + 1);
        left_->SetCellText(row, 0, text);
    }

    void OnGridReturn(GridView& grid, int row) override
    {
        if (row < 0 || row >= grid.RowCount())
            return;
        if (&grid == left_) {
            AppendRight(static_cast<int>(left_->CellText(row, 0).ToInteger()) - 1, false);
            left_->DeleteRow(row);
        } else {
            InsertLeft(static_cast<int>(right_->CellText(row, 1).ToInteger()));
            right_->DeleteRow(row);
        }
        left_->Synchronize();
        right_->Synchronize();
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDC_DV_ORDER_DECIDE: Decide(); return true;
        case IDC_DV_ORDER_RESET:
            while (right_->RowCount() > 0)
                OnGridReturn(*right_, 0);
            return true;
        case IDC_DV_ORDER_HELP: OpenHelpPage(context_.programFolder, kKeyHelp); return true;
        default: return false;
        }
    }

    void Decide()
    {
        if (keys_) {
            GridView& definition = *context_.definitionView;
            for (int row = 0; row < definition.RowCount(); ++row)
                definition.SetCellText(row, kDefPrimaryKey, "");
            for (int row = 0; row < right_->RowCount(); ++row) {
                VornString position;
                position.Format("%d", row + 1);
                definition.SetCellText(static_cast<int>(right_->CellText(row, 1).ToInteger()), kDefPrimaryKey, position);
            }
            definition.Synchronize();
            Finish(IDOK);
            return;
        }
        std::vector<dataview::SortRow> rows;
        for (int row = 0; row < right_->RowCount(); ++row)
            rows.push_back({right_->CellText(row, 0), right_->IsChecked(row)});
        orderBy = dataview::SortOrderBy(dialect_, rows);
        if (!context_.browser->optionsCleared) {
            GridView& options = *context_.columnOptions;
            FitOptionRows(options, static_cast<int>(names_.size()));
            for (int row = 0; row < options.RowCount(); ++row) {
                options.SetCellText(row, kOptSortPosition, "");
                options.SetCellText(row, kOptDescending, "");
            }
            for (int row = 0; row < right_->RowCount(); ++row) {
                int number = static_cast<int>(right_->CellText(row, 1).ToInteger());
                VornString position;
                position.Format("%d", row + 1);
                options.SetCellText(number, kOptSortPosition, position);
                options.SetCellText(number, kOptDescending, rows[row].descending ? "Y" : "");
            }
        }
        Finish(IDOK);
    }

    const DataViewContext& context_;
    dataview::SqlDialect dialect_;
    bool keys_;
    GridView* left_ = nullptr;
    GridView* right_ = nullptr;
    std::vector<VornString> names_;
};

VornString ConditionOperators(const DataViewContext& context, DatabaseKind kind)
{
    VornString list;
    VornString path(context.kindFolder);
    path.AddBackslash();
    path.Append("parts\\");
    path.Append(PartsFileName(PartsFile::Cond));
    if (!ReadPartsFile(path, list))
        list = DefaultPartsList(kind, PartsFile::Cond);
    return list;
}

}  // namespace

void DataViewWindow::OpenConditionDialog()
{
    grid_->HideEditor();
    ConditionDialog dialog(context_, Dialect(), ConditionOperators(context_, browser_.Kind()));
    if (dialog.Run(window_) != IDOK)
        return;
    browser_.whereText = dialog.where;
    Reload();
}

void DataViewWindow::OpenColumnsDialog()
{
    grid_->HideEditor();
    ColumnsDialog dialog(context_, Dialect());
    if (dialog.Run(window_) != IDOK)
        return;
    browser_.selectList = dialog.selectList;
    Reload();
}

void DataViewWindow::OpenOrderDialog(bool keys)
{
    grid_->HideEditor();
    OrderDialog dialog(context_, Dialect(), keys);
    if (dialog.Run(window_) != IDOK)
        return;
    if (!keys)
        browser_.orderText = dialog.orderBy;
    Reload();
}

void DataViewWindow::StoreHeaderSortOption(const char* column, bool descending)
{
    GridView& options = *context_.columnOptions;
    const GridView& definition = *context_.definitionView;
    FitOptionRows(options, definition.RowCount());
    for (int row = 0; row < options.RowCount(); ++row) {
        bool clicked = definition.CellText(row, kDefName).Equals(column);
        options.SetCellText(row, kOptSortPosition, clicked ? "1" : "");
        options.SetCellText(row, kOptDescending, clicked && descending ? "Y" : "");
    }
}
