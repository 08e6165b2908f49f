// Fuzz target for menu files and parts lists. The input is read four ways: its first line
// as a menu file's directive (checked against the directive tables of both menu families),
// its lines as the file names of a menu folder (against a plain filter, stable sort and
// caption rule), its lines as "key=value" user-menu records (parsing, and the placeholders
// of the command line round-tripped through marker values), and as a parts list file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "app/MenuFileRules.h"
#include "app/PartsLists.h"
#include "command/Directives.h"
#include "common/SjisText.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "@SKELETON", "@CMD", "@CMDEXEC", "@BATEXEC", "@WSF", "@PERLEXEC", "@EXEC", "@SCHEMA", "@CSVPUT",
    "@CSVGET", "@OPTION", "@UNLHA32", "@UNZIP32", ".mnu", ".MNU", ".Mnu", "01", "99", "セパレータ",
    "01セパレータ.mnu", "\"", "\r\n", "\n", "$01", "$02", "$1", "$10", "$100", "$101", "$99", "$0",
    "=1,", "1,表,cmd $01,", "0=", "999=", "1000=", " 7 =", "　", ",", "表", "ソ", "\x81", nullptr,
};

namespace {

const char kTarget[] = "menu_file_fuzz";

using fuzz::Lines;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// ---- First lines --------------------------------------------------------------------

const char* const kTypeDirectives[][2] = {
    {"@CMD", "外部プログラム"}, {"@BAT", "バッチファイル"}, {"@VBS", "WSH(.vbs)"},
    {"@WSF", "WSH(.wsf)"},      {"@PHP", "PHP"},             {"@PERL", "Perl"},
};

MenuFileCommand Expected(MenuFileFamily family, const std::string& line)
{
    MenuFileCommand command;
    const bool kind = family == MenuFileFamily::KindMenu;
    command.action = kind ? MenuFileAction::RunSql : MenuFileAction::Nothing;
    for (const auto& directive : kTypeDirectives) {
        if (line == directive[0] || line == std::string(directive[0]) + "EXEC") {
            command.action = line.size() > std::strlen(directive[0]) ? MenuFileAction::RunAsType : MenuFileAction::Skeleton;
            command.executionType = directive[1];
        }
    }
    const struct {
        const char* line;
        bool kindMenu, toolMenu;
        MenuFileAction action;
    } kOthers[] = {
        {"@SKELETON", true, false, MenuFileAction::Skeleton}, {"@EXEC", true, true, MenuFileAction::Execute},
        {"@SCHEMA", true, false, MenuFileAction::Schema},     {"@CSVPUT", true, false, MenuFileAction::CsvPut},
        {"@CSVGET", true, false, MenuFileAction::CsvGet},     {"@OPTION", false, true, MenuFileAction::Options},
        {"@UNLHA32", false, true, MenuFileAction::LhaArchive}, {"@UNZIP32", false, true, MenuFileAction::ZipArchive},
    };
    for (const auto& other : kOthers) {
        if (line == other.line && (kind ? other.kindMenu : other.toolMenu)) {
            command.action = other.action;
            command.executionType = other.action == MenuFileAction::Skeleton ? "SQL" : nullptr;
        }
    }
    return command;
}

void CheckFirstLine(const std::string& input)
{
    std::string line = Lines(input)[0];
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    for (MenuFileFamily family : {MenuFileFamily::KindMenu, MenuFileFamily::ToolMenu}) {
        MenuFileCommand got = ClassifyMenuFile(family, input.c_str());
        MenuFileCommand want = Expected(family, line);
        bool sameType = got.executionType && want.executionType ? std::strcmp(got.executionType, want.executionType) == 0
                                                                : got.executionType == want.executionType;
        if (got.action != want.action || !sameType)
            fuzz::Fail(kTarget, "ClassifyMenuFile differs from the directive table", input);
    }
}

// ---- File names ---------------------------------------------------------------------

// Single-byte letters folded, double-byte characters kept: names compare by these bytes.
std::string Folded(const std::string& name)
{
    std::string folded;
    for (const std::string& c : fuzz::Characters(name))
        folded += c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' ? std::string(1, static_cast<char>(c[0] - 32)) : c;
    return folded;
}

// The name without one pair of enclosing double quotes.
std::string Unquoted(const std::string& name)
{
    std::vector<std::string> chars = fuzz::Characters(name);
    if (chars.size() >= 2 && chars.front() == "\"" && chars.back() == "\"")
        return name.substr(1, name.size() - 2);
    return name;
}

bool EndsInMnu(const std::string& name)
{
    std::vector<std::string> chars = fuzz::Characters(Unquoted(name));
    if (chars.size() < 4)
        return false;
    std::string tail;
    for (size_t i = chars.size() - 4; i < chars.size(); ++i)
        tail += chars[i].size() == 1 ? chars[i] : std::string("\x81\x81");
    return Folded(tail) == ".MNU";
}

void CheckMenuItems(const std::string& input)
{
    std::vector<VornString> names;
    std::vector<std::string> expected;
    for (const std::string& line : Lines(input)) {
        names.emplace_back(line.c_str());
        if (IsMenuFileName(line.c_str()) != EndsInMnu(line))
            fuzz::Fail(kTarget, "IsMenuFileName differs from the name's ending", input);
        if (EndsInMnu(line))
            expected.push_back(line);
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
    if (expected.size() > kMaxMenuFiles)
        expected.resize(kMaxMenuFiles);
    const unsigned base = kToolMenuBase;
    std::vector<MenuFileItem> items = PlanMenuItems(names, base);
    if (items.size() != expected.size())
        fuzz::Fail(kTarget, "PlanMenuItems kept another number of files", input);
    for (size_t i = 0; i < items.size(); ++i) {
        std::string withoutExtension = Unquoted(expected[i]).substr(0, Unquoted(expected[i]).size() - 4);
        std::vector<std::string> chars = fuzz::Characters(withoutExtension);
        std::string caption;
        for (size_t c = 2; c < chars.size(); ++c)
            caption += chars[c];
        if (expected[i] != items[i].fileName.Text())
            fuzz::Fail(kTarget, "PlanMenuItems' order differs from a stable sort of the names", input);
        if (caption != items[i].caption.Text() || items[i].separator != (caption == "セパレータ"))
            fuzz::Fail(kTarget, "a caption is not the name without its first two characters and extension", input);
        if (items[i].id != base + i)
            fuzz::Fail(kTarget, "menu ids are not consecutive", input);
    }
}

// ---- User-menu records ----------------------------------------------------------------

std::string Trimmed(const std::string& text)
{
    return fuzz::TrimCharacters(text, [](const std::string& c) { return c == " " || c == "\t" || c == "　"; });
}

std::vector<std::string> Fields(const std::string& text, char separator)
{
    std::vector<std::string> fields(1);
    for (const std::string& c : fuzz::Characters(text)) {
        if (c.size() == 1 && c[0] == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// "$" and two digits naming a column 1..columns, or three digits naming 100..columns.
size_t PlaceholderColumn(const std::vector<std::string>& chars, size_t i, size_t columns, size_t* length)
{
    auto digit = [&](size_t at) { return at < chars.size() && chars[at].size() == 1 && IsDigit(chars[at][0]); };
    if (chars[i] != "$" || !digit(i + 1) || !digit(i + 2))
        return 0;
    size_t two = static_cast<size_t>((chars[i + 1][0] - '0') * 10 + (chars[i + 2][0] - '0'));
    if (digit(i + 3)) {
        size_t three = two * 10 + static_cast<size_t>(chars[i + 3][0] - '0');
        if (three >= 100 && three <= columns) {
            *length = 4;
            return three;
        }
    }
    *length = 3;
    return two >= 1 && two <= columns ? two : 0;
}

// Every placeholder becomes a marker (bytes 01 and 02 do not occur in the input); turning
// the markers back into "$%02d" must give the command line again, and no placeholder may
// be left over.
void CheckPlaceholders(const std::string& commandLine, size_t columns, const std::string& input)
{
    UserMenuRow row;
    for (size_t i = 1; i <= columns; ++i)
        row.emplace_back(("\x01" + std::to_string(i) + "\x02").c_str());
    std::string replaced = ReplaceColumnPlaceholders(commandLine.c_str(), row).Text();
    std::string back;
    std::vector<std::string> chars = fuzz::Characters(replaced);
    for (size_t i = 0; i < chars.size(); ++i) {
        size_t length = 0;
        if (PlaceholderColumn(chars, i, columns, &length))
            fuzz::Fail(kTarget, "a column placeholder was left in the command line", input);
        if (chars[i] != "\x01") {
            back += chars[i];
            continue;
        }
        size_t end = i + 1, column = 0;
        for (; chars[end] != "\x02"; ++end)
            column = column * 10 + static_cast<size_t>(chars[end][0] - '0');
        char name[8];
        std::snprintf(name, sizeof name, "$%02zu", column);
        back += name;
        // The longer name wins: "$12" followed by "3" is "$123" when that column exists.
        if (column < 100 && end + 1 < chars.size() && chars[end + 1].size() == 1 && IsDigit(chars[end + 1][0]) &&
            column >= 10 && column * 10 + static_cast<size_t>(chars[end + 1][0] - '0') <= columns)
            fuzz::Fail(kTarget, "a two-digit placeholder was taken where a three-digit one exists", input);
        i = end;
    }
    if (back != commandLine)
        fuzz::Fail(kTarget, "ReplaceColumnPlaceholders changed more than the placeholders", input);
}

void CheckUserMenu(const std::string& input)
{
    std::string text = input;
    for (char& c : text)
        if (c == '\x01' || c == '\x02')
            c = '?';
    size_t columns = 1 + (input.empty() ? 0 : static_cast<unsigned char>(input[0]) % 120);
    for (const std::string& line : Lines(text)) {
        size_t eq = line.find('=');
        std::string key = line.substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        std::string number = Trimmed(key);
        bool numeric = !number.empty() && number.size() <= 3 &&
                       std::all_of(number.begin(), number.end(), [](char c) { return IsDigit(c); });
        std::vector<std::string> fields = Fields(value, ',');
        bool valid = numeric && fields.size() >= 3;
        UserMenuEntry entry;
        if (ParseUserMenuEntry(key.c_str(), eq == std::string::npos ? nullptr : value.c_str(), entry) !=
            (valid && eq != std::string::npos))
            fuzz::Fail(kTarget, "ParseUserMenuEntry accepted or refused wrongly", input);
        if (valid && eq != std::string::npos) {
            fields.resize(std::max<size_t>(fields.size(), 4));
            if (entry.number != std::stoi(number) || Trimmed(fields[0]) != entry.mode.Text() ||
                fields[1] != entry.caption.Text() || fields[2] != entry.commandLine.Text() ||
                Trimmed(fields[3]) != entry.column.Text())
                fuzz::Fail(kTarget, "a user-menu record's fields differ from its comma-separated parts", input);
        }
        CheckPlaceholders(value, columns, input);
    }
}

// ---- Parts lists -------------------------------------------------------------------

void CheckPartsList(const std::string& input)
{
    const std::string folder = fuzz::ScratchFolder() + "/Postgres";
    mkdir(folder.c_str(), 0700);
    mkdir((folder + "/parts").c_str(), 0700);
    fuzz::WriteFile(folder + "/parts/Cond.txt", input);
    // Text-mode lines: CR LF is a line end, the last line needs none.
    std::string text;
    for (size_t i = 0; i < input.size(); ++i)
        if (!(input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n'))
            text += input[i];
    std::string expected;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        expected += (start ? "," : "") + text.substr(start, end - start);
        start = end + 1;
    }
    VornString list;
    if (!ReadPartsFile((folder + "/parts/Cond.txt").c_str(), list) || expected != list.Text())
        fuzz::Fail(kTarget, "ReadPartsFile differs from the file's lines joined by commas", input);
    PartsLists lists = LoadPartsLists(folder.c_str(), DatabaseKind::Postgres,
                                      [&] { return TokenList(input.c_str(), ','); });
    if (expected != lists.cond.Text() || input != lists.type.Text())
        fuzz::Fail(kTarget, "LoadPartsLists did not take the file and the provider's types", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Input(data, size);
    CheckFirstLine(input);
    CheckMenuItems(input);
    CheckUserMenu(input);
    CheckPartsList(input);
    return 0;
}
