// OuterDll's picture members: JPEG and PNG writing through "SaveJPG.dll" and
// "TransG32.dll", loading and conversion through "imgctl.dll". Every argument is checked
// before a DLL is loaded; what a member takes is released on every path.
#include "OuterDllObject.h"

#include "ImageCapture.h"

namespace vorn {

namespace {

typedef WORD(WINAPI* SaveJpegFunction)(LPCSTR, LPCSTR, int, int);
typedef WORD(WINAPI* ClipToJpegFunction)(LPCSTR, int, int);
typedef WORD(WINAPI* DcToJpegFunction)(HDC, int, int, LPCSTR, int, int);
typedef WORD(WINAPI* DcToPngFunction)(HDC, int, int, LPCSTR, int);
typedef void(WINAPI* ErrorClearFunction)();
typedef DWORD(WINAPI* ErrorFunction)();
typedef HANDLE(WINAPI* ToDibFunction)(LPCSTR);
typedef HANDLE(WINAPI* DcToDibFunction)(HDC, int, int, int, int);
typedef BOOL(WINAPI* DibToBmpFunction)(LPCSTR, HANDLE);
typedef BOOL(WINAPI* DibToPngFunction)(LPCSTR, HANDLE, BOOL);
typedef BOOL(WINAPI* DibToPngExFunction)(void*, LPCSTR, HANDLE);
typedef BOOL(WINAPI* DibToGifFunction)(LPCSTR, HANDLE, BOOL);
typedef BOOL(WINAPI* DibToJpgFunction)(LPCSTR, HANDLE, int, BOOL);
typedef BOOL(WINAPI* DeleteDibFunction)(HANDLE);

const DWORD kCannotLoadFile = 65541;
const char kCannotLoad[] = "ERROR:ファイルをロードできません";
const char kCannotWriteBmp[] = "ERROR:ビットマップファイルを作成できません";

struct PngOptions {
    DWORD flags;
    DWORD level;
};

// The writers' result codes.
const char* SaveCodeText(WORD code)
{
    static const char* const kTexts[] = {"",
                                         "ERROR:ファイルがオープンできません",
                                         "ERROR:ファイルが書きこめません",
                                         "ERROR:ファイルのフォーマットエラーです",
                                         "ERROR:スタックがオーバーフローしました",
                                         "ERROR:クリップボードにビットマップがありません"};
    return code < sizeof kTexts / sizeof kTexts[0] ? kTexts[code] : "ERROR:未定義のエラー";
}

// An optional integer that must not be given as text.
HRESULT ReadNumber(const VARIANT& argument, long& value, const char* textRefused, const char*& refusal)
{
    if (ArgumentType(argument) == VT_BSTR) {
        refusal = textRefused;
        return S_OK;
    }
    return OptionalLong(argument, value);
}

// The capture flag: a boolean when given (only a window's capture reads it).
const char* ReadWindowFlag(const PictureSource& source, const VARIANT& argument, const char* refusal, bool& whole)
{
    VARTYPE type = ArgumentType(argument);
    if (source.kind != PictureSource::Window || type == VT_ERROR)
        return nullptr;
    if (type != VT_BOOL)
        return refusal;
    VARIANT_BOOL value = VARIANT_FALSE;
    const VARIANT* at = &argument;
    while (at->vt == (VT_BYREF | VT_VARIANT) && at->pvarVal)
        at = at->pvarVal;
    value = at->vt == VT_BOOL ? at->boolVal : *at->pboolVal;
    whole = value != VARIANT_FALSE;
    return nullptr;
}

// The output path: given, or beside a file source with the extension replaced.
const char* ReadOutputPath(const PictureSource& source, const VARIANT& argument, const char* extension,
                           const char* required, VornString& path, HRESULT& hr)
{
    bool given = false;
    hr = OptionalText(argument, path, &given);
    if (FAILED(hr) || (given && !path.IsEmpty()))
        return nullptr;
    if (source.kind != PictureSource::File)
        return required;
    path = source.path;
    path.RemoveExtension();
    path.Append(extension);
    return nullptr;
}

bool IsNumberType(VARTYPE type)
{
    switch (type) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL:
        return true;
    default:
        return false;
    }
}

// The image "imgctl.dll" made, released with the DLL's own function.
class DibImage {
public:
    DibImage(DeleteDibFunction remove, HANDLE image) : remove_(remove), image_(image) {}
    ~DibImage()
    {
        if (image_)
            remove_(image_);
    }
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;
    HANDLE Handle() const { return image_; }

private:
    DeleteDibFunction remove_;
    HANDLE image_;
};

}  // namespace

