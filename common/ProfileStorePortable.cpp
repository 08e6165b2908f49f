// A profile store for builds without the platform's profile functions. It keeps the
// observable rules of those functions: names compare ignoring case, values are trimmed
// and lose one pair of enclosing quotes, cut reads return size - 1 (values) or size - 2
// (lists), and lines are written with CR LF.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ProfileStore.h"
#include "SjisText.h"

namespace {

struct IniLine {
    std::string text;
};

std::string Trimmed(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

bool SameName(const std::string& a, const char* b)
{
    return sjis::CompareIgnoreCase(a.c_str(), b) == 0;
}

class IniDocument {
public:
    explicit IniDocument(const char* path) : path_(path) { Load(); }

    bool Save() const
    {
        FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file)
            return false;
        for (const std::string& line : lines_) {
            std::fwrite(line.data(), 1, line.size(), file);
            std::fwrite("\r\n", 1, 2, file);
        }
        return std::fclose(file) == 0;
    }

    static bool IsSectionHeader(const std::string& line, std::string* name)
    {
        std::string t = Trimmed(line);
        if (t.empty() || t[0] != '[')
            return false;
        size_t close = t.find(']');
        if (name)
            *name = Trimmed(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return true;
    }

    // A key line: "key=value", or a bare word (a key without value).
    static bool IsEntry(const std::string& line, std::string* key, std::string* value)
    {
        std::string t = Trimmed(line);
        if (t.empty() || t[0] == ';' || t[0] == '[')
            return false;
        size_t eq = t.find('=');
        if (key)
            *key = Trimmed(t.substr(0, eq));
        if (value)
            *value = eq == std::string::npos ? std::string() : Trimmed(t.substr(eq + 1));
        return true;
    }

    // Index of the section header, or -1; [begin, end) are its entry lines.
    long FindSection(const char* section, size_t* begin, size_t* end) const
    {
        for (size_t i = 0; i < lines_.size(); ++i) {
            std::string name;
            if (!IsSectionHeader(lines_[i], &name) || !SameName(name, section))
                continue;
            size_t j = i + 1;
            while (j < lines_.size() && !IsSectionHeader(lines_[j], nullptr))
                ++j;
            *begin = i + 1;
            *end = j;
            return static_cast<long>(i);
        }
        return -1;
    }

    long FindKey(size_t begin, size_t end, const char* key, std::string* value) const
    {
        for (size_t i = begin; i < end; ++i) {
            std::string name;
            if (IsEntry(lines_[i], &name, value) && SameName(name, key))
                return static_cast<long>(i);
        }
        return -1;
    }

    std::vector<std::string> SectionNames() const
    {
        std::vector<std::string> names;
        std::string name;
        for (const std::string& line : lines_)
            if (IsSectionHeader(line, &name))
                names.push_back(name);
        return names;
    }

    std::vector<std::string> Entries(const char* section, bool withValues) const
    {
        std::vector<std::string> entries;
        size_t begin, end;
        if (FindSection(section, &begin, &end) < 0)
            return entries;
        std::string key, value;
        for (size_t i = begin; i < end; ++i) {
            if (!IsEntry(lines_[i], &key, &value))
                continue;
            entries.push_back(withValues && Trimmed(lines_[i]).find('=') != std::string::npos
                                  ? key + "=" + value
                                  : key);
        }
        return entries;
    }

    void SetValue(const char* section, const char* key, const char* text)
    {
        std::string line = std::string(key) + "=" + text;
        size_t begin, end;
        if (FindSection(section, &begin, &end) < 0) {
            if (!lines_.empty() && !Trimmed(lines_.back()).empty())
                lines_.push_back(std::string());
            lines_.push_back("[" + std::string(section) + "]");
            lines_.push_back(line);
            return;
        }
        long at = FindKey(begin, end, key, nullptr);
        if (at >= 0) {
            lines_[static_cast<size_t>(at)] = line;
            return;
        }
        size_t insertAt = end;
        while (insertAt > begin && Trimmed(lines_[insertAt - 1]).empty())
            --insertAt;
        lines_.insert(lines_.begin() + static_cast<long>(insertAt), line);
    }

    bool DeleteKey(const char* section, const char* key)
    {
        size_t begin, end;
        if (FindSection(section, &begin, &end) < 0)
            return false;
        long at = FindKey(begin, end, key, nullptr);
        if (at < 0)
            return false;
        lines_.erase(lines_.begin() + at);
        return true;
    }

    bool DeleteSection(const char* section)
    {
        size_t begin, end;
        long header = FindSection(section, &begin, &end);
        if (header < 0)
            return false;
        lines_.erase(lines_.begin() + header, lines_.begin() + static_cast<long>(end));
        return true;
    }

private:
    void Load()
    {
        FILE* file = std::fopen(path_.c_str(), "rb");
        if (!file)
            return;
        std::string content;
        char piece[4096];
        size_t n;
        while ((n = std::fread(piece, 1, sizeof piece, file)) > 0)
            content.append(piece, n);
        std::fclose(file);
        size_t start = 0;
        while (start < content.size()) {
            size_t nl = content.find('\n', start);
            size_t stop = nl == std::string::npos ? content.size() : nl;
            std::string line = content.substr(start, stop - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines_.push_back(line);
            start = stop + 1;
        }
    }

    std::string path_;
    std::vector<std::string> lines_;
};

unsigned CopyCut(const std::string& text, char* buffer, unsigned size)
{
    if (size == 0)
        return 0;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<unsigned>(n);
}

unsigned CopyList(const std::vector<std::string>& items, char* buffer, unsigned size)
{
    if (size < 2) {
        if (size == 1)
            buffer[0] = '\0';
        return 0;
    }
    size_t pos = 0;
    for (const std::string& item : items) {
        if (pos + item.size() + 1 > size - 1) {
            // The platform's signal for a cut list.
            size_t keep = size - 2 > pos ? size - 2 - pos : 0;
            std::memcpy(buffer + pos, item.data(), keep);
            buffer[size - 2] = '\0';
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + pos, item.data(), item.size());
        pos += item.size();
        buffer[pos++] = '\0';
    }
    buffer[pos] = '\0';
    return static_cast<unsigned>(pos);
}

std::string Unquoted(const std::string& value)
{
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

ProfileStore::ProfileStore() : path_("Kestrova.ini") {}

bool ProfileStore::Write(const char* section, const char* key, const char* text)
{
    if (!section)
        return false;
    IniDocument document(path_.Text());
    if (!key)
        document.DeleteSection(section);
    else if (!text)
        document.DeleteKey(section, key);
    else
        document.SetValue(section, key, text);
    return document.Save();
}

bool ProfileStore::DeleteSection(const char* section)
{
    return section ? Write(section, nullptr, nullptr) : false;
}

unsigned ProfileStore::ReadRaw(const char* section, const char* key, const char* defaultText,
                               char* buffer, unsigned size) const
{
    IniDocument document(path_.Text());
    if (!section)
        return CopyList(document.SectionNames(), buffer, size);
    if (!key)
        return CopyList(document.Entries(section, false), buffer, size);
    size_t begin, end;
    std::string value;
    if (document.FindSection(section, &begin, &end) >= 0 &&
        document.FindKey(begin, end, key, &value) >= 0)
        return CopyCut(Unquoted(value), buffer, size);
    std::string fallback = defaultText ? defaultText : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.pop_back();
    return CopyCut(fallback, buffer, size);
}

unsigned ProfileStore::ReadList(const char* section, bool lines, char* buffer, unsigned size) const
{
    if (!lines)
        return ReadRaw(section, nullptr, "", buffer, size);
    IniDocument document(path_.Text());
    return CopyList(document.Entries(section, true), buffer, size);
}
