// Fuzz target for the formatters. Each input is checked against a character-by-character
// replace-all (FuzzSupport's, which shares no code with the product's searches) and against
// properties the output must keep: double-byte characters pass through whole, line breaks
// and TABs appear only where the simple format inserts them, lengths follow the counts of
// replacements.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/SqlFormatter.h"
#include "common/SjisText.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "select", "SELECT", " select", "from", "FROM", "where", "and", "AND", "order", "group", "having",
    "values", "havingroup", "(", ")", ",", "  ", "    ", "\t", "\r\n", "\r", "\n", "\x81\x40", "　",
    "表", "ソ", "餌nd", "陰", "亜亜", "\x81", ";", "\\n", "\\t", "\\a", "\\b", "\\f", "\\r", "\\v",
    "from\t\\nFROM\n", "a\taa\n", "and\tAND and\n", "\t\n", "表t\tx\n", ";c\tx\n", nullptr,
};

namespace {

const char* const kSimpleSteps[][2] = {
    {"\t", " "},          {"\r\n", " "},           {"\r", " "},           {"\n", " "},
    {"  ", " "},          {" select", "\r\nselect"}, {"(", "\r\n\t("},     {")", "\r\n\t)"},
    {",", "\r\n\t,"},     {"and", "\r\n   and"},   {"where", "\r\n where"}, {"from", "\r\n from"},
    {"order", "\r\n order"}, {"group", "\r\n group"}, {"having", "\r\n having"}, {"values", "\r\n values"},
};

[[noreturn]] void Fail(const char* what, const std::string& input)
{
    std::fprintf(stderr, "formatter_fuzz: %s\ninput (%zu bytes):", what, input.size());
    for (unsigned char c : input)
        std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

std::string Reference(const std::string& text, const char* search, const char* replacement)
{
    return fuzz::ReplaceText(text, search, replacement, true);
}

size_t ReferenceCount(const std::string& text, const char* search)
{
    size_t count = 0;
    fuzz::ReplaceText(text, search, "", true, &count);
    return count;
}

// The characters of a text: one or two bytes each, as the platform's lead bytes decide.
std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> out;
    for (const char* p = text.c_str(); *p;) {
        size_t n = sjis::CharLength(p);
        out.emplace_back(p, n);
        p += n;
    }
    return out;
}

std::vector<std::string> DoubleByteCharacters(const std::string& text)
{
    std::vector<std::string> out;
    for (std::string& c : Characters(text))
        if (c.size() == 2)
            out.push_back(c);
    return out;
}

bool StartsWithAt(const std::string& text, size_t at, const char* piece)
{
    return text.compare(at, std::strlen(piece), piece) == 0;
}

void CheckSimpleFormat(const std::string& input)
{
    std::string output = SimpleFormat(input.c_str()).Text();
    std::string expected = input;
    for (const auto& step : kSimpleSteps)
        expected = Reference(expected, step[0], step[1]);
    if (output != expected)
        Fail("SimpleFormat differs from the step-by-step replace-all", input);
    if (DoubleByteCharacters(output) != DoubleByteCharacters(input))
        Fail("SimpleFormat changed or split a double-byte character", input);

    // Every CR, LF and TAB character comes from a replacement: CR LF then an indent or "select".
    static const char* const kAfterBreak[] = {"select", "\t(", "\t)", "\t,", "   and", " where", " from",
                                              " order", " group", " having", " values"};
    size_t at = 0;
    for (const std::string& c : Characters(output)) {
        if (c == "\r") {
            bool known = false;
            for (const char* after : kAfterBreak)
                known = known || (StartsWithAt(output, at, "\r\n") && StartsWithAt(output, at + 2, after));
            if (!known)
                Fail("SimpleFormat left a CR that is no inserted break", input);
        } else if (c == "\n" && (at == 0 || output[at - 1] != '\r')) {
            Fail("SimpleFormat left a lone LF", input);
        } else if (c == "\t" && (at < 2 || output.compare(at - 2, 2, "\r\n") != 0)) {
            Fail("SimpleFormat left a TAB that is no inserted indent", input);
        }
        at += c.size();
    }
}

void CheckKanjiSpaces(const std::string& input)
{
    std::string output = RemoveKanjiSpaces(input.c_str()).Text();
    std::vector<std::string> in = Characters(input);
    std::vector<std::string> out = Characters(output);
    if (in.size() != out.size())
        Fail("RemoveKanjiSpaces changed the number of characters", input);
    for (size_t i = 0; i < in.size(); ++i) {
        const std::string& want = in[i] == "\x81\x40" ? std::string(" ") : in[i];
        if (out[i] != want)
            Fail("RemoveKanjiSpaces changed another character", input);
    }
}

bool HasTabCharacter(const std::string& line)
{
    for (const std::string& c : Characters(line))
        if (c == "\t")
            return true;
    return false;
}

// The first lines of the input are arrange lines, the rest is the text they apply to.
void CheckArrangeRules(const std::string& input)
{
    ArrangeRules rules;
    size_t start = 0;
    for (int line = 0; line < 3; ++line) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos)
            break;
        std::string text = input.substr(start, end - start);
        start = end + 1;
        ArrangeRule rule;
        bool parsed = ParseArrangeLine(text.c_str(), rule);
        std::string withoutEnd = text;
        if (!withoutEnd.empty() && withoutEnd.back() == '\r')
            withoutEnd.pop_back();
        bool expected = !text.empty() && text[0] != ';' && HasTabCharacter(withoutEnd);
        if (parsed != expected)
            Fail(parsed ? "ParseArrangeLine took a line without TAB or a comment" : "ParseArrangeLine missed a rule",
                 input);
        if (parsed)
            rules.push_back(rule);
    }
    std::string text = input.substr(start);
    std::string chained = text;
    for (const ArrangeRule& rule : rules) {
        size_t count = 0;
        std::string next = ReplaceAllOnePass(chained.c_str(), rule.search.Text(), rule.replacement.Text(), true,
                                             &count).Text();
        if (count != ReferenceCount(chained, rule.search.Text()))
            Fail("replace-all counted other matches than the character-wise search", input);
        if (next.size() != chained.size() + count * rule.replacement.Length() - count * rule.search.Length())
            Fail("replace-all length does not follow its count", input);
        if (next != Reference(chained, rule.search.Text(), rule.replacement.Text()))
            Fail("replace-all differs from the character-wise one", input);
        chained = next;
    }
    if (chained != ApplyArrangeRules(text.c_str(), rules).Text())
        Fail("ApplyArrangeRules differs from its rules applied one by one", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Product text is NUL-terminated: the formatter never sees a NUL inside.
    std::string input;
    input.reserve(size);
    for (size_t i = 0; i < size; ++i)
        if (data[i])
            input += static_cast<char>(data[i]);
    CheckSimpleFormat(input);
    CheckKanjiSpaces(input);
    CheckArrangeRules(input);
    return 0;
}
