// The part LhaArchive and ZipArchive share: archiver DLLs of the common archiver interface,
// loaded by name at run time and never linked, their table of contents in a GridView, and
// command texts built from grid selections, dropped files or tab-separated lists. Failures
// come back as results with the message in ErrorText(); nothing is shown to the user.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "ArchiveText.h"
#include "GridView.h"
#include "VornString.h"

struct ArchiverNames {
    ArchiveDialect dialect;
    const char* dll;               // lists and extracts (and, for LHA, adds and deletes)
    const char* command;           // its command function
    const char* prefix;            // of OpenArchive, CloseArchive, FindFirst, FindNext
    const char* notInstalled;
    const char* dllError;
    const char* changeDll;         // adds and deletes through "Zip" (null: the first DLL does)
    const char* changeNotInstalled;
    const char* changeDllError;
};

class ArchiveWrapper {
public:
    ArchiveWrapper(const ArchiveWrapper&) = delete;
    ArchiveWrapper& operator=(const ArchiveWrapper&) = delete;
    virtual ~ArchiveWrapper();

    bool IsInstalled() const { return module_ != nullptr; }
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return archive_ != nullptr; }
    // The archive later commands work on; Open keeps its path too.
    void SetPath(const char* path) { path_ = path; }
    const VornString& Path() const { return path_; }

    bool List(GridView& grid, const char* wildcard);

    int AddDroppedFiles(HDROP drop);
    int AddFiles(const char* tabSeparatedPaths);
    int DeleteSelected(const GridView& grid);
    int ExtractOne(const GridView& grid, int row, const char* folder);
    // grid null: everything.
    int ExtractSelected(const GridView* grid, const char* folder);
    int ExtractAllIntoFolder(bool flat);

    // A command text of the caller's own, as it is: through the DLL that lists and extracts,
    // or through the one that adds and deletes.
    int Command(const char* line) { return Run(line); }
    int ChangeCommand(const char* line) { return RunChange(line); }
    bool IsChangeInstalled() const { return names_.changeDll ? change_ != nullptr : IsInstalled(); }

    const VornString& ErrorText() const { return error_; }
    const VornString& Output() const { return output_; }
    const VornString& CommandLine() const { return commandLine_; }
    void RaiseOutputBuffer(unsigned capacity) { output_.Resize(capacity); }

protected:
    ArchiveWrapper(HWND owner, const ArchiverNames& names);

private:
    typedef int(WINAPI* CommandFunction)(HWND, LPCSTR, LPSTR, DWORD);
    typedef HANDLE(WINAPI* OpenFunction)(HWND, LPCSTR, DWORD);
    typedef int(WINAPI* CloseFunction)(HANDLE);
    typedef int(WINAPI* FindFirstFunction)(HANDLE, LPCSTR, ArchiveEntry*);
    typedef int(WINAPI* FindNextFunction)(HANDLE, ArchiveEntry*);

    int Add(const std::vector<VornString>& files);
    std::vector<VornString> SelectedEntries(const GridView& grid) const;
    // Through the first DLL's command function.
    int Run(const VornString& line);
    // Through the DLL that adds and deletes.
    int RunChange(const VornString& line);

    const ArchiverNames& names_;
    CommandFunction command_ = nullptr;
    FindNextFunction findNext_ = nullptr;
    FindFirstFunction findFirst_ = nullptr;
    CloseFunction closeArchive_ = nullptr;
    OpenFunction openArchive_ = nullptr;
    CommandFunction change_ = nullptr;
    HMODULE module_ = nullptr;
    HMODULE changeModule_ = nullptr;
    HANDLE archive_ = nullptr;
    HWND owner_;
    DWORD openMode_ = 2;
    VornString path_;
    VornString output_;
    VornString commandLine_;
    VornString error_;
};
