#include "StatusBar.h"

#include <commctrl.h>

#include <cstdarg>

namespace {

// The simple-mode text is written as part SB_SIMPLEID, but comctl32 reads it back through
// any existing part: a read of SB_SIMPLEID is out of range and gives nothing.
const WPARAM kSimplePart = SB_SIMPLEID;
const WPARAM kReadPart = 0;

}  // namespace

StatusBar::~StatusBar()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
}

bool StatusBar::Create(HWND owner, int id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    window_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                              0, 0, 0, 0, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_)
        return false;
    SendMessageA(window_, SB_SIMPLE, TRUE, 0);
    return true;
}

void StatusBar::SetSimpleText(const char* text)
{
    SendMessageA(window_, SB_SETTEXTA, kSimplePart, reinterpret_cast<LPARAM>(text ? text : ""));
}

void StatusBar::SetSimpleTextFormat(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    wvsprintfA(text, format, args);
    va_end(args);
    SetSimpleText(text);
}

VornString StatusBar::SimpleText() const
{
    VornString text;
    LRESULT answer = SendMessageA(window_, SB_GETTEXTLENGTHA, kReadPart, 0);
    unsigned length = LOWORD(answer);
    if (!text.Resize(length + 1) || !text.Buffer())
        return text;
    SendMessageA(window_, SB_GETTEXTA, kReadPart, reinterpret_cast<LPARAM>(text.Buffer()));
    return text;
}

void StatusBar::FitToOwner() { SendMessageA(window_, WM_SIZE, 0, 0); }
