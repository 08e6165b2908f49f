#include "CopyTestSupport.h"

#include <commctrl.h>

#include "WindowTestSupport.h"
#include "common/Clipboard.h"
#include "resources/resource.h"

std::string ClipboardText(HWND owner)
{
    VornString text;
    ReadClipboardText(owner, text);
    return text.Text();
}

void HoldKey(int key, bool held)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

void NotifyCell(MainWindowFixture& app, GridView& grid, UINT code, int row, int column)
{
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = grid.ListHandle();
    activate.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(grid.ListHandle()));
    activate.hdr.code = code;
    activate.iItem = row;
    activate.iSubItem = column;
    SendMessageA(app.Handle(), WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
    RecordingWindow::Pump();
}

void ShowFreeSqlRows(MainWindowFixture& app, const char* lines)
{
    PutClipboardText(app.Handle(), lines);
    app.Command(IDM_EXTERNAL_LIST);
}

void SelectOnly(GridView& grid, std::initializer_list<int> rows)
{
    grid.SelectAll(false);
    for (int row : rows)
        grid.SelectRow(row, true);
}
