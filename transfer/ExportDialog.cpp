#include "ExportDialog.h"

#include <commctrl.h>

#include <memory>

#include "common/FileDialogs.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "common/WindowBase.h"
#include "connect/ConnectionHistory.h"
#include "db/TypeCatalogue.h"
#include "resources/ExportDialogIds.h"
#include "transfer/ExportRules.h"

namespace {

const char kSaveDirSection[] = "SaveDir";
const int kTopMargin = 60;
const int kColumnWidth = 70;

const char* SaveDirKey(DatabaseKind kind) { return kind == DatabaseKind::Mdb ? "MDBExport" : "ExcelExport"; }

bool RealChoosePath(HWND owner, DatabaseKind kind, const char* initialFolder, VornString& path)
{
    char file[MAX_PATH] = "";
    bool chosen = kind == DatabaseKind::Excel
                      ? SaveFileDialog(owner, nullptr, "EXCEL,*.xls,全て,*.*", 1, file, 0, initialFolder, "xls")
                      : OpenFileDialog(owner, nullptr, "MDB,*.mdb,全て,*.*", 1, file, 0, initialFolder, "mdb");
    if (chosen)
        path = file;
    return chosen;
}

class ExportDialog : public WindowBase {
public:
    ExportDialog(DatabaseKind kind, const ExportDialogContext& context) : kind_(kind), context_(context), history_(kind)
    {
    }

