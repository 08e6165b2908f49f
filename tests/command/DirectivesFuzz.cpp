// Fuzz target for directive lines: StripDirectiveLines against a line-by-line reading with
// the directive table written out again here, and DirectiveExecutionType on every line.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "command/Directives.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "@SKELETON", "@CMD", "@CMDEXEC", "@BAT", "@BATEXEC", "@VBS", "@VBSEXEC", "@WSF", "@WSFEXEC", "@PHP",
    "@PHPEXEC", "@PERL", "@PERLEXEC", "@EXEC", "@SCHEMA", "@cmd", "--", "-", "\r\n", "\r", "\n@", "\n--",
    "表\n", "ソ\r\n", "\x81\n", "\x81", "select 1;\r\n", nullptr,
};

namespace {

const char kTarget[] = "directives_fuzz";
const char kUntouched[] = "未設定";

const struct {
    const char* line;
    const char* type;
} kDirectives[] = {
    {"@SKELETON", "SQL"},          {"@CMD", "外部プログラム"},    {"@CMDEXEC", "外部プログラム"},
    {"@BAT", "バッチファイル"},    {"@BATEXEC", "バッチファイル"}, {"@VBS", "WSH(.vbs)"},
    {"@VBSEXEC", "WSH(.vbs)"},     {"@WSF", "WSH(.wsf)"},         {"@WSFEXEC", "WSH(.wsf)"},
    {"@PHP", "PHP"},               {"@PHPEXEC", "PHP"},           {"@PERL", "Perl"},
    {"@PERLEXEC", "Perl"},
};

const char* TypeOf(const std::string& line)
{
    for (const auto& directive : kDirectives)
        if (line == directive.line)
            return directive.type;
    return nullptr;
}

// A "\n" that is the second byte of a double-byte character ends no line.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines = fuzz::Lines(text);
    if (lines.back().empty())
        lines.pop_back();  // nothing after the last line end
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Input(data, size);
    std::string expected;
    const char* expectedType = kUntouched;
    for (const std::string& line : Lines(input)) {
        std::string bare = line;
        if (!bare.empty() && bare.back() == '\r')
            bare.pop_back();
        if (const char* type = TypeOf(bare))
            expectedType = type;
        else if (line.compare(0, 2, "--") != 0)
            expected += line + "\n";
        const char* type = DirectiveExecutionType(line.c_str());
        const char* wanted = TypeOf(line);
        if ((type == nullptr) != (wanted == nullptr) || (type && std::strcmp(type, wanted) != 0))
            fuzz::Fail(kTarget, "DirectiveExecutionType differs from the directive table", input);
    }
    VornString type(kUntouched);
    VornString kept = StripDirectiveLines(input.c_str(), type);
    if (expected != kept.Text())
        fuzz::Fail(kTarget, "StripDirectiveLines kept other lines than the line-by-line reading", input);
    if (!type.Equals(expectedType))
        fuzz::Fail(kTarget, "StripDirectiveLines set another type than the last directive's", input);
    return 0;
}
