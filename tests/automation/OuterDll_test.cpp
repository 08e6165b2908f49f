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
