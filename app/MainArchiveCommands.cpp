// The main window's part in the archive windows: opening one from a tool menu file
// ("@UNLHA32", "@UNZIP32") and passing on what the key hook and the shell deliver to the
// main window while one is open. The hook's walk from the archive window's list ends at
// this window, since an owned dialog's parent is its owner.
#include "MainWindow.h"

#include "archive/LhaArchiveWindow.h"
#include "archive/ZipArchiveWindow.h"
#include "common/GridView.h"

void MainWindow::OpenArchiveWindow(bool zip)
{
    if (zip) {
        ZipArchiveWindow window(settings_);
        window.Run(window_);
    } else {
        LhaArchiveWindow window(settings_);
        window.Run(window_);
    }
}

bool MainWindow::ForwardToArchiveWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = ArchiveWindow::Current();
    if (!target)
        return false;
    switch (message) {
    case kChildFilesDropped:
    case kControlUp:
    case kControlDown:
    case kControlPageDown:
    case kControlPageUp:
        // Posted: the list view has then seen the key or the drop before the window acts.
        PostMessageA(target, message, wParam, lParam);
        return true;
    default:
        return false;
    }
}
