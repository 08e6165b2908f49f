// A window holding a grid with Japanese headings and an open in-place combo box, for a
// screenshot of the window layer: scripts/screenshot.sh artifacts/grid-demo.png 6 GridDemo.exe
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "common/GridView.h"

namespace {

GridView* g_grid = nullptr;

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        if (g_grid)
            g_grid->HandleNotify(window, lParam);
        break;
    case WM_TIMER:
        KillTimer(window, 1);
        // Open the in-place combo box over the type cell of the second row.
        g_grid->FillCombo("int4,int8,numeric,varchar,text,date,timestamp,bytea");
        g_grid->BeginComboEdit(1, 4);
        SendMessageA(g_grid->ComboBox(), CB_SHOWDROPDOWN, TRUE, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DemoProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KestrovaGridDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("KestrovaGridDemo", "GridView - 社員 の定義", WS_OVERLAPPEDWINDOW, 30, 30, 760, 360,
                                nullptr, nullptr, instance, nullptr);
    GridView grid(window, 8, 8, 730, 300);
    g_grid = &grid;
    grid.SetFullRowSelectWithGridLines();
    grid.SetGridFont(10, 0, false);
    const char* titles[] = {"№", "列名", "型値", "型定数", "型名", "最大桁", "NULL", "主キー"};
    const int widths[] = {36, 110, 50, 110, 110, 60, 50, 60};
    const bool right[] = {false, false, true, false, false, true, false, false};
    for (int i = 0; i < 8; ++i)
        grid.AddColumn(titles[i], widths[i], right[i]);
    const char* rows[][8] = {
        {" 1", "社員番号", "3", "adInteger", "int4", "", "N", "1"},
        {" 2", "氏名", "200", "adVarChar", "varchar", "40", "N", ""},
        {" 3", "部署コード", "129", "adChar", "bpchar", "4", "", ""},
        {" 4", "入社日", "133", "adDBDate", "date", "", "", ""},
        {" 5", "給与", "131", "adNumeric", "numeric", "", "", ""},
        {" 6", "備考 ①～㈱髙表ソ", "201", "adLongVarChar", "text", "", "", ""},
    };
    for (auto& row : rows) {
        grid.AddRow();
        for (int column = 0; column < 8; ++column)
            grid.SetText(column, row[column]);
    }
    ShowWindow(window, show);
    SetTimer(window, 1, 500, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
