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

const std::string kHyo = "表", kSo = "ソ";

std::string Double(unsigned long long value) { return "Double:" + std::to_string(value); }

std::string FreshFolder(const char* name)
{
    std::string folder = ScratchPath(name);
    std::string list = folder + std::string(1, '\0') + std::string(1, '\0');
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = list.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time = {year, month, 0, day, hour, minute, second, 0};
    FILETIME local = {}, universal = {};
    SystemTimeToFileTime(&time, &local);
    LocalFileTimeToFileTime(&local, &universal);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &universal);
    CloseHandle(file);
}

std::string ProfileFolder(UINT (WINAPI* get)(char*, UINT))
{
    char folder[MAX_PATH] = {};
    get(folder, MAX_PATH);
    return std::string(folder) + "\\KestrovaFsTest.ini";
}

TEST(FsystemTest, TextFilesIniValuesAndDrivesKeepShiftJisBytes)
{
    std::string dir = FreshFolder("fsfiles");
    std::string sub = dir + "\\" + kHyo;
    CreateDirectoryA(sub.c_str(), nullptr);
    WriteBytes(dir + "\\bin1f.dat", "text\x1f");
    WriteBytes(dir + "\\binff.dat", "text\xff");
    WriteBytes(dir + "\\late.dat", std::string(512, 'x') + "\x01");
    WriteBytes(dir + "\\empty.txt", "");
    WriteBytes(dir + "\\ソ表.ini", "[a]\r\n");
    WriteBytes(sub + "\\sized.txt", std::string(1234, 's'));
    SetLocalWriteTime(sub + "\\sized.txt", 2005, 1, 2, 3, 4, 5);
    std::string windowsIni = ProfileFolder(GetWindowsDirectoryA), systemIni = ProfileFolder(GetSystemDirectoryA);
    WritePrivateProfileStringA("fs", "where", "windows表", windowsIni.c_str());
    WritePrivateProfileStringA("fs", "where", "system", systemIni.c_str());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string tempIni = std::string(temp) + "BatchHelper.ini";

    Results r = RunScript("FsystemFiles.vbs", dir);

    const std::string notText = Str("ERROR:テキストファイルではありません"), cannotOpen = Str("ERROR:ファイルをオープンできません");
    ExpectAll(r, {
        {"PutTextFile", kTrue}, {"AddTextFile", kTrue}, {"AddTextFile.new", kTrue},
        {"PutTextFile.empty", kFalse}, {"PutTextFile.nofolder", kFalse},
        {"GetTextFile", Str("a表\nソ\nz\nend")}, {"GetTextFile.binary", notText},
        {"GetTextFile.missing", cannotOpen}, {"GetTextFile.empty", cannotOpen},
        {"IsTextFile.text", Long(1)}, {"IsTextFile.1f", Long(0)}, {"IsTextFile.ff", Long(0)},
        {"IsTextFile.late", Long(1)}, {"IsTextFile.emptyfile", Long(1)}, {"IsTextFile.missing", Long(-1)},
        {"IsFileExist.file", kTrue}, {"IsFileExist.folder", kTrue}, {"IsFileExist.missing", kFalse},
        {"IsFileExist.empty", kFalse}, {"IsDirectory.folder", kTrue}, {"IsDirectory.file", kFalse},
        {"IsDirectory.missing", kFalse},
        {"FileSize", Double(1234)}, {"FileSize.wild", Double(1234)}, {"FileSize.missing", "Double:-1"},
        {"FileSize.empty", "Double:-1"},
        {"FileUpdateTime", Str("2005/01/02 03:04:05")}, {"FileUpdateTime.missing", Str("")},
        {"Executable", Str("C:\\windows\\system32\\notepad.exe")}, {"Executable.missing", Str("")},
        {"SetInifileString", Long(-1)}, {"SetInifileString.empty", Long(-1)},
        {"GetInifileString", Str("a=表")}, {"GetInifileString.otherext", Str("a=表")},
        {"GetInifileString.empty", Str("")}, {"GetInifileString.missing", Str("")},
        {"GetInifileString.nofile", Str("")},
        {"GetInifileString.windows", Str("windows表")}, {"GetInifileString.system", Str("system")},
        {"SetInifileString.temp", Long(-1)}, {"GetInifileString.temp", Str("表=ソ")},
        {"GetInifileString.badpath", kConversionFailed},
        {"VolumeName.empty", Str("ERROR:ボリューム名を取得できませんでした")},
        {"VolumeName.nodrive", Str("ERROR:ボリューム名を取得できませんでした")},
        {"DiskSpace.nodrive", "Double:-1"}, {"DiskFreeSpace.empty", "Double:-1"},
    });
    EXPECT_EQ("a表\r\nソ\r\nz\r\nend", ReadBytes(dir + "\\ソ表.txt"));
    EXPECT_EQ("[表ソ]\r\nソ=a=表\r\nblank=\r\n", ReadBytes(sub + "\\set.ini"));
    char value[64] = {};
    GetPrivateProfileStringA("KestrovaFsTest", "k", "", value, sizeof value, tempIni.c_str());
    EXPECT_STREQ("表=ソ", value);

    char label[MAX_PATH] = {};
    GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(Str(label), At(r, "VolumeName"));
    ULARGE_INTEGER available = {}, total = {}, free = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    EXPECT_EQ(Double(total.QuadPart), At(r, "DiskSpace"));
    EXPECT_EQ(Double(total.QuadPart), At(r, "DiskSpace.drive"));
    // Other programs write to the same disk meanwhile.
    double freeSeen = std::atof(At(r, "DiskFreeSpace").c_str() + 7);
    EXPECT_NEAR(static_cast<double>(available.QuadPart), freeSeen, 2e9) << At(r, "DiskFreeSpace");

    WritePrivateProfileStringA("KestrovaFsTest", nullptr, nullptr, tempIni.c_str());
    DeleteFileA(windowsIni.c_str());
    DeleteFileA(systemIni.c_str());
}

