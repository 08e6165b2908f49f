#include "MainWindow.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "MainSettings.h"
#include "MainWindowRules.h"
#include "common/Fonts.h"
#include "common/TextFile.h"
#include "resources/resource.h"

namespace {

const int kStatusBarFallbackHeight = 20;

// The tool bar, left to right: the command of each image, 0 for a separator.
const int kToolBarCommands[] = {
    IDM_CONNECT_EXCEL, IDM_CONNECT_MDB, IDM_CONNECT_SQLSERVER, IDM_CONNECT_MYSQL, IDM_CONNECT_ORACLE,
    IDM_CONNECT_POSTGRES, 0,
    IDM_COUNT_ROWS, IDM_FIT_DESKTOP, IDM_WINDOW_LEFT_65, IDM_WINDOW_RIGHT_65, IDM_REFRESH, IDM_FIND_IN_VIEW, 0,
    IDM_CREATE_TABLE, IDM_ADD_COLUMN, IDM_DROP_COLUMN, IDM_CHANGE_TYPE, 0,
    IDM_STEP_RATIO_H, IDM_STEP_RATIO_V, IDM_PASTE_TO_NOTEPAD, IDM_SAVE_COMMAND_AREA, IDM_OPEN_FILE, 0,
    IDM_FORMAT_SQL, IDM_CREATE_VIEW, IDM_RESULT_TOGGLE, 0,
    IDM_EXECUTE_SEVERAL,
};
const int kToolBarImages = 25;

// "処理(A)" items that need a connection.
const UINT kConnectionItems[] = {
    IDM_EXECUTE, IDM_DROP_OBJECTS, IDM_CLEAR_DATA, IDM_RENAME, IDM_CSV_OUTPUT, IDM_DEFINITION_OUTPUT,
    IDM_CONVERSION_DEFINITION_OUTPUT, IDM_EXPORT_EXCEL, IDM_EXPORT_MYSQL, IDM_EXPORT_ORACLE,
    IDM_EXPORT_POSTGRES, IDM_EXPORT_SQLSERVER, IDM_EXPORT_MDB,
};

}  // namespace

VornString LoadResourceText(HINSTANCE instance, UINT id)
{
    char text[256] = "";
    LoadStringA(instance, id, text, sizeof text);
    return VornString(text);
}

MainWindow::MainWindow(const MainWindowSetup& setup)
    : programFolder_(setup.programFolder), settings_(setup.settingsPath.Text())
{
}

MainWindow::~MainWindow()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    if (commandFont_)
        DeleteObject(commandFont_);
    if (commandBrush_)
        DeleteObject(commandBrush_);
    if (heldMutex_)
        ReleaseMutex(heldMutex_);
    if (mutex_)
        CloseHandle(mutex_);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance)
{
    VornString className = LoadResourceText(instance, IDS_WINDOW_CLASS);
    WNDCLASSEXA windowClass = {};
    if (GetClassInfoExA(instance, className, &windowClass))
        return true;
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KESTROVA));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass) != 0;
}

HWND MainWindow::Create(HINSTANCE instance, int showCommand)
{
    appTitle_ = LoadResourceText(instance, IDS_APP_TITLE);
    VornString className = LoadResourceText(instance, IDS_WINDOW_CLASS);
    HWND created = CreateWindowExA(0, className, appTitle_, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!created)
        return nullptr;
    ShowWindow(created, showCommand);
    UpdateWindow(created);
    return created;
}

