#include "archive/dlls/ArchiverDll.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "archive/dlls/ArchiveCatalog.h"
#include "archive/dlls/ArchiveOperations.h"
#include "common/SjisText.h"

namespace archiverdll {

namespace {

const int kNoMoreEntries = -1;

std::mutex& HandleLock()
{
    static std::mutex lock;
    return lock;
}

std::set<ArchiveCatalog*>& LiveHandles()
{
    static std::set<ArchiveCatalog*> handles;
    return handles;
}

ArchiveCatalog* Catalog(HARC archive)
{
    std::lock_guard<std::mutex> guard(HandleLock());
    auto found = LiveHandles().find(static_cast<ArchiveCatalog*>(archive));
    return found == LiveHandles().end() ? nullptr : *found;
}

void CopyMessage(LPSTR output, DWORD size, const std::string& message)
{
    if (!output || size == 0)
        return;
    size_t length = 0;
    while (length < message.size()) {
        size_t step = sjis::CharLength(message.c_str() + length);
        if (length + step > size - 1)
            break;
        length += step;
    }
    std::memcpy(output, message.data(), length);
    output[length] = '\0';
}

}  // namespace

int RunCommand(CommandDialect dialect, LPCSTR commandText, LPSTR output, DWORD size)
{
    std::string message;
    ArchiveStatus status = commandText ? RunCommandText(dialect, commandText, message) : ArchiveStatus::BadCommand;
    if (!commandText)
        message = "コマンドがありません";
    CopyMessage(output, size, message);
    return StatusCode(status);
}

HARC Open(const ArchiveFormat& format, LPCSTR path)
{
    if (!path)
        return nullptr;
    ArchiveCatalog* catalog = new ArchiveCatalog(format);
    if (catalog->Open(path) != ArchiveStatus::Ok) {
        delete catalog;
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(HandleLock());
    LiveHandles().insert(catalog);
    return catalog;
}

int Close(HARC archive)
{
    ArchiveCatalog* catalog = static_cast<ArchiveCatalog*>(archive);
    {
        std::lock_guard<std::mutex> guard(HandleLock());
        if (LiveHandles().erase(catalog) == 0)
            return -1;
    }
    delete catalog;
    return 0;
}

int FindFirst(HARC archive, LPCSTR wildcard, ArchiveEntry* entry)
{
    ArchiveCatalog* catalog = Catalog(archive);
    ArchiveEntry scratch;
    if (!catalog || !catalog->First(wildcard ? wildcard : "", entry ? *entry : scratch))
        return kNoMoreEntries;
    return 0;
}

int FindNext(HARC archive, ArchiveEntry* entry)
{
    ArchiveCatalog* catalog = Catalog(archive);
    ArchiveEntry scratch;
    if (!catalog || !catalog->Next(entry ? *entry : scratch))
        return kNoMoreEntries;
    return 0;
}

}  // namespace archiverdll
