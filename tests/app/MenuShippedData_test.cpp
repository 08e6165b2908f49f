// The menu files and parts lists the program folder ships: Shift_JIS text with CR LF line
// ends, first lines the program knows, and the layout the menus are built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kKindFolders[] = {"EXCEL", "MDB", "SQLServer", "MySQL", "Oracle", "Postgres"};

fs::path Shipped() { return fs::path(KESTROVA_SHIPPED_DATA); }

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Converts between the code pages; false when a byte sequence has no conversion.
bool Convert(const std::string& bytes, bool fromShiftJis)
{
    if (bytes.empty())
        return true;
#ifdef _WIN32
    UINT page = fromShiftJis ? 932 : CP_UTF8;
    int wide = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (wide <= 0)
        return false;
    if (fromShiftJis)
        return true;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(page, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], wide);
    BOOL lost = FALSE;
    WideCharToMultiByte(932, 0, text.data(), wide, nullptr, 0, nullptr, &lost);
    return !lost;
#else
    iconv_t cd = fromShiftJis ? iconv_open("UTF-8", "CP932") : iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string input = bytes;
    std::vector<char> output(bytes.size() * 4 + 16);
    char* in = &input[0];
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    return result != static_cast<size_t>(-1) && inLeft == 0;
#endif
}
bool IsShiftJis(const std::string& bytes) { return Convert(bytes, true); }
// The name as the disk holds it (UTF-8) must have a code page 932 form for Wine to give.
bool NameFitsShiftJis(const fs::path& path) { return Convert(path.filename().u8string(), false); }

// Every line break is CR LF.
bool HasOnlyCrLf(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return true;
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<fs::path> MenuFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == ".mnu")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool IsSeparatorFile(const fs::path& path)
{
    std::string name = path.filename().u8string();
    return name.size() > 4 && name.substr(2) == u8"セパレータ.mnu";
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

const std::set<std::string> kKindDirectives = {
    "@CSVPUT", "@CSVGET", "@SKELETON", "@CMD", "@BAT", "@WSF", "@VBS", "@PHP", "@PERL", "@CMDEXEC",
    "@BATEXEC", "@WSFEXEC", "@VBSEXEC", "@PHPEXEC", "@PERLEXEC", "@EXEC", "@SCHEMA"};
const std::set<std::string> kToolDirectives = {
    "@CMD", "@BAT", "@WSF", "@VBS", "@PHP", "@PERL", "@CMDEXEC", "@BATEXEC", "@WSFEXEC",
    "@VBSEXEC", "@PHPEXEC", "@PERLEXEC", "@EXEC", "@OPTION", "@UNLHA32", "@UNZIP32"};
const char* const kSqlWords[] = {"SELECT ", "WITH ", "SHOW ", "EXPLAIN ", "EXEC ", "DESCRIBE ", "SP_", "ANALYZE ",
                                 "UPDATE STATISTICS "};

bool StartsAsSql(const std::string& line)
{
    std::string upper = Upper(line);
    for (const char* word : kSqlWords)
        if (upper.compare(0, std::string(word).size(), word) == 0)
            return true;
    return false;
}

struct ShippedFile {
    std::string what;
    std::vector<std::string> lines;
};

// A menu file's checks shared by every family; its lines for the family's own checks.
ShippedFile CheckMenuFile(const fs::path& path)
{
    ShippedFile file{path.filename().u8string(), {}};
    std::string bytes = Bytes(path);
    EXPECT_TRUE(IsShiftJis(bytes)) << file.what << " is not Shift_JIS text";
    EXPECT_TRUE(HasOnlyCrLf(bytes)) << file.what << " has a line end other than CR LF";
    EXPECT_TRUE(NameFitsShiftJis(path)) << file.what << " has no code page 932 name";
    // The build copies each file through a shell command line that does not quote these.
    EXPECT_EQ(std::string::npos, file.what.find_first_of("()&;'\"$`|<>*?\\"))
        << file.what << " cannot be copied into the program folder";
    file.lines = Lines(bytes);
    EXPECT_FALSE(file.lines.empty()) << file.what << " is empty";
    return file;
}

}  // namespace

TEST(ShippedMenus, KindMenuFilesStartWithADirectiveOrAStatement)
{
    for (const char* kind : kKindFolders) {
        for (const char* family : {"menu", "skeleton"}) {
            std::vector<fs::path> files = MenuFiles(Shipped() / kind / family);
            EXPECT_GE(files.size(), 4u) << kind << "/" << family;
            int separators = 0;
            for (const fs::path& path : files) {
                ShippedFile file = CheckMenuFile(path);
                if (file.lines.empty())
                    continue;
                if (IsSeparatorFile(path)) {
                    ++separators;
                    continue;
                }
                const std::string& first = file.lines[0];
                bool directive = kKindDirectives.count(first) > 0;
                EXPECT_TRUE(directive || (first[0] != '@' && StartsAsSql(first)))
                    << kind << "/" << family << "/" << file.what << ": " << first;
                if (first == "@CSVPUT" || first == "@CSVGET") {
                    EXPECT_STREQ("MySQL", kind) << file.what;
                }
                // Plain SQL runs as one statement unless it holds ";".
                if (!directive && std::string(family) == "menu") {
                    std::string text;
                    for (const std::string& line : file.lines)
                        text += line + "\n";
                    EXPECT_EQ(std::string::npos, text.find(';')) << file.what << " would run as a batch";
                }
                if (std::string(family) == "skeleton") {
                    EXPECT_TRUE(directive) << file.what << ": a skeleton is put into the command area";
                }
            }
            EXPECT_GE(separators, 1) << kind << "/" << family << " shows no separator";
        }
    }
}

