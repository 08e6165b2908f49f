// Linked into every fuzz target beside libFuzzer. "-kestrova_write_dict=FILE" writes the
// target's kFuzzDictionary in libFuzzer's -dict format and exits, so the dictionary keeps
// one source (the target's literals, code page 932 bytes as the product sees them).
#include "fuzz/FuzzSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/SjisText.h"

extern const char* const kFuzzDictionary[];

namespace {

const char kWriteDictionary[] = "-kestrova_write_dict=";
// libFuzzer drops longer dictionary words.
const size_t kMaxWord = 64;

bool WriteDictionary(const char* path)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    for (size_t i = 0; kFuzzDictionary[i]; ++i) {
        size_t length = std::strlen(kFuzzDictionary[i]);
        if (length == 0 || length > kMaxWord)
            continue;
        std::fputc('"', file);
        for (size_t j = 0; j < length; ++j) {
            unsigned char c = static_cast<unsigned char>(kFuzzDictionary[i][j]);
            if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"')
                std::fputc(c, file);
            else
                std::fprintf(file, "\\x%02X", c);
        }
        std::fputs("\"\n", file);
    }
    return std::fclose(file) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    for (int i = 1; i < *argc; ++i) {
        const char* arg = (*argv)[i];
        if (std::strncmp(arg, kWriteDictionary, sizeof kWriteDictionary - 1) == 0)
            std::exit(WriteDictionary(arg + sizeof kWriteDictionary - 1) ? 0 : 1);
    }
    return 0;
}

namespace fuzz {

void Fail(const char* target, const char* what, const std::string& input)
{
    std::fprintf(stderr, "%s: %s\ninput (%zu bytes):", target, what, input.size());
    for (unsigned char c : input)
        std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

std::string Input(const uint8_t* data, size_t size, char nul)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    for (char& c : input)
        if (c == '\0')
            c = nul;
    return input;
}

std::vector<std::string> Characters(const std::string& text)
{
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        size_t n = sjis::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(i, n));
        i += n;
    }
    return characters;
}

namespace {

bool SameCharacter(const std::string& a, const std::string& b, bool ignoreCase)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (a.size() != b.size())
        return false;
    return a.size() == 1 && ignoreCase ? upper(a[0]) == upper(b[0]) : a == b;
}

// Index of the first character of a match at or after character index from, or npos.
size_t MatchAt(const std::vector<std::string>& text, const std::vector<std::string>& needle, size_t from,
               bool ignoreCase)
{
    for (size_t i = from; !needle.empty() && i + needle.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && SameCharacter(text[i + k], needle[k], ignoreCase))
            ++k;
        if (k == needle.size())
            return i;
    }
    return std::string::npos;
}

}  // namespace

size_t FindText(const std::string& text, const std::string& needle, bool ignoreCase)
{
    std::vector<std::string> chars = Characters(text);
    size_t at = MatchAt(chars, Characters(needle), 0, ignoreCase);
    if (at == std::string::npos)
        return at;
    size_t offset = 0;
    for (size_t i = 0; i < at; ++i)
        offset += chars[i].size();
    return offset;
}

std::string ReplaceText(const std::string& text, const std::string& search, const std::string& replacement,
                        bool ignoreCase, size_t* count)
{
    std::vector<std::string> chars = Characters(text);
    std::vector<std::string> needle = Characters(search);
    std::string out;
    size_t replaced = 0;
    for (size_t i = 0; i < chars.size();) {
        size_t at = MatchAt(chars, needle, i, ignoreCase);
        for (size_t end = at == std::string::npos ? chars.size() : at; i < end; ++i)
            out += chars[i];
        if (at != std::string::npos) {
            out += replacement;
            i += needle.size();
            ++replaced;
        }
    }
    if (count)
        *count = replaced;
    return out;
}

std::vector<std::string> SplitText(const std::string& text, char separator)
{
    std::vector<std::string> fields(1);
    for (const std::string& c : Characters(text)) {
        if (c.size() == 1 && c[0] == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::string> Lines(const std::string& text) { return SplitText(text, '\n'); }

std::string TrimCharacters(const std::string& text, const std::function<bool(const std::string&)>& blank)
{
    std::vector<std::string> chars = Characters(text);
    size_t begin = 0, end = chars.size();
    while (begin < end && blank(chars[begin]))
        ++begin;
    while (end > begin && blank(chars[end - 1]))
        --end;
    std::string trimmed;
    for (size_t i = begin; i < end; ++i)
        trimmed += chars[i];
    return trimmed;
}

std::string ScratchFolder()
{
    // One folder per process, with a blank in its name: some targets pass paths encoded
    // the way the main program writes blanks.
    static struct Folder {
        std::string path;
        Folder()
        {
            const char* base = std::getenv("TMPDIR");
            std::string pattern = std::string(base && *base ? base : "/tmp") + "/kestrova fuzz XXXXXX";
            if (!mkdtemp(&pattern[0]))
                std::abort();
            path = pattern;
        }
        ~Folder()
        {
            nftw(path.c_str(), [](const char* file, const struct stat*, int, struct FTW*) { return std::remove(file); },
                 8, FTW_DEPTH | FTW_PHYS);
        }
    } folder;
    return folder.path;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        std::abort();
}

}  // namespace fuzz
