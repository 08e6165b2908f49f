// The OuterDll object: a folder with Japanese names packed into ZIP and LZH through the
// program folder's archiver DLLs and unpacked again byte for byte, its failures, and the
// picture members on a platform without the image DLLs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

struct SourceFile {
    const char* name;
    std::string bytes;
};

std::string Repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

TEST(OuterDllObjectTest, PacksAFolderIntoZipAndLzhAndUnpacksItByteForByte)
{
    const SourceFile files[] = {
        {"表.txt", "表ソ能\r\n" + Repeated("行の繰り返し,0123456789\r\n", 400)},
        {"ソ\\データ.csv", AllBytes()},
        {"ソ\\空.dat", ""},
    };
    std::string base = ScratchPath("outer");
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\src").c_str(), nullptr);
    CreateDirectoryA((base + "\\src\\ソ").c_str(), nullptr);
    for (const SourceFile& file : files)
        WriteBytes(base + "\\src\\" + file.name, file.bytes);
    WriteBytes(base + "\\a.bmp", "not a picture");

    Results r = RunScript("OuterDll.vbs", base);

    // The project's archiver DLLs say nothing when all went well.
    for (const char* key : {"FreezeZip", "MeltZip.into", "MeltZip.named", "MeltZip.flat", "Zip", "Unzip", "FreezeLzh",
                            "MeltLzh.into", "MeltLzh.named", "MeltLzh.flat", "Unlha"})
        EXPECT_EQ(Str(""), At(r, key)) << key;
    const std::string withFolders[] = {"zip-dest\\src\\", "z\\src\\", "zip-command\\src\\",
                                       "lzh-dest\\src\\", "l\\src\\", "lzh-command\\src\\"};
    // Compared whole: a mismatch names the file, not thousands of bytes.
    auto expectSame = [&](const std::string& expected, const std::string& path) {
        std::string bytes = ReadBytes(base + "\\" + path);
        EXPECT_TRUE(bytes == expected) << path << ": " << bytes.substr(0, 40);
    };
    for (const std::string& folder : withFolders)
        for (const SourceFile& file : files)
            expectSame(file.bytes, folder + file.name);
    for (const char* flat : {"zip-flat\\", "lzh-flat\\"}) {
        expectSame(files[0].bytes, std::string(flat) + "表.txt");
        expectSame(files[1].bytes, std::string(flat) + "データ.csv");
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((base + "\\" + flat + "src").c_str())) << flat;
    }

    ExpectAll(r, {
        {"FreezeZip.nofiles", Str("ERROR:圧縮するファイルを指定して下さい")},
        {"FreezeLzh.tabsonly", Str("ERROR:圧縮するファイルを指定して下さい")},
        {"FreezeLzh.noarchive", Str("ERROR:書庫が指定されていません")},
        {"MeltZip.noarchive", Str("ERROR:書庫が指定されていません")},
        {"MeltLzh.noarchive", Str("ERROR:書庫が指定されていません")},
        {"Unlha.empty", Str("ERROR:コマンドがありません")},
        {"MeltZip.badflag", kConversionFailed},
    });
    // A refusal of the DLL comes back in its own words, marked as a failure.
    EXPECT_EQ(Str("ERROR:書庫が見つかりません: " + base + "\\missing.zip"), At(r, "MeltZip.missing"));
    EXPECT_EQ(Str("ERROR:書庫が見つかりません: " + base + "\\missing.lzh"), At(r, "MeltLzh.missing"));
}

TEST(OuterDllObjectTest, PictureMembersCheckTheirArgumentsThenReportTheMissingDll)
{
    std::string base = ScratchPath("pictures");
    CreateDirectoryA(base.c_str(), nullptr);
    Results r = RunScript("OuterDll.vbs", base);
    ExpectAll(r, {
        {"SavetoJPEG.nodll", Str("ERROR:SaveJPG.dll を使用できません")},
        {"SavetoJPEG.textquality", Str("ERROR:品質は整数で指定して下さい")},
        {"SavetoJPEG.nopath", Str("ERROR:JPEG ファイルのパスを指定して下さい")},
        {"SavetoJPEG.clipnopath", Str("ERROR:JPEG ファイルのパスを指定して下さい")},
        {"SavetoJPEG.badwin", Str("ERROR:5番目の引数(bWin) に誤りがあります")},
        {"SavetoJPEG.file", Str("ERROR:SavetoJPEG をロードできません")},
        {"SavetoJPEG.clipboard", Str("ERROR:CliptoJPEG をロードできません")},
        {"SavetoJPEG.desktop", Str("ERROR:DCSavetoJPEG をロードできません")},
        {"SavetoJPEG.otherdll", Str("ERROR:KestrovaNoSuch.dll を使用できません")},
        {"SavetoPNG.nodll", Str("ERROR:TransG32.dll を使用できません")},
        {"SavetoPNG.textvalue", Str("ERROR:圧縮方法は整数で指定して下さい")},
        {"SavetoPNG.nopath", Str("ERROR:PNG ファイルのパスを指定して下さい")},
        {"SavetoPNG.badwin", Str("ERROR:4番目の引数(bWin) に誤りがあります")},
        {"SavetoPNG.nofunction", Str("ERROR:DCSavetoPNG をロードできません")},
        {"SavetoBMP.nodll", Str("ERROR:imgctl.dll を使用できません")},
        {"SavetoBMP.bmpinput", Str("ERROR:入力ファイルがBMPファイルの場合は出力パスを指定して下さい")},
        {"SavetoBMP.nopath", Str("ERROR:ビットマップファイルのパスを指定して下さい")},
        {"SavetoBMP.badwin", Str("ERROR:3番目の引数(bWin) に誤りがあります")},
        {"SavetoBMP.nofunction", Str("ERROR:ImgctlErrorClear をロードできません")},
        {"IMGtoIMG.nodll", Str("ERROR:imgctl.dll を使用できません")},
        {"IMGtoIMG.badflag", Str("ERROR:3番目(bOption)の引数に誤りがあります")},
        {"IMGtoIMG.badnumber", Str("ERROR:4番目(nOption)の引数に誤りがあります")},
        {"IMGtoIMG.nofunction", Str("ERROR:ImgctlErrorClear をロードできません")},
        {"IsExist", Long(-1)}, {"IsExist.function", Long(-1)}, {"IsExist.nofunction", Long(0)},
        {"IsExist.missing", Long(0)},
    });
}

}  // namespace

