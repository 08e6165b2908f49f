#include "ResultText.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/SjisText.h"

namespace {

const char kSeparator[] = "\n----------------------------------------\n";
// The pieces the tool reads a file in; a longer script line is read in several pieces.
const size_t kPiece = 260;
const size_t kLinePiece = 1023;

// Reads like a text-mode stream (CR LF becomes LF) in both builds, without the Windows
// runtime's stop at a Ctrl+Z byte. NUL bytes are dropped: the clipboard text ends at the
// first one, and everything after it would be lost.
class TextReader {
public:
    explicit TextReader(const char* path) : file_(path ? std::fopen(path, "rb") : nullptr) {}
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;
    ~TextReader()
    {
        if (file_)
            std::fclose(file_);
    }
    bool IsOpen() const { return file_ != nullptr; }

    // Up to size bytes, line ends as LF; 0 at the end.
    size_t Read(char* out, size_t size)
    {
        size_t used = 0;
        while (used < size) {
            int c = Next();
            if (c == EOF)
                break;
            out[used++] = static_cast<char>(c);
        }
        return used;
    }

    // One line with its LF when it has one; false at the end.
    bool ReadLine(std::string& line)
    {
        line.clear();
        char piece[kLinePiece];
        for (;;) {
            size_t used = 0;
            int c = EOF;
            while (used < sizeof piece && (c = Next()) != EOF) {
                piece[used++] = static_cast<char>(c);
                if (c == '\n')
                    break;
            }
            line.append(piece, used);
            if (used < sizeof piece || c == '\n')
                return !line.empty();
        }
    }

private:
    int Next()
    {
        for (;;) {
            int c = std::getc(file_);
            if (c == 0)
                continue;
            if (c != '\r')
                return c;
            int next = std::getc(file_);
            if (next == '\n')
                return '\n';
            if (next != EOF)
                std::ungetc(next, file_);
            return c;
        }
    }

    FILE* file_;
};

void AppendExpandingTabs(std::string& out, const std::string& line)
{
    for (const char* p = line.c_str(); *p;) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && *p == '\t')
            out.append("    ");
        else
            out.append(p, n);
        p += n;
    }
}

}  // namespace

VornString ResultPathArgument(const char* argument)
{
    std::string path;
    const char* p = argument ? argument : "";
    while (*p) {
        size_t n = sjis::CharLength(p);
        if (n == 2 || *p != '\\') {
            path.append(p, n);
            p += n;
            continue;
        }
        size_t run = 0;
        while (p[run] == '\\')
            ++run;
        // A run that is no multiple of three holds the folder separator before a name that
        // starts with a blank ("\ x" arrives as four backslashes); names cannot end in one.
        path.append(run % 3, '\\');
        path.append(run / 3, ' ');
        p += run;
    }
    return VornString(path.c_str());
}

VornString BuildResultText(const char* outputArgument, const char* scriptArgument)
{
    std::string text;
    {
        TextReader output(ResultPathArgument(outputArgument).Text());
        if (output.IsOpen()) {
            char piece[kPiece];
            size_t n;
            while ((n = output.Read(piece, sizeof piece)) > 0)
                text.append(piece, n);
        }
    }
    text.append(kSeparator);
    TextReader script(ResultPathArgument(scriptArgument).Text());
    if (script.IsOpen()) {
        std::string line;
        char number[24];
        for (long lineNumber = 1; script.ReadLine(line); ++lineNumber) {
            std::snprintf(number, sizeof number, "%04ld ", lineNumber);
            text.append(number);
            AppendExpandingTabs(text, line);
        }
    }
    return VornString(text.c_str());
}
