#include "MacroExpansion.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "MacroText.h"
#include "common/SjisText.h"
#include "common/TokenList.h"
#include "schema/NameQuoting.h"

const char kMacroFolderSection[] = "SaveDir";

namespace {

using macrotext::Contains;
using macrotext::kNotFound;

std::string ToStd(const VornString& text) { return std::string(text.Text(), text.Length()); }

void FromStd(VornString& text, const std::string& value) { text.Assign(value.data(), value.size()); }

bool IsServerKind(DatabaseKind kind)
{
    return kind == DatabaseKind::SqlServer || kind == DatabaseKind::MySql || kind == DatabaseKind::Oracle ||
           kind == DatabaseKind::Postgres;
}

// The main window connects a workbook through another DSN with an MSDASQL string; names
// are then written as they are.
bool ExcelThroughDsn(const MacroSelection& selection)
{
    if (selection.kind != DatabaseKind::Excel)
        return false;
    static const char kOdbcProvider[] = "PROVIDER=MSDASQL";
    VornString start(selection.connection.connectionString);
    start.Left(sizeof kOdbcProvider - 1);
    return start.EqualsIgnoreCase(kOdbcProvider);
}

VornString WithoutTrailingBackslash(const VornString& folder)
{
    VornString text(folder);
    text.RemoveBackslash();
    return text;
}

std::string JoinNames(const std::vector<VornString>& names, bool enclose, const MacroSelection& selection,
                      const char* separator)
{
    const bool throughDsn = ExcelThroughDsn(selection);
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            list.append(separator);
        if (enclose)
            list.append(EncloseName(selection.kind, names[i], throughDsn).Text());
        else
            list.append(names[i].Text());
    }
    return list;
}

VornString DataTypeText(const SelectedColumn& column)
{
    VornString text(column.typeName);
    if (column.adoType.ToInteger() == 131) {
        // Precision and scale say all a size would; both together would give "numeric(19)(10,2)".
        text.Append("(");
        text.Append(column.precision);
        text.Append(",");
        text.Append(column.scale);
        text.Append(")");
    } else if (!column.size.IsEmpty() && column.size.ToInteger() < 256) {
        text.Append("(");
        text.Append(column.size);
        text.Append(")");
    }
    return text;
}

size_t TrimmedStartOf(const std::string& text, const char* set)
{
    return sjis::TrimmedStart(text.data(), text.size(), set, true);
}

// In the order of replacement; the value lambda of ExpandSelectionMacros follows it.
const char* const kSelectionMacros[] = {
    "$TABLE",    "$TYPE",   "$LISTTABLE", "$LISTSPACETABLE", "$COLUMN", "$DATATYPE",
    "$LISTCOLUMN", "$LISTSPACECOLUMN", "$WINDOWS", "$SYSTEM", "$PGDIR", "$DBPATH",
    "$SERVER",   "$DSN",    "$DATABASE",  "$USER",  "$PASS",  "$CONNECTION",
    "$PC",       "$LOGON",  "$TEMP",      "$DESKTOPDIR", "$MYDOC", "$HWND",
};
const int kSelectionMacroCount = static_cast<int>(sizeof kSelectionMacros / sizeof kSelectionMacros[0]);

bool IsNameByte(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Where the macros of the selection table stand in the text, found in one scan. No name of
// the table begins another, so at most one matches at a "$".
struct MacroScan {
    struct Hit {
        size_t position;
        int macro;
    };
    std::vector<Hit> hits;
    bool present[kSelectionMacroCount] = {};
    // False when replacing in one pass could differ from replacing macro by macro: a "$"
    // that starts no macro directly before a hit could form a new macro with what is put in.
    bool independent = true;
};

MacroScan ScanSelectionMacros(const std::string& text)
{
    MacroScan scan;
    size_t lastDollar = kNotFound;
    bool lastDollarHit = false;
    for (size_t pos = macrotext::Find(text, "$"); pos != kNotFound; pos = macrotext::Find(text, "$", pos + 1)) {
        int found = -1;
        for (int i = 0; i < kSelectionMacroCount && found < 0; ++i) {
            const char* name = kSelectionMacros[i];
            if (text[pos + 1] != name[1])
                continue;
            size_t length = std::strlen(name);
            if (text.compare(pos, length, name) == 0)
                found = i;
        }
        if (found >= 0) {
            if (lastDollar != kNotFound && !lastDollarHit) {
                size_t back = pos;
                while (back > lastDollar + 1 && IsNameByte(text[back - 1]))
                    --back;
                if (back == lastDollar + 1)
                    scan.independent = false;
            }
            scan.hits.push_back({pos, found});
            scan.present[found] = true;
        }
        lastDollar = pos;
        lastDollarHit = found >= 0;
    }
    return scan;
}

// A value that holds a "$" or ends in half a character changes what later macros find.
bool ValueStandsAlone(const std::string& value)
{
    if (value.find('$') != std::string::npos)
        return false;
    size_t pos = 0;
    while (pos < value.size()) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(value[pos]))) {
            ++pos;
            continue;
        }
        if (pos + 1 == value.size())
            return false;
        pos += 2;
    }
    return true;
}

}  // namespace

