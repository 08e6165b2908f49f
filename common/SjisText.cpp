#include "SjisText.h"

#include <cstring>

namespace sjis {

namespace {

const char kIdeographicSpace[] = "\x81\x40";

bool SameChar(const char* a, const char* b, size_t length, bool ignoreCase)
{
    if (length == 2)
        return a[0] == b[0] && a[1] == b[1];
    return ignoreCase ? UpperAscii(a[0]) == UpperAscii(b[0]) : a[0] == b[0];
}

// Length of the set character at p, or 0 when p does not start with one.
size_t SetCharAt(const char* p, const char* set, bool withIdeographic)
{
    size_t n = CharLength(p);
    if (n == 2)
        return (withIdeographic && p[0] == kIdeographicSpace[0] && p[1] == kIdeographicSpace[1]) ? 2 : 0;
    return (p[0] != '\0' && std::strchr(set, p[0]) != nullptr) ? 1 : 0;
}

}  // namespace

void UpperCase(char* text)
{
    for (char* p = text; *p;) {
        size_t n = CharLength(p);
        if (n == 1)
            *p = UpperAscii(*p);
        p += n;
    }
}

int CompareIgnoreCase(const char* a, const char* b)
{
    for (;;) {
        size_t na = CharLength(a);
        size_t nb = CharLength(b);
        unsigned char ca = static_cast<unsigned char>(na == 1 ? UpperAscii(*a) : *a);
        unsigned char cb = static_cast<unsigned char>(nb == 1 ? UpperAscii(*b) : *b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        if (na == 2 || nb == 2) {
            if (na != nb)
                return na < nb ? -1 : 1;
            unsigned char ta = static_cast<unsigned char>(a[1]);
            unsigned char tb = static_cast<unsigned char>(b[1]);
            if (ta != tb)
                return ta < tb ? -1 : 1;
        }
        a += na;
        b += nb;
    }
}

long Find(const char* text, size_t textLength, const char* needle, size_t needleLength,
          bool ignoreCase)
{
    if (needleLength == 0 || needleLength > textLength)
        return -1;
    size_t last = textLength - needleLength;
    for (size_t pos = 0; pos <= last;) {
        size_t i = 0;
        while (i < needleLength) {
            size_t n = CharLength(needle + i);
            if (i + n > needleLength || !SameChar(text + pos + i, needle + i, n, ignoreCase))
                break;
            // The matched text must split into the same characters as the needle.
            if (CharLength(text + pos + i) != n)
                break;
            i += n;
        }
        if (i == needleLength)
            return static_cast<long>(pos);
        pos += CharLength(text + pos);
    }
    return -1;
}

long Find(const char* text, const char* needle, bool ignoreCase)
{
    return Find(text, std::strlen(text), needle, std::strlen(needle), ignoreCase);
}

long FindChar(const char* text, char c)
{
    for (const char* p = text; *p; p += CharLength(p))
        if (*p == c && CharLength(p) == 1)
            return static_cast<long>(p - text);
    return -1;
}

long FindLastChar(const char* text, char c)
{
    long found = -1;
    for (const char* p = text; *p; p += CharLength(p))
        if (*p == c && CharLength(p) == 1)
            found = static_cast<long>(p - text);
    return found;
}

bool EndsWithChar(const char* text, char c)
{
    long pos = FindLastChar(text, c);
    return pos >= 0 && text[pos + 1] == '\0';
}

size_t TrimmedStart(const char* text, size_t length, const char* set, bool withIdeographic)
{
    size_t pos = 0;
    while (pos < length) {
        size_t n = SetCharAt(text + pos, set, withIdeographic);
        if (n == 0)
            break;
        pos += n;
    }
    return pos;
}

size_t TrimmedEnd(const char* text, size_t length, const char* set, bool withIdeographic)
{
    size_t keep = 0;
    for (size_t pos = 0; pos < length;) {
        size_t n = CharLength(text + pos);
        if (SetCharAt(text + pos, set, withIdeographic) == 0)
            keep = pos + n;
        pos += n;
    }
    return keep > length ? length : keep;
}

}  // namespace sjis