STDMETHODIMP OuterDllObject::SavetoJPEG(VARIANT bmpf, VARIANT Value, VARIANT jpgf, VARIANT Prgrs, VARIANT bWin,
                                        VARIANT DllPath, BSTR* pVal)
{
    PictureSource source;
    long quality = 100, progress = 0;
    bool whole = false;
    const char* refusal = nullptr;
    VornString output, dllName("SaveJPG.dll");
    HRESULT hr = ReadPictureSource(bmpf, source);
    if (SUCCEEDED(hr))
        hr = ReadNumber(Value, quality, "ERROR:品質は整数で指定して下さい", refusal);
    if (SUCCEEDED(hr) && !refusal)
        hr = OptionalLong(Prgrs, progress);
    if (SUCCEEDED(hr) && !refusal)
        refusal = ReadWindowFlag(source, bWin, "ERROR:5番目の引数(bWin) に誤りがあります", whole);
    if (SUCCEEDED(hr) && !refusal)
        refusal = ReadOutputPath(source, jpgf, ".jpg", "ERROR:JPEG ファイルのパスを指定して下さい", output, hr);
    if (SUCCEEDED(hr) && !refusal)
        hr = OptionalText(DllPath, dllName);
    if (FAILED(hr))
        return hr;
    if (refusal)
        return ReturnText(refusal, pVal);

    VornString error;
    OutsideDll dll;
    if (!dll.Load(dllName, error))
        return ReturnText(error, pVal);
    WORD code = 0;
    if (source.kind == PictureSource::File) {
        SaveJpegFunction save = nullptr;
        if (!dll.Take("SavetoJPEG", save, error))
            return ReturnText(error, pVal);
        code = save(source.path, output, quality, progress);
    } else if (source.kind == PictureSource::Clipboard) {
        ClipToJpegFunction save = nullptr;
        if (!dll.Take("CliptoJPEG", save, error))
            return ReturnText(error, pVal);
        code = save(output, quality, progress);
    } else {
        DcToJpegFunction save = nullptr;
        if (!dll.Take("DCSavetoJPEG", save, error))
            return ReturnText(error, pVal);
        PictureContext picture;
        if (!picture.Capture(source, whole, error))
            return ReturnText(error, pVal);
        code = save(picture.Context(), picture.Width(), picture.Height(), output, quality, progress);
    }
    return ReturnText(SaveCodeText(code), pVal);
}

STDMETHODIMP OuterDllObject::SavetoPNG(VARIANT bmpf, VARIANT Value, VARIANT pngf, VARIANT bWin, VARIANT DllPath,
                                       BSTR* pVal)
{
    PictureSource source;
    long compression = 0;
    bool whole = false;
    const char* refusal = nullptr;
    VornString output, dllName("TransG32.dll");
    HRESULT hr = ReadPictureSource(bmpf, source);
    if (SUCCEEDED(hr))
        hr = ReadNumber(Value, compression, "ERROR:圧縮方法は整数で指定して下さい", refusal);
    if (SUCCEEDED(hr) && !refusal)
        refusal = ReadWindowFlag(source, bWin, "ERROR:4番目の引数(bWin) に誤りがあります", whole);
    if (SUCCEEDED(hr) && !refusal)
        refusal = ReadOutputPath(source, pngf, ".png", "ERROR:PNG ファイルのパスを指定して下さい", output, hr);
    if (SUCCEEDED(hr) && !refusal)
        hr = OptionalText(DllPath, dllName);
    if (FAILED(hr))
        return hr;
    if (refusal)
        return ReturnText(refusal, pVal);

    VornString error;
    OutsideDll dll;
    DcToPngFunction save = nullptr;
    if (!dll.Load(dllName, error) || !dll.Take("DCSavetoPNG", save, error))
        return ReturnText(error, pVal);
    PictureContext picture;
    bool ready = source.kind == PictureSource::File || source.kind == PictureSource::Clipboard
                     ? picture.Load(source, error)
                     : picture.Capture(source, whole, error);
    if (!ready)
        return ReturnText(error, pVal);
    WORD code = save(picture.Context(), picture.Width(), picture.Height(), output, compression);
    return ReturnText(SaveCodeText(code), pVal);
}

