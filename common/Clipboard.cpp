#include "Clipboard.h"

#include <cstring>

namespace {

// Another program (a clipboard viewer, the spy) may hold the clipboard for a moment.
bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool PutClipboardText(HWND owner, const char* text)
{
    if (!text)
        return false;
    size_t length = std::strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 128);
    if (!block)
        return false;
    char* target = static_cast<char*>(GlobalLock(block));
    if (!target) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, text, length);
    GlobalUnlock(block);
    if (!OpenClipboardPatiently(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!placed)
        GlobalFree(block);
    return placed;
}

bool ReadClipboardText(HWND owner, VornString& out)
{
    out.Clear();
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboardPatiently(owner))
        return false;
    bool found = false;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data) {
        const char* text = static_cast<const char*>(GlobalLock(data));
        if (text) {
            out.Assign(text);
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}
