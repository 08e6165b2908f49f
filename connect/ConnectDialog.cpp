#include "ConnectDialog.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "ConnectionHistory.h"
#include "common/FileDialogs.h"
#include "common/GridView.h"
#include "transfer/GridPageOutput.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "common/WindowBase.h"
#include "db/DbLink.h"
#include "resources/ConnectDialogIds.h"

namespace {

const char kSaveDirSection[] = "SaveDir";
const int kTopMargin = 100;
const int kInitialColumnWidth = 60;

ConnectDialogServices g_services;

bool RealChooseFile(HWND owner, DatabaseKind kind, bool createNew, const char* initialFolder, VornString& path)
{
    char file[MAX_PATH] = "";
    bool chosen = false;
    if (kind == DatabaseKind::Excel && createNew)
        chosen = SaveFileDialog(owner, "新規 EXCEL ファイル", "EXCEL,*.xls", 1, file, 0, initialFolder, "xls");
    else if (kind == DatabaseKind::Excel)
        chosen = OpenFileDialog(owner, "EXCEL ファイルを開く", "EXCEL,*.xls,全て,*.*", 1, file, 0, initialFolder);
    else
        chosen = OpenFileDialog(owner, "MDB ファイルを開く", "MDB,*.mdb,全て,*.*", 1, file, 0, initialFolder);
    if (chosen)
        path = file;
    return chosen;
}

class ConnectDialog : public WindowBase {
public:
    ConnectDialog(DatabaseKind kind, ProfileStore& settings, const char* applicationTitle, DbLink& link,
                  ConnectChoice& choice, HWND owner)
        : kind_(kind), settings_(settings), applicationTitle_(applicationTitle ? applicationTitle : ""),
          link_(link), choice_(choice), owner_(owner), history_(kind)
    {
    }

