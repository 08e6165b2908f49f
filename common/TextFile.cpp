#include "TextFile.h"

#include <cstdarg>
#include <cstring>

namespace {

const long kReserveLimit = 500000;

FILE* OpenBinary(const char* path, const char* mode)
{
    return path ? std::fopen(path, mode) : nullptr;
}

}  // namespace

bool TextFile::OpenRead(const char* path)
{
    Close();
    stream_ = OpenBinary(path, "rb");
    if (!stream_)
        return false;
    if (std::fseek(stream_, 0, SEEK_END) == 0) {
        size_ = std::ftell(stream_);
        std::fseek(stream_, 0, SEEK_SET);
    }
    return true;
}

bool TextFile::OpenWrite(const char* path)
{
    Close();
    stream_ = OpenBinary(path, "wb");
    return stream_ != nullptr;
}

bool TextFile::OpenAppend(const char* path)
{
    Close();
    stream_ = OpenBinary(path, "ab");
    return stream_ != nullptr;
}

bool TextFile::Close()
{
    // A full disk often shows only when the last buffer is written out.
    bool flushed = !stream_ || std::fclose(stream_) == 0;
    stream_ = nullptr;
    return flushed;
}

int TextFile::GetChar()
{
    int c = std::getc(stream_);
    if (c != '\r')
        return c;
    int next = std::getc(stream_);
    if (next == '\n')
        return '\n';
    if (next != EOF)
        std::ungetc(next, stream_);
    return c;
}

bool TextFile::ReadAll(VornString& out)
{
    out.Clear();
    if (!stream_)
        return false;
    if (size_ > 0 && size_ <= kReserveLimit && out.Capacity() < static_cast<unsigned>(size_) + 1)
        out.Resize(static_cast<unsigned>(size_) + 1);
    char piece[260];
    size_t used = 0;
    int c;
    while ((c = GetChar()) != EOF) {
        piece[used++] = static_cast<char>(c);
        if (used == sizeof piece) {
            out.Append(piece, used);
            used = 0;
        }
    }
    out.Append(piece, used);
    return true;
}

bool TextFile::ReadLine(VornString& out)
{
    out.Clear();
    if (!stream_)
        return false;
    char piece[260];
    size_t used = 0;
    bool readAny = false;
    int c;
    while ((c = GetChar()) != EOF) {
        readAny = true;
        if (c == '\n')
            break;
        piece[used++] = static_cast<char>(c);
        if (used == sizeof piece) {
            out.Append(piece, used);
            used = 0;
        }
    }
    out.Append(piece, used);
    return readAny;
}

bool TextFile::WriteLine(const char* text)
{
    if (!stream_ || !text)
        return false;
    // Runs without a line end go out in one piece; "\r\n" and "\n" both become CR LF.
    const char* run = text;
    for (const char* p = text;; ++p) {
        if (*p != '\n' && *p != '\0')
            continue;
        const char* end = (p > run && p[-1] == '\r' && *p == '\n') ? p - 1 : p;
        size_t length = static_cast<size_t>(end - run);
        if (length && std::fwrite(run, 1, length, stream_) != length)
            return false;
        if (*p == '\0')
            return true;
        if (std::fwrite("\r\n", 1, 2, stream_) != 2)
            return false;
        run = p + 1;
    }
}

bool TextFile::WriteFormatLine(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return WriteLine(text);
}

long TextFile::CountLines(const char* path)
{
    TextFile file;
    if (!file.OpenRead(path))
        return -1;
    long lines = 0;
    VornString line;
    while (file.ReadLine(line))
        ++lines;
    return lines;
}
