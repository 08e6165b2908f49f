#include "AlterColumnDialogs.h"

#include "common/MessageBoxes.h"
#include "resources/StructureDialogIds.h"
#include "schema/NameQuoting.h"
#include "structure/AlterTableSql.h"
#include "structure/CreateTableDialog.h"

namespace {

const char kAskAdd[] = "列を追加しますか?　　";
const char kAskDrop[] = "列の削除を実行しますか?　　";
const char kAskModify[] = "列の定義を変更しますか?　　";
const char kModifyHelp[] = "help\\AlterModifyDialog.htm";

// The column assistants name the table of the definition view, shown in 表名.
class AlterColumnDialog : public StructureGridDialog {
protected:
    using StructureGridDialog::StructureGridDialog;

    const char* Table() const { return Context().browser ? Context().browser->tableName.Text() : ""; }
    DefinitionRows Definition() const { return ReadDefinitionView(Context().definitionView); }

    void ShowTableName() { SetTableField(RemoveNameQuotes(Kind(), Table())); }

    // After a change the definition view reads the table again, and the assistant with it.
    void Executed()
    {
        ShowExecuted();
        if (Context().reloadDefinition)
            Context().reloadDefinition();
    }

    void SetNumber(int row)
    {
        VornString number;
        number.Format("%2d", row + 1);
        Grid().SetCellText(row, 0, number);
    }

    void ClearColumns(bool selectedOnly, std::initializer_list<int> columns)
    {
        CommitEditor();
        for (int row = selectedOnly ? Grid().NextSelectedRow(-1) : 0; row >= 0 && row < Grid().RowCount();
             row = selectedOnly ? Grid().NextSelectedRow(row) : row + 1) {
            for (int column : columns)
                if (column < Grid().ColumnCount())
                    Grid().SetCellText(row, column, "");
        }
    }
};

class AddColumnDialog : public AlterColumnDialog {
public:
    explicit AddColumnDialog(const StructureContext& context)
        : AlterColumnDialog(context, "列追加 支援", "AlterAddWindowSize", IDR_ALTER_ADD_MENU, IDR_ALTER_POPUP)
    {
    }

private:
    void OnInit() override
    {
        AddColumns(AddColumnColumns(Kind()));
        Grid().SetNonEditableColumns(kAddTabSkipList);
        Grid().SetInputModes("0,0,0,1,1,0,0");
        Grid().SetMaxLengths("0,0,0,4,1,0,0");
        AddNumberedRows(kCreateInitialRows);
        ShowTableName();
    }

    const char* DropDownList(int column) const override
    {
        if (column == kAddType)
            return Context().parts.type;
        if (column == kAddOption && Kind() != DatabaseKind::Excel)
            return Context().parts.option1;
        return nullptr;
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDM_ST_CLEAR_ALL: ClearColumns(false, {1, 2, 3, 4, 5, 6}); return true;
        case IDM_ST_CLEAR_SELECTED: ClearColumns(true, {1, 2, 3, 4, 5, 6}); return true;
        case IDM_ST_EXECUTE: Update(); return true;
        default: return false;
        }
    }

    bool BuildTransferText(VornString& text) override { return Build(text); }

    bool Build(VornString& text)
    {
        CommitEditor();
        TableColumnRows rows;
        for (int row = 0; row < Grid().RowCount(); ++row) {
            TableColumnRow entry;
            VornString* cells[] = {&entry.name, &entry.type, &entry.size, &entry.scale, &entry.option, &entry.input};
            for (int column = kAddName; column <= kAddInput && column < Grid().ColumnCount(); ++column)
                *cells[column - kAddName] = Grid().CellText(row, column);
            rows.push_back(entry);
        }
        BuildOutcome outcome = BuildAddColumns(Target(), TableField(), Table(), rows, text);
        WriteBackTypes(rows, kAddType);
        ShowOutcome(outcome);
        return outcome.Ok();
    }

    void Update()
    {
        VornString text;
        if (Build(text) && AskYesNo(Dialog(), kAskAdd) && Execute(text))
            Executed();
    }
};

class DropColumnDialog : public AlterColumnDialog {
public:
    explicit DropColumnDialog(const StructureContext& context)
        : AlterColumnDialog(context, "列削除 支援", "AlterDelWindowSize", IDR_ALTER_DROP_MENU, IDR_ALTER_POPUP)
    {
    }

private:
    void OnInit() override
    {
        Grid().SetCheckBoxes(true);
        AddColumns(DropColumnColumns());
        Grid().SetNonEditableColumns("0,1,2");
        Fill();
        ShowTableName();
    }

    void Fill()
    {
        Grid().DeleteAllRows();
        for (const DefinitionRow& column : Definition()) {
            int row = Grid().AddRow();
            VornString number;
            number.Format("%2d", row + 1);
            Grid().SetCellText(row, 1, number);
            Grid().SetCellText(row, 2, column[kDefName]);
        }
        Grid().Synchronize();
    }

