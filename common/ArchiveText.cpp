#include "ArchiveText.h"

#include <cstring>

#include "SjisText.h"

const ArchiveColumnTitle kArchiveColumns[kArchiveColumnCount] = {
    {"№", false},          {"ファイル名", false}, {"拡張子", false},       {"サイズ", true},
    {"圧縮サイズ", true},  {"圧縮率", true},      {"タイムスタンプ", false}, {"属性", false},
    {"モード", false},     {"ディレクトリ", false}, {"フルパス", false},   {"ソート", false},
};

namespace {

// The archive's "/" becomes "\\" for the path functions and comes back afterwards; both are
// single bytes that the double-byte-aware replace never finds inside a character.
VornString AsPlatform(const char* name)
{
    VornString path(name);
    path.ReplaceAll("/", "\\");
    return path;
}

void BackToArchive(VornString& path) { path.ReplaceAll("\\", "/"); }

void AppendPath(VornString& line, const char* path)
{
    line.Append(' ');
    line.Append(QuotedPath(path));
}

VornString WithBackslash(const char* folder)
{
    VornString path(folder);
    path.AddBackslash();
    return path;
}

VornString Start(const char* verb, const char* archive)
{
    VornString line(verb);
    line.Append(QuotedPath(archive));
    return line;
}

}  // namespace

VornString ArchiveRatioText(unsigned perMille)
{
    VornString text;
    text.Format("%d", static_cast<int>(perMille));
    if (!text.IsEmpty())
        text.Insert(text.Length() - 1, ".");
    return text;
}

VornString ArchiveTimeText(unsigned dosDate, unsigned dosTime)
{
    VornString text;
    text.Format("%04d/%02d/%02d %02d:%02d:%02d", static_cast<int>((dosDate >> 9) + 1980),
                static_cast<int>((dosDate >> 5) & 15), static_cast<int>(dosDate & 31),
                static_cast<int>(dosTime >> 11), static_cast<int>((dosTime >> 5) & 63),
                static_cast<int>((dosTime & 31) * 2));
    return text;
}

void ArchiveRowTexts(const ArchiveEntry& entry, ArchiveDialect dialect, VornString cells[kArchiveColumnCount])
{
    char name[sizeof entry.fileName + 1];
    std::memcpy(name, entry.fileName, sizeof entry.fileName);
    name[sizeof entry.fileName] = '\0';

    VornString file = AsPlatform(name);
    file.StripPath();
    BackToArchive(file);
    VornString folder = AsPlatform(name);
    folder.RemoveFileSpec();
    BackToArchive(folder);

    const char* sizeFormat = dialect == ArchiveDialect::Lha ? "%9d" : "%d";
    cells[kArchiveNumber].Clear();
    cells[kArchiveExtension] = file.FindExtension();
    cells[kArchiveFileName] = file;
    cells[kArchiveSize].Format(sizeFormat, static_cast<int>(entry.originalSize));
    cells[kArchiveCompressedSize].Format(sizeFormat, static_cast<int>(entry.compressedSize));
    cells[kArchiveRatio] = ArchiveRatioText(entry.ratio);
    cells[kArchiveTimeStamp] = ArchiveTimeText(entry.dosDate, entry.dosTime);
    char text[sizeof entry.attribute + 1] = "";
    std::memcpy(text, entry.attribute, sizeof entry.attribute);
    cells[kArchiveAttribute] = text;
    std::memcpy(text, entry.mode, sizeof entry.mode);
    cells[kArchiveMode] = text;
    // A blank sorts before every printable byte: root entries come first.
    cells[kArchiveSortKey] = folder.IsEmpty() ? " " : "";
    cells[kArchiveSortKey].Append(name);
    cells[kArchiveFolder] = folder;
    cells[kArchiveFullPath] = name;
}

VornString QuotedPath(const char* path)
{
    VornString text(path);
    size_t length = text.Length();
    if (length >= 2 && text.Text()[0] == '"' && text.Text()[length - 1] == '"')
        return text;
    text.Prepend("\"");
    text.Append('"');
    return text;
}

std::vector<VornString> SplitTabList(const char* list)
{
    std::vector<VornString> fields;
    // A tab (0x09) is never a trail byte, so splitting at it cannot cut a character.
    const char* start = list;
    for (const char* p = list;; ++p) {
        if (*p == '\t' || *p == '\0') {
            if (p > start) {
                fields.emplace_back();
                fields.back().Assign(start, static_cast<size_t>(p - start));
            }
            if (*p == '\0')
                break;
            start = p + 1;
        }
    }
    return fields;
}

VornString AddCommandText(ArchiveDialect dialect, const char* archive, const std::vector<VornString>& files)
{
    VornString line = Start(dialect == ArchiveDialect::Lha ? "U -r2x " : "-rD ", archive);
    for (const VornString& file : files) {
        VornString folder(file);
        folder.RemoveFileSpec();
        VornString name(file);
        name.StripPath();
        AppendPath(line, WithBackslash(folder));
        AppendPath(line, name);
    }
    return line;
}

VornString DeleteCommandText(ArchiveDialect dialect, const char* archive, const std::vector<VornString>& entries)
{
    VornString line = Start(dialect == ArchiveDialect::Lha ? "D -p2 " : "-d ", archive);
    for (const VornString& entry : entries) {
        VornString path(entry);
        if (dialect == ArchiveDialect::Zip && sjis::EndsWithChar(path, '/'))
            path.Append("\\*");
        AppendPath(line, path);
    }
    return line;
}

VornString ExtractOneCommandText(ArchiveDialect dialect, const char* archive, const char* folder, const char* entry)
{
    VornString line = Start(dialect == ArchiveDialect::Lha ? "E -p2 " : "-u -j ", archive);
    AppendPath(line, WithBackslash(folder));
    AppendPath(line, entry);
    return line;
}

VornString ExtractSelectedCommandText(ArchiveDialect dialect, const char* archive, const char* folder,
                                      const std::vector<VornString>* entries)
{
    VornString line = Start(dialect == ArchiveDialect::Lha ? "X -p2 " : "-u ", archive);
    AppendPath(line, WithBackslash(folder));
    if (entries) {
        for (const VornString& entry : *entries)
            AppendPath(line, entry);
    } else if (dialect == ArchiveDialect::Lha) {
        line.Append(" *");
    }
    return line;
}

VornString ExtractAllFolder(const char* archive)
{
    VornString folder(archive);
    folder.RemoveExtension();
    folder.AddBackslash();
    return folder;
}

VornString ExtractAllCommandText(ArchiveDialect dialect, const char* archive, bool flat)
{
    return ExtractEverythingCommandText(dialect, archive, ExtractAllFolder(archive), flat);
}

VornString ExtractEverythingCommandText(ArchiveDialect dialect, const char* archive, const char* folder, bool flat)
{
    const char* verb = dialect == ArchiveDialect::Lha ? (flat ? "E -p2 " : "X -p2 ") : (flat ? "-u -j " : "-u ");
    VornString line = Start(verb, archive);
    AppendPath(line, WithBackslash(folder));
    if (dialect == ArchiveDialect::Lha)
        line.Append(" *");
    return line;
}
