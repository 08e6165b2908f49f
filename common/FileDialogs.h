// Open, save and folder dialogs. Filters are written "name,pattern,name,pattern..."; empty
// arguments take the defaults of FileDialogRules.h.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "VornString.h"

// Switches the dialog's file view to the details view whenever its folder changes; pass it
// as the hook argument.
UINT_PTR CALLBACK DetailsViewHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// file holds the initial name on entry and the chosen path on return (fileSize bytes,
// 260 in the forms without a size). False on cancel or error.
bool OpenFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD flags = 0, const char* initialFolder = nullptr,
                    const char* defaultExtension = nullptr, LPOFNHOOKPROC hook = nullptr);
bool OpenFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD fileSize, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook);
bool SaveFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD flags = 0, const char* initialFolder = nullptr,
                    const char* defaultExtension = nullptr, LPOFNHOOKPROC hook = nullptr);
bool SaveFileDialog(HWND owner, const char* title, const char* filter, DWORD filterIndex,
                    char* file, DWORD fileSize, DWORD flags, const char* initialFolder,
                    const char* defaultExtension, LPOFNHOOKPROC hook);

// The folder browser; title "ディレクトリの選択" when none is given. False on cancel.
// extraFlags adds BIF_* flags (e.g. the new dialog style).
bool ChooseFolder(HWND owner, VornString& path, const char* title = nullptr, unsigned extraFlags = 0);
