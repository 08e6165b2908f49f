// Shows Kestrova at work for the launch script: "dialog" opens the PostgreSQL connection
// dialog with Ctrl+P; "connect" answers it with Enter and shows the definition of the
// sample table 社員; "close" ends the program the way its close box does.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "KestrovaRemote.h"

int main(int argc, char** argv)
{
    const char* step = argc > 1 ? argv[1] : "connect";
    KestrovaRemote kestrova;
    if (!kestrova.Attach()) {
        std::fprintf(stderr, "Kestrova is not running\n");
        return 1;
    }
    if (std::strcmp(step, "close") == 0) {
        PostMessageA(kestrova.Main(), WM_CLOSE, 0, 0);
        return 0;
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
