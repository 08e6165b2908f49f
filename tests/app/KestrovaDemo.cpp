// Shows Kestrova at work for the launch script: "dialog" opens the PostgreSQL connection
// dialog with Ctrl+P; "connect" answers it with Enter and shows the definition of the
// sample table 社員; "viewresult" runs a small VBScript that uses Vorn's BatchHelper and
// whose output comes back into the lower list; "close" ends the program the way its close box does.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "KestrovaRemote.h"

int main(int argc, char** argv)
{
    const char* step = argc > 1 ? argv[1] : "connect";
    KestrovaRemote kestrova;
    // A first start in a fresh prefix (fonts, registry) can take a while: wait up to a minute.
    bool attached = kestrova.Attach();
    for (int tries = 0; !attached && tries < 120; ++tries) {
        Sleep(500);
        attached = kestrova.Attach();
    }
    if (!attached) {
        std::fprintf(stderr, "Kestrova is not running\n");
        return 1;
    }
    if (std::strcmp(step, "close") == 0) {
        PostMessageA(kestrova.Main(), WM_CLOSE, 0, 0);
        return 0;
    }
    if (std::strcmp(step, "viewresult") == 0) {
        HWND area = GetDlgItem(kestrova.Main(), 1003);
        // A directive line alone switches the command bar to the script type and runs nothing.
        SendMessageA(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("@VBS"));
        kestrova.Command(32778);
        // The script asks the automation library Vorn (registered by the launch script). Its
        // output stays ASCII: Wine's cscript overruns its buffer when WScript.Echo writes
        // double-byte text to a redirected output, and crashes on a later line.
        SendMessageA(area, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(
                         "Set b = CreateObject(\"Vorn.BatchHelper\")\r\n"
                         "WScript.Echo \"NumberFormat: \" & b.NumberFormat(\"1234567\")\r\n"
                         "WScript.Echo \"Fzero: \" & b.Fzero(\"42\", 6)\r\n"
                         "WScript.Echo \"DateDiff: \" & b.DateDiff(\"2027/1/1\", \"2026/12/9\")\r\n"
                         "WScript.Echo \"IsNumeric: \" & b.IsNumeric(\"-1.5\") & \" / \" & b.IsNumeric(\"1.5-\")\r\n"
                         "WScript.Echo \"GetExt: \" & b.GetExt(\"C:\\データ\\売上表.csv\")\r\n"
                         "WScript.Echo \"Sort: \" & Replace(Replace(b.Sort(\"c,3\" & vbLf & \"a,1\" & vbLf & "
                         "\"b,2\", 1, True, False, \",\"), vbTab, \"=\"), vbLf, \" / \")\r\n"
                         "WScript.Echo \"DesktopWidth: \" & b.DesktopWidth\r\n"
                         "$VIEWRESULT $NORESULT"));
        kestrova.Command(32778);
        // The lower list turns from the 13 definition columns into the one column of the
        // pasted output; reading it through the clipboard would race the result tool.
        HWND header = reinterpret_cast<HWND>(SendMessageA(kestrova.DefinitionView(), LVM_GETHEADER, 0, 0));
        for (int waited = 0; waited < 60000; waited += 500) {
            if (SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) == 1 && kestrova.Rows(kestrova.DefinitionView()) >= 8)
                return 0;
            Sleep(500);
        }
        std::fprintf(stderr, "the script's output did not reach the lower list\n");
        return 1;
    }
    kestrova.BringToFront();
    HWND dialog = kestrova.WaitForDialog("PostgreSQL の接続", 500);
    if (!dialog) {
        kestrova.TypeKey('P', true);
        dialog = kestrova.WaitForDialog("PostgreSQL の接続", 5000);
    }
    if (!dialog) {
        // The keys went elsewhere (another window had the focus): use the menu's command.
        PostMessageA(kestrova.Main(), WM_COMMAND, 32780, 0);
        dialog = kestrova.WaitForDialog("PostgreSQL の接続");
    }
    if (!dialog) {
        std::fprintf(stderr, "the connection dialog did not open\n");
        return 1;
    }
    if (std::strcmp(step, "dialog") == 0)
        return 0;
    SetForegroundWindow(dialog);
    kestrova.TypeKey(VK_RETURN);
    if (!kestrova.WaitUntilGone(dialog, 3000))
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (!kestrova.WaitForRows(kestrova.TableList(), 1)) {
        std::fprintf(stderr, "no tables were listed\n");
        return 1;
    }
    if (kestrova.ShowDefinitionWithColumn("社員番号") < 0) {
        std::fprintf(stderr, "the definition of 社員 was not shown\n");
        return 1;
    }
    return 0;
}
