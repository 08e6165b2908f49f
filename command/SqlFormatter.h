// The SQL formatters and the ideographic-space removal: pure text transformations.
#pragma once

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
