#include "CreateTableDialog.h"

#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/TextFile.h"
#include "resources/StructureDialogIds.h"
#include "schema/DefinitionFile.h"
#include "schema/NameQuoting.h"

namespace {

const char kCaption[] = "表作成 支援";
const char kPlacementSection[] = "CreateWindowSize";
const char kAskCreate[] = "表を作成しますか?　　";
const char kLoadItem[] = "表定義のロード";
const char kHelpPage[] = "help\\TableCreate.htm";
const char kInputModes[] = "0,0,0,1,1,0,0,0";   // 桁数 and 小数以下 take digits only
const char kMaxLengths[] = "0,0,0,4,1,0,0,0";

class CreateTableDialog : public StructureGridDialog {
public:
    explicit CreateTableDialog(const StructureContext& context)
        : StructureGridDialog(context, kCaption, kPlacementSection, IDR_CREATE_TABLE_MENU, IDR_CREATE_TABLE_POPUP)
    {
    }

private:
    bool IsExcel() const { return Kind() == DatabaseKind::Excel; }

    void OnInit() override
    {
        AddColumns(CreateTableColumns(Kind()));
        Grid().SetNonEditableColumns(kCreateTabSkipList);
        Grid().SetInputModes(kInputModes);
        Grid().SetMaxLengths(kMaxLengths);
        ResetRows();
        const SchemaBrowser* browser = Context().browser;
        if (browser && !browser->tableName.IsEmpty()) {
            VornString text = RemoveNameQuotes(Kind(), browser->tableName);
            text.Append(" の表定義をロード");
            SetCommandText(IDM_ST_LOAD_DEFINITION, text);
        } else {
            EnableCommand(IDM_ST_LOAD_DEFINITION, false);
        }
    }

    const char* DropDownList(int column) const override
    {
        if (column == kCreateType)
            return Context().parts.type;
        if (IsExcel())
            return nullptr;
        if (column == kCreateKey)
            return kKeyPositionList;
        if (column == kCreateOption)
            return Context().parts.option1;
        return nullptr;
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDM_ST_LOAD_DEFINITION: LoadCurrentDefinition(); return true;
        case IDM_ST_DELETE_ROWS: DeleteSelectedRows(); return true;
        case IDM_ST_CLEAR_NAMES: ForSelectedRows([this](int row) { Grid().SetCellText(row, kCreateName, ""); }); return true;
        case IDM_ST_ADD_TEN_ROWS: CommitEditor(); AddNumberedRows(10); Renumber(); return true;
        case IDM_ST_GENERATE_NAMES: GenerateNames(); return true;
        case IDM_ST_LOAD_OTHER_KIND: LoadDefinitionFile(); return true;
        case IDM_ST_INSERT_ROW: InsertRow(); return true;
        case IDM_ST_EXECUTE: CreateTable(); return true;
        case IDM_ST_HELP: OpenHelp(kHelpPage); return true;
        default: return false;
        }
    }

    void ResetRows()
    {
        Grid().DeleteAllRows();
        AddNumberedRows(kCreateInitialRows);
        for (int column : {kCreateNumber, kCreateSize, kCreateScale, kCreateKey})
            if (column < Grid().ColumnCount())
                Grid().AutoSizeColumn(column);
    }

    template <typename Action>
    void ForSelectedRows(Action action)
    {
        CommitEditor();
        for (int row = Grid().NextSelectedRow(-1); row >= 0; row = Grid().NextSelectedRow(row))
            action(row);
    }

    TableColumnRows ReadRows()
    {
        CommitEditor();
        TableColumnRows rows;
        const int columns = Grid().ColumnCount();
        for (int row = 0; row < Grid().RowCount(); ++row) {
            TableColumnRow entry;
            VornString* cells[] = {&entry.name, &entry.type, &entry.size, &entry.scale, &entry.key, &entry.option,
                                   &entry.input};
            for (int column = kCreateName; column < columns && column <= kCreateInput; ++column)
                *cells[column - kCreateName] = Grid().CellText(row, column);
            rows.push_back(entry);
        }
        return rows;
    }

