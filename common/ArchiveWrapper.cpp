#include "ArchiveWrapper.h"

#include <cstring>

namespace {

const char kNoArchive[] = "書庫が指定されていません";
const char kCannotOpen[] = "書庫を開く事ができませんでした";
const char kNotOpen[] = "書庫が開かれていません";
const int kColumnWidth = 100;
const unsigned kOutputSize = 260;
const unsigned kExtractAllOutputSize = 4096;

template <typename F>
F EntryPoint(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

VornString Joined(const char* a, const char* b)
{
    VornString text(a);
    text.Append(b);
    return text;
}

}  // namespace

ArchiveWrapper::ArchiveWrapper(HWND owner, const ArchiverNames& names)
    : names_(names), owner_(owner), output_(kOutputSize)
{
    module_ = LoadLibraryA(names.dll);
    command_ = EntryPoint<CommandFunction>(module_, names.command);
    findNext_ = EntryPoint<FindNextFunction>(module_, Joined(names.prefix, "FindNext"));
    findFirst_ = EntryPoint<FindFirstFunction>(module_, Joined(names.prefix, "FindFirst"));
    closeArchive_ = EntryPoint<CloseFunction>(module_, Joined(names.prefix, "CloseArchive"));
    openArchive_ = EntryPoint<OpenFunction>(module_, Joined(names.prefix, "OpenArchive"));
    if (names.changeDll) {
        changeModule_ = LoadLibraryA(names.changeDll);
        change_ = EntryPoint<CommandFunction>(changeModule_, "Zip");
    }
}

ArchiveWrapper::~ArchiveWrapper()
{
    Close();
    if (changeModule_)
        FreeLibrary(changeModule_);
    if (module_)
        FreeLibrary(module_);
}

bool ArchiveWrapper::Open(const char* path)
{
    if (!path || !*path) {
        error_ = kNoArchive;
        return false;
    }
    if (!module_) {
        error_ = names_.notInstalled;
        return false;
    }
    Close();
    archive_ = openArchive_ ? openArchive_(owner_, path, openMode_) : nullptr;
    if (!archive_) {
        error_ = kCannotOpen;
        return false;
    }
    path_ = path;
    return true;
}

void ArchiveWrapper::Close()
{
    if (archive_ && closeArchive_)
        closeArchive_(archive_);
    archive_ = nullptr;
}

bool ArchiveWrapper::List(GridView& grid, const char* wildcard)
{
    if (!module_) {
        error_ = names_.notInstalled;
        return false;
    }
    if (!archive_ || !findFirst_ || !findNext_) {
        error_ = kNotOpen;
        return false;
    }
    grid.Clear();
    for (const ArchiveColumnTitle& column : kArchiveColumns)
        grid.AddColumn(column.title, kColumnWidth, column.rightAligned);
    ArchiveEntry entry;
    std::memset(&entry, 0, sizeof entry);
    VornString cells[kArchiveColumnCount];
    for (int result = findFirst_(archive_, wildcard, &entry); result == 0; result = findNext_(archive_, &entry)) {
        ArchiveRowTexts(entry, names_.dialect, cells);
        grid.AddRow();
        for (int column = 1; column < kArchiveColumnCount; ++column)
            grid.SetText(column, cells[column]);
        std::memset(&entry, 0, sizeof entry);
    }
    grid.SortByColumn(kArchiveSortKey, false);
    VornString number;
    for (int row = 0; row < grid.RowCount(); ++row) {
        number.Format("%4d", row + 1);
        grid.SetCellText(row, kArchiveNumber, number);
    }
    grid.AutoSizeColumns();
    grid.SetColumnWidth(kArchiveSortKey, 0);
    return true;
}

int ArchiveWrapper::AddDroppedFiles(HDROP drop)
{
    std::vector<VornString> files;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = "";
        if (DragQueryFileA(drop, i, path, sizeof path) > 0)
            files.emplace_back(path);
    }
    return Add(files);
}

int ArchiveWrapper::AddFiles(const char* tabSeparatedPaths) { return Add(SplitTabList(tabSeparatedPaths)); }

int ArchiveWrapper::Add(const std::vector<VornString>& files)
{
    return RunChange(AddCommandText(names_.dialect, path_, files));
}

std::vector<VornString> ArchiveWrapper::SelectedEntries(const GridView& grid) const
{
    std::vector<VornString> entries;
    for (int row = grid.NextSelectedRow(-1); row >= 0; row = grid.NextSelectedRow(row))
        entries.push_back(grid.CellText(row, kArchiveFullPath));
    return entries;
}

int ArchiveWrapper::DeleteSelected(const GridView& grid)
{
    return RunChange(DeleteCommandText(names_.dialect, path_, SelectedEntries(grid)));
}

int ArchiveWrapper::ExtractOne(const GridView& grid, int row, const char* folder)
{
    return Run(ExtractOneCommandText(names_.dialect, path_, folder, grid.CellText(row, kArchiveFullPath)));
}

int ArchiveWrapper::ExtractSelected(const GridView* grid, const char* folder)
{
    if (!grid)
        return Run(ExtractSelectedCommandText(names_.dialect, path_, folder, nullptr));
    std::vector<VornString> entries = SelectedEntries(*grid);
    return Run(ExtractSelectedCommandText(names_.dialect, path_, folder, &entries));
}

int ArchiveWrapper::ExtractAllIntoFolder(bool flat)
{
    if (path_.IsEmpty()) {
        error_ = kNoArchive;
        return -1;
    }
    RaiseOutputBuffer(kExtractAllOutputSize);
    VornString folder = ExtractAllFolder(path_);
    folder.RemoveBackslash();
    CreateDirectoryA(folder, nullptr);
    return Run(ExtractAllCommandText(names_.dialect, path_, flat));
}

int ArchiveWrapper::Run(const VornString& line)
{
    commandLine_ = line;
    if (!module_ || !command_) {
        error_ = names_.notInstalled;
        return 1;
    }
    std::memset(output_.Buffer(), 0, output_.Capacity());
    int result = command_(owner_, line, output_.Buffer(), output_.Capacity());
    if (result != 0)
        error_ = names_.dllError;
    return result;
}

int ArchiveWrapper::RunChange(const VornString& line)
{
    if (!names_.changeDll)
        return Run(line);
    commandLine_ = line;
    if (!change_) {
        error_ = names_.changeNotInstalled;
        return 1;
    }
    std::memset(output_.Buffer(), 0, output_.Capacity());
    int result = change_(owner_, line, output_.Buffer(), output_.Capacity());
    if (result != 0) {
        error_ = names_.changeDllError;
        error_.Append("\n");
        error_.Append(output_.Text());
    }
    return result;
}