namespace {

// A bottom-up 24-bit bitmap file of one colour.
std::string BitmapFile(int width, int height, unsigned char red, unsigned char green, unsigned char blue)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
        row[static_cast<size_t>(x * 3)] = static_cast<char>(blue);
        row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>(green);
        row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(red);
    }
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
}

bool PutClipboardBitmap(int width, int height, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    bool put = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    return put;
}

LRESULT CALLBACK PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(OuterDllObjectTest, PictureMembersHandTheImageDllsTheSourceTheyWereGiven)
{
    std::string base = ScratchPath("standin");
    CreateDirectoryA(base.c_str(), nullptr);
    WriteBytes(base + "\\pic.bmp", BitmapFile(4, 3, 0x12, 0x34, 0x56));
    WriteBytes(base + "\\photo.gif", "GIF89a");
    char dll[MAX_PATH] = {};
    GetFullPathNameA(IMAGE_STANDIN_PATH, MAX_PATH, dll, nullptr);
    std::string log = std::string(dll) + ".log";
    DeleteFileA(log.c_str());
    ASSERT_TRUE(PutClipboardBitmap(5, 2, RGB(0x65, 0x43, 0x21)));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PictureProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestrovaPictureTarget";
    RegisterClassA(&windowClass);
    HWND target = CreateWindowA(windowClass.lpszClassName, "picture", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 220,
                                140, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, target);

    Results r = RunScript("Pictures.vbs", base + "|" + dll + "|" + std::to_string(reinterpret_cast<LONG_PTR>(target)));

    RECT outer = {}, client = {}, desktop = {};
    GetWindowRect(target, &outer);
    GetClientRect(target, &client);
    GetWindowRect(GetDesktopWindow(), &desktop);
    DestroyWindow(target);
    auto size = [](const RECT& area) {
        return std::to_string(area.right - area.left) + "|" + std::to_string(area.bottom - area.top);
    };
    ExpectAll(r, {
        {"jpeg.defaults", Str("")}, {"jpeg.code3", Str("ERROR:ファイルのフォーマットエラーです")},
        {"jpeg.clipboard", Str("")}, {"jpeg.window", Str("")}, {"jpeg.client", Str("")},
        {"jpeg.desktop", Str("ERROR:未定義のエラー")},
        {"png.defaults", Str("")}, {"png.clipboard", Str("ERROR:ファイルが書きこめません")},
        {"png.nobitmap", Str("ERROR:ビットマップをロードできません")},
        {"bmp.defaults", Str("")}, {"bmp.missing", Str("ERROR:ファイルをロードできません")},
        {"bmp.client", Str("ERROR:ビットマップファイルを作成できません")},
        {"img.jpeg", Str("")}, {"img.pngex", Str("")}, {"img.png", Str("ERROR:PNGファイルを作成できません")},
        {"img.gif", Str("")}, {"img.ext", Str("ERROR:保存ファイルの拡張子に誤りがあります")},
        {"img.missing", Str("ERROR:ファイルをロードできません")},
    });
    const std::string b = base + "\\";
    EXPECT_EQ("SavetoJPEG|" + b + "pic.bmp|" + b + "pic.jpg|100|0\n"
              "SavetoJPEG|" + b + "pic.bmp|" + b + "code3.jpg|50|1\n"
              "CliptoJPEG|" + b + "clip.jpg|80|0\n"
              "DCSavetoJPEG|" + size(outer) + "|" + b + "win.jpg|80|0\n"
              "DCSavetoJPEG|" + size(client) + "|" + b + "client.jpg|80|0\n"
              "DCSavetoJPEG|" + size(desktop) + "|" + b + "code7.jpg|80|0\n"
              "DCSavetoPNG|4|3|563412|" + b + "pic.png|6\n"
              "DCSavetoPNG|5|2|214365|" + b + "code2.png|1\n"
              "ToDIB|" + b + "photo.gif\nDIBtoBMP|" + b + "photo.bmp|1\nDeleteDIB\n"
              "ToDIB|" + b + "missing.gif\n"
              "DCtoDIB|0|0|" + size(client) + "\nDIBtoBMP|" + b + "fail.bmp|" +
                  std::to_string(client.right - client.left) + "\nDeleteDIB\n"
              "ToDIB|" + b + "photo.gif\nDIBtoJPG|" + b + "out.JPEG|100|0\nDeleteDIB\n"
              "ToDIB|" + b + "photo.gif\nDIBtoPNGex|129|7|" + b + "out.png\nDeleteDIB\n"
              "ToDIB|" + b + "photo.gif\nDIBtoPNG|" + b + "fail.Png|1\nDeleteDIB\n"
              "ToDIB|" + b + "photo.gif\nDIBtoGIF|" + b + "out.gif|0\nDeleteDIB\n"
              "ToDIB|" + b + "photo.gif\nDeleteDIB\n"
              "ToDIB|" + b + "missing.gif\n",
              ReadBytes(log));
}
