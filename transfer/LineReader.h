// Lines of a text file read in pieces of at most a given number of bytes, as a fixed line
// buffer reads them: a longer line comes as several pieces (cut on a character boundary,
// never inside a double-byte character). CR LF, LF and a lone CR at the end of the file
// all end a line; the pieces carry no line end.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class LineReader {
public:
    explicit LineReader(size_t maxPiece = 9999) : maxPiece_(maxPiece < 2 ? 2 : maxPiece) {}
    ~LineReader() { Close(); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool Open(const char* path);
    void Close();
    // False at the end of the file when nothing was read.
    bool Next(std::string& piece);

private:
    bool Fill();
    int Peek();

    FILE* file_ = nullptr;
    size_t maxPiece_;
    char buffer_[64 * 1024];
    size_t position_ = 0;
    size_t filled_ = 0;
};
