#include "MainWindowTestSupport.h"

#include <shlobj.h>

#include <cstring>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

namespace {

void RemoveFolderContents(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string path = folder + "\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileA(path.c_str());
        } else if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
            RemoveFolderContents(path);
            RemoveDirectoryA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

MainWindowFixture::MainWindowFixture()
{
    folder_ = ScratchPath("program");
    CreateDirectoryA(folder_.c_str(), nullptr);
    RemoveFolderContents(folder_);
    settingsPath_ = folder_ + "\\Kestrova.ini";
    watchdog_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

MainWindowFixture::~MainWindowFixture()
{
    Close();
    Connection::SetDefaultBackend(nullptr);
    stopWatching_ = true;
    WaitForSingleObject(watchdog_, 5000);
    CloseHandle(watchdog_);
    for (const std::string& text : unanswered_)
        ADD_FAILURE() << "unexpected message box: " << text;
}

DWORD WINAPI MainWindowFixture::Watch(void* self)
{
    MainWindowFixture* fixture = static_cast<MainWindowFixture*>(self);
    HWND seen = nullptr;
    int seenFor = 0;
    while (!fixture->stopWatching_) {
        Sleep(250);
        HWND box = FindOwnDialog("確認");
        seenFor = (box && box == seen) ? seenFor + 250 : 0;
        seen = box;
        if (box && seenFor >= 25000) {
            fixture->unanswered_.push_back(DialogStaticText(box));
            Press(box, IDOK);
            seen = nullptr;
        }
    }
    return 0;
}

void MainWindowFixture::Set(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, settingsPath_.c_str());
}

std::string MainWindowFixture::Setting(const char* section, const char* key) const
{
    char value[1024] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, settingsPath_.c_str());
    return value;
}

void MainWindowFixture::Start()
{
    MainWindowSetup setup;
    setup.programFolder = folder_.c_str();
    setup.settingsPath = settingsPath_.c_str();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    MainWindow::RegisterWindowClass(instance);
    main_ = std::make_unique<MainWindow>(setup);
    main_->Browser().messageSink = [this](HWND, const char* text) { linkMessages.push_back(text); };
    handle_ = main_->Create(instance, SW_SHOW);
    RecordingWindow::Pump();
}

void MainWindowFixture::Close()
{
    if (handle_ && IsWindow(handle_))
        DestroyWindow(handle_);
    handle_ = nullptr;
    // WM_DESTROY posted the quit message; take it so later pumps in this thread go on.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    main_.reset();
}

LRESULT MainWindowFixture::Command(UINT id, LPARAM lParam)
{
    LRESULT result = SendMessageA(handle_, WM_COMMAND, id, lParam);
    RecordingWindow::Pump();
    return result;
}

void MainWindowFixture::DropFile(HWND target, const char* path)
{
    const size_t pathBytes = std::strlen(path) + 2;  // the list ends with an empty name
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + pathBytes);
    DROPFILES* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path, pathBytes - 1);
    GlobalUnlock(memory);
    PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    RecordingWindow::Pump();
}

ScriptedRowset TablesRowset(const std::vector<std::pair<const char*, const char*>>& tables)
{
    ScriptedRowset rowset;
    rowset.Column("TABLE_CATALOG", 200).Column("TABLE_SCHEMA", 200).Column("TABLE_NAME", 200)
        .Column("TABLE_TYPE", 200).Column("TABLE_GUID", 72).Column("DESCRIPTION", 200)
        .Column("TABLE_PROPID", 19).Column("DATE_CREATED", 7).Column("DATE_MODIFIED", 7);
    for (const auto& table : tables)
        rowset.Row({nullptr, nullptr, table.first, table.second, nullptr, nullptr, nullptr, nullptr, nullptr});
    return rowset;
}

std::shared_ptr<ScriptedBackend> UseScriptedBackend()
{
    auto backend = std::make_shared<ScriptedBackend>();
    Connection::SetDefaultBackend(backend);
    return backend;
}

bool MenuCommandEnabled(HWND window, UINT command)
{
    UINT state = GetMenuState(GetMenu(window), command, MF_BYCOMMAND);
    return state != 0xFFFFFFFF && !(state & (MF_GRAYED | MF_DISABLED));
}