TEST(ShippedMenus, SchemaFilesNameASchemaTheLinkReadsAndTheirRestrictions)
{
    const std::set<std::string> schemas = {"4", "12", "20", "22", "28"};
    int seen = 0;
    for (const char* kind : kKindFolders) {
        for (const fs::path& path : MenuFiles(Shipped() / kind / "menu")) {
            ShippedFile file = CheckMenuFile(path);
            if (file.lines.empty() || file.lines[0] != "@SCHEMA")
                continue;
            ++seen;
            ASSERT_GE(file.lines.size(), 2u) << file.what;
            EXPECT_EQ(1u, schemas.count(file.lines[1])) << file.what << ": schema " << file.lines[1];
            if (file.lines.size() >= 4) {
                int count = std::atoi(file.lines[2].c_str());
                EXPECT_GE(static_cast<int>(file.lines.size()), 3 + count) << file.what << ": restrictions missing";
            }
        }
    }
    EXPECT_GE(seen, 6) << "every kind offers at least one schema query";
}

TEST(ShippedMenus, ToolMenuOpensTheOptionsAndRunsTools)
{
    std::vector<fs::path> files = MenuFiles(Shipped() / "Tool" / "menu");
    ASSERT_GE(files.size(), 4u);
    bool options = false;
    for (const fs::path& path : files) {
        ShippedFile file = CheckMenuFile(path);
        if (file.lines.empty() || IsSeparatorFile(path))
            continue;
        EXPECT_EQ(1u, kToolDirectives.count(file.lines[0])) << file.what << ": " << file.lines[0];
        if (path.filename().u8string().substr(2) == u8"オプション設定.mnu") {
            options = true;
            EXPECT_EQ("@OPTION", file.lines[0]);
        }
    }
    EXPECT_TRUE(options) << "the options dialog must stay reachable once the folder replaces the menu";
}

TEST(ShippedParts, KindPartsListsAreShiftJisLinesWithoutSeparators)
{
    for (const char* kind : kKindFolders) {
        fs::path parts = Shipped() / kind / "parts";
        EXPECT_TRUE(fs::exists(parts / "Type.txt")) << kind;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(parts, error)) {
            std::string bytes = Bytes(entry.path());
            std::string what = std::string(kind) + "/" + entry.path().filename().u8string();
            EXPECT_TRUE(IsShiftJis(bytes)) << what;
            EXPECT_TRUE(HasOnlyCrLf(bytes)) << what;
            // An entry with "," would fall apart when the lines are joined into one list.
            EXPECT_EQ(std::string::npos, bytes.find(',')) << what;
            EXPECT_FALSE(Lines(bytes).empty()) << what;
        }
        std::vector<std::string> types = Lines(Bytes(parts / "Type.txt"));
        EXPECT_GE(types.size(), 8u) << kind;
        for (const std::string& type : types)
            EXPECT_FALSE(type.empty()) << kind << ": an empty type name";
    }
}

TEST(ShippedParts, ToolPartsFiles)
{
    fs::path parts = Shipped() / "Tool" / "parts";
    std::string limits = Bytes(parts / "limitrows.txt");
    ASSERT_FALSE(Lines(limits).empty());
    std::string first = Lines(limits)[0];
    EXPECT_EQ(std::string::npos, first.find_first_not_of("0123456789,")) << first;
    EXPECT_NE(std::string::npos, first.find(',')) << first;
    EXPECT_TRUE(HasOnlyCrLf(limits));

    std::string arrange = Bytes(parts / "Arrange.txt");
    EXPECT_TRUE(IsShiftJis(arrange));
    EXPECT_TRUE(HasOnlyCrLf(arrange));
    int rules = 0;
    for (const std::string& line : Lines(arrange)) {
        if (line.empty() || line[0] == ';')
            continue;
        size_t tab = line.find('\t');
        EXPECT_NE(std::string::npos, tab) << "neither comment nor rule: " << line;
        if (tab != std::string::npos) {
            EXPECT_GT(tab, 0u) << "empty search text: " << line;
            ++rules;
        }
    }
    EXPECT_GE(rules, 5);

    std::string training = Bytes(parts / "trainingvbs.txt");
    EXPECT_TRUE(IsShiftJis(training));
    EXPECT_TRUE(HasOnlyCrLf(training));
    EXPECT_NE(std::string::npos, training.find("$$CODE"));
    EXPECT_NE(std::string::npos, training.find("<job"));
    EXPECT_NE(std::string::npos, training.find("language=\"VBScript\""));
}
