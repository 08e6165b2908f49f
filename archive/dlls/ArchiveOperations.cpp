#include "archive/dlls/ArchiveOperations.h"

#include <vector>

#include "archive/dlls/ArchivePath.h"
#include "archive/dlls/DosTime.h"
#include "archive/dlls/FileAccess.h"
#include "archive/dlls/LzhFormat.h"
#include "archive/dlls/ZipFormat.h"
#include "common/SjisText.h"

namespace {

// The first failure decides the result; later members are still processed.
class Outcome {
public:
    explicit Outcome(std::string& message) : message_(message) { message_.clear(); }
    void Fail(ArchiveStatus status, const std::string& text)
    {
        if (status_ == ArchiveStatus::Ok) {
            status_ = status;
            message_ = text;
        }
    }
    ArchiveStatus Status() const { return status_; }

private:
    ArchiveStatus status_ = ArchiveStatus::Ok;
    std::string& message_;
};

ArchiveStatus LoadArchive(const ArchiveFormat& format, const std::string& path, bool mayBeMissing,
                          std::vector<ArchiveMember>& members, Outcome& outcome)
{
    std::string bytes;
    if (!fileaccess::ReadWhole(path, bytes)) {
        if (mayBeMissing && !fileaccess::Exists(path))
            return ArchiveStatus::Ok;
        outcome.Fail(ArchiveStatus::ArchiveMissing, "書庫が見つかりません: " + path);
        return ArchiveStatus::ArchiveMissing;
    }
    ArchiveStatus status = format.Read(bytes, members);
    if (status != ArchiveStatus::Ok)
        outcome.Fail(status, "書庫が壊れています: " + path);
    return status;
}

ArchiveStatus SaveArchive(const ArchiveFormat& format, const std::string& path,
                          const std::vector<ArchiveMember>& members, Outcome& outcome)
{
    if (!fileaccess::WriteWhole(path, format.Write(members)))
        outcome.Fail(ArchiveStatus::WriteFailed, "書庫を書き込めません: " + path);
    return outcome.Status();
}

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& name)
{
    if (patterns.empty())
        return true;
    for (const std::string& pattern : patterns)
        if (archivepath::Matches(pattern, name))
            return true;
    return false;
}

void PutMember(std::vector<ArchiveMember>& members, const ArchiveMember& member)
{
    for (ArchiveMember& existing : members)
        if (sjis::CompareIgnoreCase(existing.name.c_str(), member.name.c_str()) == 0) {
            existing = member;
            return;
        }
    members.push_back(member);
}

// Adds the file or, recursively, the files of the folder at `path` under the entry name.
bool AddPath(const ArchiveFormat& format, const std::string& path, const std::string& entryName,
             std::vector<ArchiveMember>& members, Outcome& outcome)
{
    if (fileaccess::IsFolder(path)) {
        for (const std::string& child : fileaccess::FolderNames(path))
            if (!AddPath(format, archivepath::Join(path, child), entryName + "/" + child, members, outcome))
                return false;
        return true;
    }
    std::string data;
    if (!fileaccess::ReadWhole(path, data)) {
        outcome.Fail(ArchiveStatus::FileMissing, "ファイルが読めません: " + path);
        return false;
    }
    ArchiveMember member;
    member.name = entryName;
    member.stamp = fileaccess::ModifiedTime(path);
    dostime::FromStamp(member.stamp, member.dosDate, member.dosTime);
    format.Pack(data, member);
    PutMember(members, member);
    return true;
}

std::string EntryNameOf(const AddItem& item)
{
    std::string name = archivepath::WithoutTrailingSeparator(archivepath::ToSlashes(item.name));
    return archivepath::IsSafeRelative(name) ? name : archivepath::LastComponent(name);
}

ArchiveStatus Add(const ArchiveFormat& format, const ArchiveCommand& command, Outcome& outcome)
{
    std::vector<ArchiveMember> members;
    if (LoadArchive(format, command.archive, true, members, outcome) != ArchiveStatus::Ok)
        return outcome.Status();
    for (const AddItem& item : command.files) {
        std::string path = archivepath::Join(item.folder, item.name);
        if (!AddPath(format, archivepath::WithoutTrailingSeparator(path), EntryNameOf(item), members, outcome))
            return outcome.Status();
    }
    return SaveArchive(format, command.archive, members, outcome);
}

