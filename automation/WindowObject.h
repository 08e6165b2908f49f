// The Window object: moves, sizes and shows the one window a script hands it by handle.
// Platform failures are ignored, as a script has no use for them.
#pragma once

#include "ServerFrame.h"

namespace vorn {

class WindowObject : public DispatchObject<IWindow> {
public:
    STDMETHODIMP put_hWnd(LONG newVal) override;
    STDMETHODIMP Center() override;
    STDMETHODIMP Active() override;
    STDMETHODIMP Close() override;
    STDMETHODIMP Restore() override;
    STDMETHODIMP ScreenFit() override;
    STDMETHODIMP get_Max(LONG* pVal) override;
    STDMETHODIMP put_Max(LONG newVal) override;
    STDMETHODIMP get_Min(LONG* pVal) override;
    STDMETHODIMP put_Min(LONG newVal) override;
    STDMETHODIMP get_Left(LONG* pVal) override;
    STDMETHODIMP put_Left(LONG newVal) override;
    STDMETHODIMP get_Top(LONG* pVal) override;
    STDMETHODIMP put_Top(LONG newVal) override;
    STDMETHODIMP get_Width(LONG* pVal) override;
    STDMETHODIMP put_Width(LONG newVal) override;
    STDMETHODIMP get_Height(LONG* pVal) override;
    STDMETHODIMP put_Height(LONG newVal) override;

private:
    RECT Rectangle() const;
    void Place(LONG left, LONG top, LONG width, LONG height) const;
    HRESULT Answer(LONG value, LONG* pVal) const;

    HWND window_ = nullptr;
};

}  // namespace vorn
