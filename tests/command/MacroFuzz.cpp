// Fuzz target for macro expansion and directive lines. Beside "no crash" it checks results
// against slow, obviously right versions built on FuzzSupport's character-by-character
// search, replacement and split (none of the product's own), and checks that no step
// splits a double-byte character.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/Directives.h"
#include "command/MacroExpansion.h"
#include "common/SjisText.h"
#include "fuzz/FuzzSupport.h"
#include "schema/NameQuoting.h"

extern const char* const kFuzzDictionary[] = {
    "$TABLE", "$TYPE", "$LISTTABLE", "$LISTSPACETABLE", "$COLUMN", "$DATATYPE", "$LISTCOLUMN",
    "$LISTSPACECOLUMN", "$WINDOWS", "$SYSTEM", "$PGDIR", "$DBPATH", "$SERVER", "$DSN", "$DATABASE",
    "$USER", "$PASS", "$CONNECTION", "$PC", "$LOGON", "$TEMP", "$DESKTOPDIR", "$MYDOC", "$HWND",
    "$ENCLOSE", "$CONFIRM", "$CONFIRM,よろしいですか", "$TEXT1", "$TEXT2", "$TEXT6", "$TEXT9",
    "$DEFAULT1,既定", "$COMMENT1,説明　", "$LISTTEXT2,a|ポ|ソ", "$LISTTEXT1,", "$TITLESAVE,保存",
    "$EXTSAVE,csv", "$DEFAULTSAVE,C:\\表", "$SAVE", "$OPEN", "V$OPEN", "$TITLEOPEN,開く", "$EXTOPEN,sql",
    "$DIR", "$TITLEDIR,場所", "$FILE1", "$FILE2", "$FILE3", "$COMMENTFILE1,一", "$EXTFILE3,txt",
    "@CMD", "@CMDEXEC", "@SKELETON", "@WSF", "@PERL\r", "--", "\n$", "\r\n", nullptr,
};