bool ExpandSelectionMacros(VornString& text, const MacroSelection& selection, MacroRefusal* refusal)
{
    if (refusal)
        *refusal = MacroRefusal::None;
    std::string work = ToStd(text);
    std::string scratch;
    const bool enclose = macrotext::ReplaceEvery(work, "$ENCLOSE", "", scratch) > 0;
    const MacroScan scan = ScanSelectionMacros(work);
    if ((scan.present[0] || scan.present[1] || scan.present[2] || scan.present[3]) && selection.tables.empty()) {
        if (refusal)
            *refusal = MacroRefusal::NoTable;
        return false;
    }
    const bool columnsUsable =
        selection.definitionShowsTable && selection.definitionHasSelection && !selection.columns.empty();
    if ((scan.present[4] || scan.present[5] || scan.present[6] || scan.present[7]) && !columnsUsable) {
        if (refusal)
            *refusal = MacroRefusal::NoColumn;
        return false;
    }

    std::vector<VornString> tableNames, columnNames;
    for (const SelectedTable& table : selection.tables)
        tableNames.push_back(table.name);
    if (columnsUsable)
        for (const SelectedColumn& column : selection.columns)
            columnNames.push_back(column.name);
    const SelectedTable* firstTable = selection.tables.empty() ? nullptr : &selection.tables.front();
    const SelectedColumn* firstColumn = columnsUsable ? &selection.columns.front() : nullptr;
    const ConnectionRecord& connection = selection.connection;
    const DatabaseKind kind = selection.kind;
    const bool fileKind = kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb;
    const bool dsnKind = kind == DatabaseKind::MySql || kind == DatabaseKind::Oracle || kind == DatabaseKind::Postgres;
    const bool serverKind = IsServerKind(kind);
    char handle[24];
    std::snprintf(handle, sizeof handle, "%lu", selection.mainWindow);

    auto value = [&](int index) -> std::string {
        switch (index) {
        case 0: return firstTable ? firstTable->name.Text() : "";
        case 1: return firstTable ? firstTable->type.Text() : "";
        case 2: return JoinNames(tableNames, enclose, selection, ",");
        case 3: return JoinNames(tableNames, enclose, selection, " ");
        case 4: return firstColumn ? firstColumn->name.Text() : "";
        case 5: return firstColumn ? DataTypeText(*firstColumn).Text() : "";
        case 6: return JoinNames(columnNames, enclose, selection, ",");
        case 7: return JoinNames(columnNames, enclose, selection, " ");
        case 8: return selection.windowsFolder.Text();
        case 9: return selection.systemFolder.Text();
        case 10: return selection.programFolder.Text();
        case 11: return fileKind ? connection.filePath.Text() : "";
        case 12: return kind == DatabaseKind::SqlServer ? connection.server.Text() : "";
        case 13: return dsnKind ? connection.server.Text() : "";
        case 14: return serverKind ? connection.database.Text() : "";
        case 15: return serverKind ? connection.user.Text() : "";
        case 16: return serverKind ? connection.password.Text() : "";
        case 17: return connection.connectionString.Text();
        case 18: return selection.computerName.Text();
        case 19: return selection.userName.Text();
        case 20: return WithoutTrailingBackslash(selection.tempFolder).Text();
        case 21: return WithoutTrailingBackslash(selection.desktopFolder).Text();
        case 22: return WithoutTrailingBackslash(selection.documentsFolder).Text();
        default: return handle;
        }
    };
    // Each value is built only when its macro occurs: the lists can be long.
    std::vector<std::string> values(kSelectionMacroCount);
    bool onePass = scan.independent;
    for (int i = 0; i < kSelectionMacroCount; ++i) {
        if (!scan.present[i])
            continue;
        values[i] = value(i);
        onePass = onePass && ValueStandsAlone(values[i]);
    }

    if (onePass) {
        std::string& result = scratch;
        result.clear();
        result.reserve(work.size() + work.size() / 4);
        size_t pos = 0;
        for (const MacroScan::Hit& hit : scan.hits) {
            result.append(work, pos, hit.position - pos);
            result.append(values[hit.macro]);
            pos = hit.position + std::strlen(kSelectionMacros[hit.macro]);
        }
        result.append(work, pos, std::string::npos);
        work.swap(result);
    } else {
        // In the table's order, as plain replacements: what one value brings in, later
        // macros see.
        for (int i = 0; i < kSelectionMacroCount; ++i) {
            if (!Contains(work, kSelectionMacros[i]))
                continue;
            if (!scan.present[i])
                values[i] = value(i);
            macrotext::ReplaceEvery(work, kSelectionMacros[i], values[i].c_str(), scratch);
        }
    }
    FromStd(text, work);
    return true;
}

