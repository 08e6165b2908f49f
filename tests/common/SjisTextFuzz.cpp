// Fuzz target for the search, replace and split helpers of the common library (sjis::,
// VornString, TokenList), each against the character-by-character references of
// FuzzSupport. The first byte chooses the case rule, the ideographic space, the needle's
// length (1 to 8 bytes) and where VornString::Find starts; the needle follows, then the
// text. The needle's first byte is also the single character searched, split at and
// trimmed, and its last byte the closing quote.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/SjisText.h"
#include "common/TokenList.h"
#include "common/VornString.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    "\x81", "\x81\x40", "\x40", "\\", "表", "ソ", "ピ", "s", "S", ",", "[", "\x95", "\x83", nullptr,
};

namespace {

const char kTarget[] = "sjis_text_fuzz";
const std::string kReplacement = "[表]";

long Position(size_t offset) { return offset == std::string::npos ? -1 : static_cast<long>(offset); }

bool IsMemberReference(const std::string& item, const std::string& list, bool ignoreCase)
{
    for (const std::string& field : fuzz::SplitText(list, ','))
        if (field.size() == item.size() && (item.empty() || fuzz::FindText(field, item, ignoreCase) == 0))
            return true;
    return false;
}

// Bytes of the leading (or, with fromEnd, trailing) characters for which blank holds.
size_t BlankBytes(const std::string& text, const std::function<bool(const std::string&)>& blank, bool fromEnd)
{
    std::vector<std::string> chars = fuzz::Characters(text);
    size_t bytes = 0;
    for (size_t i = 0; i < chars.size() && blank(chars[fromEnd ? chars.size() - 1 - i : i]); ++i)
        bytes += chars[fromEnd ? chars.size() - 1 - i : i].size();
    return bytes;
}

void CheckSearches(const std::string& text, const std::string& needle, bool ignoreCase, size_t from,
                   const std::string& input)
{
    if (sjis::Find(text.c_str(), needle.c_str(), ignoreCase) != Position(fuzz::FindText(text, needle, ignoreCase)))
        fuzz::Fail(kTarget, "sjis::Find differs from the character-wise search", input);
    VornString vorn(text.c_str());
    long expected = -1;
    if (from <= text.size()) {
        size_t hit = fuzz::FindText(text.substr(from), needle, ignoreCase);
        expected = hit == std::string::npos ? -1 : static_cast<long>(hit + from);
    }
    if ((ignoreCase ? vorn.FindIgnoreCase(needle.c_str(), from) : vorn.Find(needle.c_str(), from)) != expected)
        fuzz::Fail(kTarget, "VornString::Find differs from the character-wise search", input);
    if (ignoreCase)
        vorn.ReplaceAllIgnoreCase(needle.c_str(), kReplacement.c_str());
    else
        vorn.ReplaceAll(needle.c_str(), kReplacement.c_str());
    if (fuzz::ReplaceText(text, needle, kReplacement, ignoreCase) != vorn.Text())
        fuzz::Fail(kTarget, "VornString::ReplaceAll differs from the character-wise replacement", input);
    if (VornString(needle.c_str()).IsMemberOf(text.c_str()) != IsMemberReference(needle, text, false) ||
        VornString(needle.c_str()).IsMemberOfIgnoreCase(text.c_str()) != IsMemberReference(needle, text, true))
        fuzz::Fail(kTarget, "list membership differs from the character-wise split at commas", input);
}

void CheckCharacterScans(const std::string& text, char c, char close, bool ideographic, const std::string& input)
{
    const std::string single(1, c);
    long first = -1, last = -1, offset = 0;
    std::vector<std::string> chars = fuzz::Characters(text);
    for (const std::string& ch : chars) {
        if (ch == single) {
            last = offset;
            if (first < 0)
                first = offset;
        }
        offset += static_cast<long>(ch.size());
    }
    if (sjis::FindChar(text.c_str(), c) != first || sjis::FindLastChar(text.c_str(), c) != last ||
        sjis::EndsWithChar(text.c_str(), c) != (!chars.empty() && chars.back() == single))
        fuzz::Fail(kTarget, "a character scan found a byte that is not a character of its own", input);

    std::vector<std::string> fields;
    TokenList list(text.c_str(), c);
    for (int i = 0; i < list.Count(); ++i)
        fields.push_back(list[i]);
    if (fields != fuzz::SplitText(text, c))
        fuzz::Fail(kTarget, "TokenList differs from the character-wise split", input);

    auto inSet = [&](const std::string& ch) { return ch == single || (ideographic && ch == "\x81\x40"); };
    const char set[] = {c, '\0'};
    if (sjis::TrimmedStart(text.c_str(), text.size(), set, ideographic) != BlankBytes(text, inSet, false) ||
        sjis::TrimmedEnd(text.c_str(), text.size(), set, ideographic) != text.size() - BlankBytes(text, inSet, true))
        fuzz::Fail(kTarget, "trimming differs from the character-wise trim", input);
    VornString trimmed(text.c_str());
    trimmed.Trim(set);
    if (fuzz::TrimCharacters(text, [&](const std::string& ch) { return ch == single; }) != trimmed.Text())
        fuzz::Fail(kTarget, "VornString::Trim differs from the character-wise trim", input);
    VornString blanks(text.c_str());
    blanks.TrimBlanks();
    auto blank = [](const std::string& ch) { return ch == " " || ch == "\t" || ch == "\x81\x40"; };
    if (fuzz::TrimCharacters(text, blank) != blanks.Text())
        fuzz::Fail(kTarget, "VornString::TrimBlanks differs from the character-wise trim", input);

    const bool enclosed = chars.size() >= 2 && chars.front() == "[" && chars.back() == std::string(1, close);
    VornString quoted(text.c_str());
    quoted.Unquote('[', close);
    if ((enclosed ? text.substr(1, text.size() - 2) : text) != quoted.Text())
        fuzz::Fail(kTarget, "Unquote differs from the character-wise ends", input);
    quoted = text.c_str();
    quoted.Enclose('[', close);
    if ((enclosed ? text : "[" + text + close) != quoted.Text())
        fuzz::Fail(kTarget, "Enclose differs from the character-wise ends", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string input = fuzz::Input(data, size);
    const bool ignoreCase = data[0] & 1;
    const bool ideographic = data[0] & 2;
    const size_t needleLength = ((data[0] >> 2) & 7) + 1;
    const size_t from = data[0] >> 5;
    const std::string needle = input.substr(1, needleLength);
    const std::string text = input.substr(1 + needle.size());
    CheckSearches(text, needle, ignoreCase, from, input);
    CheckCharacterScans(text, needle[0], needle.back(), ideographic, input);
    return 0;
}