ArchiveStatus Delete(const ArchiveFormat& format, const ArchiveCommand& command, Outcome& outcome)
{
    std::vector<ArchiveMember> members;
    if (LoadArchive(format, command.archive, false, members, outcome) != ArchiveStatus::Ok)
        return outcome.Status();
    std::vector<ArchiveMember> kept;
    for (const ArchiveMember& member : members)
        if (!MatchesAny(command.patterns, member.name))
            kept.push_back(member);
    if (kept.size() == members.size()) {
        outcome.Fail(ArchiveStatus::NoMatch, "該当するファイルがありません");
        return outcome.Status();
    }
    return SaveArchive(format, command.archive, kept, outcome);
}

void ExtractMember(const ArchiveFormat& format, const ArchiveMember& member, const ArchiveCommand& command,
                   Outcome& outcome)
{
    bool flat = command.kind == CommandKind::ExtractFlat;
    std::string relative = flat ? archivepath::LastComponent(member.name) : archivepath::ToPlatform(member.name);
    std::string target = archivepath::Join(command.destination, relative);
    if (member.IsFolder()) {
        if (!flat && !fileaccess::MakeFolders(target))
            outcome.Fail(ArchiveStatus::WriteFailed, "フォルダを作れません: " + target);
        return;
    }
    std::string data;
    ArchiveStatus status = format.Unpack(member, data);
    if (status != ArchiveStatus::Ok) {
        outcome.Fail(status, (status == ArchiveStatus::CrcMismatch ? "CRC が一致しません: " : "展開できません: ") +
                                 member.name);
        return;
    }
    std::string parent = target.substr(0, target.size() - archivepath::LastComponent(member.name).size());
    if (!fileaccess::MakeFolders(parent) || !fileaccess::WriteWhole(target, data)) {
        outcome.Fail(ArchiveStatus::WriteFailed, "ファイルを書き込めません: " + target);
        return;
    }
    fileaccess::SetModifiedTime(target, member.stamp);
}

ArchiveStatus Extract(const ArchiveFormat& format, const ArchiveCommand& command, Outcome& outcome)
{
    std::vector<ArchiveMember> members;
    if (LoadArchive(format, command.archive, false, members, outcome) != ArchiveStatus::Ok)
        return outcome.Status();
    size_t matched = 0;
    for (const ArchiveMember& member : members) {
        if (!MatchesAny(command.patterns, member.name))
            continue;
        ++matched;
        if (!archivepath::IsSafeRelative(member.name))
            outcome.Fail(ArchiveStatus::UnsafePath, "展開先の外を指すため飛ばしました: " + member.name);
        else
            ExtractMember(format, member, command, outcome);
    }
    if (matched == 0 && !command.patterns.empty())
        outcome.Fail(ArchiveStatus::NoMatch, "該当するファイルがありません");
    return outcome.Status();
}

}  // namespace

ArchiveStatus RunArchiveCommand(const ArchiveFormat& format, const ArchiveCommand& command, std::string& message)
{
    Outcome outcome(message);
    switch (command.kind) {
    case CommandKind::Add: return Add(format, command, outcome);
    case CommandKind::Delete: return Delete(format, command, outcome);
    case CommandKind::ExtractFlat:
    case CommandKind::ExtractWithFolders: return Extract(format, command, outcome);
    }
    return ArchiveStatus::BadCommand;
}

ArchiveStatus RunCommandText(CommandDialect dialect, const std::string& text, std::string& message)
{
    ArchiveCommand command;
    ArchiveStatus status = ParseCommand(dialect, text, command, message);
    if (status != ArchiveStatus::Ok)
        return status;
    static const ZipFormat zip;
    static const LzhFormat lzh;
    const ArchiveFormat& format = dialect == CommandDialect::Lha ? static_cast<const ArchiveFormat&>(lzh) : zip;
    return RunArchiveCommand(format, command, message);
}