    // Fills row index (appending numbered rows while the grid is shorter).
    void ShowRow(int index, const TableColumnRow& entry)
    {
        while (Grid().RowCount() <= index)
            AddNumberedRows(1);
        const VornString* cells[] = {&entry.name, &entry.type, &entry.size, &entry.scale, &entry.key};
        for (int column = kCreateName; column <= kCreateKey && column < Grid().ColumnCount(); ++column)
            Grid().SetCellText(index, column, *cells[column - kCreateName]);
    }

    void LoadCurrentDefinition()
    {
        CommitEditor();
        ResetRows();
        TableColumnRows rows = RowsFromDefinition(Kind(), ReadDefinitionView(Context().definitionView));
        for (size_t i = 0; i < rows.size(); ++i)
            ShowRow(static_cast<int>(i), rows[i]);
        Renumber();
        Grid().Synchronize();
    }

    void LoadDefinitionFile()
    {
        CommitEditor();
        ResetRows();
        char path[MAX_PATH] = "";
        if (!OpenFileDialog(Dialog(), "他のRDBMSの定義をロード", "WOS,*.wos,全て,*.*", 1, path, 0, nullptr, "wos"))
            return;
        TextFile file;
        VornString text;
        DefinitionFileTable table;
        // A file that cannot be read leaves the emptied grid.
        if (!file.OpenRead(path) || !file.ReadAll(text) || !ReadDefinitionFileText(text, Kind(), table))
            return;
        SetTableField(table.tableName);
        for (size_t i = 0; i < table.columns.size(); ++i) {
            const DefinitionFileColumn& column = table.columns[i];
            ShowRow(static_cast<int>(i), TableColumnRow{column.name, column.type, column.size, column.scale, column.key,
                                                        VornString(), VornString()});
        }
        Renumber();
        Grid().Synchronize();
    }

    void DeleteSelectedRows()
    {
        CommitEditor();
        for (int row = Grid().RowCount() - 1; row >= 0; --row)
            if (Grid().NextSelectedRow(row - 1) == row)
                Grid().DeleteRow(row);
        Renumber();
        Grid().Synchronize();
    }

    void InsertRow()
    {
        CommitEditor();
        int before = Grid().NextSelectedRow(-1);
        Grid().InsertRow(before < 0 ? 0 : before);
        Renumber();
        Grid().Synchronize();
    }

    void GenerateNames()
    {
        ForSelectedRows([this](int row) {
            if (TrimmedCell(Grid().CellText(row, kCreateName)).IsEmpty())
                Grid().SetCellText(row, kCreateName, GeneratedColumnName(row));
        });
    }

    bool BuildTransferText(VornString& text) override
    {
        TableColumnRows rows = ReadRows();
        BuildOutcome outcome = BuildCreateTable(Target(), TableField(), rows, text);
        // The default type a row took stays in its cell, whatever came of the build.
        WriteBackTypes(rows, kCreateType);
        ShowOutcome(outcome);
        return outcome.Ok();
    }

    void CreateTable()
    {
        VornString text;
        if (!BuildTransferText(text) || !AskYesNo(Dialog(), kAskCreate))
            return;
        if (!Execute(text))
            return;
        ShowExecuted();
        if (Context().refreshMain)
            Context().refreshMain();
    }
};

}  // namespace

DefinitionRows ReadDefinitionView(const GridView* view)
{
    DefinitionRows rows;
    for (int row = 0; view && row < view->RowCount(); ++row) {
        DefinitionRow definition = EmptyDefinitionRow();
        for (int column = 0; column < kDefColumnCount && column < view->ColumnCount(); ++column)
            definition[column] = view->CellText(row, column);
        rows.push_back(definition);
    }
    return rows;
}

void RunCreateTable(HWND owner, const StructureContext& context)
{
    CreateTableDialog dialog(context);
    dialog.Run(owner);
}
