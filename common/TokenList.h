// The fields of one text cut at a one-character separator; empty fields are kept.
#pragma once

#include <cstddef>
#include <vector>

class TokenList {
public:
    TokenList() = default;
    TokenList(const char* text, char separator) { Fill(text, separator); }

    // Replaces the previous content. A separator that is a trail byte of a
    // double-byte character is not a boundary.
    void Fill(const char* text, char separator);
    int Count() const { return static_cast<int>(fields_.size()); }
    // The field at index, or "" outside the list; valid until the next Fill.
    const char* Field(int index) const;
    const char* operator[](int index) const { return Field(index); }
    size_t SourceLength() const { return sourceLength_; }

private:
    std::vector<char> buffer_;
    std::vector<size_t> fields_;
    size_t sourceLength_ = 0;
};
