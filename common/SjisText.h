// Double-byte-aware helpers for code page 932 text.
// A Shift_JIS trail byte may be 0x40-0x7E or 0x80-0xFC, which includes '\\' and
// the ASCII letters, so no scan, case fold or split may look at bytes one by one.
#pragma once

#include <cstddef>

namespace sjis {

inline bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes taken by the character at p (1 or 2); a lead byte before the NUL counts as 1.
inline size_t CharLength(const char* p)
{
    return (IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0') ? 2 : 1;
}

inline char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Upper-cases the single-byte letters of text in place; double-byte characters stay as they are.
void UpperCase(char* text);

// Case-insensitive comparison of whole texts (single-byte letters only are folded).
// Returns <0, 0, >0 like strcmp.
int CompareIgnoreCase(const char* a, const char* b);

// Position of the first occurrence of needle that starts on a character boundary,
// or -1. An empty needle is never found.
long Find(const char* text, size_t textLength, const char* needle, size_t needleLength,
          bool ignoreCase);
long Find(const char* text, const char* needle, bool ignoreCase = false);

// Position of the first / last character equal to the single-byte c, or -1.
// Only character boundaries are considered, so a trail byte 0x5C is never a backslash.
long FindChar(const char* text, char c);
long FindLastChar(const char* text, char c);

// True when the text ends with the single-byte character c on a character boundary.
bool EndsWithChar(const char* text, char c);

// Byte length of the text without its trailing characters from the set; the set holds
// single-byte characters and the ideographic space "　" (0x81 0x40) when withIdeographic.
size_t TrimmedEnd(const char* text, size_t length, const char* set, bool withIdeographic);
// Bytes of leading characters from the set.
size_t TrimmedStart(const char* text, size_t length, const char* set, bool withIdeographic);

}  // namespace sjis
