#include "ArchiveWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <string>

#include "ArchiveWindowRules.h"
#include "common/FileDialogs.h"
#include "common/ImageLists.h"
#include "common/KeysAndCursor.h"
#include "common/MessageBoxes.h"
#include "common/ProgramLauncher.h"
#include "resources/ArchiveDialogIds.h"
#include "resources/resource.h"
#include "transfer/GridPageOutput.h"

namespace {

const char kSaveDir[] = "SaveDir";
const char kPlacementSection[] = "Unlha32WindowSize";
const char kAllFiles[] = "*.*";
const char kNoArchive[] = "書庫が指定されていません　　";
const char kNoFile[] = "書庫は存在しません　　";
const char kChooseExtract[] = "解凍するファイルを選択して下さい　　";
const char kChooseDelete[] = "削除するファイルを選択して下さい　　";
const char kNoWildcard[] = "ﾜｲﾙﾄﾞｶｰﾄﾞは指定されていません　　";
const char kAskExtractAll[] = "全て解凍しますか?　　";
const char kAskDelete[] = "選択されたファイルを書庫から削除しますか?　　";
const char kCannotOpenItem[] = "開けません";
const int kGridFontPoints = 10;
const DWORD kChosenFilesSize = 10000;

HWND g_current = nullptr;

bool DefaultSave(HWND owner, const char* title, const char* filter, const char* extension, const char* folder,
                 VornString& path)
{
    char file[MAX_PATH] = "";
    if (!SaveFileDialog(owner, title, filter, 1, file, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                        folder, extension))
        return false;
    path = file;
    return true;
}

bool DefaultOpen(HWND owner, const char* title, const char* filter, const char* extension, const char* folder,
                 VornString& path)
{
    char file[MAX_PATH] = "";
    if (!OpenFileDialog(owner, title, filter, 1, file, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                        folder, extension))
        return false;
    path = file;
    return true;
}

bool DefaultChooseFiles(HWND owner, const char* folder, char* buffer, DWORD size)
{
    const DWORD flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT |
                        OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    return OpenFileDialog(owner, "ファイルの選択 ( 複数 )", "全て,*.*", 1, buffer, size, flags, folder, nullptr,
                          DetailsViewHook);
}

bool DefaultChooseFolder(HWND owner, VornString& folder) { return ChooseFolder(owner, folder); }

void DefaultStart(const char* commandLine) { RunProgram(commandLine, nullptr); }

ArchiveWindowChoices g_choices = DefaultArchiveWindowChoices();

bool FileExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return *path && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ArchiveWindowChoices DefaultArchiveWindowChoices()
{
    return {DefaultSave, DefaultOpen, DefaultChooseFiles, DefaultChooseFolder, DefaultStart};
}

ArchiveWindowChoices SetArchiveWindowChoices(const ArchiveWindowChoices& choices)
{
    ArchiveWindowChoices previous = g_choices;
    g_choices = choices;
    return previous;
}

HWND ArchiveWindow::Current() { return g_current; }

ArchiveWindow::ArchiveWindow(ProfileStore& settings, const ArchiveWindowKind& kind) : settings_(settings), kind_(kind) {}

ArchiveWindow::~ArchiveWindow() { FreeEverything(); }

INT_PTR ArchiveWindow::Run(HWND owner)
{
    owner_ = owner;
    freed_ = false;
    return ModalDialog::Run(owner, IDD_ARCHIVE_WINDOW);
}

void ArchiveWindow::OnInit()
{
    archive_ = CreateArchive(window_);
    if (!archive_->IsInstalled()) {
        VornString text(kind_.notInstalled);
        text.Append("　　");
        Warn(text);
        FreeEverything();
        End(2);
        return;
    }
    g_current = window_;
    if (kind_.caption)
        SetText(kind_.caption);
    if (kind_.outputBuffer)
        archive_->RaiseOutputBuffer(kind_.outputBuffer);
    wildcard_ = kAllFiles;
    archivePath_.Clear();
    scratch_.Resize(260);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KESTROVA));
    SetClassLongPtrA(window_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    status_.Create(window_, IDC_ARCHIVE_STATUS);
    ChangeStyle(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0);
    ChangeExStyle(WS_EX_APPWINDOW, 0);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

    grid_.reset(new GridView(GetDlgItem(window_, IDC_ARCHIVE_LIST)));
    ListView_SetExtendedListViewStyleEx(grid_->ListHandle(),
                                        LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    grid_->SetGridFont(kGridFontPoints, 0, false);
    ImageList icons;
    if (icons.UseSystemSmallIcons())
        grid_->AttachImageList(icons.Handle());
    grid_->AcceptFiles(true);
    grid_->LoadContextMenu(IDR_ARCHIVE_CONTEXT_MENU, 0);
    if (!kind_.deletes)
        EnableMenuItem(GetSubMenu(GetMenu(window_), 1), IDM_ARCHIVE_DELETE, MF_BYCOMMAND | MF_GRAYED);

    if (!RestorePosition(kPlacementSection, settings_))
        Post(kArchiveStandardPlace);
    OnSize(SIZE_RESTORED);
}

void ArchiveWindow::Warn(const char* text) { ShowWarning(window_, text); }

bool ArchiveWindow::OnCommand(int id, int)
{
    if (!archive_)
        return false;
    switch (id) {
    case IDCANCEL: Close(); return true;
    case IDOK: return true;
    case IDM_ARCHIVE_NEW: NewArchive(); return true;
    case IDM_ARCHIVE_OPEN: OpenArchive(); return true;
    case IDC_ARCHIVE_APPLY_WILDCARD: ApplyWildcard(); return true;
    case IDM_ARCHIVE_ALL: ShowAll(); return true;
    case IDM_ARCHIVE_EXTRACT_SELECTED: ExtractSelected(); return true;
    case IDM_ARCHIVE_EXTRACT_ALL: ExtractAll(); return true;
    case IDM_ARCHIVE_ADD: AddChosenFiles(); return true;
    case IDM_ARCHIVE_DELETE:
        if (kind_.deletes)
            DeleteSelected();
        return true;
    case IDM_ARCHIVE_OPEN_ENTRY: OpenEntry(false); return true;
    case IDM_ARCHIVE_OPEN_IN_NOTEPAD: OpenEntry(true); return true;
    case IDM_ARCHIVE_COPY: grid_->CopyToClipboard(0, false, true, kExportTab); return true;
    case IDM_ARCHIVE_STANDARD_PLACE: Post(kArchiveStandardPlace); return true;
    case IDM_ARCHIVE_HTML_OUTPUT: OutputGridPage(window_, *grid_, 0, settings_, IsShiftDown()); return true;
    default: return false;
    }
}

INT_PTR ArchiveWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!grid_) {
        if (message == kArchiveClosing)
            FreeEverything();
        return FALSE;
    }
    HWND source = reinterpret_cast<HWND>(wParam);
    bool fromGrid = source == grid_->ListHandle();
    switch (message) {
    case WM_NOTIFY:
        grid_->HandleNotify(window_, lParam);
        return FALSE;
    case WM_SIZE:
        OnSize(wParam);
        return TRUE;
    case kArchiveStandardPlace: PlaceStandard(); return TRUE;
    case kArchiveReload: Reload(); return TRUE;
    case kArchiveClosing:
        if (IsWindow(window_) && !IsZoomed(window_) && !IsIconic(window_))
            SavePosition(kPlacementSection, settings_);
        if (owner_)
            ShowWindow(owner_, SW_SHOW);
        FreeEverything();
        return TRUE;
    case kGridRightClick:
        if (fromGrid)
            PrepareContextMenu(LOWORD(lParam));
        return TRUE;
    case kGridClick:
        if (fromGrid)
            ShowRowPath(static_cast<short>(LOWORD(lParam)));
        return TRUE;
    case kGridHeaderClick:
        if (fromGrid)
            grid_->SortByColumn(static_cast<int>(lParam), IsShiftDown());
        return TRUE;
    case kChildFilesDropped:
        OnFilesDropped(reinterpret_cast<HDROP>(lParam));
        return TRUE;
    case kControlUp:
    case kControlDown:
    case kControlPageDown:
    case kControlPageUp:
        ShowSelectedPath();
        return TRUE;
    case WM_DESTROY:
        FreeEverything();
        return FALSE;
    default:
        return FALSE;
    }
}

