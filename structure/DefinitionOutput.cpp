#include "DefinitionOutput.h"

#include "app/MainSettings.h"
#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/SjisText.h"
#include "resources/StructureDialogIds.h"
#include "schema/DefinitionFile.h"
#include "schema/NameQuoting.h"
#include "schema/TableDdl.h"
#include "structure/CreateTableDialog.h"
#include "transfer/InsertWriter.h"

namespace {

const char kSelectTable[] = "テーブルを選択して下さい　　";
const char kDefinitionFilesDone[] = "変換用表定義出力が終了しました　　";

// Reads each selected table's definition into a list of its own, and puts the schema
// browser's shown table back afterwards, so the definition view stays as it was.
class SelectedDefinitions {
public:
    SelectedDefinitions(HWND owner, const DefinitionOutputContext& context)
        : context_(context), list_(owner, 0, 0, 0, 0),
          savedTable_(context.browser->tableName), savedIndex_(context.browser->shownTableIndex)
    {
        list_.Hide();
    }
    ~SelectedDefinitions()
    {
        context_.browser->tableName = savedTable_;
        context_.browser->shownTableIndex = savedIndex_;
    }

    // Calls visit(table name as listed, definition) for every selected row whose definition
    // could be read.
    template <typename Visit>
    void ForEach(Visit visit)
    {
        const GridView& tables = *context_.tableList;
        for (int row = tables.NextSelectedRow(-1); row >= 0; row = tables.NextSelectedRow(row)) {
            VornString name = tables.CellText(row, 1);
            context_.browser->tableName = name;
            if (context_.browser->ShowDefinition(list_, -1, tables.CellText(row, 3)) < 0)
                continue;
            visit(name, ReadDefinitionView(&list_));
        }
    }

private:
    const DefinitionOutputContext& context_;
    GridView list_;
    VornString savedTable_;
    int savedIndex_;
};

bool HasSelection(HWND owner, const DefinitionOutputContext& context)
{
    if (context.tableList && context.tableList->NextSelectedRow(-1) >= 0)
        return true;
    ShowWarning(owner, kSelectTable);
    return false;
}

void WriteDefinition(TextFile& file, const DefinitionOutputContext& context, const char* table,
                     const DefinitionRows& definition, bool withDrop, bool withData)
{
    const DatabaseKind kind = context.browser->Kind();
    const bool throughDsn = context.browser->excelThroughDsn;
    if (withDrop)
        file.WriteFormatLine("%s\n", DropTableLine(kind, table, throughDsn).Text());
    file.WriteLine(CreateTableFromDefinition(kind, table, definition, throughDsn));
    file.WriteLine(";\n");
    if (withData)
        WriteInsertStatements(*context.browser, kind, EncloseName(kind, table, throughDsn), definition, file);
}

bool ChooseOutputFolder(HWND owner, VornString& folder)
{
    if (!ChooseFolder(owner, folder))
        return false;
    if (!folder.IsEmpty() && !sjis::EndsWithChar(folder.Text(), '\\'))
        folder.Append("\\");
    return true;
}

class DefinitionOutputDialog {
public:
    bool Ask(HWND owner)
    {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DEFINITION_OUTPUT), owner, Procedure,
                               reinterpret_cast<LPARAM>(this)) == IDOK;
    }
    DefinitionOutputMode mode = DefinitionOutputMode::OneFile;
    bool withDrop = false;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            CheckRadioButton(dialog, IDC_DO_ONE_FILE, IDC_DO_FILE_PER_TABLE, IDC_DO_ONE_FILE);
            return TRUE;
        }
        auto* self = reinterpret_cast<DefinitionOutputDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (!self || message != WM_COMMAND)
            return FALSE;
        if (LOWORD(wParam) == IDOK) {
            bool perTable = IsDlgButtonChecked(dialog, IDC_DO_FILE_PER_TABLE) == BST_CHECKED;
            bool withData = IsDlgButtonChecked(dialog, IDC_DO_WITH_DATA) == BST_CHECKED;
            self->mode = static_cast<DefinitionOutputMode>((perTable ? 2 : 1) + (withData ? 2 : 0));
            self->withDrop = IsDlgButtonChecked(dialog, IDC_DO_WITH_DROP) == BST_CHECKED;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
};

}  // namespace

void WriteDefinitionFiles(HWND owner, const DefinitionOutputContext& context)
{
    if (!context.browser || !HasSelection(owner, context))
        return;
    VornString folder;
    if (!ChooseOutputFolder(owner, folder))
        return;
    SelectedDefinitions definitions(owner, context);
    definitions.ForEach([&](const VornString& table, const DefinitionRows& definition) {
        TextFile file;
        // A file that cannot be created is passed over; the others are still written.
        if (file.OpenWrite(DefinitionFilePath(folder, table)))
            file.WriteLine(DefinitionFileText(context.browser->Kind(), table, definition));
    });
    ShowWarning(owner, kDefinitionFilesDone);
}

void OutputTableDefinitions(HWND owner, const DefinitionOutputContext& context, DefinitionOutputMode mode,
                            bool withDrop)
{
    if (!context.browser || !HasSelection(owner, context))
        return;
    const bool withData = mode == DefinitionOutputMode::OneFileWithData || mode == DefinitionOutputMode::FilePerTableWithData;
    const bool perTable = mode == DefinitionOutputMode::FilePerTable || mode == DefinitionOutputMode::FilePerTableWithData;
    if (perTable) {
        VornString folder;
        if (!ChooseOutputFolder(owner, folder))
            return;
        SelectedDefinitions definitions(owner, context);
        definitions.ForEach([&](const VornString& table, const DefinitionRows& definition) {
            VornString path(folder);
            path.Append(table);
            path.Append(".sql");
            TextFile file;
            if (file.OpenWrite(path))
                WriteDefinition(file, context, table, definition, withDrop, withData);
        });
        return;
    }
    VornString start;
    if (context.settings)
        context.settings->Read(settings::kSaveDir, settings::kDirDefineText, start);
    char path[MAX_PATH] = "表定義";
    if (!SaveFileDialog(owner, nullptr, "SQL,*.sql,全て,*.*", 1, path, OFN_OVERWRITEPROMPT, start, "sql"))
        return;
    if (context.settings)
        RememberSaveFolder(*context.settings, settings::kDirDefineText, path);
    TextFile file;
    if (!file.OpenWrite(path))
        return;
    SelectedDefinitions definitions(owner, context);
    definitions.ForEach([&](const VornString& table, const DefinitionRows& definition) {
        WriteDefinition(file, context, table, definition, withDrop, withData);
    });
}

void RunDefinitionOutput(HWND owner, const DefinitionOutputContext& context)
{
    if (!context.browser || !HasSelection(owner, context))
        return;
    DefinitionOutputDialog dialog;
    if (dialog.Ask(owner))
        OutputTableDefinitions(owner, context, dialog.mode, dialog.withDrop);
}
