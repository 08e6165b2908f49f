// One window handle with the program's usual operations, and the window-position store.
#pragma once

#include <windows.h>

#include "ProfileStore.h"
#include "VornString.h"

class WindowBase {
public:
    explicit WindowBase(HWND window = nullptr) : window_(window) {}
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return window_; }
    void Attach(HWND window) { window_ = window; }

    void Move(int x, int y);
    void Resize(int width, int height);
    void MoveAndResize(int x, int y, int width, int height);
    void Show(int command = SW_SHOW);
    void Hide() { Show(SW_HIDE); }
    void Minimize() { Show(SW_MINIMIZE); }
    void Maximize() { Show(SW_MAXIMIZE); }
    void Restore() { Show(SW_RESTORE); }
    void Enable(bool enable);
    void SetText(const char* text);
    void SetTextFormat(const char* format, ...);
    // The whole text; the buffer grows in steps of 6400 bytes up to 500000.
    VornString Text() const;
    // new = (old | set) & ~clear
    void ChangeStyle(DWORD set, DWORD clear);
    void ChangeExStyle(DWORD set, DWORD clear);
    void AcceptFiles(bool accept);
    // A solid background brush owned by this object; replaced on each call.
    void SetBackground(int red, int green, int blue);
    HBRUSH Background() const { return background_; }
    SIZE ClientSize() const;
    SIZE WindowSize() const;
    HWND Parent() const;
    BOOL Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostCommand(WORD id) const { return Post(WM_COMMAND, id, 0); }
    LRESULT SendCommand(WORD id) const { return Send(WM_COMMAND, id, 0); }
    void Redraw();
    void Destroy();
    void Focus();
    void CenterOnDesktop();

    // Writes Left, Top, Width, Height unless the window is minimised, maximised or off the
    // positive quadrant; false when nothing was written.
    bool SavePosition(const char* section, ProfileStore& store) const;
    // False (window untouched) when no position was ever stored.
    bool RestorePosition(const char* section, const ProfileStore& store);
    // Face kind 0-3, size 8-18; the font is owned and replaced on each call.
    bool SetFont(int pointSize, int faceKind, bool bold);
    HFONT Font() const { return font_; }

    // Dialog items, by control id.
    VornString ItemText(int id) const;
    void SetItemText(int id, const char* text);
    void SetItemTextFormat(int id, const char* format, ...);
    void EnableItem(int id, bool enable = true);
    void DisableItem(int id) { EnableItem(id, false); }
    void HideItem(int id);
    bool IsItemChecked(int id) const;
    void CheckItem(int id, bool check);
    void SetPasswordChar(int id, char c);
    bool IsItemEnabled(int id) const;

protected:
    HWND window_;
    HBRUSH background_ = nullptr;
    HFONT font_ = nullptr;
};