void ArchiveWindow::OnSize(WPARAM kind)
{
    if (kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED) {
        if (owner_)
            ShowWindow(owner_, SW_HIDE);
    } else if (kind == SIZE_RESTORED && owner_ && !IsWindowVisible(owner_)) {
        ShowWindow(owner_, SW_SHOW);
        SetForegroundWindow(window_);
        Focus();
    }
    if (kind == SIZE_MINIMIZED)
        return;
    status_.FitToOwner();
    RECT client, top, bar = {0, 0, 0, 0};
    GetClientRect(window_, &client);
    GetWindowRect(GetDlgItem(window_, IDC_ARCHIVE_WILDCARD), &top);
    if (status_.Handle())
        GetWindowRect(status_.Handle(), &bar);
    int topHeight = top.bottom - top.top;
    int height = client.bottom - topHeight - (bar.bottom - bar.top);
    grid_->MoveAndResize(0, topHeight, client.right, height > 0 ? height : 0);
    HWND path = GetDlgItem(window_, IDC_ARCHIVE_PATH);
    RECT pathRect;
    GetWindowRect(path, &pathRect);
    int width = client.right - 129;
    SetWindowPos(path, nullptr, 0, 0, width > 0 ? width : 0, pathRect.bottom - pathRect.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void ArchiveWindow::PlaceStandard()
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    ArchivePlacement place = StandardArchivePlacement(desktop.right - desktop.left, desktop.bottom - desktop.top);
    MoveAndResize(place.x, place.y, place.width, place.height);
}

void ArchiveWindow::EmptyGrid() { grid_->DeleteAllRows(); }

void ArchiveWindow::Reload()
{
    archivePath_ = ItemText(IDC_ARCHIVE_PATH);
    if (!FileExists(archivePath_)) {
        Warn(kNoFile);
        EmptyGrid();
        return;
    }
    archive_->SetPath(archivePath_);
    if (!archive_->Open(archivePath_)) {
        Warn(archive_->ErrorText());
        SetItemText(IDC_ARCHIVE_PATH, "");
        EmptyGrid();
        return;
    }
    {
        WaitCursor busy;
        grid_->Hide();
        archive_->List(*grid_, wildcard_);
        // The shell's icon goes by the name's type only: one question per extension.
        std::map<std::string, int> icons;
        for (int row = 0; row < grid_->RowCount(); ++row) {
            VornString name = grid_->CellText(row, kArchiveFileName);
            VornString type = name.FindExtension();
            type.UpperCase();
            auto known = icons.find(type.Text());
            int icon = known != icons.end() ? known->second : ImageList::SystemIconIndex(name);
            if (known == icons.end())
                icons[type.Text()] = icon;
            grid_->SetCellImage(row, 0, icon);
        }
        // The number shares its column with the icon, which the text widths leave out.
        if (grid_->RowCount() > 0)
            grid_->SetColumnWidth(0, grid_->ColumnWidth(0) + GetSystemMetrics(SM_CXSMICON) + 4);
        grid_->Show();
    }
    archive_->Close();
    grid_->Focus();
    status_.SetSimpleText("");
}

void ArchiveWindow::Close()
{
    Send(kArchiveClosing);
    End(2);
}

void ArchiveWindow::FreeEverything()
{
    if (g_current == window_ && window_)
        g_current = nullptr;
    grid_.reset();
    archive_.reset();
    wildcard_.Clear();
    archivePath_.Clear();
    work_.Clear();
    scratch_.Clear();
}

VornString ArchiveWindow::StoredFolder(const char* key) const
{
    VornString folder;
    settings_.Read(kSaveDir, key, folder);
    return folder;
}

void ArchiveWindow::RememberFolder(const char* key, const char* path)
{
    VornString folder(path);
    folder.RemoveFileSpec();
    settings_.Write(kSaveDir, key, folder);
}

void ArchiveWindow::NewArchive()
{
    VornString path;
    if (!g_choices.saveFile(window_, "新規", kind_.filter, kind_.defaultExtension, StoredFolder(kind_.newKey), path))
        return;
    wildcard_ = kAllFiles;
    SetItemText(IDC_ARCHIVE_WILDCARD, "");
    status_.SetSimpleText("");
    RememberFolder(kind_.newKey, path);
    SetItemText(IDC_ARCHIVE_PATH, path);
    if (FileExists(path)) {
        Post(kArchiveReload);
        return;
    }
    // The archiver makes the file on the first add.
    EmptyGrid();
    archive_->SetPath(path);
}

void ArchiveWindow::OpenArchive()
{
    VornString path;
    if (!g_choices.openFile(window_, "開く", kind_.filter, kind_.defaultExtension, StoredFolder(kind_.openKey), path))
        return;
    RememberFolder(kind_.openKey, path);
    wildcard_ = kAllFiles;
    SetItemText(IDC_ARCHIVE_PATH, path);
    Post(kArchiveReload);
}

void ArchiveWindow::ApplyWildcard()
{
    VornString text = ItemText(IDC_ARCHIVE_WILDCARD);
    if (text.IsEmpty()) {
        Warn(kNoWildcard);
        SetFocus(GetDlgItem(window_, IDC_ARCHIVE_WILDCARD));
        return;
    }
    wildcard_ = text;
    Post(kArchiveReload);
}

void ArchiveWindow::ShowAll()
{
    wildcard_ = kAllFiles;
    Post(kArchiveReload);
}

void ArchiveWindow::ExtractSelected()
{
    if (grid_->NextSelectedRow(-1) < 0) {
        Warn(kChooseExtract);
        return;
    }
    VornString folder;
    if (!g_choices.chooseFolder(window_, folder))
        return;
    archive_->ExtractSelected(grid_.get(), folder);
}

void ArchiveWindow::ExtractAll()
{
    if (archive_->Path().IsEmpty()) {
        Warn(kNoArchive);
        return;
    }
    if (!AskYesNo(window_, kAskExtractAll))
        return;
    if (archive_->ExtractAllIntoFolder(false) != 0)
        Warn(archive_->ErrorText());
}

void ArchiveWindow::AddChosenFiles()
{
    if (ItemText(IDC_ARCHIVE_PATH).IsEmpty()) {
        Warn(kNoArchive);
        SetFocus(GetDlgItem(window_, IDC_ARCHIVE_WILDCARD));
        return;
    }
    std::string buffer(kChosenFilesSize, '\0');
    if (!g_choices.chooseFiles(window_, StoredFolder(kind_.selectKey), &buffer[0], kChosenFilesSize))
        return;
    VornString folder;
    VornString list = ChosenFilesList(buffer.data(), buffer.size(), folder);
    settings_.Write(kSaveDir, kind_.selectKey, folder);
    archive_->AddFiles(list);
    Post(kArchiveReload);
}

void ArchiveWindow::DeleteSelected()
{
    if (grid_->NextSelectedRow(-1) < 0) {
        Warn(kChooseDelete);
        return;
    }
    if (!AskYesNo(window_, kAskDelete))
        return;
    if (archive_->DeleteSelected(*grid_) == 0)
        Post(kArchiveReload);
    else
        Warn(archive_->ErrorText());
}

VornString ArchiveWindow::WorkFolder() const
{
    VornString folder = TemporaryFolder();
    folder.Append("\\Kestrova");
    CreateDirectoryA(folder, nullptr);
    folder.Append("\\");
    return folder;
}

VornString ArchiveWindow::ProgramFor(const char* fileName) const
{
    // The shell finds a program only for a file that exists; an empty one stands in.
    VornString probe = TemporaryFolder();
    probe.Append("\\");
    probe.Append(fileName);
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    VornString program;
    AssociatedProgram(probe, program);
    DeleteFileA(probe);
    return program;
}

void ArchiveWindow::OpenEntry(bool notepad)
{
    int row = grid_->NextSelectedRow(-1);
    if (row < 0)
        return;
    VornString name = grid_->CellText(row, kArchiveFileName);
    VornString folder = WorkFolder();
    VornString target(folder);
    target.Append(name);
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES)
        DeleteFileA(target);
    archive_->ExtractOne(*grid_, row, folder);
    VornString line;
    if (notepad) {
        line = "notepad.exe ";
    } else {
        VornString program = ProgramFor(name);
        if (program.IsEmpty())
            return;
        line = QuotedPath(program);
        line.Append(' ');
    }
    line.Append(QuotedPath(target));
    g_choices.start(line);
}