    int Run(HWND owner)
    {
        owner_ = owner;
        int templateId = transfer::IsFileDestination(kind_) ? IDD_EXPORT_FILE : IDD_EXPORT_SERVER;
        INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Procedure,
                                        reinterpret_cast<LPARAM>(this));
        return ended == IDOK ? result_ : -1;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            auto* self = reinterpret_cast<ExportDialog*>(lParam);
            self->Attach(dialog);
            return self->OnInitDialog();
        }
        auto* self = reinterpret_cast<ExportDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case WM_NOTIFY:
            for (GridView* grid : {history_list_.get(), sourceList_.get(), mappedList_.get()})
                if (grid)
                    grid->HandleNotify(window_, lParam);
            return FALSE;
        case kGridDoubleClick:
            if (history_list_ && reinterpret_cast<HWND>(wParam) == history_list_->ListHandle()) {
                int row = static_cast<short>(LOWORD(lParam));
                if (row >= 0 && row < history_.Count())
                    PutFields(history_.Fields(row));
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            history_list_.reset();
            sourceList_.reset();
            mappedList_.reset();
            return FALSE;
        default:
            return FALSE;
        }
    }

    BOOL OnInitDialog()
    {
        RECT rect = {};
        GetWindowRect(window_, &rect);
        Move((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, kTopMargin);
        SetWindowTextA(window_, transfer::ExportDialogCaption(kind_));
        if (kind_ == DatabaseKind::Mdb)
            SetItemText(IDC_EXPORT_PATH_LABEL, "出力する MDB のパス");
        if (!transfer::IsFileDestination(kind_))
            InitServerFields();
        if (context_.dataViewMode) {
            SetItemText(IDC_EXPORT_USE_NAME, "出力テーブル名を変更する");
            SetItemText(IDC_EXPORT_NAME, context_.dataViewSource.name);
        } else {
            SetItemText(IDC_EXPORT_NAME, transfer::DefaultExportPrefix(kind_));
        }
        options_ = transfer::InitialExportOptions(kind_, context_.dataViewMode);
        ShowOptions();
        ShowDefinitions();
        return TRUE;
    }

    void InitServerFields()
    {
        if (kind_ == DatabaseKind::SqlServer)
            SetItemText(IDC_EXPORT_SERVER_LABEL, "SERVER");
        if (!HasDatabaseField(kind_)) {
            ShowWindow(GetDlgItem(window_, IDC_EXPORT_DATABASE), SW_HIDE);
            ShowWindow(GetDlgItem(window_, IDC_EXPORT_DATABASE_LABEL), SW_HIDE);
        }
        VornString lastConnect;
        if (context_.settings)
            context_.settings->Read(KindSectionName(kind_), "LastConnect", lastConnect);
        PutFields(SplitArgument(kind_, lastConnect));
        history_list_ = std::make_unique<GridView>(GetDlgItem(window_, IDC_EXPORT_HISTORY));
        history_list_->SetFullRowSelectWithGridLines();
        for (const char* title : ConnectionHistory::ColumnTitles(kind_))
            history_list_->AddColumn(title, kColumnWidth);
        if (context_.settings)
            history_.Load(*context_.settings);
        for (int i = 0; i < history_.Count(); ++i) {
            history_list_->AddRow();
            const HistoryRow& row = history_.Row(i);
            for (size_t column = 0; column < row.cells.size(); ++column)
                history_list_->SetText(static_cast<int>(column), row.cells[column]);
        }
        history_list_->Synchronize();
    }

    void PutFields(const ConnectFields& fields)
    {
        SetItemText(IDC_EXPORT_SERVER, fields.server);
        SetItemText(IDC_EXPORT_DATABASE, fields.database);
        SetItemText(IDC_EXPORT_USER, fields.user);
        SetItemText(IDC_EXPORT_PASSWORD, fields.password);
    }

    // The first source table's definition and its mapping for the destination.
    void ShowDefinitions()
    {
        sourceList_ = std::make_unique<GridView>(GetDlgItem(window_, IDC_EXPORT_SOURCE_LIST));
        mappedList_ = std::make_unique<GridView>(GetDlgItem(window_, IDC_EXPORT_MAPPED_LIST));
        DefinitionRows definition;
        if (context_.dataViewMode) {
            definition = context_.dataViewDefinition;
        } else if (context_.tableList) {
            int row = context_.tableList->NextSelectedRow(-1);
            if (row >= 0)
                LoadDefinition(context_.tableList->CellText(row, 1), definition);
        }
        DatabaseKind sourceKind = context_.browser ? context_.browser->Kind() : DatabaseKind::None;
        Fill(*sourceList_, definition);
        Fill(*mappedList_, MapDefinitionsForExport(definition, sourceKind, kind_));
    }

    static void Fill(GridView& grid, const DefinitionRows& rows)
    {
        const char* titles[] = {"列名", "型", "サイズ", "精度", "主キー"};
        const int cells[] = {kDefName, kDefTypeName, kDefSize, kDefPrecision, kDefPrimaryKey};
        grid.SetFullRowSelectWithGridLines();
        for (const char* title : titles)
            grid.AddColumn(title, kColumnWidth);
        for (const DefinitionRow& row : rows) {
            grid.AddRow();
            for (int i = 0; i < 5; ++i)
                grid.SetText(i, cells[i] < static_cast<int>(row.size()) ? row[cells[i]].Text() : "");
        }
        grid.Synchronize();
    }

    bool LoadDefinition(const char* table, DefinitionRows& definition)
    {
        if (!context_.browser || !context_.tableList)
            return false;
        SchemaBrowser& browser = *context_.browser;
        VornString schema;
        for (int row = context_.tableList->NextSelectedRow(-1); row >= 0; row = context_.tableList->NextSelectedRow(row))
            if (context_.tableList->CellText(row, 1).Equals(table))
                schema = context_.tableList->CellText(row, 3);
        // A list of its own, and the browser's shown table put back, so that the definition
        // view stays as it was.
        GridView scratch(window_, 0, 0, 0, 0);
        scratch.Hide();
        VornString savedTable = browser.tableName;
        int savedIndex = browser.shownTableIndex;
        browser.tableName = table;
        int read = browser.ShowDefinition(scratch, -1, schema);
        browser.tableName = savedTable;
        browser.shownTableIndex = savedIndex;
        if (read < 0)
            return false;
        definition.clear();
        for (int row = 0; row < scratch.RowCount(); ++row) {
            DefinitionRow cells = EmptyDefinitionRow();
            for (int column = 0; column < kDefColumnCount; ++column)
                cells[column] = scratch.CellText(row, column);
            definition.push_back(cells);
        }
        return true;
    }

    void ShowOptions()
    {
        Put(IDC_EXPORT_CREATE, options_.createByProgram);
        Put(IDC_EXPORT_ADD_KEY, options_.addKey);
        Put(IDC_EXPORT_VIA_FILE, options_.viaFile);
        Put(IDC_EXPORT_FILE_ONLY, options_.fileOnly);
    }

    void Put(int id, const transfer::ExportOption& option)
    {
        CheckItem(id, option.checked);
        EnableWindow(GetDlgItem(window_, id), option.enabled);
    }

    BOOL OnCommand(int id)
    {
        switch (id) {
        case IDCANCEL:
            EndDialog(window_, IDCANCEL);
            return TRUE;
        case IDOK:
        case IDC_EXPORT_RUN:
            OnRun();
            return TRUE;
        case IDC_EXPORT_VIA_FILE:
            options_.createByProgram.checked = IsItemChecked(IDC_EXPORT_CREATE);
            options_.addKey.checked = IsItemChecked(IDC_EXPORT_ADD_KEY);
            transfer::SetViaFile(options_, IsItemChecked(IDC_EXPORT_VIA_FILE));
            ShowOptions();
            return TRUE;
        case IDC_EXPORT_BROWSE:
            Browse();
            return TRUE;
        case IDC_EXPORT_ODBC_ADMINISTRATOR:
            if (context_.startProgram)
                context_.startProgram(kOdbcAdministratorCommand);
            else
                RunProgram(kOdbcAdministratorCommand, nullptr);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Browse()
    {
        VornString folder;
        if (context_.settings)
            context_.settings->Read(kSaveDirSection, SaveDirKey(kind_), folder);
        VornString path;
        bool chosen = context_.choosePath ? context_.choosePath(window_, kind_, folder, path)
                                          : RealChoosePath(window_, kind_, folder, path);
        if (!chosen)
            return;
        SetItemText(IDC_EXPORT_PATH, path);
        VornString chosenFolder(path);
        chosenFolder.RemoveFileSpec();
        if (context_.settings)
            context_.settings->Write(kSaveDirSection, SaveDirKey(kind_), chosenFolder);
    }

    void OnRun()
    {
        ExportDestination destination;
        destination.kind = kind_;
        const char* problem = nullptr;
        int focus = 0;
        if (transfer::IsFileDestination(kind_)) {
            destination.path = TrimSpaces(ItemText(IDC_EXPORT_PATH));
            problem = transfer::CheckFileDestination(kind_, destination.path);
            focus = IDC_EXPORT_PATH;
        } else {
            destination.server = TrimSpaces(ItemText(IDC_EXPORT_SERVER));
            destination.database = TrimSpaces(ItemText(IDC_EXPORT_DATABASE));
            destination.user = TrimSpaces(ItemText(IDC_EXPORT_USER));
            destination.password = ItemText(IDC_EXPORT_PASSWORD);
            if (!HasDatabaseField(kind_))
                destination.database.Clear();
            problem = transfer::CheckServerDestination(kind_, destination.server, destination.database,
                                                       destination.user);
            focus = destination.server.IsEmpty() ? IDC_EXPORT_SERVER
                    : problem == transfer::kExportDatabaseMissing ? IDC_EXPORT_DATABASE
                                                                  : IDC_EXPORT_USER;
        }
        if (problem) {
            Show(problem, MB_OK | MB_ICONEXCLAMATION);
            PostMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window_, focus)), TRUE);
            return;
        }
        if (Show(transfer::kExportConfirm, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;

        ExportChoices choices;
        choices.dataViewMode = context_.dataViewMode;
        choices.nameBoxChecked = IsItemChecked(IDC_EXPORT_USE_NAME);
        choices.nameText = ItemText(IDC_EXPORT_NAME);
        choices.createByProgram = IsItemChecked(IDC_EXPORT_CREATE);
        choices.addKey = IsItemChecked(IDC_EXPORT_ADD_KEY);
        choices.viaFile = IsItemChecked(IDC_EXPORT_VIA_FILE);
        choices.fileOnly = IsItemChecked(IDC_EXPORT_FILE_ONLY);

        std::vector<ExportSourceTable> tables;
        if (context_.dataViewMode) {
            tables.push_back(context_.dataViewSource);
        } else if (context_.tableList) {
            for (int row = context_.tableList->NextSelectedRow(-1); row >= 0;
                 row = context_.tableList->NextSelectedRow(row)) {
                ExportSourceTable table;
                table.name = context_.tableList->CellText(row, 1);
                tables.push_back(table);
            }
        }
        ExportContext run;
        run.source = context_.browser;
        run.programFolder = context_.programFolder;
        run.prompts = context_.prompts;
        run.loadDefinition = [this](const char* table, DefinitionRows& definition) {
            if (context_.dataViewMode) {
                definition = context_.dataViewDefinition;
                return true;
            }
            return LoadDefinition(table, definition);
        };
        result_ = RunExport(window_, run, destination, choices, tables);
        EndDialog(window_, IDOK);
    }

    int Show(const char* text, UINT buttons)
    {
        if (context_.prompts.ask)
            return context_.prompts.ask(window_, text, buttons);
        return MessageBoxA(window_, text, kMessageCaption, buttons);
    }

    DatabaseKind kind_;
    const ExportDialogContext& context_;
    ConnectionHistory history_;
    std::unique_ptr<GridView> history_list_;
    std::unique_ptr<GridView> sourceList_;
    std::unique_ptr<GridView> mappedList_;
    transfer::ExportOptions options_;
    HWND owner_ = nullptr;
    int result_ = -1;
};

}  // namespace

int RunExportDialog(HWND owner, DatabaseKind destination, const ExportDialogContext& context)
{
    if (!IsKnownKind(destination) || !context.browser)
        return -1;
    if (!context.dataViewMode && (!context.tableList || context.tableList->NextSelectedRow(-1) < 0)) {
        if (context.prompts.ask)
            context.prompts.ask(owner, transfer::kExportSelectTable, MB_OK | MB_ICONEXCLAMATION);
        else
            ShowWarning(owner, transfer::kExportSelectTable);
        return -1;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ExportDialog dialog(destination, context);
    return dialog.Run(owner);
}