STDMETHODIMP OuterDllObject::SavetoBMP(VARIANT Target, VARIANT bmpf, VARIANT bWin, VARIANT DllPath, BSTR* pVal)
{
    PictureSource source;
    bool whole = false, outputGiven = false;
    const char* refusal = nullptr;
    VornString output, dllName("imgctl.dll");
    HRESULT hr = ReadPictureSource(Target, source);
    if (SUCCEEDED(hr))
        refusal = ReadWindowFlag(source, bWin, "ERROR:3番目の引数(bWin) に誤りがあります", whole);
    if (SUCCEEDED(hr) && !refusal) {
        outputGiven = ArgumentType(bmpf) != VT_ERROR;
        if (!outputGiven && source.kind == PictureSource::File && source.path.FindExtension().EqualsIgnoreCase(".bmp"))
            refusal = "ERROR:入力ファイルがBMPファイルの場合は出力パスを指定して下さい";
    }
    if (SUCCEEDED(hr) && !refusal)
        refusal = ReadOutputPath(source, bmpf, ".bmp", "ERROR:ビットマップファイルのパスを指定して下さい", output, hr);
    if (SUCCEEDED(hr) && !refusal)
        hr = OptionalText(DllPath, dllName);
    if (FAILED(hr))
        return hr;
    if (refusal)
        return ReturnText(refusal, pVal);

    VornString error;
    OutsideDll dll;
    ErrorClearFunction clearError = nullptr;
    ErrorFunction lastError = nullptr;
    ToDibFunction toDib = nullptr;
    DcToDibFunction dcToDib = nullptr;
    DibToBmpFunction toBmp = nullptr;
    DeleteDibFunction deleteDib = nullptr;
    bool fromFile = source.kind == PictureSource::File;
    if (!dll.Load(dllName, error) || !dll.Take("ImgctlErrorClear", clearError, error) ||
        !dll.Take("ImgctlError", lastError, error) ||
        !(fromFile ? dll.Take("ToDIB", toDib, error) : dll.Take("DCtoDIB", dcToDib, error)) ||
        !dll.Take("DIBtoBMP", toBmp, error) || !dll.Take("DeleteDIB", deleteDib, error))
        return ReturnText(error, pVal);

    clearError();
    if (fromFile) {
        DibImage image(deleteDib, toDib(source.path));
        if (lastError() == kCannotLoadFile)
            return ReturnText(kCannotLoad, pVal);
        return ReturnText(toBmp(output, image.Handle()) ? "" : kCannotWriteBmp, pVal);
    }
    PictureContext picture;
    bool ready = source.kind == PictureSource::Clipboard ? picture.Load(source, error)
                                                         : picture.Capture(source, whole, error);
    if (!ready)
        return ReturnText(error, pVal);
    DibImage image(deleteDib, dcToDib(picture.Context(), 0, 0, picture.Width(), picture.Height()));
    if (lastError() != 0)
        return ReturnText("ERROR:メモリデバイスコンテキストよりDIBを作成できませんでした", pVal);
    return ReturnText(toBmp(output, image.Handle()) ? "" : kCannotWriteBmp, pVal);
}