// ---- Input step ------------------------------------------------------------------------

namespace {

std::string ReadDefinition(std::string& text, const char* name, std::string& scratch)
{
    size_t hit = macrotext::Find(text, name);
    if (hit == kNotFound)
        return std::string();
    const size_t nameLength = std::strlen(name);
    std::string value;
    while (hit != kNotFound && !macrotext::AtLineStart(text, hit))
        hit = macrotext::Find(text, name, hit + nameLength);
    if (hit != kNotFound) {
        size_t end = macrotext::LineEnd(text, hit);
        std::string line = text.substr(hit, end - hit);
        size_t lineEnd = sjis::TrimmedEnd(line.data(), line.size(), " \r", true);
        line.resize(lineEnd);
        line.erase(0, TrimmedStartOf(line, " \r"));
        TokenList fields(line.c_str(), ',');
        value = fields[1];
        text.erase(hit, end < text.size() ? end + 1 - hit : end - hit);
    }
    macrotext::ReplaceEvery(text, name, "", scratch);
    return value;
}

std::string NumberedName(const char* stem, int number)
{
    char name[40];
    std::snprintf(name, sizeof name, "%s%d", stem, number);
    return name;
}

std::vector<VornString> SplitChoices(const std::string& list)
{
    std::vector<VornString> choices;
    if (list.empty())
        return choices;
    TokenList fields(list.c_str(), '|');
    for (int i = 0; i < fields.Count(); ++i)
        if (*fields[i])
            choices.emplace_back(fields[i]);
    return choices;
}

std::string TrimmedEntry(const VornString& entry)
{
    const char* data = entry.Text();
    size_t end = sjis::TrimmedEnd(data, entry.Length(), " ", true);
    size_t start = sjis::TrimmedStart(data, end, " ", true);
    return std::string(data + start, end - start);
}

bool TextStep(std::string& text, int number, MacroPrompter& prompter, std::string& scratch)
{
    std::string defaultText = ReadDefinition(text, NumberedName("$DEFAULT", number).c_str(), scratch);
    std::string comment = ReadDefinition(text, NumberedName("$COMMENT", number).c_str(), scratch);
    std::string list = ReadDefinition(text, NumberedName("$LISTTEXT", number).c_str(), scratch);
    std::string macro = NumberedName("$TEXT", number);
    if (!Contains(text, macro.c_str()))
        return true;
    VornString entry;
    if (!prompter.AskText(number, defaultText.c_str(), comment.c_str(), SplitChoices(list), entry))
        return false;
    std::string trimmed = TrimmedEntry(entry);
    // The dialog never gives an empty text; an empty answer from elsewhere counts as none.
    if (trimmed.empty())
        return false;
    macrotext::ReplaceEvery(text, macro.c_str(), trimmed.c_str(), scratch);
    return true;
}

MacroFileRequest FileRequest(const std::string& title, const char* defaultTitle, const std::string& extension,
                             const std::string& folder, const ProfileStore& settings, const char* folderKey)
{
    MacroFileRequest request;
    request.title = title.empty() ? defaultTitle : title.c_str();
    request.filter = MacroFileFilter(extension.c_str());
    request.defaultExtension = extension.c_str();
    if (!folder.empty())
        request.initialFolder = folder.c_str();
    else
        settings.Read(kMacroFolderSection, folderKey, request.initialFolder);
    return request;
}

}  // namespace

VornString ReadMacroDefinition(VornString& text, const char* name)
{
    std::string work = ToStd(text);
    std::string scratch;
    std::string value = ReadDefinition(work, name, scratch);
    FromStd(text, work);
    return VornString(value.c_str());
}