void ArchiveWindow::PrepareContextMenu(int row)
{
    HMENU popup = grid_->ContextPopup();
    if (!popup)
        return;
    if (row < 65535) {
        EnableMenuItem(popup, 2, MF_BYPOSITION | MF_ENABLED);
        EnableMenuItem(popup, IDM_ARCHIVE_OPEN_ENTRY, MF_BYCOMMAND | MF_ENABLED);
        currentRow_ = row;
        grid_->SetCurrentRow(row);
        bool enabled = true;
        VornString text = OpenItemText(grid_->CellText(row, kArchiveExtension),
                                       ProgramFor(grid_->CellText(row, kArchiveFileName)), enabled);
        ModifyMenuA(popup, 0, MF_BYPOSITION | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                    IDM_ARCHIVE_OPEN_ENTRY, text);
    } else {
        ModifyMenuA(popup, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, IDM_ARCHIVE_OPEN_ENTRY, kCannotOpenItem);
        EnableMenuItem(popup, IDM_ARCHIVE_OPEN_IN_NOTEPAD, MF_BYCOMMAND | MF_GRAYED);
    }
    if (!kind_.deletes)
        EnableMenuItem(popup, IDM_ARCHIVE_DELETE, MF_BYCOMMAND | MF_GRAYED);
}

