// A stand-in for the outside image DLLs in the OuterDll tests: every function writes one
// line of what it was given to "<this DLL>.log". A file name holding "code<digit>" makes
// the writers answer that code, one holding "fail" makes the converters fail. What a
// device context shows is reported as its size and, for PNG, the colour of its first pixel.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

HMODULE g_module = nullptr;
DWORD g_error = 0;

struct Image {
    int width;
    int height;
    COLORREF firstPixel;
};

void Log(const char* format, ...)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(g_module, path, MAX_PATH - 4);
    std::strcat(path, ".log");
    FILE* file = std::fopen(path, "ab");
    if (!file)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(file, format, arguments);
    va_end(arguments);
    std::fputs("\n", file);
    std::fclose(file);
}

WORD CodeOf(const char* file)
{
    const char* at = file ? std::strstr(file, "code") : nullptr;
    return at && at[4] >= '0' && at[4] <= '9' ? static_cast<WORD>(at[4] - '0') : 0;
}

BOOL Converted(const char* file) { return file && !std::strstr(file, "fail"); }

unsigned long Pixel(HDC context) { return static_cast<unsigned long>(GetPixel(context, 0, 0)); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    return TRUE;
}

WORD WINAPI SavetoJPEG(LPCSTR bitmap, LPCSTR jpeg, int quality, int progress)
{
    Log("SavetoJPEG|%s|%s|%d|%d", bitmap, jpeg, quality, progress);
    return CodeOf(jpeg);
}

WORD WINAPI CliptoJPEG(LPCSTR jpeg, int quality, int progress)
{
    Log("CliptoJPEG|%s|%d|%d", jpeg, quality, progress);
    return CodeOf(jpeg);
}

WORD WINAPI DCSavetoJPEG(HDC context, int width, int height, LPCSTR jpeg, int quality, int progress)
{
    Log("DCSavetoJPEG|%d|%d|%s|%d|%d", width, height, jpeg, quality, progress);
    return context ? CodeOf(jpeg) : 9;
}

WORD WINAPI DCSavetoPNG(HDC context, int width, int height, LPCSTR png, int compression)
{
    Log("DCSavetoPNG|%d|%d|%06lX|%s|%d", width, height, Pixel(context), png, compression);
    return CodeOf(png);
}

void WINAPI ImgctlErrorClear() { g_error = 0; }

DWORD WINAPI ImgctlError() { return g_error; }

HANDLE WINAPI ToDIB(LPCSTR file)
{
    Log("ToDIB|%s", file);
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        g_error = 65541;
        return nullptr;
    }
    return new Image{1, 1, 0};
}

HANDLE WINAPI DCtoDIB(HDC context, int x, int y, int width, int height)
{
    Log("DCtoDIB|%d|%d|%d|%d", x, y, width, height);
    return new Image{width, height, GetPixel(context, 0, 0)};
}

BOOL WINAPI DIBtoBMP(LPCSTR file, HANDLE image)
{
    Log("DIBtoBMP|%s|%d", file, image ? static_cast<Image*>(image)->width : -1);
    return Converted(file);
}

BOOL WINAPI DIBtoPNG(LPCSTR file, HANDLE, BOOL interlace)
{
    Log("DIBtoPNG|%s|%d", file, interlace);
    return Converted(file);
}

BOOL WINAPI DIBtoPNGex(const DWORD* options, LPCSTR file, HANDLE)
{
    Log("DIBtoPNGex|%lu|%lu|%s", options[0], options[1], file);
    return Converted(file);
}

BOOL WINAPI DIBtoGIF(LPCSTR file, HANDLE, BOOL flag)
{
    Log("DIBtoGIF|%s|%d", file, flag);
    return Converted(file);
}

BOOL WINAPI DIBtoJPG(LPCSTR file, HANDLE, int quality, BOOL flag)
{
    Log("DIBtoJPG|%s|%d|%d", file, quality, flag);
    return Converted(file);
}

BOOL WINAPI DeleteDIB(HANDLE image)
{
    Log("DeleteDIB");
    delete static_cast<Image*>(image);
    return TRUE;
}

}  // extern "C"
