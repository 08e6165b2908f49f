// Fuzz target for the lists other programs hand over through the clipboard: the split into
// lines and fields is checked against a character-by-character reading (every CR dropped,
// lines at LF, fields at the separator, empty lines kept but for one after the last line
// end) for every separator a caller can pass, lead bytes included.
#include <cstdint>
#include <string>
#include <vector>

#include "app/MainWindowRules.h"
#include "common/SjisText.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "\t", "\r\n", "\n", "\r", ",", ";", "|", "\t\t", "\r\n\r\n", "表", "ソ", "能", "\x81\t", "\x81\n",
    "\x81", "\x81\x40", "列1\t列2\r\n", "a,b,c\n", nullptr,
};

namespace {

const char kTarget[] = "clipboard_table_fuzz";

std::vector<std::vector<std::string>> Reference(const std::string& text, char separator)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    for (const std::string& c : fuzz::Characters(text)) {
        if (c == "\r")
            continue;
        if (c == "\n")
            rows.emplace_back(1);
        else if (c.size() == 1 && c[0] == separator)
            rows.back().emplace_back();
        else
            rows.back().back() += c;
    }
    if (rows.back().size() == 1 && rows.back()[0].empty())
        rows.pop_back();
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the separator; 0 is what callers send for TAB.
    const char separator = static_cast<char>(data[0] ? data[0] : '\t');
    const std::string input = fuzz::Input(data + 1, size - 1);
    ClipboardTable table(input.c_str(), separator);
    std::vector<std::vector<std::string>> expected = Reference(input, separator);
    bool same = table.LineCount() == expected.size() && table.FieldCount(expected.size()) == 0;
    for (size_t line = 0; same && line < expected.size(); ++line) {
        const int count = table.FieldCount(line);
        same = count == static_cast<int>(expected[line].size()) && *table.Field(line, count) == '\0' &&
               table.IsBlank(line) == (count == 1 && expected[line][0].empty());
        for (int field = 0; same && field < count; ++field)
            same = expected[line][static_cast<size_t>(field)] == table.Field(line, field);
    }
    if (!same)
        fuzz::Fail(kTarget, "the lines differ from the character-by-character reading", std::string(1, separator) + input);
    return 0;
}
