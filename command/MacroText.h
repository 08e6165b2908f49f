// Searching and replacing words in code page 932 text in one pass each: the macro steps run
// over texts of several hundred kilobytes, and VornString's appends measure the whole text
// each time. A match must begin on a character boundary, so a trail byte never starts a word.
#pragma once

#include <cstddef>
#include <string>

namespace macrotext {

const size_t kNotFound = static_cast<size_t>(-1);

// True when a character begins at pos (found without scanning from the start: the run of
// bytes before pos that may be lead bytes decides).
bool AtCharStart(const std::string& text, size_t pos);

// First occurrence of word at or after from that starts on a character boundary; from must
// itself be a boundary.
size_t Find(const std::string& text, const char* word, size_t from = 0);
inline bool Contains(const std::string& text, const char* word) { return Find(text, word) != kNotFound; }

// Every occurrence replaced, left to right; the inserted text is never searched again.
// Returns the number of replacements.
size_t ReplaceEvery(std::string& text, const char* word, const char* value);
// The same, building the result in scratch and swapping: a caller that replaces many words
// keeps both buffers and so touches no fresh memory on each pass.
size_t ReplaceEvery(std::string& text, const char* word, const char* value, std::string& scratch);

// End of the line that starts at pos: the position of its "\n", or the text's length.
size_t LineEnd(const std::string& text, size_t pos);
// True when pos is the start of a line (the text's start or just after a "\n").
bool AtLineStart(const std::string& text, size_t pos);

}  // namespace macrotext
