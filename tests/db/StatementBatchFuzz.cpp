// Fuzz target for how a batch text is cut into statements (and a command trimmed before it
// runs), against a character-by-character reading: the pieces are the texts between the
// ";" characters (a ";" after a lead byte is that character's second byte), trimming
// removes exactly the blank characters at the ends, the count is the pieces left with text.
#include <cstdint>
#include <string>
#include <vector>

#include "db/DbLinkText.h"
#include "fuzz/FuzzSupport.h"

extern const char* const kFuzzDictionary[] = {
    ";", ";;", " ;", ";\r\n", "\r\n", "\t", "\n", "\r", " ", "　", "\x81\x40", "\x81;", "\x81", "go\r\n",
    "select * from 表;", "insert into ソ values ('a;b');", "-- ;\n", "/* ; */", "'", "\"", nullptr,
};

namespace {

const char kTarget[] = "statement_batch_fuzz";

// The text without the characters of the set at its ends; the ideographic space counts
// when ideographic is set.
std::string Trimmed(const std::string& text, const std::string& set, bool ideographic)
{
    return fuzz::TrimCharacters(text, [&](const std::string& c) {
        return (c.size() == 1 && set.find(c[0]) != std::string::npos) || (ideographic && c == "\x81\x40");
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = fuzz::Input(data, size);
    std::vector<VornString> pieces = dblink::SplitStatements(input.c_str());
    std::vector<std::string> expected(1);
    for (const std::string& c : fuzz::Characters(input)) {
        if (c == ";")
            expected.emplace_back();
        else
            expected.back() += c;
    }
    if (pieces.size() != expected.size())
        fuzz::Fail(kTarget, "the batch was cut into another number of pieces than it has semicolons", input);
    int withText = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (expected[i] != pieces[i].Text())
            fuzz::Fail(kTarget, "a piece differs from the text between two semicolons", input);
        std::string trimmed = dblink::TrimStatement(pieces[i]).Text();
        if (trimmed != Trimmed(expected[i], " \r\n\t", false))
            fuzz::Fail(kTarget, "TrimStatement removed other characters than the blanks at the ends", input);
        withText += trimmed.empty() ? 0 : 1;
    }
    if (dblink::CountStatements(pieces) != withText)
        fuzz::Fail(kTarget, "CountStatements differs from the pieces left with text", input);

    VornString command(input.c_str());
    bool remains = dblink::TrimCommand(command);
    if (Trimmed(input, " ", true) != command.Text() || remains == command.IsEmpty())
        fuzz::Fail(kTarget, "TrimCommand removed other characters than the spaces at the ends", input);
    return 0;
}
