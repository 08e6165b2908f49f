#include "TemplateStore.h"

#include <sys/stat.h>
#include <sys/types.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include "common/SjisText.h"
#include "common/TextFile.h"

const char kTemplateStoreUnreachable[] = "Kestrova.mdb に接続できません　　";

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

bool IsFile(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}

}  // namespace

VornString WebPath(const char* folder, const char* name)
{
    VornString path(folder);
    if (!path.IsEmpty() && !sjis::EndsWithChar(path, kSeparator) && !sjis::EndsWithChar(path, '/'))
        path.Append(kSeparator);
    path.Append(name);
    return path;
}

bool IsDirectory(const char* path)
{
    // msvcrt's stat refuses a folder name with a trailing separator.
    VornString bare(path);
    while (bare.Length() > 1 && (sjis::EndsWithChar(bare, kSeparator) || sjis::EndsWithChar(bare, '/')))
        bare.Chop();
    struct stat info;
    return stat(bare, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

bool MakeDirectory(const char* path)
{
    if (IsDirectory(path))
        return true;
#ifdef _WIN32
    return _mkdir(path) == 0;
#else
    return mkdir(path, 0777) == 0;
#endif
}

SectionStatus FolderTemplateStore::ReadSection(const char* table, const char* key, VornString& text)
{
    text.Clear();
    VornString tableFolder = WebPath(folder_, table);
    if (!IsDirectory(tableFolder))
        return SectionStatus::Unreachable;
    VornString path = WebPath(tableFolder, key);
    TextFile file;
    if (!IsFile(path) || !file.OpenRead(path) || !file.ReadAll(text))
        return SectionStatus::Missing;
    if (sjis::EndsWithChar(text, '\n'))
        text.Chop();
    return SectionStatus::Found;
}

SectionStatus LayeredTemplateStore::ReadSection(const char* table, const char* key, VornString& text)
{
    SectionStatus status = first_ ? first_->ReadSection(table, key, text) : SectionStatus::Unreachable;
    if (status == SectionStatus::Unreachable && second_)
        status = second_->ReadSection(table, key, text);
    return status;
}
