// A file read and written as text: "\n" in memory, CR LF on disk, in every build.
#pragma once

#include <cstdio>

#include "VornString.h"

class TextFile {
public:
    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile() { Close(); }

    bool OpenRead(const char* path);
    // Truncates or creates the file.
    bool OpenWrite(const char* path);
    // Creates the file when missing; writes go to its end.
    bool OpenAppend(const char* path);
    // False when the file's last buffer could not be written.
    bool Close();
    long Size() const { return size_; }

    bool ReadAll(VornString& out);
    // One line without its line end; false at end of file when nothing was read.
    bool ReadLine(VornString& out);
    // The caller supplies the line end; "\r\n" inside the text is written as one line break.
    bool WriteLine(const char* text);
    bool WriteFormatLine(const char* format, ...);

    // Number of lines, or -1 when the file cannot be opened.
    static long CountLines(const char* path);

private:
    // Next character with CR LF read as "\n"; EOF at the end.
    int GetChar();

    FILE* stream_ = nullptr;
    long size_ = 4096;
};