// The platform's recycle bin here is the desktop's trash of the user's data folder: the
// test gives the script a trash of its own, so that emptying it touches nothing else.
class OwnTrash {
public:
    explicit OwnTrash(const std::string& folder)
    {
        std::string name = UnixPathOf(folder);
        ready_ = !name.empty();
        char previous[1024] = {};
        hadPrevious_ = GetEnvironmentVariableA("XDG_DATA_HOME", previous, sizeof previous) > 0;
        previous_ = previous;
        if (ready_)
            SetEnvironmentVariableA("XDG_DATA_HOME", name.c_str());
    }
    ~OwnTrash() { SetEnvironmentVariableA("XDG_DATA_HOME", hadPrevious_ ? previous_.c_str() : nullptr); }
    bool Ready() const { return ready_; }

private:
    bool ready_ = false, hadPrevious_ = false;
    std::string previous_;
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(FsystemTest, ShellCopiesAndDeletesJapaneseNamesThroughTheRecycleBin)
{
    std::string dir = FreshFolder("fsshell"), trash = FreshFolder("fstrash");
    std::string src = dir + "\\" + kHyo + "src", dst = dir + "\\" + kSo + "dst", dst2 = dir + "\\" + kSo + "dst2";
    for (const std::string& folder : {src, dst, dst2})
        CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(src + "\\表ソ.txt", "abc");
    WriteBytes(src + "\\ソ2.txt", "12345");
    OwnTrash own(trash);
    ASSERT_TRUE(own.Ready());
    std::vector<std::string> captions;
    auto confirm = [](HWND dialog) -> WPARAM { return GetDlgItem(dialog, IDYES) ? IDYES : IDOK; };

    Results r = RunScript("FsystemShell.vbs", dir, [&](DWORD processId) { AnswerDialog(processId, captions, confirm); });

    ExpectAll(r, {
        {"RecycleItems.start", "Double:0"},
        {"ShellCopy.toFolder", kTrue}, {"ShellCopy.two", kTrue}, {"ShellCopy.rename", kTrue},
        {"ShellCopy.missing", kFalse}, {"ShellCopy.empty", kFalse}, {"ShellCopy.noTarget", kFalse},
        {"ShellDelete.moved", kTrue}, {"RecycleItems.one", "Double:1"}, {"RecycleSize.one", "Double:3"},
        {"ShellDelete.two", kTrue}, {"RecycleItems.three", "Double:3"}, {"RecycleItems.drive", "Double:3"},
        {"ShellDelete.empty", kFalse}, {"ShellDelete.missing", kFalse},
        {"EmptyRecycle", Str("done")}, {"RecycleItems.emptied", "Double:0"}, {"RecycleSize.emptied", "Double:0"},
    });
    EXPECT_EQ("abc", ReadBytes(dst + "\\表ソ.txt"));
    EXPECT_EQ("abc", ReadBytes(dst + "\\表moved.txt"));
    EXPECT_FALSE(Exists(src + "\\表ソ.txt"));
    EXPECT_TRUE(Exists(src + "\\ソ2.txt"));
    EXPECT_FALSE(Exists(dst2 + "\\表ソ.txt"));
    EXPECT_FALSE(Exists(dst2 + "\\ソ2.txt"));
    std::string confirmations;
    for (const std::string& caption : captions)
        confirmations += caption + ";";
    // A missing file is asked for as a folder, then offered for deletion outside the bin.
    EXPECT_EQ("ファイルの削除の確認;ファイルの削除の確認;フォルダーの削除の確認;ファイルの削除の確認;", confirmations);
}

}  // namespace