namespace {

[[noreturn]] void Fail(const char* what, const std::string& input)
{
    std::fprintf(stderr, "macro fuzz: %s\ninput (%zu bytes):", what, input.size());
    for (unsigned char c : input)
        std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Lead bytes not followed by a byte that can trail them.
size_t BrokenCharacters(const std::string& text)
{
    size_t broken = 0;
    for (size_t i = 0; i < text.size();) {
        if (sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 >= text.size() || !IsTrail(static_cast<unsigned char>(text[i + 1])))
                ++broken;
            i += i + 1 < text.size() ? 2 : 1;
        } else {
            ++i;
        }
    }
    return broken;
}

MacroSelection FixedSelection(DatabaseKind kind)
{
    MacroSelection selection;
    selection.kind = kind;
    selection.tables = {{"社員", "TABLE"}, {"表ソ$TYPE", "VIEW"}};
    selection.definitionShowsTable = true;
    selection.definitionHasSelection = true;
    SelectedColumn first;
    first.name = "番号";
    first.adoType = "131";
    first.typeName = "numeric";
    first.precision = "10";
    first.scale = "2";
    SelectedColumn second;
    second.name = "能力";
    second.adoType = "200";
    second.typeName = "varchar";
    second.size = "40";
    selection.columns = {first, second};
    selection.connection.Build(kind, "srv,db,user,pw");
    selection.windowsFolder = "C:\\windows";
    selection.systemFolder = "C:\\windows\\system32";
    selection.programFolder = "C:\\表";
    selection.tempFolder = "C:\\temp\\";
    selection.desktopFolder = "C:\\デスク\\";
    selection.documentsFolder = "C:\\文書";
    selection.computerName = "PC$";
    selection.userName = "ユーザー";
    selection.mainWindow = 65538;
    return selection;
}

bool Holds(const std::string& text, const char* piece) { return fuzz::FindText(text, piece) != std::string::npos; }

// The selection step as plain replacements, in the table's order.
bool ReferenceSelection(VornString& result, const MacroSelection& s)
{
    std::string text = result.Text();
    bool enclose = Holds(text, "$ENCLOSE");
    text = fuzz::ReplaceText(text, "$ENCLOSE", "");
    for (const char* macro : {"$TABLE", "$TYPE", "$LISTSPACETABLE", "$LISTTABLE"})
        if (Holds(text, macro) && s.tables.empty())
            return false;
    auto list = [&](bool tables, const char* separator) {
        VornString joined;
        size_t count = tables ? s.tables.size() : s.columns.size();
        for (size_t i = 0; i < count; ++i) {
            const VornString& name = tables ? s.tables[i].name : s.columns[i].name;
            if (i)
                joined.Append(separator);
            joined.Append(enclose ? EncloseName(s.kind, name).Text() : name.Text());
        }
        return joined;
    };
    const bool file = s.kind == DatabaseKind::Excel || s.kind == DatabaseKind::Mdb;
    const bool dsn = s.kind == DatabaseKind::MySql || s.kind == DatabaseKind::Oracle || s.kind == DatabaseKind::Postgres;
    const bool server = dsn || s.kind == DatabaseKind::SqlServer;
    const VornString empty;
    const std::vector<std::pair<const char*, VornString>> table = {
        {"$TABLE", s.tables[0].name},
        {"$TYPE", s.tables[0].type},
        {"$LISTTABLE", list(true, ",")},
        {"$LISTSPACETABLE", list(true, " ")},
        {"$COLUMN", s.columns[0].name},
        {"$DATATYPE", "numeric(10,2)"},
        {"$LISTCOLUMN", list(false, ",")},
        {"$LISTSPACECOLUMN", list(false, " ")},
        {"$WINDOWS", s.windowsFolder},
        {"$SYSTEM", s.systemFolder},
        {"$PGDIR", s.programFolder},
        {"$DBPATH", file ? s.connection.filePath : empty},
        {"$SERVER", s.kind == DatabaseKind::SqlServer ? s.connection.server : empty},
        {"$DSN", dsn ? s.connection.server : empty},
        {"$DATABASE", server ? s.connection.database : empty},
        {"$USER", server ? s.connection.user : empty},
        {"$PASS", server ? s.connection.password : empty},
        {"$CONNECTION", s.connection.connectionString},
        {"$PC", s.computerName},
        {"$LOGON", s.userName},
        {"$TEMP", "C:\\temp"},
        {"$DESKTOPDIR", "C:\\デスク"},
        {"$MYDOC", "C:\\文書"},
        {"$HWND", "65538"},
    };
    for (const auto& entry : table)
        text = fuzz::ReplaceText(text, entry.first, entry.second.Text());
    result = text.c_str();
    return true;
}

// A definition read line by line.
std::string ReferenceDefinition(std::string& text, const char* name)
{
    const std::vector<std::string> lines = fuzz::Lines(text);
    const size_t count = lines.size();
    size_t found = count;
    for (size_t i = 0; i < count && found == count; ++i)
        if (lines[i].compare(0, std::strlen(name), name) == 0)
            found = i;
    std::string value;
    if (found < count) {
        std::string line = fuzz::TrimCharacters(
            lines[found], [](const std::string& c) { return c == " " || c == "\r" || c == "\x81\x40"; });
        std::vector<std::string> fields = fuzz::SplitText(line, ',');
        value = fields.size() > 1 ? fields[1] : std::string();
        std::string rest;
        for (size_t i = 0; i < count; ++i) {
            if (i == found)
                continue;
            rest.append(lines[i]);
            if (i + 1 < count)
                rest.push_back('\n');
        }
        text = rest;
    }
    text = fuzz::ReplaceText(text, name, "");
    return value;
}

class FuzzPrompter : public MacroPrompter {
public:
    bool cancelAll = false;
    std::vector<std::string> seen;
    bool Confirm(const char* message) override { return Check(message) && !cancelAll; }
    bool AskText(int, const char* defaultText, const char* comment, const std::vector<VornString>& choices,
                 VornString& text) override
    {
        Check(defaultText);
        Check(comment);
        for (const VornString& choice : choices) {
            if (choice.IsEmpty() || sjis::FindChar(choice, '|') >= 0)
                Fail("a choice is empty or holds a bar", "");
            seen.push_back(choice.Text());
        }
        text = "入力ソ ";
        return !cancelAll;
    }
    bool ChooseSaveFile(const MacroFileRequest& request, VornString& path) override
    {
        Check(request.title);
        path = "C:\\表\\出力.csv";
        return !cancelAll;
    }
    bool ChooseOpenFile(const MacroFileRequest& request, VornString& path) override
    {
        Check(request.title);
        path = "C:\\能\\入力.sql";
        return !cancelAll;
    }
    bool ChooseFolder(const char* title, VornString& path) override
    {
        Check(title);
        path = "D:\\作業";
        return !cancelAll;
    }
    bool ChooseFiles(const MacroFilesRequest& request, VornString paths[3]) override
    {
        for (int i = 0; i < 3; ++i) {
            Check(request.comment[i]);
            paths[i] = "E:\\ソ.txt";
        }
        return !cancelAll;
    }

private:
    // A definition value is part of one line.
    bool Check(const char* value)
    {
        std::string text(value);
        if (sjis::FindChar(value, '\n') >= 0)
            Fail("a definition value spans lines", text);
        seen.push_back(text);
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    for (char& c : input)
        if (c == '\0')
            c = ' ';
    const size_t brokenBefore = BrokenCharacters(input);
    const DatabaseKind kind = static_cast<DatabaseKind>(size % 6);

    // Selection step against the reference.
    {
        MacroSelection selection = FixedSelection(kind);
        VornString text(input.c_str());
        VornString reference(input.c_str());
        MacroRefusal refusal = MacroRefusal::None;
        bool expanded = ExpandSelectionMacros(text, selection, &refusal);
        bool referenceExpanded = ReferenceSelection(reference, selection);
        if (expanded != referenceExpanded)
            Fail("selection step refused differently", input);
        if (expanded && !text.Equals(reference))
            Fail("selection step differs from plain replacement", input);
        if (!expanded && !text.Equals(input.c_str()))
            Fail("a refused selection step changed the text", input);
        if (BrokenCharacters(text.Text()) > brokenBefore)
            Fail("selection step split a character", input);

        // Without any selection every table or column macro left after $ENCLOSE refuses.
        MacroSelection none;
        none.kind = kind;
        VornString bare(input.c_str());
        const std::string withoutEnclose = fuzz::ReplaceText(input, "$ENCLOSE", "");
        bool needsTable = false, needsColumn = false;
        for (const char* macro : {"$TABLE", "$TYPE", "$LISTTABLE", "$LISTSPACETABLE"})
            needsTable |= Holds(withoutEnclose, macro);
        for (const char* macro : {"$COLUMN", "$DATATYPE", "$LISTCOLUMN", "$LISTSPACECOLUMN"})
            needsColumn |= Holds(withoutEnclose, macro);
        bool passed = ExpandSelectionMacros(bare, none, &refusal);
        if (passed == (needsTable || needsColumn))
            Fail("refusal without a selection is wrong", input);
        if (!passed && refusal != (needsTable ? MacroRefusal::NoTable : MacroRefusal::NoColumn))
            Fail("wrong refusal reason", input);
    }

    // Definitions against the reference.
    for (const char* name : {"$DEFAULT1", "$COMMENT1", "$LISTTEXT2", "$TITLESAVE", "$CONFIRM"}) {
        std::string reference = input;
        std::string expected = ReferenceDefinition(reference, name);
        VornString text(input.c_str());
        VornString value = ReadMacroDefinition(text, name);
        if (expected != value.Text() || reference != text.Text())
            Fail("definition read differs from the line-by-line reading", input);
        if (BrokenCharacters(text.Text()) > brokenBefore)
            Fail("definition read split a character", input);
    }

    // Input step with scripted answers; a cancelled one leaves the text alone.
    {
        ProfileStore settings("/dev/null/macro-fuzz.ini");
        FuzzPrompter prompter;
        VornString text(input.c_str());
        if (ExpandInputMacros(text, kind, settings, prompter)) {
            if (BrokenCharacters(text.Text()) > brokenBefore)
                Fail("input step split a character", input);
        }
        FuzzPrompter cancelling;
        cancelling.cancelAll = true;
        VornString untouched(input.c_str());
        if (!ExpandInputMacros(untouched, kind, settings, cancelling) && !untouched.Equals(input.c_str()))
            Fail("a cancelled input step changed the text", input);
    }

    // Directive lines: no comment or directive line is kept, kept lines come from the input.
    {
        VornString type("SQL");
        VornString kept = StripDirectiveLines(input.c_str(), type);
        const std::vector<std::string> lines = fuzz::Lines(kept.Text());
        if (!kept.IsEmpty() && kept.Text()[kept.Length() - 1] != '\n')
            Fail("stripped text does not end with a line end", input);
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            std::string line = lines[i];
            std::string bare = (!line.empty() && line.back() == '\r') ? line.substr(0, line.size() - 1) : line;
            if (line.compare(0, 2, "--") == 0 || DirectiveExecutionType(bare.c_str()))
                Fail("a comment or directive line was kept", input);
            if (!line.empty() && !Holds(input, line.c_str()))
                Fail("a kept line is not in the input", input);
        }
        if (BrokenCharacters(kept.Text()) > brokenBefore)
            Fail("stripping split a character", input);
    }
    return 0;
}