STDMETHODIMP OuterDllObject::IMGtoIMG(BSTR Target, BSTR Save, VARIANT bOption, VARIANT nOption, VARIANT DllPath,
                                      BSTR* pVal)
{
    VornString target, save, dllName("imgctl.dll");
    TextOf(Target, target);
    TextOf(Save, save);
    bool flag = false, numberGiven = false;
    long number = 0;
    VARTYPE flagType = ArgumentType(bOption), numberType = ArgumentType(nOption);
    if (flagType != VT_ERROR && flagType != VT_BOOL)
        return ReturnText("ERROR:3番目(bOption)の引数に誤りがあります", pVal);
    if (numberType != VT_ERROR && !IsNumberType(numberType))
        return ReturnText("ERROR:4番目(nOption)の引数に誤りがあります", pVal);
    HRESULT hr = OptionalBool(bOption, flag);
    if (SUCCEEDED(hr))
        hr = OptionalLong(nOption, number, &numberGiven);
    if (SUCCEEDED(hr))
        hr = OptionalText(DllPath, dllName);
    if (FAILED(hr))
        return hr;

    VornString error;
    OutsideDll dll;
    ErrorClearFunction clearError = nullptr;
    ErrorFunction lastError = nullptr;
    ToDibFunction toDib = nullptr;
    DeleteDibFunction deleteDib = nullptr;
    if (!dll.Load(dllName, error) || !dll.Take("ImgctlErrorClear", clearError, error) ||
        !dll.Take("ImgctlError", lastError, error) || !dll.Take("ToDIB", toDib, error) ||
        !dll.Take("DeleteDIB", deleteDib, error))
        return ReturnText(error, pVal);
    clearError();
    DibImage image(deleteDib, toDib(target));
    if (lastError() == kCannotLoadFile)
        return ReturnText(kCannotLoad, pVal);

    VornString extension = save.FindExtension();
    BOOL written = FALSE;
    const char* failure = nullptr;
    if (extension.EqualsIgnoreCase(".bmp")) {
        DibToBmpFunction write = nullptr;
        if (!dll.Take("DIBtoBMP", write, error))
            return ReturnText(error, pVal);
        written = write(save, image.Handle());
        failure = kCannotWriteBmp;
    } else if (extension.EqualsIgnoreCase(".png") && !numberGiven) {
        DibToPngFunction write = nullptr;
        if (!dll.Take("DIBtoPNG", write, error))
            return ReturnText(error, pVal);
        written = write(save, image.Handle(), flag ? 1 : 0);
        failure = "ERROR:PNGファイルを作成できません";
    } else if (extension.EqualsIgnoreCase(".png")) {
        DibToPngExFunction write = nullptr;
        if (!dll.Take("DIBtoPNGex", write, error))
            return ReturnText(error, pVal);
        PngOptions options = {flag ? 129u : 1u, static_cast<DWORD>(number)};
        written = write(&options, save, image.Handle());
        failure = "ERROR:PNGファイルを作成できません";
    } else if (extension.EqualsIgnoreCase(".gif")) {
        DibToGifFunction write = nullptr;
        if (!dll.Take("DIBtoGIF", write, error))
            return ReturnText(error, pVal);
        written = write(save, image.Handle(), flag ? 1 : 0);
        failure = "ERROR:GIFファイルを作成できません";
    } else if (extension.EqualsIgnoreCase(".jpg") || extension.EqualsIgnoreCase(".jpeg")) {
        DibToJpgFunction write = nullptr;
        if (!dll.Take("DIBtoJPG", write, error))
            return ReturnText(error, pVal);
        written = write(save, image.Handle(), numberGiven ? number : 100, flag ? 1 : 0);
        failure = "ERROR:JPGファイルを作成できません";
    } else {
        return ReturnText("ERROR:保存ファイルの拡張子に誤りがあります", pVal);
    }
    return ReturnText(written ? "" : failure, pVal);
}

}  // namespace vorn
