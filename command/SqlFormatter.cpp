#include "SqlFormatter.h"

#include <cstring>
#include <string>

#include "common/SjisText.h"
#include "common/TextFile.h"

namespace {

const char kIdeographicSpace[] = "\x81\x40";

inline bool IsLead(unsigned char c) { return sjis::IsLeadByte(c); }

inline bool IsAsciiLetter(unsigned char c)
{
    unsigned char lower = static_cast<unsigned char>(c | 0x20);
    return lower >= 'a' && lower <= 'z';
}

// One search text prepared for repeated replace-alls: candidates are found with memchr for
// both cases of the first byte, so the formatter's many keyword passes stay fast. The fuzz
// target checks it against VornString's general replace-all.
class Searcher {
public:
    Searcher(const char* search, bool ignoreCase)
    {
        const char* s = search ? search : "";
        size_t length = std::strlen(s);
        bytes_.assign(s, length);
        folds_.assign(length, false);
        for (size_t i = 0; i < length;) {
            size_t n = sjis::CharLength(s + i);
            if (n == 1 && ignoreCase && IsAsciiLetter(static_cast<unsigned char>(s[i]))) {
                folds_[i] = true;
                bytes_[i] = static_cast<char>(s[i] | 0x20);
            }
            // A lead byte closing the search text is a character of its own only where the
            // text ends too; anywhere else the text's lead byte would pair with what follows.
            if (n == 1 && IsLead(static_cast<unsigned char>(s[i])))
                endsWithLoneLead_ = true;
            i += n;
        }
    }

    // The replaced text goes to out; returns the number of replacements (out is left empty
    // when there is none, so the caller keeps its text).
    size_t ReplaceInto(const char* text, size_t length, const char* replacement, size_t replacementLength,
                       std::string& out) const
    {
        out.clear();
        const size_t m = bytes_.size();
        if (m == 0 || m > length)
            return 0;
        const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
        const size_t limit = length - m + 1;  // candidates start below limit
        const unsigned char first = static_cast<unsigned char>(bytes_[0]);
        const unsigned char firstUpper = static_cast<unsigned char>(first - 0x20);
        // Next occurrence of each case of the first byte at or after the search position;
        // stale once the search position has passed it.
        size_t nextLower = 0, nextUpper = 0;
        bool haveLower = false, haveUpper = false;
        size_t copied = 0;     // text before this is in out (or is a match's end)
        size_t boundary = 0;   // a known character boundary at or before the search position
        size_t count = 0;
        size_t pos = 0;
        while (pos < limit) {
            if (!haveLower || nextLower < pos) {
                const void* hit = std::memchr(t + pos, first, limit - pos);
                nextLower = hit ? static_cast<size_t>(static_cast<const unsigned char*>(hit) - t) : limit;
                haveLower = true;
            }
            size_t candidate = nextLower;
            if (folds_[0]) {
                if (!haveUpper || nextUpper < pos) {
                    const void* hit = std::memchr(t + pos, firstUpper, limit - pos);
                    nextUpper = hit ? static_cast<size_t>(static_cast<const unsigned char*>(hit) - t) : limit;
                    haveUpper = true;
                }
                if (nextUpper < candidate)
                    candidate = nextUpper;
            }
            if (candidate >= limit)
                break;
            bool onBoundary = IsBoundary(t, boundary, candidate);
            if (onBoundary && Matches(t + candidate) && (!endsWithLoneLead_ || candidate + m == length)) {
                if (count == 0)
                    out.reserve(length + (replacementLength > m ? length / 8 + 256 : 0));
                out.append(text + copied, candidate - copied);
                out.append(replacement, replacementLength);
                ++count;
                copied = boundary = pos = candidate + m;
                continue;
            }
            // A candidate inside a double-byte character ends that character.
            boundary = onBoundary ? candidate : candidate + 1;
            pos = candidate + 1;
        }
        if (count)
            out.append(text + copied, length - copied);
        return count;
    }

private:
    // Whether p starts a character, knowing that `known` (<= p) does: every byte after the
    // last byte that cannot be a lead byte pairs up, so only the parity of that run counts.
    static bool IsBoundary(const unsigned char* t, size_t known, size_t p)
    {
        size_t q = p;
        while (q > known && IsLead(t[q - 1]))
            --q;
        return ((p - q) & 1) == 0;
    }

    // The first byte was found by memchr in one of its cases.
    bool Matches(const unsigned char* at) const
    {
        const size_t m = bytes_.size();
        for (size_t i = 1; i < m; ++i) {
            unsigned char c = folds_[i] ? static_cast<unsigned char>(at[i] | 0x20) : at[i];
            if (c != static_cast<unsigned char>(bytes_[i]))
                return false;
        }
        return true;
    }

