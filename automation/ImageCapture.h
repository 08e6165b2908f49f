// What the image members of OuterDll work with: an outside image DLL loaded by name for one
// call, and the picture a script names (a file, the clipboard bitmap, the desktop or a
// window) as a device context with its size. Both release what they took when they end.
#pragma once

#include <windows.h>

#include "ServerFrame.h"
#include "VornString.h"

namespace vorn {

class OutsideDll {
public:
    OutsideDll() = default;
    ~OutsideDll();
    OutsideDll(const OutsideDll&) = delete;
    OutsideDll& operator=(const OutsideDll&) = delete;

    // false with error "ERROR:<file> を使用できません".
    bool Load(const char* fileName, VornString& error);
    // null with error "ERROR:<name> をロードできません". The DLL stays loaded until the end of
    // the call: what its other functions made is released through them first.
    template <typename F>
    bool Take(const char* name, F& function, VornString& error)
    {
        function = reinterpret_cast<F>(reinterpret_cast<void*>(Address(name, error)));
        return function != nullptr;
    }

private:
    FARPROC Address(const char* name, VornString& error);

    HMODULE module_ = nullptr;
};

// Where a picture comes from: a script's text is a file path, a number a window handle,
// with -1 for the desktop and 0 for the clipboard bitmap.
struct PictureSource {
    enum Kind { File, Clipboard, Desktop, Window } kind = File;
    VornString path;
    HWND window = nullptr;
};
// A failed conversion of a number is returned for the caller.
HRESULT ReadPictureSource(const VARIANT& argument, PictureSource& source);
// The type of a script's argument, behind its reference; VT_ERROR when omitted.
VARTYPE ArgumentType(const VARIANT& argument);

// A device context holding the picture, and its size; Capture or Load says why it failed.
class PictureContext {
public:
    PictureContext() = default;
    ~PictureContext();
    PictureContext(const PictureContext&) = delete;
    PictureContext& operator=(const PictureContext&) = delete;

    // The desktop, or a window (brought to the foreground first): its whole rectangle
    // copied from the screen, or its client area through its own device context.
    bool Capture(const PictureSource& source, bool wholeWindow, VornString& error);
    // A bitmap file, or the bitmap on the clipboard, selected into a memory context.
    bool Load(const PictureSource& source, VornString& error);

    HDC Context() const { return context_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    bool SelectIntoMemory(HBITMAP bitmap, VornString& error);

    HWND windowOfContext_ = nullptr;  // the context is that window's own (ReleaseDC)
    bool ownContext_ = false;         // the context is a memory one (DeleteDC)
    HDC context_ = nullptr;
    HBITMAP bitmap_ = nullptr;        // ours to delete
    HGDIOBJ previous_ = nullptr;
    bool clipboardOpen_ = false;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace vorn
