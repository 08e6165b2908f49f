#include "ImageCapture.h"

namespace vorn {

OutsideDll::~OutsideDll()
{
    if (module_)
        FreeLibrary(module_);
}

bool OutsideDll::Load(const char* fileName, VornString& error)
{
    module_ = LoadLibraryA(fileName);
    if (module_)
        return true;
    error.Format("ERROR:%s を使用できません", fileName);
    return false;
}

FARPROC OutsideDll::Address(const char* name, VornString& error)
{
    FARPROC address = module_ ? GetProcAddress(module_, name) : nullptr;
    if (address)
        return address;
    error.Format("ERROR:%s をロードできません", name);
    return nullptr;
}

VARTYPE ArgumentType(const VARIANT& argument)
{
    const VARIANT* value = &argument;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    return static_cast<VARTYPE>(value->vt & ~VT_BYREF);
}

HRESULT ReadPictureSource(const VARIANT& argument, PictureSource& source)
{
    if (ArgumentType(argument) == VT_BSTR) {
        source.kind = PictureSource::File;
        return OptionalText(argument, source.path);
    }
    long handle = 0;
    HRESULT hr = OptionalLong(argument, handle);
    if (FAILED(hr))
        return hr;
    source.kind = handle == -1 ? PictureSource::Desktop : handle == 0 ? PictureSource::Clipboard : PictureSource::Window;
    source.window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    return S_OK;
}

PictureContext::~PictureContext()
{
    if (previous_ && context_)
        SelectObject(context_, previous_);
    if (bitmap_)
        DeleteObject(bitmap_);
    if (ownContext_ && context_)
        DeleteDC(context_);
    else if (context_)
        ReleaseDC(windowOfContext_, context_);
    if (clipboardOpen_)
        CloseClipboard();
}

bool PictureContext::Capture(const PictureSource& source, bool wholeWindow, VornString& error)
{
    RECT area = {};
    if (source.kind == PictureSource::Desktop) {
        windowOfContext_ = GetDesktopWindow();
        GetWindowRect(windowOfContext_, &area);
        context_ = GetDC(windowOfContext_);
    } else if (!wholeWindow) {
        SetForegroundWindow(source.window);
        windowOfContext_ = source.window;
        GetClientRect(source.window, &area);
        context_ = GetDC(source.window);
    } else {
        SetForegroundWindow(source.window);
        GetWindowRect(source.window, &area);
        HDC screen = GetDC(nullptr);
        context_ = CreateCompatibleDC(screen);
        ownContext_ = true;
        if (!context_) {
            ReleaseDC(nullptr, screen);
            error = "ERROR:メモリデバイスコンテキストを作成できません";
            return false;
        }
        bitmap_ = CreateCompatibleBitmap(screen, area.right - area.left, area.bottom - area.top);
        previous_ = bitmap_ ? SelectObject(context_, bitmap_) : nullptr;
        BitBlt(context_, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    width_ = area.right - area.left;
    height_ = area.bottom - area.top;
    return context_ != nullptr;
}

bool PictureContext::Load(const PictureSource& source, VornString& error)
{
    HBITMAP bitmap = nullptr;
    if (source.kind == PictureSource::File) {
        bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, source.path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        bitmap_ = bitmap;
    } else {
        if (!OpenClipboard(nullptr)) {
            error = "ERROR:クリップボードをオープンできません";
            return false;
        }
        clipboardOpen_ = true;
        bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        if (!bitmap) {
            error = "ERROR:クリップボードデータを取得できません";
            return false;
        }
    }
    BITMAP shape = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) {
        error = "ERROR:ビットマップをロードできません";
        return false;
    }
    width_ = shape.bmWidth;
    height_ = shape.bmHeight;
    return SelectIntoMemory(bitmap, error);
}

bool PictureContext::SelectIntoMemory(HBITMAP bitmap, VornString& error)
{
    context_ = CreateCompatibleDC(nullptr);
    ownContext_ = true;
    if (!context_) {
        error = "ERROR:メモリデバイスコンテキストを作成できません";
        return false;
    }
    previous_ = SelectObject(context_, bitmap);
    if (!previous_) {
        error = "ERROR:メモリデバイスコンテキストにビットマップを選択できません";
        return false;
    }
    return true;
}

}  // namespace vorn
