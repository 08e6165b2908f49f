// The SQL formatters and the ideographic-space removal: pure text transformations.
#pragma once

#include <cstddef>
#include <vector>

#include "common/VornString.h"

struct ArrangeRule {
    VornString search;
    VornString replacement;
};
using ArrangeRules = std::vector<ArrangeRule>;

// One line of "Tool\parts\Arrange.txt" (without its line end); false when it is no rule.
bool ParseArrangeLine(const char* line, ArrangeRule& rule);
// Every rule in order, each a case-insensitive replace-all that never rescans its output.
VornString ApplyArrangeRules(const char* text, const ArrangeRules& rules);
// The built-in layout: one line, then breaks before the fixed keywords.
VornString SimpleFormat(const char* text);
// Every ideographic space (0x81 0x40) becomes one ASCII space.
VornString RemoveKanjiSpaces(const char* text);

// The rules of an arrange file in file order (comments and one-field lines skipped);
// false, with rules empty, when the file cannot be opened.
bool ReadArrangeFile(const char* path, ArrangeRules& rules);

// Replace-all over code page 932 text in one left-to-right pass: matches start on character
// boundaries and split into the same characters as the search text, the text after a match
// is searched from the match's end, and an inserted replacement is never searched again.
// An empty search text is never found. The number of replacements goes to count when given.
VornString ReplaceAllOnePass(const char* text, const char* search, const char* replacement, bool ignoreCase,
                             size_t* count = nullptr);
