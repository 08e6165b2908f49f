// Fuzz target for reading settings files through the portable profile store: the input is
// written as an .ini file and every enumeration and value read is checked against a plain
// reading of its lines (sections, "key=value" entries, names ignoring case, values trimmed
// and unquoted once, reads cut at the buffer sizes of the profile read). Then one value is
// written and every other value must read as before.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/ProfileStore.h"
#include "common/SjisText.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "[", "]", "[MainOption]", "[UserMenu]", "[Postgres]", "=", "\r\n", "\n", ";", " ", "\t", "\"", "'",
    "SaveDir=", "LastConnect=", "Cn1=", "_VORN_DEFAULT", "_vorn_default", "[表]", "[ゾ]", "ソ=値",
    "\x81\x40", "\x81", "\x1A", "key", "KEY", nullptr,
};

namespace {

const char kTarget[] = "profile_store_fuzz";
// Every read opens and parses the file again: a few of each keep the target fast.
const size_t kMaxPairs = 8;
const size_t kMaxSections = 8;

struct Entry {
    std::string key;
    std::string value;
    bool hasValue;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

std::string Trimmed(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

std::string Folded(const std::string& name)
{
    std::string folded;
    for (const std::string& c : fuzz::Characters(name))
        folded += c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' ? std::string(1, static_cast<char>(c[0] - 32)) : c;
    return folded;
}

// The file as its lines say: lines end at LF (a CR before it belongs to the line end);
// "[name]" opens a section, a line not starting with ";" is an entry of the last one.
std::vector<Section> Parse(const std::string& content, bool* bracketInName)
{
    std::vector<Section> sections;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = Trimmed(line);
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            // The closing bracket is a character of its own, never a trail byte.
            size_t close = 1;
            while (close < t.size() && t[close] != ']')
                close += sjis::IsLeadByte(static_cast<unsigned char>(t[close])) && close + 1 < t.size() ? 2 : 1;
            if (close != t.find(']'))
                *bracketInName = true;
            sections.push_back({Trimmed(t.substr(1, close - 1)), {}});
        } else if (!sections.empty()) {
            size_t eq = t.find('=');
            sections.back().entries.push_back({Trimmed(t.substr(0, eq)),
                                               eq == std::string::npos ? std::string() : Trimmed(t.substr(eq + 1)),
                                               eq != std::string::npos});
        }
    }
    return sections;
}

const Section* FindSection(const std::vector<Section>& sections, const std::string& name)
{
    for (const Section& section : sections)
        if (Folded(section.name) == Folded(name))
            return &section;
    return nullptr;
}

const Entry* FindEntry(const Section* section, const std::string& key)
{
    if (section)
        for (const Entry& entry : section->entries)
            if (Folded(entry.key) == Folded(key))
                return &entry;
    return nullptr;
}

std::string Unquoted(const std::string& value)
{
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// What a profile read into a string of that capacity gives: cut at capacity - 1, read
// once more with 260 bytes more room when the cut may have happened.
std::string ExpectedRead(const Entry* entry, unsigned capacity)
{
    std::string value = entry ? Unquoted(entry->value) : "_VORN_DEFAULT";
    if (value.size() >= capacity - 1)
        value.resize(std::min<size_t>(value.size(), capacity + 260 - 1));
    return Folded(value) == "_VORN_DEFAULT" ? std::string() : value;
}

std::vector<std::string> Tokens(const TokenList& list)
{
    std::vector<std::string> tokens;
    for (int i = 0; i < list.Count(); ++i)
        tokens.push_back(list[i]);
    return tokens;
}

// A name list travels NUL-separated and is split at 0x1A, on character boundaries: names
// holding 0x1A or ending in a lone lead byte cannot come back whole, on any platform.
bool Splittable(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        std::vector<std::string> chars = fuzz::Characters(name);
        if (name.find('\x1A') != std::string::npos ||
            (!chars.empty() && chars.back().size() == 1 && sjis::IsLeadByte(static_cast<unsigned char>(chars.back()[0]))))
            return false;
    }
    return true;
}

std::vector<std::string> AsList(std::vector<std::string> names)
{
    if (names.empty())
        names.push_back(std::string());
    return names;
}

struct Pair {
    std::string section;
    std::string key;
};

// The first section of each name and the first key of each name in it.
std::vector<Pair> Pairs(const std::vector<Section>& sections)
{
    std::vector<Pair> pairs;
    for (const Section& section : sections) {
        if (FindSection(sections, section.name) != &section)
            continue;
        for (const Entry& entry : section.entries)
            if (FindEntry(&section, entry.key) == &entry && pairs.size() < kMaxPairs)
                pairs.push_back({section.name, entry.key});
    }
    return pairs;
}

void CheckReads(const ProfileStore& store, const std::vector<Section>& sections, const std::vector<Pair>& pairs,
                const Pair* written, const std::string& input)
{
    for (const Pair& pair : pairs) {
        const Entry* entry = FindEntry(FindSection(sections, pair.section), pair.key);
        VornString value;
        std::string expected = ExpectedRead(entry, value.Capacity());
        bool isWritten = written && Folded(written->section) == Folded(pair.section) && Folded(written->key) == Folded(pair.key);
        if (isWritten)
            continue;
        bool found = store.Read(pair.section.c_str(), pair.key.c_str(), value);
        if (found != !expected.empty() || expected != value.Text())
            fuzz::Fail(kTarget, written ? "writing one value changed another" : "a value read differs from the file's line",
                       input);
        std::vector<char> raw(input.size() + 16);
        store.ReadRaw(pair.section.c_str(), pair.key.c_str(), "既定", raw.data(), static_cast<unsigned>(raw.size()));
        if (Unquoted(entry->value) != raw.data())
            fuzz::Fail(kTarget, "a raw read differs from the file's line", input);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::ScratchFolder() + "/settings.ini";
    const std::string input = fuzz::Input(data, size);
    fuzz::WriteFile(path, input);
    bool bracketInName = false;
    const std::vector<Section> sections = Parse(input, &bracketInName);
    // The portable store still takes the first byte ']' for the end of a section name, also
    // when it is the trail byte of a character such as "ゾ" (83 5D): such files are left out
    // until it looks for the bracket on character boundaries.
    if (bracketInName)
        return 0;
    ProfileStore store(path.c_str());

    std::vector<std::string> names;
    for (const Section& section : sections)
        names.push_back(section.name);
    if (Splittable(names) && AsList(names) != Tokens(store.SectionNames()))
        fuzz::Fail(kTarget, "section names differ from the file's headers", input);
    size_t checked = 0;
    for (const Section& section : sections) {
        if (FindSection(sections, section.name) != &section || ++checked > kMaxSections)
            continue;
        std::vector<std::string> keys, lines;
        for (const Entry& entry : section.entries) {
            keys.push_back(entry.key);
            lines.push_back(entry.hasValue ? entry.key + "=" + entry.value : entry.key);
        }
        if (Splittable(keys) && AsList(keys) != Tokens(store.KeyNames(section.name.c_str())))
            fuzz::Fail(kTarget, "key names differ from the section's entries", input);
        if (Splittable(lines) && AsList(lines) != Tokens(store.SectionLines(section.name.c_str())))
            fuzz::Fail(kTarget, "section lines differ from the section's entries", input);
    }
    VornString missing("前");
    if (store.Read("\x01", "\x01", missing) || !missing.IsEmpty())
        fuzz::Fail(kTarget, "a missing key reads as found", input);

    const std::vector<Pair> pairs = Pairs(sections);
    CheckReads(store, sections, pairs, nullptr, input);
    const Pair written = pairs.empty() ? Pair{"新規", "キー"} : pairs[size % pairs.size()];
    if (!store.Write(written.section.c_str(), written.key.c_str(), "新しい値"))
        fuzz::Fail(kTarget, "writing a value failed", input);
    VornString value;
    if (!store.Read(written.section.c_str(), written.key.c_str(), value) || !value.Equals("新しい値"))
        fuzz::Fail(kTarget, "a written value does not read back", input);
    CheckReads(store, sections, pairs, &written, input);
    return 0;
}