    const char* DropDownList(int) const override { return nullptr; }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDM_ST_EXECUTE: Update(); return true;
        default: return false;
        }
    }

    bool BuildTransferText(VornString& text) override { return Build(text); }

    bool Build(VornString& text)
    {
        std::vector<VornString> checked;
        for (int row = 0; row < Grid().RowCount(); ++row)
            if (Grid().IsChecked(row))
                checked.push_back(Grid().CellText(row, 2));
        BuildOutcome outcome = BuildDropColumns(Target(), Table(), checked, text);
        ShowOutcome(outcome);
        return outcome.Ok();
    }

    void Update()
    {
        VornString text;
        if (!Build(text) || !AskYesNo(Dialog(), kAskDrop) || !Execute(text))
            return;
        Executed();
        Fill();
    }
};

class ModifyColumnDialog : public AlterColumnDialog {
public:
    explicit ModifyColumnDialog(const StructureContext& context)
        : AlterColumnDialog(context, "列のデータ型変更 支援", "AlterUpdWindowSize", IDR_ALTER_MODIFY_MENU,
                            IDR_ALTER_POPUP)
    {
        newTypes_ = ",";
        newTypes_.Append(context.parts.type);
    }

private:
    void OnInit() override
    {
        AddColumns(ModifyColumnColumns());
        Grid().SetNonEditableColumns(kModifyTabSkipList);
        Grid().SetInputModes("0,0,0,0,1,1,0,0");
        Grid().SetMaxLengths("0,0,0,0,4,1,0,0");
        Fill();
        ShowTableName();
    }

    void Fill()
    {
        Grid().DeleteAllRows();
        ShowRows(ModifyRowsFromDefinition(Definition()));
    }

    void ShowRows(const ModifyRows& rows)
    {
        for (size_t i = 0; i < rows.size(); ++i) {
            int row = static_cast<int>(i);
            if (row >= Grid().RowCount())
                Grid().AddRow();
            SetNumber(row);
            const ModifyRow& entry = rows[i];
            const VornString* cells[] = {&entry.name, &entry.currentType, &entry.newType, &entry.size,
                                         &entry.scale, &entry.option, &entry.input};
            for (int column = kModifyName; column <= kModifyInput; ++column)
                Grid().SetCellText(row, column, *cells[column - kModifyName]);
        }
        Grid().Synchronize();
    }

    ModifyRows ReadRows()
    {
        CommitEditor();
        ModifyRows rows;
        for (int row = 0; row < Grid().RowCount(); ++row) {
            ModifyRow entry;
            VornString* cells[] = {&entry.name, &entry.currentType, &entry.newType, &entry.size,
                                   &entry.scale, &entry.option, &entry.input};
            for (int column = kModifyName; column <= kModifyInput; ++column)
                *cells[column - kModifyName] = Grid().CellText(row, column);
            rows.push_back(entry);
        }
        return rows;
    }

    const char* DropDownList(int column) const override
    {
        if (column == kModifyNewType)
            return newTypes_;
        if (column == kModifyOption)
            return Context().parts.option3;
        return nullptr;
    }

    bool OnCommand(int id) override
    {
        switch (id) {
        case IDM_ST_CLEAR_ALL: {
            ModifyRows rows = ReadRows();
            ClearModifyRows(rows, Definition());
            ShowRows(rows);
            return true;
        }
        case IDM_ST_CLEAR_SELECTED:
            ClearColumns(true, {kModifyNewType, kModifyScale, kModifyOption, kModifyInput});
            return true;
        case IDM_ST_EXECUTE: Update(); return true;
        case IDM_ST_HELP: OpenHelp(kModifyHelp); return true;
        default: return false;
        }
    }

    bool Build(std::vector<VornString>& statements)
    {
        BuildOutcome outcome = BuildModifyColumns(Target(), Table(), ReadRows(), statements);
        ShowOutcome(outcome);
        return outcome.Ok();
    }

    bool BuildTransferText(VornString& text) override
    {
        std::vector<VornString> statements;
        if (!Build(statements))
            return false;
        text = JoinStatements(statements);
        return true;
    }

    // Every statement runs, whatever became of the one before it; the grid is read anew
    // only when all of them went through.
    void Update()
    {
        std::vector<VornString> statements;
        if (!Build(statements) || !AskYesNo(Dialog(), kAskModify))
            return;
        bool allDone = true;
        for (const VornString& statement : statements)
            allDone = Execute(statement) && allDone;
        if (!allDone)
            return;
        Executed();
        Fill();
    }

    VornString newTypes_;
};

}  // namespace

void RunAddColumns(HWND owner, const StructureContext& context)
{
    AddColumnDialog dialog(context);
    dialog.Run(owner);
}

void RunDropColumns(HWND owner, const StructureContext& context)
{
    DropColumnDialog dialog(context);
    dialog.Run(owner);
}

void RunModifyColumns(HWND owner, const StructureContext& context)
{
    ModifyColumnDialog dialog(context);
    dialog.Run(owner);
}
