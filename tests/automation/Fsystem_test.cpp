// The Fsystem object as scripts see it: files with Japanese names (表 and ソ end in the
// byte 0x5C), INI values, drives, and the shell's copy, delete and recycle bin.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

std::string Double(unsigned long long value) { return "Double:" + std::to_string(value); }

std::string FreshFolder(const char* name)
{
    std::string folder = ScratchPath(name), list = folder + '\0';
    SHFILEOPSTRUCTA remove = {nullptr, FO_DELETE, list.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT,
                              FALSE, nullptr, nullptr};
    SHFileOperationA(&remove);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void SetLocalWriteTime(const std::string& path, SYSTEMTIME time)
{
    FILETIME local = {}, universal = {};
    SystemTimeToFileTime(&time, &local);
    LocalFileTimeToFileTime(&local, &universal);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &universal);
    CloseHandle(file);
}

TEST(FsystemTest, TextFilesIniValuesAndDrivesKeepShiftJisBytes)
{
    std::string dir = FreshFolder("fsfiles"), sub = dir + "\\表";
    CreateDirectoryA(sub.c_str(), nullptr);
    WriteBytes(dir + "\\bin1f.dat", "text\x1f");
    WriteBytes(dir + "\\binff.dat", "text\xff");
    WriteBytes(dir + "\\late.dat", std::string(512, 'x') + "\x01");
    WriteBytes(dir + "\\empty.txt", "");
    WriteBytes(dir + "\\ソ表.ini", "[a]\r\n");
    WriteBytes(sub + "\\sized.txt", std::string(1234, 's'));
    SetLocalWriteTime(sub + "\\sized.txt", {2005, 1, 0, 2, 3, 4, 5, 0});
    char windows[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    std::string windowsIni = std::string(windows) + "\\KestrovaFsTest.ini", tempIni = std::string(temp) + "BatchHelper.ini";
    WritePrivateProfileStringA("fs", "where", "windows表", windowsIni.c_str());

    Results r = RunScript("FsystemFiles.vbs", dir);

    const std::string notText = Str("ERROR:テキストファイルではありません"), cannotOpen = Str("ERROR:ファイルをオープンできません");
    const std::string noVolume = Str("ERROR:ボリューム名を取得できませんでした");
    ExpectAll(r, {
        {"PutTextFile", kTrue}, {"AddTextFile", kTrue}, {"AddTextFile.new", kTrue}, {"PutTextFile.empty", kFalse},
        {"PutTextFile.nofolder", kFalse}, {"GetTextFile", Str("a表\nソ\nz\nend")}, {"GetTextFile.binary", notText},
        {"GetTextFile.missing", cannotOpen}, {"GetTextFile.empty", cannotOpen},
        {"IsTextFile.text", Long(1)}, {"IsTextFile.1f", Long(0)}, {"IsTextFile.ff", Long(0)},
        {"IsTextFile.late", Long(1)}, {"IsTextFile.emptyfile", Long(1)}, {"IsTextFile.missing", Long(-1)},
        {"IsFileExist.file", kTrue}, {"IsFileExist.folder", kTrue}, {"IsFileExist.missing", kFalse},
        {"IsDirectory.folder", kTrue}, {"IsDirectory.file", kFalse},
        {"FileSize", Double(1234)}, {"FileSize.wild", Double(1234)}, {"FileSize.missing", "Double:-1"},
        {"FileUpdateTime", Str("2005/01/02 03:04:05")}, {"FileUpdateTime.missing", Str("")},
        // A fresh prefix associates ".ini" files, but not ".txt" files, with Notepad.
        {"Executable", Str("C:\\windows\\system32\\notepad.exe")}, {"Executable.missing", Str("")},
        {"SetInifileString", Long(-1)}, {"SetInifileString.empty", Long(-1)},
        {"GetInifileString", Str("a=表")}, {"GetInifileString.otherext", Str("a=表")},
        {"GetInifileString.empty", Str("")}, {"GetInifileString.missing", Str("")},
        {"GetInifileString.windows", Str("windows表")}, {"SetInifileString.temp", Long(-1)},
        {"GetInifileString.temp", Str("表=ソ")}, {"GetInifileString.badpath", kConversionFailed},
        {"VolumeName.empty", noVolume}, {"VolumeName.nodrive", noVolume},
        {"DiskSpace.nodrive", "Double:-1"}, {"DiskFreeSpace.empty", "Double:-1"},
    });
    EXPECT_EQ("a表\r\nソ\r\nz\r\nend", ReadBytes(dir + "\\ソ表.txt"));
    EXPECT_EQ("[表ソ]\r\nソ=a=表\r\nblank=\r\n", ReadBytes(sub + "\\set.ini"));
    char value[64] = {}, label[MAX_PATH] = {};
    GetPrivateProfileStringA("KestrovaFsTest", "k", "", value, sizeof value, tempIni.c_str());
    EXPECT_STREQ("表=ソ", value);
    GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(Str(label), At(r, "VolumeName"));
    ULARGE_INTEGER available = {}, total = {}, free = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    EXPECT_EQ(Double(total.QuadPart), At(r, "DiskSpace"));
    // Other programs write to the same disk meanwhile.
    EXPECT_NEAR(static_cast<double>(available.QuadPart), std::atof(At(r, "DiskFreeSpace").c_str() + 7), 2e9)
        << At(r, "DiskFreeSpace");

    WritePrivateProfileStringA("KestrovaFsTest", nullptr, nullptr, tempIni.c_str());
    DeleteFileA(windowsIni.c_str());
}

// The recycle bin here is the host's desktop trash below XDG_DATA_HOME, read from the
// script's environment: the script gets a trash of its own, so emptying it touches nothing else.
class OwnTrash {
public:
    explicit OwnTrash(const std::string& folder) : host_(UnixPathOf(folder))
    {
        char previous[1024] = {};
        hadPrevious_ = GetEnvironmentVariableA("XDG_DATA_HOME", previous, sizeof previous) > 0;
        previous_ = previous;
        if (!host_.empty())
            SetEnvironmentVariableA("XDG_DATA_HOME", host_.c_str());
    }
    ~OwnTrash() { SetEnvironmentVariableA("XDG_DATA_HOME", hadPrevious_ ? previous_.c_str() : nullptr); }
    bool Ready() const { return !host_.empty(); }

private:
    std::string host_, previous_;
    bool hadPrevious_ = false;
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(FsystemTest, ShellCopiesAndDeletesJapaneseNamesThroughTheRecycleBin)
{
    std::string dir = FreshFolder("fsshell"), src = dir + "\\表src", dst = dir + "\\ソdst", dst2 = dir + "\\ソdst2";
    for (const std::string& folder : {src, dst, dst2})
        CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(src + "\\表ソ.txt", "abc");
    WriteBytes(src + "\\ソ2.txt", "12345");
    OwnTrash own(FreshFolder("fstrash"));
    ASSERT_TRUE(own.Ready());
    std::vector<std::string> captions;
    auto confirm = [](HWND dialog) -> WPARAM { return GetDlgItem(dialog, IDYES) ? IDYES : IDOK; };

    Results r = RunScript("FsystemShell.vbs", dir, [&](DWORD processId) { AnswerDialog(processId, captions, confirm); });

    ExpectAll(r, {
        {"RecycleItems.start", "Double:0"}, {"ShellCopy.toFolder", kTrue}, {"ShellCopy.two", kTrue},
        {"ShellCopy.rename", kTrue}, {"ShellCopy.missing", kFalse}, {"ShellCopy.empty", kFalse},
        {"ShellCopy.noTarget", kFalse}, {"ShellDelete.moved", kTrue}, {"RecycleItems.one", "Double:1"},
        {"RecycleSize.one", "Double:3"}, {"ShellDelete.two", kTrue}, {"RecycleItems.three", "Double:3"},
        {"RecycleItems.drive", "Double:3"}, {"ShellDelete.empty", kFalse}, {"ShellDelete.missing", kFalse},
        {"EmptyRecycle", Str("done")}, {"RecycleItems.emptied", "Double:0"}, {"RecycleSize.emptied", "Double:0"},
    });
    EXPECT_EQ("abc", ReadBytes(dst + "\\表ソ.txt"));
    EXPECT_EQ("abc", ReadBytes(dst + "\\表moved.txt"));
    EXPECT_FALSE(Exists(src + "\\表ソ.txt"));
    EXPECT_TRUE(Exists(src + "\\ソ2.txt"));
    EXPECT_FALSE(Exists(dst2 + "\\表ソ.txt") || Exists(dst2 + "\\ソ2.txt"));
    // One question per delete; a missing file is asked for as a folder, then offered for
    // deletion outside the bin.
    EXPECT_EQ((std::vector<std::string>{"ファイルの削除の確認", "ファイルの削除の確認", "フォルダーの削除の確認", "ファイルの削除の確認"}),
              captions);
}

}  // namespace
