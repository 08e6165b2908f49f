// Helpers of the fuzz targets (tests/fuzz/FuzzSupport.cpp, linked into each of them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fuzz {

// Reports the failed property with the input in hex (for a regression case) and aborts,
// which libFuzzer records as a crash with the input saved.
[[noreturn]] void Fail(const char* target, const char* what, const std::string& input);
// The fuzz bytes as text; product text is NUL-terminated, so NUL bytes become nul.
std::string Input(const uint8_t* data, size_t size, char nul = ' ');
// The characters of a text, one or two bytes each as the lead bytes decide; a lead byte
// at the very end stands alone.
std::vector<std::string> Characters(const std::string& text);
// The lines of a text cut at every "\n" that is a character of its own.
std::vector<std::string> Lines(const std::string& text);
// References for the search, replace and split helpers, built on Characters alone: a
// match starts and ends on character boundaries of the text and is compared character by
// character (single-byte letters folded when ignoreCase, double-byte characters exact).
// The byte offset of the first match, or npos; an empty needle is never found.
size_t FindText(const std::string& text, const std::string& needle, bool ignoreCase = false);
// Every match, left to right without overlapping, replaced; count gets the number of them.
std::string ReplaceText(const std::string& text, const std::string& search, const std::string& replacement,
                        bool ignoreCase = false, size_t* count = nullptr);
// The fields between the single-byte characters equal to separator; empty fields are kept.
std::vector<std::string> SplitText(const std::string& text, char separator);
// The text without the characters at both ends for which blank is true.
std::string TrimCharacters(const std::string& text, const std::function<bool(const std::string&)>& blank);
// A private folder of this process, removed at exit; its name holds a blank.
std::string ScratchFolder();
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace fuzz
