#include "WindowBase.h"

#include <cstdarg>
#include <cstdio>
#include <shellapi.h>

#include "Fonts.h"
#include "WindowPlacement.h"

namespace {

const unsigned kTextGrowth = 6400;
const unsigned kTextLimit = 500000;

// Reads a window's text, growing the buffer while the text filled it to within 2 bytes.
VornString ReadWindowText(HWND window)
{
    VornString text(kTextGrowth);
    for (;;) {
        int length = GetWindowTextA(window, text.Buffer(), static_cast<int>(text.Capacity()));
        if (static_cast<unsigned>(length) + 2 < text.Capacity() || text.Capacity() > kTextLimit)
            break;
        if (!text.Resize(text.Capacity() + kTextGrowth))
            break;
    }
    return text;
}

}  // namespace

WindowBase::~WindowBase()
{
    if (background_)
        DeleteObject(background_);
    if (font_)
        DeleteObject(font_);
}

void WindowBase::Move(int x, int y)
{
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBase::Resize(int width, int height)
{
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBase::MoveAndResize(int x, int y, int width, int height)
{
    MoveWindow(window_, x, y, width, height, TRUE);
}

void WindowBase::Show(int command) { ShowWindow(window_, command); }

void WindowBase::Enable(bool enable) { EnableWindow(window_, enable ? TRUE : FALSE); }

void WindowBase::SetText(const char* text) { SetWindowTextA(window_, text ? text : ""); }

void WindowBase::SetTextFormat(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetText(text);
}

VornString WindowBase::Text() const { return ReadWindowText(window_); }

void WindowBase::ChangeStyle(DWORD set, DWORD clear)
{
    LONG style = GetWindowLongA(window_, GWL_STYLE);
    SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>((style | set) & ~clear));
}

void WindowBase::ChangeExStyle(DWORD set, DWORD clear)
{
    LONG style = GetWindowLongA(window_, GWL_EXSTYLE);
    SetWindowLongA(window_, GWL_EXSTYLE, static_cast<LONG>((style | set) & ~clear));
}

void WindowBase::AcceptFiles(bool accept) { DragAcceptFiles(window_, accept ? TRUE : FALSE); }

void WindowBase::SetBackground(int red, int green, int blue)
{
    if (background_)
        DeleteObject(background_);
    background_ = CreateSolidBrush(RGB(red, green, blue));
}

SIZE WindowBase::ClientSize() const
{
    RECT rect = {};
    GetClientRect(window_, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE WindowBase::WindowSize() const
{
    RECT rect = {};
    GetWindowRect(window_, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HWND WindowBase::Parent() const { return GetParent(window_); }

BOOL WindowBase::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return PostMessageA(window_, message, wParam, lParam);
}

LRESULT WindowBase::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(window_, message, wParam, lParam);
}

void WindowBase::Redraw() { RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW); }

void WindowBase::Destroy()
{
    if (window_)
        DestroyWindow(window_);
    window_ = nullptr;
}

void WindowBase::Focus() { SetFocus(window_); }

void WindowBase::CenterOnDesktop()
{
    RECT desktop = {}, rect = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window_, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    Move((desktop.right - desktop.left - width) / 2, (desktop.bottom - desktop.top - height) / 2);
}

bool WindowBase::SavePosition(const char* section, ProfileStore& store) const
{
    if (IsIconic(window_) || IsZoomed(window_))
        return false;
    RECT rect = {};
    if (!GetWindowRect(window_, &rect))
        return false;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (rect.left < 0 || rect.top < 0 || width <= 0 || height <= 0)
        return false;
    store.WriteFormat(section, "Left", "%d", static_cast<int>(rect.left));
    store.WriteFormat(section, "Top", "%d", static_cast<int>(rect.top));
    store.WriteFormat(section, "Width", "%d", width);
    store.WriteFormat(section, "Height", "%d", height);
    return true;
}

bool WindowBase::RestorePosition(const char* section, const ProfileStore& store)
{
    char left[20], top[20], width[20], height[20];
    store.ReadRaw(section, "Left", kNoStoredPosition, left, sizeof left);
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    char defaultWidth[20], defaultHeight[20];
    std::snprintf(defaultWidth, sizeof defaultWidth, "%d", static_cast<int>(desktop.right));
    std::snprintf(defaultHeight, sizeof defaultHeight, "%d", static_cast<int>(desktop.bottom - 32));
    store.ReadRaw(section, "Top", "0", top, sizeof top);
    store.ReadRaw(section, "Width", defaultWidth, width, sizeof width);
    store.ReadRaw(section, "Height", defaultHeight, height, sizeof height);
    StoredPosition position;
    if (!ResolveStoredPosition(left, top, width, height, &position))
        return false;
    MoveWindow(window_, position.left, position.top, position.width, position.height, TRUE);
    return true;
}

bool WindowBase::SetFont(int pointSize, int faceKind, bool bold)
{
    HFONT font = CreateVornFont(faceKind, pointSize, bold);
    if (!font)
        return false;
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_)
        DeleteObject(font_);
    font_ = font;
    return true;
}

VornString WindowBase::ItemText(int id) const { return ReadWindowText(GetDlgItem(window_, id)); }

void WindowBase::SetItemText(int id, const char* text) { SetDlgItemTextA(window_, id, text ? text : ""); }

void WindowBase::SetItemTextFormat(int id, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetItemText(id, text);
}

void WindowBase::EnableItem(int id, bool enable) { EnableWindow(GetDlgItem(window_, id), enable ? TRUE : FALSE); }

void WindowBase::HideItem(int id) { ShowWindow(GetDlgItem(window_, id), SW_HIDE); }

bool WindowBase::IsItemChecked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void WindowBase::CheckItem(int id, bool check) { CheckDlgButton(window_, id, check ? BST_CHECKED : BST_UNCHECKED); }

void WindowBase::SetPasswordChar(int id, char c)
{
    HWND item = GetDlgItem(window_, id);
    SetWindowLongA(item, GWL_STYLE, GetWindowLongA(item, GWL_STYLE) | ES_PASSWORD);
    SendMessageA(item, EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
}

bool WindowBase::IsItemEnabled(int id) const { return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE; }
