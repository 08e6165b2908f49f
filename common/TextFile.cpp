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

void TextFile::Close()
{
    if (stream_)
        std::fclose(stream_);
    stream_ = nullptr;
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
    for (const char* p = text; *p; ++p) {
        if (*p == '\r' && p[1] == '\n')
            continue;
        if (*p == '\n' && std::fputc('\r', stream_) == EOF)
            return false;
        if (std::fputc(*p, stream_) == EOF)
            return false;
    }
    return true;
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
