// The table of contents of one archive in a modal tool window owned by the main window:
// list (with a wildcard), new, open, extract (selected, all), add (file dialog or dropped
// files), delete, open an entry with its program or Notepad, copy and "HTML出力と表示".
// LhaArchiveWindow and ZipArchiveWindow give it their wrapper and their texts; the dialog
// template (resources/ArchiveDialogs.rc) must be linked into the program.
#pragma once

#include <windows.h>

#include <memory>

#include "common/ArchiveWrapper.h"
#include "common/GridView.h"
#include "common/ModalDialog.h"
#include "common/ProfileStore.h"
#include "common/StatusBar.h"
#include "common/VornString.h"

// Private messages of the window (WM_USER relative, fixed so that other code may post them).
enum ArchiveWindowMessage : UINT {
    kArchiveStandardPlace = WM_USER + 501,
    kArchiveReload = WM_USER + 502,
    kArchiveClosing = WM_USER + 504,
};

// What the LZH and ZIP windows differ in.
struct ArchiveWindowKind {
    const char* caption;            // null: the template's
    const char* notInstalled;
    const char* filter;
    const char* defaultExtension;
    const char* archiveExtension;   // a single drop of such a file opens it
    const char* newKey;             // SaveDir keys
    const char* openKey;
    const char* selectKey;
    bool deletes;
    unsigned outputBuffer;          // 0: the wrapper's own
};

// The dialogs and program starts the window uses; tests put their own in place.
struct ArchiveWindowChoices {
    bool (*saveFile)(HWND owner, const char* title, const char* filter, const char* extension,
                     const char* folder, VornString& path);
    bool (*openFile)(HWND owner, const char* title, const char* filter, const char* extension,
                     const char* folder, VornString& path);
    // The multi-selection dialog into the zero-filled buffer.
    bool (*chooseFiles)(HWND owner, const char* folder, char* buffer, DWORD size);
    bool (*chooseFolder)(HWND owner, VornString& folder);
    void (*start)(const char* commandLine);
};
// Returns the previous choices.
ArchiveWindowChoices SetArchiveWindowChoices(const ArchiveWindowChoices& choices);
ArchiveWindowChoices DefaultArchiveWindowChoices();

class ArchiveWindow : public ModalDialog {
public:
    ~ArchiveWindow() override;
    // Modal over owner (the main window, hidden while this one is minimised or maximised);
    // returns 2.
    INT_PTR Run(HWND owner);
    // The window that dropped files and list keys reaching the main window go on to; null
    // while no archive window is open.
    static HWND Current();

    GridView* Grid() { return grid_.get(); }
    StatusBar& Status() { return status_; }
    ArchiveWrapper* Archive() { return archive_.get(); }
    const VornString& Wildcard() const { return wildcard_; }

protected:
    ArchiveWindow(ProfileStore& settings, const ArchiveWindowKind& kind);
    virtual std::unique_ptr<ArchiveWrapper> CreateArchive(HWND owner) = 0;

private:
    void OnInit() override;
    bool OnCommand(int id, int notification) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnSize(WPARAM kind);
    void PlaceStandard();
    void Reload();
    void Close();
    void FreeEverything();
    void NewArchive();
    void OpenArchive();
    void ApplyWildcard();
    void ShowAll();
    void ExtractSelected();
    void ExtractAll();
    void AddChosenFiles();
    void DeleteSelected();
    void OpenEntry(bool notepad);
    void PrepareContextMenu(int row);
    void OnFilesDropped(HDROP drop);
    void ShowSelectedPath();
    void ShowRowPath(int row);
    void EmptyGrid();
    void Warn(const char* text);
    // The folder of path under SaveDir / key.
    void RememberFolder(const char* key, const char* path);
    VornString StoredFolder(const char* key) const;
    VornString WorkFolder() const;
    VornString ProgramFor(const char* fileName) const;

    ProfileStore& settings_;
    const ArchiveWindowKind& kind_;
    HWND owner_ = nullptr;
    StatusBar status_;
    std::unique_ptr<ArchiveWrapper> archive_;
    std::unique_ptr<GridView> grid_;
    VornString wildcard_;
    VornString archivePath_;
    VornString work_;
    VornString scratch_;
    int currentRow_ = -1;
    bool freed_ = false;
};
