// The product's growable text: code page 932 bytes in an owned, always NUL-terminated buffer.
#pragma once

#include <cstdarg>
#include <cstddef>

#ifdef _WIN32
#include <oaidl.h>
#endif

class VornString {
public:
    static const unsigned kDefaultCapacity = 32;

    VornString();
    explicit VornString(unsigned capacity);
    VornString(const char* text);
    VornString(const VornString& other);
    VornString(VornString&& other) noexcept;
    VornString& operator=(const VornString& other);
    VornString& operator=(VornString&& other) noexcept;
    VornString& operator=(const char* text);
    virtual ~VornString();

    const char* Text() const { return buffer_ ? buffer_ : ""; }
    operator const char*() const { return Text(); }
    // Kept, not measured: appending many pieces stays linear. After Buffer() the next call
    // measures once, since a platform call may have written into the buffer.
    size_t Length() const;
    bool IsEmpty() const { return Length() == 0; }
    unsigned Capacity() const { return capacity_; }
    // Writable buffer of Capacity() bytes for platform calls; null after an allocation failure.
    char* Buffer()
    {
        lengthStale_ = true;
        return buffer_;
    }
    bool Resize(unsigned capacity);

    void Assign(const char* text);
    void Assign(const char* text, size_t length);
    void Append(const char* text);
    void Append(const char* text, size_t length);
    void Append(char c);
    void Prepend(const char* text);
    void Insert(size_t position, const char* text);
    void Clear();

    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...);
    void ZeroPadded(long value, int width);
    void Repeat(const char* text, int count);
    void KeepRight(size_t count);
    void Left(size_t count);

    void ReplaceAll(const char* oldText, const char* newText);
    void ReplaceAllIgnoreCase(const char* oldText, const char* newText);
    void InsertThousandsSeparators();

    // 1 when equal byte for byte, -1 when equal only ignoring case, 0 otherwise.
    int Compare(const char* text) const;
    bool Equals(const char* text) const { return Compare(text) == 1; }
    bool EqualsIgnoreCase(const char* text) const { return Compare(text) != 0; }
    bool IsDifferent(const char* text) const { return Compare(text) != 1; }
    bool IsMemberOf(const char* commaList) const;
    bool IsMemberOfIgnoreCase(const char* commaList) const;
    long Find(const char* text, size_t from = 0) const;
    long FindIgnoreCase(const char* text, size_t from = 0) const;
    bool StartsWith(const char* text) const;
    long ToInteger() const;

    void UpperCase();
    void Trim(const char* set);
    // Blanks, tabs and ideographic spaces at both ends.
    void TrimBlanks();
    void Chop();
    void RemoveFirst();
    void Unquote(char quote) { Unquote(quote, quote); }
    void Unquote(char open, char close);
    void Enclose(char quote) { Enclose(quote, quote); }
    void Enclose(char open, char close);
    void Wrap(const char* text);

    void RemoveExtension();
    // Extension with its dot ("" when none).
    VornString FindExtension() const;
    void AddBackslash();
    void RemoveBackslash();
    void RemoveFileSpec();
    void StripPath();

#ifdef _WIN32
    // Throws nothing: a failed conversion returns its HRESULT and leaves the text empty.
    HRESULT AssignVariant(const VARIANT& value);
#endif

private:
    bool Allocate(unsigned capacity);
    // Grows geometrically, never below needed; false (and no buffer) when memory runs out.
    bool EnsureCapacity(size_t needed);
    void SetLength(size_t length);
    void ReplaceAllImpl(const char* oldText, const char* newText, bool ignoreCase);
    void Release();
    void StripEnclosingQuotes();

    unsigned capacity_ = 0;
    char* buffer_ = nullptr;
    mutable size_t length_ = 0;
    mutable bool lengthStale_ = false;
};
