#include "WindowObject.h"

namespace vorn {

namespace {

RECT DesktopRectangle()
{
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

// Room left below the fitted window for the task bar.
const LONG kScreenFitBottomMargin = 32;

}  // namespace

RECT WindowObject::Rectangle() const
{
    RECT rectangle = {};
    GetWindowRect(window_, &rectangle);
    return rectangle;
}

void WindowObject::Place(LONG left, LONG top, LONG width, LONG height) const
{
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT WindowObject::Answer(LONG value, LONG* pVal) const
{
    if (!pVal)
        return E_POINTER;
    *pVal = value;
    return S_OK;
}

STDMETHODIMP WindowObject::put_hWnd(LONG newVal)
{
    window_ = reinterpret_cast<HWND>(static_cast<LONG_PTR>(newVal));
    return S_OK;
}

STDMETHODIMP WindowObject::Center()
{
    RECT desktop = DesktopRectangle(), window = Rectangle();
    LONG width = window.right - window.left, height = window.bottom - window.top;
    Place(desktop.right / 2 - width / 2, desktop.bottom / 2 - height / 2, width, height);
    return S_OK;
}

STDMETHODIMP WindowObject::Active()
{
    SetForegroundWindow(window_);
    return S_OK;
}

STDMETHODIMP WindowObject::Close()
{
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return S_OK;
}

STDMETHODIMP WindowObject::Restore()
{
    ShowWindow(window_, SW_RESTORE);
    return S_OK;
}

STDMETHODIMP WindowObject::ScreenFit()
{
    RECT desktop = DesktopRectangle();
    Place(0, 0, desktop.right, desktop.bottom - kScreenFitBottomMargin);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Max(LONG* pVal) { return Answer(IsZoomed(window_) ? 1 : 0, pVal); }

STDMETHODIMP WindowObject::put_Max(LONG newVal)
{
    if (newVal)
        ShowWindow(window_, SW_MAXIMIZE);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Min(LONG* pVal) { return Answer(IsIconic(window_) ? 1 : 0, pVal); }

STDMETHODIMP WindowObject::put_Min(LONG newVal)
{
    if (newVal)
        ShowWindow(window_, SW_MINIMIZE);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Left(LONG* pVal) { return Answer(Rectangle().left, pVal); }

STDMETHODIMP WindowObject::put_Left(LONG newVal)
{
    RECT window = Rectangle();
    Place(newVal, window.top, window.right - window.left, window.bottom - window.top);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Top(LONG* pVal) { return Answer(Rectangle().top, pVal); }

STDMETHODIMP WindowObject::put_Top(LONG newVal)
{
    RECT window = Rectangle();
    Place(window.left, newVal, window.right - window.left, window.bottom - window.top);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Width(LONG* pVal)
{
    RECT window = Rectangle();
    return Answer(window.right - window.left, pVal);
}

STDMETHODIMP WindowObject::put_Width(LONG newVal)
{
    RECT window = Rectangle();
    Place(window.left, window.top, newVal, window.bottom - window.top);
    return S_OK;
}

STDMETHODIMP WindowObject::get_Height(LONG* pVal)
{
    RECT window = Rectangle();
    return Answer(window.bottom - window.top, pVal);
}

STDMETHODIMP WindowObject::put_Height(LONG newVal)
{
    RECT window = Rectangle();
    Place(window.left, window.top, window.right - window.left, newVal);
    return S_OK;
}

}  // namespace vorn
