// Fuzz target for VornResult's decoding. A path argument carries every blank as three
// backslashes: decoding what the main program writes must give the path back, and encoding
// a decoded argument without blanks must give the argument back. BuildResultText is checked
// on the input cut into an output file and a script file (paths with blanks, so their
// arguments need decoding) against a byte-by-byte reading: NUL dropped, CR LF as LF, the
// script's lines numbered "%04d " with TABs as four spaces.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tools/ResultText.h"

extern const char* const kFuzzDictionary[] = {
    "\\", "\\\\", "\\\\\\", "\\\\\\\\", " ", "  ", "\t", "\r\n", "\r", "\n", "表", "ソ", "\x81\\", "\x81",
    "C:\\Program Files\\", "\\\\\\x", "echo 表\r\n", "\xFF", nullptr,
};

namespace {

const char kTarget[] = "result_text_fuzz";

// What the main program writes: each blank as three backslashes, characters kept whole.
std::string Encoded(const std::string& path)
{
    std::string encoded;
    for (const std::string& c : fuzz::Characters(path))
        encoded += c == " " ? "\\\\\\" : c;
    return encoded;
}

// Paths the encoding can carry: no run of blanks and backslashes in which a blank comes
// before a backslash or more than two backslashes stand together (names end in no blank).
bool Encodable(const std::string& path)
{
    std::string run;
    for (const std::string& c : fuzz::Characters(path)) {
        if (c == " " || c == "\\") {
            run += c;
            if (run.find(" \\") != std::string::npos || run.find("\\\\\\") != std::string::npos)
                return false;
        } else {
            run.clear();
        }
    }
    return true;
}

void CheckPathArgument(const std::string& input)
{
    std::string decoded = ResultPathArgument(input.c_str()).Text();
    bool blanks = false;
    for (const std::string& c : fuzz::Characters(input))
        blanks = blanks || c == " ";
    if (!blanks && Encoded(decoded) != input)
        fuzz::Fail(kTarget, "encoding a decoded argument does not give the argument", input);
    if (Encodable(input) && ResultPathArgument(Encoded(input).c_str()).Text() != input)
        fuzz::Fail(kTarget, "decoding an encoded path does not give the path", input);
}

// Text-mode reading without the stop at Ctrl+Z: NUL bytes dropped, CR LF read as LF.
std::string TextMode(const std::string& bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text += bytes[i];
    }
    return text;
}

std::string NumberedScript(const std::string& script)
{
    std::string text = TextMode(script), numbered;
    size_t start = 0;
    for (long number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "%04ld ", number);
        numbered += prefix;
        for (const std::string& c : fuzz::Characters(text.substr(start, end - start)))
            numbered += c == "\t" ? "    " : c;
        start = end;
    }
    return numbered;
}

void CheckResultText(const uint8_t* data, size_t size)
{
    // The first byte says where the output file ends and which files exist.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string input = bytes.substr(1);
    size_t cut = input.empty() ? 0 : static_cast<unsigned char>(bytes[0]) * input.size() / 256;
    const std::string output = input.substr(0, cut), script = input.substr(cut);
    const std::string folder = fuzz::ScratchFolder();
    const std::string outputPath = folder + "/output file.txt", scriptPath = folder + "/the script.vbs";
    const bool haveOutput = (bytes[0] & 1) == 0, haveScript = (bytes[0] & 2) == 0;
    std::remove(outputPath.c_str());
    std::remove(scriptPath.c_str());
    if (haveOutput)
        fuzz::WriteFile(outputPath, output);
    if (haveScript)
        fuzz::WriteFile(scriptPath, script);
    std::string expected = (haveOutput ? TextMode(output) : std::string()) +
                           "\n----------------------------------------\n" +
                           (haveScript ? NumberedScript(script) : std::string());
    std::string built = BuildResultText(Encoded(outputPath).c_str(), Encoded(scriptPath).c_str()).Text();
    if (built != expected)
        fuzz::Fail(kTarget, "BuildResultText differs from the byte-by-byte reading", bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckPathArgument(fuzz::Input(data, size));
    if (size > 0)
        CheckResultText(data, size);
    return 0;
}
