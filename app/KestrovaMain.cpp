// Kestrova: the program entry.
#include <windows.h>

#include "MainWindow.h"
#include "common/ProgramLauncher.h"
#include "resources/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    MainWindowSetup setup;
    setup.programFolder = ProgramFolder();
    setup.settingsPath = ProfileStore().Path();
    if (!MainWindow::RegisterWindowClass(instance))
        return 1;
    MainWindow mainWindow(setup);
    HWND window = mainWindow.Create(instance, showCommand);
    if (!window)
        return 1;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