bool TextHoldsOpenMacro(const char* text, DatabaseKind kind)
{
    std::string work(text ? text : "");
    if (!Contains(work, "$OPEN"))
        return false;
    if (kind != DatabaseKind::Oracle)
        return true;
    return !Contains(work, "V$OPEN") && !Contains(work, "v$OPEN");
}

VornString MacroFileFilter(const char* extension)
{
    if (!extension || !*extension)
        return VornString("全て,*.*");
    VornString filter(extension);
    filter.Append(",*.");
    filter.Append(extension);
    filter.Append(",全て,*.*");
    return filter;
}

void RememberMacroFolder(ProfileStore& settings, const char* key, const char* path)
{
    VornString folder(path);
    folder.RemoveFileSpec();
    settings.Write(kMacroFolderSection, key, folder);
}

bool ExpandInputMacros(VornString& text, DatabaseKind kind, ProfileStore& settings, MacroPrompter& prompter)
{
    std::string work = ToStd(text);
    std::string scratch;

    if (Contains(work, "$CONFIRM")) {
        std::string message = ReadDefinition(work, "$CONFIRM", scratch);
        if (!prompter.Confirm(message.c_str()))
            return false;
    }
    for (int number = 1; number <= 5; ++number)
        if (!TextStep(work, number, prompter, scratch))
            return false;

    const std::string titleSave = ReadDefinition(work, "$TITLESAVE", scratch);
    const std::string titleOpen = ReadDefinition(work, "$TITLEOPEN", scratch);
    const std::string extSave = ReadDefinition(work, "$EXTSAVE", scratch);
    const std::string extOpen = ReadDefinition(work, "$EXTOPEN", scratch);
    const std::string defaultSave = ReadDefinition(work, "$DEFAULTSAVE", scratch);
    const std::string defaultOpen = ReadDefinition(work, "$DEFAULTOPEN", scratch);
    const std::string titleDir = ReadDefinition(work, "$TITLEDIR", scratch);

    if (Contains(work, "$SAVE")) {
        MacroFileRequest request =
            FileRequest(titleSave, "保存用マクロ ($SAVE)", extSave, defaultSave, settings, "SaveMacro");
        VornString path;
        if (!prompter.ChooseSaveFile(request, path))
            return false;
        macrotext::ReplaceEvery(work, "$SAVE", path, scratch);
        RememberMacroFolder(settings, "SaveMacro", path);
    }
    if (TextHoldsOpenMacro(work.c_str(), kind)) {
        MacroFileRequest request =
            FileRequest(titleOpen, "読出用マクロ ($OPEN)", extOpen, defaultOpen, settings, "OpenMacro");
        VornString path;
        if (!prompter.ChooseOpenFile(request, path))
            return false;
        macrotext::ReplaceEvery(work, "$OPEN", path, scratch);
        RememberMacroFolder(settings, "OpenMacro", path);
    }
    if (Contains(work, "$DIR")) {
        VornString folder;
        if (!prompter.ChooseFolder(titleDir.empty() ? "ディレクトリマクロ ($DIR)" : titleDir.c_str(), folder))
            return false;
        macrotext::ReplaceEvery(work, "$DIR", folder, scratch);
    }

    static const char* const kFileMacros[3] = {"$FILE1", "$FILE2", "$FILE3"};
    MacroFilesRequest files;
    bool anyFile = false;
    for (int i = 0; i < 3; ++i)
        anyFile |= files.active[i] = Contains(work, kFileMacros[i]);
    if (anyFile) {
        for (int i = 0; i < 3; ++i) {
            files.comment[i] = ReadDefinition(work, NumberedName("$COMMENTFILE", i + 1).c_str(), scratch).c_str();
            std::string extension = ReadDefinition(work, NumberedName("$EXTFILE", i + 1).c_str(), scratch);
            files.browse[i] = FileRequest("", "", extension, "", settings, files.folderKey[i]);
        }
        VornString paths[3];
        if (!prompter.ChooseFiles(files, paths))
            return false;
        for (int i = 0; i < 3; ++i)
            if (files.active[i] && paths[i].IsEmpty())
                return false;
        for (int i = 0; i < 3; ++i)
            if (files.active[i])
                macrotext::ReplaceEvery(work, kFileMacros[i], paths[i], scratch);
    }

    for (int number = 6; number <= 9; ++number)
        if (!TextStep(work, number, prompter, scratch))
            return false;
    FromStd(text, work);
    return true;
}
