#include "Clipboard.h"

#include <cstring>
#include <functional>

#include "SjisText.h"

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

// Line ends that stand as characters of their own: a "\n" after a lead byte belongs to it.
size_t CountLineEnds(const char* text, size_t length)
{
    size_t count = 0;
    for (size_t pos = 0; pos < length; pos += sjis::CharLength(text + pos))
        count += text[pos] == '\n';
    return count;
}

void CopyWithCrLf(char* target, const char* text, size_t length)
{
    for (size_t pos = 0; pos < length;) {
        size_t n = sjis::CharLength(text + pos);
        if (n == 1 && text[pos] == '\n')
            *target++ = '\r';
        std::memcpy(target, text + pos, n);
        target += n;
        pos += n;
    }
}

// A zero-filled block of the text's length and 128 bytes, put on the emptied clipboard.
bool PutBlock(HWND owner, size_t length, const std::function<void(char*)>& fill)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 128);
    if (!block)
        return false;
    char* target = static_cast<char*>(GlobalLock(block));
    if (!target) {
        GlobalFree(block);
        return false;
    }
    fill(target);
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

}  // namespace

bool PutClipboardText(HWND owner, const char* text)
{
    if (!text)
        return false;
    size_t length = std::strlen(text);
    return PutBlock(owner, length, [&](char* target) { std::memcpy(target, text, length); });
}

bool PutClipboardTextCrLf(HWND owner, const char* text, size_t length)
{
    if (!text)
        return false;
    return PutBlock(owner, length + CountLineEnds(text, length),
                    [&](char* target) { CopyWithCrLf(target, text, length); });
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
