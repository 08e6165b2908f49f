#include "MacroText.h"

#include <cstring>

#include "common/SjisText.h"

namespace macrotext {

namespace {

bool HasLeadByte(const char* word)
{
    for (const char* p = word; *p; ++p)
        if (sjis::IsLeadByte(static_cast<unsigned char>(*p)))
            return true;
    return false;
}

}  // namespace

bool AtCharStart(const std::string& text, size_t pos)
{
    // A byte that cannot lead ends a character, so a boundary follows it; from there the
    // bytes that may lead pair up two by two.
    size_t run = 0;
    while (run < pos && sjis::IsLeadByte(static_cast<unsigned char>(text[pos - run - 1])))
        ++run;
    return run % 2 == 0;
}

size_t Find(const std::string& text, const char* word, size_t from)
{
    const size_t wordLength = std::strlen(word);
    if (wordLength == 0 || from > text.size() || text.size() - from < wordLength)
        return kNotFound;
    if (HasLeadByte(word)) {
        long hit = sjis::Find(text.data() + from, text.size() - from, word, wordLength, false);
        return hit < 0 ? kNotFound : from + static_cast<size_t>(hit);
    }
    // A word of single-byte characters that starts on a boundary splits like the word.
    const char* data = text.data();
    const size_t last = text.size() - wordLength;
    size_t pos = from;
    while (pos <= last) {
        const void* hit = std::memchr(data + pos, word[0], last - pos + 1);
        if (!hit)
            return kNotFound;
        pos = static_cast<size_t>(static_cast<const char*>(hit) - data);
        if (std::memcmp(data + pos, word, wordLength) == 0 && AtCharStart(text, pos))
            return pos;
        ++pos;
    }
    return kNotFound;
}

size_t ReplaceEvery(std::string& text, const char* word, const char* value)
{
    std::string scratch;
    return ReplaceEvery(text, word, value, scratch);
}

size_t ReplaceEvery(std::string& text, const char* word, const char* value, std::string& scratch)
{
    size_t hit = Find(text, word);
    if (hit == kNotFound)
        return 0;
    const size_t wordLength = std::strlen(word);
    const size_t valueLength = std::strlen(value);
    std::string& result = scratch;
    result.clear();
    result.reserve(text.size() + (valueLength > wordLength ? (valueLength - wordLength) * 8 : 0));
    size_t pos = 0;
    size_t count = 0;
    while (hit != kNotFound) {
        result.append(text, pos, hit - pos);
        result.append(value, valueLength);
        pos = hit + wordLength;
        ++count;
        hit = Find(text, word, pos);
    }
    result.append(text, pos, std::string::npos);
    text.swap(result);
    return count;
}

size_t LineEnd(const std::string& text, size_t pos)
{
    size_t end = Find(text, "\n", pos);
    return end == kNotFound ? text.size() : end;
}

bool AtLineStart(const std::string& text, size_t pos)
{
    return pos == 0 || (text[pos - 1] == '\n' && AtCharStart(text, pos - 1));
}

}  // namespace macrotext