MainWindow* MainWindow::FromHandle(HWND window)
{
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        MainWindow* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    MainWindow* self = FromHandle(window);
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND source = reinterpret_cast<HWND>(wParam);
    if (ForwardToArchiveWindow(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_CREATE:
        return CreatePanes() ? 0 : -1;
    case WM_SIZE:
        toolBar_.FitToOwner();
        status_.FitToOwner();
        LayOut();
        return 0;
    case WM_NOTIFY:
        for (GridView* grid : {tableList_.get(), definitionView_.get(), commandBar_.get()}) {
            if (grid && grid->HandleNotify(window_, lParam))
                break;
        }
        // The default answer: a nonzero reply to LVN_ITEMCHANGING would refuse the change.
        return DefWindowProcA(window_, message, wParam, lParam);
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), lParam))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == commandArea_ && commandReversed_) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(commandBrush_);
        }
        break;
    case kGridClick:
        OnGridClick(source, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case kGridDoubleClick:
        OnGridDoubleClick(source, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case kGridRightClick:
        OnGridRightClick(source);
        return 0;
    case kGridReturn:
        OnGridReturn(source, LOWORD(lParam));
        return 0;
    case kGridHeaderClick:
        OnHeaderClick(source, static_cast<int>(lParam));
        return 0;
    case kGridComboCommitted:
        OnComboCommitted(source, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case kControlSpace:
        if (tableList_ && source == tableList_->ListHandle())
            OnGridReturn(source, tableList_->NextSelectedRow(-1));
        return 0;
    case kControlTab:
        OnTab(source);
        return 0;
    case kAnyKeyDown:
        OnKey(source, static_cast<UINT>(lParam));
        return 0;
    case kChildFilesDropped:
        OnFilesDropped(source, reinterpret_cast<HDROP>(lParam));
        return 0;
    case WM_DROPFILES:
        OnFilesDropped(window_, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        SaveOnDestroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool MainWindow::CreatePanes()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    menu_ = GetMenu(window_);

    CreateTableList();
    CreateDefinitionView();
    countGrid_.reset(new GridView(window_, 0, 0, 10, 10));
    countGrid_->Hide();
    optionGrid_.reset(new GridView(window_, 0, 0, 10, 10));
    for (const char* heading : {"№", "条件", "値", "非表示", "選択順", "逆順"})
        optionGrid_->AddColumn(heading, 100);
    optionGrid_->Hide();
    CreateCommandBar();
    CreateCommandArea();
    CreateToolBar();
    status_.Create(window_, IDC_STATUS_BAR);
    status_.SetSimpleText(appTitle_);

    VornString firstLine;
    TextFile limits;
    if (limits.OpenRead(RunFilePath("Tool\\parts\\limitrows.txt")))
        limits.ReadLine(firstLine);
    rowLimitChoices_ = ::RowLimitChoices(firstLine);

    SetConnectionItemsEnabled(false);
    BuildToolMenu();
    mutex_ = CreateMutexA(nullptr, FALSE, "Kestrova");
    if (!RestorePosition(settings::kMainWindowSize, settings_))
        FitToDesktop();
    ReadLayoutSettings();
    LayOut();
    return true;
}

void MainWindow::CreateTableList()
{
    tableList_.reset(new GridView(window_, 0, 0, 10, 10));
    SetWindowLongPtrA(tableList_->ListHandle(), GWLP_ID, IDC_TABLE_LIST);
    FontSetting font = ReadFontSetting(settings_, FontPane::TableList);
    tableList_->SetGridFont(font.pointSize, font.faceKind, false);
    tableList_->SetFullRowSelectWithGridLines();
    tableList_->AddColumn("№", 30);
    using namespace settings;
    tableList_->AddColumn("テーブル名", kDefaultColumnWidth);
    tableList_->AddColumn("タイプ", kDefaultColumnWidth);
    tableList_->AddColumn("作成", ReadSettingNumber(settings_, kMainOption, kColumnWidth3, kDefaultColumnWidth, true));
    tableList_->AddColumn("更新", ReadSettingNumber(settings_, kMainOption, kColumnWidth4, kDefaultColumnWidth, true));
    tableList_->AcceptFiles(true);
}

void MainWindow::CreateDefinitionView()
{
    definitionView_.reset(new GridView(window_, 0, 0, 10, 10));
    SetWindowLongPtrA(definitionView_->ListHandle(), GWLP_ID, IDC_DEFINITION_VIEW);
    FontSetting font = ReadFontSetting(settings_, FontPane::DefinitionView);
    definitionView_->SetGridFont(font.pointSize, font.faceKind, false);
    definitionView_->SetFullRowSelectWithGridLines();
    definitionView_->LoadContextMenu(IDR_DEFINITION_MENU, 0);
}

void MainWindow::CreateCommandBar()
{
    commandBar_.reset(new GridView(window_, 0, 0, 10, 10));
    SetWindowLongPtrA(commandBar_->ListHandle(), GWLP_ID, IDC_COMMAND_BAR);
    commandBar_->SetGridFont(10, 0, false);
    commandBar_->SetFullRowSelectWithGridLines();
    commandBar_->AddColumn("実行", 60);
    commandBar_->AddColumn("コマンドエリアの処理", 130);
    commandBar_->AddColumn("実行タイプ", 130);
    commandBar_->SetEditorKinds("1,1,1");
    commandBar_->AddRow();
    VornString maxCount;
    if (!settings_.Read(settings::kMainOption, settings::kMaxCount, maxCount))
        maxCount = "50";
    commandBar_->SetText(0, maxCount);
    commandBar_->SetText(2, "SQL");
    browser_.RowLimit = maxCount.ToInteger();
}

void MainWindow::CreateCommandArea()
{
    commandArea_ = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES, "EDIT", "",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                       ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                                   0, 0, 10, 10, window_, reinterpret_cast<HMENU>(IDC_COMMAND_AREA),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(commandArea_, EM_LIMITTEXT, 0, 0);
    FontSetting font = ReadFontSetting(settings_, FontPane::CommandArea);
    ApplyPaneFont(static_cast<int>(FontPane::CommandArea), font.faceKind, font.pointSize);
    commandReversed_ = settings_.IsValue(settings::kMainOption, settings::kCommandBackColor, "1");
    commandBrush_ = CreateSolidBrush(RGB(0, 0, 0));
    DragAcceptFiles(commandArea_, TRUE);
}

void MainWindow::CreateToolBar()
{
    TBBUTTON buttons[sizeof kToolBarCommands / sizeof kToolBarCommands[0]] = {};
    int image = 0;
    int count = 0;
    for (int command : kToolBarCommands) {
        TBBUTTON& button = buttons[count++];
        if (command == 0) {
            button.fsStyle = TBSTYLE_SEP;
            continue;
        }
        button.iBitmap = image++;
        button.idCommand = command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = TBSTYLE_BUTTON;
    }
    toolBar_.Create(window_, IDC_TOOLBAR, GetModuleHandleA(nullptr), IDB_TOOLBAR, kToolBarImages, buttons, count, 16,
                    15);
}

void MainWindow::ApplyPaneFont(int pane, int faceKind, int pointSize)
{
    switch (static_cast<FontPane>(pane)) {
    case FontPane::CommandArea: {
        HFONT font = CreateVornFont(faceKind, pointSize, false);
        if (!font)
            return;
        SendMessageA(commandArea_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (commandFont_)
            DeleteObject(commandFont_);
        commandFont_ = font;
        break;
    }
    case FontPane::TableList:
        tableList_->SetGridFont(pointSize, faceKind, false);
        break;
    case FontPane::DefinitionView:
        definitionView_->SetGridFont(pointSize, faceKind, false);
        break;
    default:
        break;  // the data view reads its font when it opens
    }
}

void MainWindow::ReadLayoutSettings()
{
    using namespace settings;
    horizontal_ = ReadDisplayRate(settings_, kCommandDispRateH, kDefaultDispRateH, kDispRateHMin, kDispRateHMax) / 100.0;
    vertical_ = ReadDisplayRate(settings_, kCommandDispRateV, kDefaultDispRateV, kDispRateVMin, kDispRateVMax) / 100.0;
}

void MainWindow::LayOut()
{
    if (!tableList_ || !commandArea_)
        return;
    RECT client;
    GetClientRect(window_, &client);
    int statusHeight = status_.Handle() ? status_.WindowSize().cy : kStatusBarFallbackHeight;
    RECT row = commandBar_->CellRect(0, 0);
    int barHeight = row.bottom > 0 ? row.bottom + 2 : 40;
    PaneLayout layout = ComputePaneLayout(client.right, client.bottom, horizontal_, vertical_, statusHeight, barHeight);
    auto place = [](HWND pane, const PaneRect& rect) {
        MoveWindow(pane, rect.x, rect.y, rect.width, rect.height, TRUE);
    };
    place(tableList_->ListHandle(), layout.tableList);
    place(definitionView_->ListHandle(), layout.definitionView);
    place(commandArea_, layout.commandArea);
    place(commandBar_->ListHandle(), layout.commandBar);
}

void MainWindow::PlaceWindowOnScreen(int x, int y, int width, int height)
{
    ShowWindow(window_, SW_RESTORE);
    MoveWindow(window_, x, y, width, height, TRUE);
}

void MainWindow::FitToDesktop()
{
    RECT desktop;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    PlaceWindowOnScreen(desktop.left, desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top);
}

void MainWindow::SaveOnDestroy()
{
    settings_.WriteFormat(settings::kMainOption, settings::kColumnWidth3, "%d", tableList_->ColumnWidth(3));
    settings_.WriteFormat(settings::kMainOption, settings::kColumnWidth4, "%d", tableList_->ColumnWidth(4));
    SavePosition(settings::kMainWindowSize, settings_);
    settings_.Write(settings::kMainOption, settings::kMaxCount, commandBar_->CellText(0, 0));
    tableList_.reset();
    definitionView_.reset();
    commandBar_.reset();
    countGrid_.reset();
    optionGrid_.reset();
}

void MainWindow::SetConnectionItemsEnabled(bool enabled)
{
    for (UINT item : kConnectionItems)
        EnableMenuItem(menu_, item, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

VornString MainWindow::CommandAreaText() const
{
    WindowBase area(commandArea_);
    VornString text = area.Text();
    area.Attach(nullptr);
    return text;
}

void MainWindow::SetCommandAreaText(const char* text) { SetWindowTextA(commandArea_, text); }

VornString MainWindow::RunFilePath(const char* name) const
{
    VornString path(programFolder_);
    path.AddBackslash();
    path.Append(name);
    return path;
}