void ArchiveWindow::OnFilesDropped(HDROP drop)
{
    char first[MAX_PATH] = "";
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    DragQueryFileA(drop, 0, first, sizeof first);
    if (count == 1 && OpensArchive(first, kind_.archiveExtension)) {
        DragFinish(drop);
        wildcard_ = kAllFiles;
        SetItemText(IDC_ARCHIVE_PATH, first);
        Post(kArchiveReload);
        return;
    }
    if (ItemText(IDC_ARCHIVE_PATH).IsEmpty()) {
        DragFinish(drop);
        Warn(kNoArchive);
        SetFocus(GetDlgItem(window_, IDC_ARCHIVE_WILDCARD));
        return;
    }
    int result = archive_->AddDroppedFiles(drop);
    DragFinish(drop);
    if (result == 0)
        Post(kArchiveReload);
    else
        Warn(archive_->ErrorText());
}

void ArchiveWindow::ShowRowPath(int row)
{
    if (row < 0 || row >= grid_->RowCount())
        return;
    currentRow_ = row;
    status_.SetSimpleText(grid_->CellText(row, kArchiveFullPath));
}

void ArchiveWindow::ShowSelectedPath()
{
    int row = grid_->NextSelectedRow(-1);
    if (row >= 0)
        status_.SetSimpleText(grid_->CellText(row, kArchiveFullPath));
}