    std::string bytes_;
    std::vector<bool> folds_;
    bool endsWithLoneLead_ = false;
};

struct Substitution {
    const char* search;
    const char* replacement;
};

// The built-in layout, in this order: each step sees the output of the one before.
const Substitution kSimpleSteps[] = {
    {"\t", " "},
    {"\r\n", " "},
    {"\r", " "},
    {"\n", " "},
    {"  ", " "},
    {" select", "\r\nselect"},
    {"(", "\r\n\t("},
    {")", "\r\n\t)"},
    {",", "\r\n\t,"},
    {"and", "\r\n   and"},
    {"where", "\r\n where"},
    {"from", "\r\n from"},
    {"order", "\r\n order"},
    {"group", "\r\n group"},
    {"having", "\r\n having"},
    {"values", "\r\n values"},
};

// Replaces within current; scratch is the second buffer the steps alternate with.
void ApplyStep(std::string& current, std::string& scratch, const char* search, const char* replacement)
{
    Searcher searcher(search, true);
    if (searcher.ReplaceInto(current.data(), current.size(), replacement, std::strlen(replacement), scratch))
        current.swap(scratch);
}

// The escapes an arrange line may carry for characters a text editor cannot show.
char EscapedControl(char letter)
{
    switch (letter) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'v': return '\v';
    default: return '\0';
    }
}

// "\t" becomes a TAB only after the line is cut into fields, so it can stand in a field.
VornString FieldWithTabs(const std::string& field)
{
    std::string out;
    out.reserve(field.size());
    const char* p = field.c_str();
    while (*p) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && p[0] == '\\' && p[1] == 't') {
            out += '\t';
            p += 2;
            continue;
        }
        out.append(p, n);
        p += n;
    }
    return VornString(out.c_str());
}

}  // namespace

VornString ReplaceAllOnePass(const char* text, const char* search, const char* replacement, bool ignoreCase,
                             size_t* count)
{
    const char* source = text ? text : "";
    const char* inserted = replacement ? replacement : "";
    Searcher searcher(search, ignoreCase);
    std::string out;
    size_t replaced = searcher.ReplaceInto(source, std::strlen(source), inserted, std::strlen(inserted), out);
    if (count)
        *count = replaced;
    return VornString(replaced ? out.c_str() : source);
}

bool ParseArrangeLine(const char* line, ArrangeRule& rule)
{
    if (!line || line[0] == ';')
        return false;
    size_t length = std::strlen(line);
    if (length && line[length - 1] == '\n')
        --length;
    if (length && line[length - 1] == '\r')
        --length;
    std::string unescaped;
    unescaped.reserve(length);
    for (size_t i = 0; i < length;) {
        size_t n = sjis::CharLength(line + i);
        if (n > length - i)
            n = length - i;
        if (n == 1 && line[i] == '\\' && i + 1 < length) {
            char control = EscapedControl(line[i + 1]);
            if (control) {
                unescaped += control;
                i += 2;
                continue;
            }
        }
        unescaped.append(line + i, n);
        i += n;
    }
    // Cut at the TABs that are characters of their own; only the first two fields count.
    const char* p = unescaped.c_str();
    const char* firstTab = nullptr;
    const char* secondTab = nullptr;
    for (const char* q = p; *q; q += sjis::CharLength(q)) {
        if (*q == '\t' && sjis::CharLength(q) == 1) {
            if (!firstTab) {
                firstTab = q;
            } else {
                secondTab = q;
                break;
            }
        }
    }
    if (!firstTab)
        return false;
    const char* replacementEnd = secondTab ? secondTab : p + unescaped.size();
    rule.search = FieldWithTabs(std::string(p, firstTab));
    rule.replacement = FieldWithTabs(std::string(firstTab + 1, replacementEnd));
    return true;
}

bool ReadArrangeFile(const char* path, ArrangeRules& rules)
{
    rules.clear();
    TextFile file;
    if (!file.OpenRead(path))
        return false;
    VornString line;
    while (file.ReadLine(line)) {
        ArrangeRule rule;
        if (ParseArrangeLine(line.Text(), rule))
            rules.push_back(rule);
    }
    return true;
}

VornString ApplyArrangeRules(const char* text, const ArrangeRules& rules)
{
    std::string current(text ? text : "");
    std::string scratch;
    for (const ArrangeRule& rule : rules) {
        Searcher searcher(rule.search.Text(), true);
        if (searcher.ReplaceInto(current.data(), current.size(), rule.replacement.Text(), rule.replacement.Length(),
                                 scratch))
            current.swap(scratch);
    }
    return VornString(current.c_str());
}

VornString SimpleFormat(const char* text)
{
    std::string current(text ? text : "");
    std::string scratch;
    for (const Substitution& step : kSimpleSteps)
        ApplyStep(current, scratch, step.search, step.replacement);
    return VornString(current.c_str());
}

VornString RemoveKanjiSpaces(const char* text)
{
    return ReplaceAllOnePass(text, kIdeographicSpace, " ", false);
}