    int Run()
    {
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                         MAKEINTRESOURCEA(IDD_CONNECT_EXCEL + static_cast<int>(kind_)), owner_,
                                         Procedure, reinterpret_cast<LPARAM>(this));
        return result == 1 ? 1 : 2;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            ConnectDialog* self = reinterpret_cast<ConnectDialog*>(lParam);
            self->Attach(dialog);
            return self->OnInitDialog();
        }
        ConnectDialog* self = reinterpret_cast<ConnectDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        return self ? self->OnMessage(message, wParam, lParam) : FALSE;
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case WM_NOTIFY:
            if (list_)
                list_->HandleNotify(window_, lParam);
            return FALSE;
        case kGridDoubleClick:
            // The same number is the dialog manager's DM_REPOSITION: only the grid's own counts.
            if (!list_ || reinterpret_cast<HWND>(wParam) != list_->ListHandle())
                return FALSE;
            OnHistoryDoubleClick(static_cast<short>(LOWORD(lParam)));
            return TRUE;
        case WM_DESTROY:
            list_.reset();
            return FALSE;
        default:
            return FALSE;
        }
    }

    BOOL OnInitDialog()
    {
        PlaceOnScreen();
        VornString lastConnect;
        settings_.Read(KindSectionName(kind_), "LastConnect", lastConnect);
        PutFields(SplitArgument(kind_, lastConnect));
        PutFlags(ConnectFlags::Load(settings_, kind_));
        if (IsFileKind(kind_)) {
            if (kind_ == DatabaseKind::Mdb)
                SetPasswordChar(IDC_CONNECT_JET_PASSWORD, '*');
        } else {
            SetPasswordChar(IDC_CONNECT_PASSWORD, '*');
        }
        list_ = std::make_unique<GridView>(GetDlgItem(window_, IDC_CONNECT_HISTORY));
        list_->SetFullRowSelectWithGridLines();
        for (const char* title : ConnectionHistory::ColumnTitles(kind_))
            list_->AddColumn(title, kInitialColumnWidth);
        list_->LoadContextMenu(IDR_CONNECT_HISTORY_MENU, 0);
        history_.Load(settings_);
        ShowHistory();
        return TRUE;
    }

    void PlaceOnScreen()
    {
        RECT rect = {};
        GetWindowRect(window_, &rect);
        int width = rect.right - rect.left;
        Move((GetSystemMetrics(SM_CXSCREEN) - width) / 2, kTopMargin);
    }

    BOOL OnCommand(int id)
    {
        switch (id) {
        case IDCANCEL:
            EndDialog(window_, 2);
            return TRUE;
        case IDOK:
            if (IsFileKind(kind_))
                ConnectWithPath();
            else
                ConnectWithFields();
            return TRUE;
        case IDC_CONNECT_LAST:
            ConnectWithPath();
            return TRUE;
        case IDC_CONNECT_BROWSE:
            ChooseAndConnect(false);
            return TRUE;
        case IDC_CONNECT_NEW:
            ChooseAndConnect(true);
            return TRUE;
        case IDC_CONNECT_OTHER_DSN_CONNECT:
            ConnectOtherDsn();
            return TRUE;
        case IDC_CONNECT_ODBC_ADMINISTRATOR:
            if (g_services.startProgram)
                g_services.startProgram(kOdbcAdministratorCommand);
            else
                RunProgram(kOdbcAdministratorCommand, nullptr);
            return TRUE;
        case IDM_CONNECT_DELETE_ROWS:
            DeleteSelectedRows();
            return TRUE;
        case IDM_CONNECT_HISTORY_HTML:
            // Shift held: the XML data file with its view page instead of the HTML table.
            OutputGridPage(window_, *list_, 0, settings_, GetKeyState(VK_SHIFT) < 0);
            return TRUE;
        default:
            return FALSE;
        }
    }

    void OnHistoryDoubleClick(int row)
    {
        if (row < 0 || row >= history_.Count())
            return;
        if (IsFileKind(kind_))
            Connect(history_.Argument(row));
        else
            PutFields(history_.Fields(row));
    }

    void ConnectWithPath()
    {
        VornString path = ItemText(IDC_CONNECT_PATH);
        if (!path.IsEmpty())
            Connect(path);
    }

    void ConnectWithFields()
    {
        BuiltArgument built = BuildServerArgument(kind_, TakeFields());
        if (!built.IsComplete()) {
            Refuse(built.message, built.missing == BuiltArgument::Server ? IDC_CONNECT_SERVER : IDC_CONNECT_USER);
            return;
        }
        Connect(built.argument);
    }

    void ConnectOtherDsn()
    {
        BuiltArgument built = BuildOtherDsn(ItemText(IDC_CONNECT_OTHER_DSN));
        if (!built.IsComplete()) {
            Refuse(built.message, IDC_CONNECT_OTHER_DSN);
            return;
        }
        choice_.argument.Clear();
        choice_.otherDsn = built.argument;
        EndDialog(window_, 1);
    }

    void ChooseAndConnect(bool createNew)
    {
        const char* folderKey = kind_ == DatabaseKind::Mdb ? "Mdb" : (createNew ? "ExcelNew" : "Excel");
        VornString folder;
        settings_.Read(kSaveDirSection, folderKey, folder);
        VornString path;
        bool chosen = g_services.chooseFile ? g_services.chooseFile(window_, kind_, createNew, folder, path)
                                            : RealChooseFile(window_, kind_, createNew, folder, path);
        if (!chosen || path.IsEmpty())
            return;
        folder = path;
        folder.RemoveFileSpec();
        settings_.Write(kSaveDirSection, folderKey, folder);
        SetItemText(IDC_CONNECT_PATH, path);
        Connect(path);
    }

    void Connect(const char* argument)
    {
        history_.RecordConnection(settings_, argument, ItemText(IDC_CONNECT_PATH), TakeFlags(), &link_.record);
        if (kind_ == DatabaseKind::Mdb)
            link_.record.jetPassword = ItemText(IDC_CONNECT_JET_PASSWORD);
        if (owner_)
            SetWindowTextA(owner_, ConnectedTitle(applicationTitle_, kind_, argument));
        choice_.argument = argument;
        choice_.otherDsn.Clear();
        EndDialog(window_, 1);
    }

    void DeleteSelectedRows()
    {
        std::vector<int> rows;
        for (int row = list_->NextSelectedRow(-1); row >= 0; row = list_->NextSelectedRow(row))
            rows.push_back(row);
        if (rows.empty())
            return;
        history_.Remove(rows);
        ShowHistory();
        history_.SaveAfterRemoval(settings_, ItemText(IDC_CONNECT_PATH), TakeFlags(), &link_.record);
    }

    void ShowHistory()
    {
        list_->DeleteAllRows();
        for (int i = 0; i < history_.Count(); ++i) {
            const HistoryRow& row = history_.Row(i);
            list_->AddRow();
            for (size_t column = 0; column < row.cells.size(); ++column)
                list_->SetText(static_cast<int>(column), row.cells[column]);
        }
        list_->AutoSizeColumns();
        list_->Synchronize();
    }

    void Refuse(const char* message, int focusId)
    {
        ShowWarning(window_, message);
        PostMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window_, focusId)), TRUE);
    }

    ConnectFields TakeFields() const
    {
        ConnectFields fields;
        fields.path = ItemText(IDC_CONNECT_PATH);
        fields.server = ItemText(IDC_CONNECT_SERVER);
        fields.database = ItemText(IDC_CONNECT_DATABASE);
        fields.user = ItemText(IDC_CONNECT_USER);
        fields.password = ItemText(IDC_CONNECT_PASSWORD);
        return fields;
    }

    void PutFields(const ConnectFields& fields)
    {
        if (IsFileKind(kind_)) {
            SetItemText(IDC_CONNECT_PATH, fields.path);
            return;
        }
        SetItemText(IDC_CONNECT_SERVER, fields.server);
        if (HasDatabaseField(kind_))
            SetItemText(IDC_CONNECT_DATABASE, fields.database);
        SetItemText(IDC_CONNECT_USER, fields.user);
        SetItemText(IDC_CONNECT_PASSWORD, fields.password);
    }

    ConnectFlags TakeFlags() const
    {
        ConnectFlags flags;
        flags.noHeader = IsItemChecked(IDC_CONNECT_NO_HEADER);
        flags.hideSheets = IsItemChecked(IDC_CONNECT_HIDE_SHEETS);
        flags.noSystemTable = IsItemChecked(IDC_CONNECT_NO_SYSTEM_TABLE);
        flags.noSystemView = IsItemChecked(IDC_CONNECT_NO_SYSTEM_VIEW);
        flags.noSystemCatalog = IsItemChecked(IDC_CONNECT_NO_SYSTEM_CATALOG);
        return flags;
    }

    void PutFlags(const ConnectFlags& flags)
    {
        CheckItem(IDC_CONNECT_NO_HEADER, flags.noHeader);
        CheckItem(IDC_CONNECT_HIDE_SHEETS, flags.hideSheets);
        CheckItem(IDC_CONNECT_NO_SYSTEM_TABLE, flags.noSystemTable);
        CheckItem(IDC_CONNECT_NO_SYSTEM_VIEW, flags.noSystemView);
        CheckItem(IDC_CONNECT_NO_SYSTEM_CATALOG, flags.noSystemCatalog);
    }

    DatabaseKind kind_;
    ProfileStore& settings_;
    VornString applicationTitle_;
    DbLink& link_;
    ConnectChoice& choice_;
    HWND owner_;
    ConnectionHistory history_;
    std::unique_ptr<GridView> list_;
};

}  // namespace

int RunConnectDialog(HWND owner, DatabaseKind kind, ProfileStore& settings, const char* applicationTitle,
                     DbLink& link, ConnectChoice& choice)
{
    choice.argument.Clear();
    choice.otherDsn.Clear();
    if (!IsKnownKind(kind))
        return 2;
    // The template's list view needs its class before the dialog is created.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ConnectDialog dialog(kind, settings, applicationTitle, link, choice, owner);
    return dialog.Run();
}

void LoadExcelFlags(const ProfileStore& settings, DbLink& link) { LoadExcelFlags(settings, link.record); }

void SetConnectDialogServices(const ConnectDialogServices& services) { g_services = services; }
