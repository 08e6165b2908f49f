#include "VornString.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SjisText.h"

namespace {

const unsigned kSpareBytes = 128;
const unsigned kZeroedExtra = 10;
const unsigned kFormatCapacity = 1024;
const unsigned kReplaceGrowth = 260;

}  // namespace

VornString::VornString() { Allocate(kDefaultCapacity); }

VornString::VornString(unsigned capacity) { Allocate(capacity); }

VornString::VornString(const char* text)
{
    size_t length = text ? std::strlen(text) : 0;
    if (Allocate(static_cast<unsigned>(length + 1)) && text) {
        std::memcpy(buffer_, text, length + 1);
        length_ = length;
    }
}

VornString::VornString(const VornString& other)
{
    size_t length = other.Length();
    unsigned capacity = other.capacity_ ? other.capacity_ : kDefaultCapacity;
    if (capacity < length + 1)
        capacity = static_cast<unsigned>(length + 1);
    if (Allocate(capacity)) {
        std::memcpy(buffer_, other.Text(), length + 1);
        length_ = length;
    }
}

VornString::VornString(VornString&& other) noexcept
    : capacity_(other.capacity_), buffer_(other.buffer_), length_(other.length_), lengthStale_(other.lengthStale_)
{
    other.capacity_ = 0;
    other.buffer_ = nullptr;
    other.length_ = 0;
    other.lengthStale_ = false;
}

VornString& VornString::operator=(const VornString& other)
{
    if (this != &other)
        Assign(other.Text(), other.Length());
    return *this;
}

VornString& VornString::operator=(VornString&& other) noexcept
{
    if (this != &other) {
        Release();
        capacity_ = other.capacity_;
        buffer_ = other.buffer_;
        length_ = other.length_;
        lengthStale_ = other.lengthStale_;
        other.capacity_ = 0;
        other.buffer_ = nullptr;
        other.length_ = 0;
        other.lengthStale_ = false;
    }
    return *this;
}

VornString& VornString::operator=(const char* text)
{
    Assign(text);
    return *this;
}

VornString::~VornString() { Release(); }

void VornString::Release()
{
    std::free(buffer_);
    buffer_ = nullptr;
    capacity_ = 0;
    length_ = 0;
    lengthStale_ = false;
}

bool VornString::Allocate(unsigned capacity)
{
    length_ = 0;
    lengthStale_ = false;
    buffer_ = capacity <= UINT_MAX - kSpareBytes
                  ? static_cast<char*>(std::malloc(static_cast<size_t>(capacity) + kSpareBytes))
                  : nullptr;
    if (!buffer_) {
        capacity_ = 0;
        return false;
    }
    capacity_ = capacity;
    std::memset(buffer_, 0, static_cast<size_t>(capacity) + kZeroedExtra);
    return true;
}

bool VornString::Resize(unsigned capacity)
{
    if (!buffer_)
        return false;
    char* old = buffer_;
    size_t oldLength = Length();
    if (!Allocate(capacity)) {
        std::free(old);
        return false;
    }
    size_t keep = oldLength < capacity ? oldLength : (capacity ? capacity - 1 : 0);
    std::memcpy(buffer_, old, keep);
    std::free(old);
    if (capacity)
        SetLength(keep);
    return true;
}

bool VornString::EnsureCapacity(size_t needed)
{
    if (!buffer_)
        return false;
    if (needed <= capacity_)
        return true;
    // Half as much again as now: a text built from n pieces is copied O(log n) times,
    // not once per piece.
    size_t grown = static_cast<size_t>(capacity_) + capacity_ / 2;
    size_t target = needed > grown ? needed : grown;
    const size_t largest = UINT_MAX - kSpareBytes;
    if (target > largest)
        target = needed;
    if (target > largest) {
        Release();
        return false;
    }
    return Resize(static_cast<unsigned>(target));
}

void VornString::SetLength(size_t length)
{
    buffer_[length] = '\0';
    length_ = length;
    lengthStale_ = false;
}

size_t VornString::Length() const
{
    if (!buffer_)
        return 0;
    if (lengthStale_) {
        length_ = std::strlen(buffer_);
        lengthStale_ = false;
    }
    return length_;
}

void VornString::Clear()
{
    if (buffer_)
        SetLength(0);
}

void VornString::Assign(const char* text)
{
    if (!text)
        return;
    Assign(text, std::strlen(text));
}

void VornString::Assign(const char* text, size_t length)
{
    if (!text || !buffer_)
        return;
    if (text >= buffer_ && text < buffer_ + capacity_) {
        VornString copy;
        copy.Assign(text, length);
        Assign(copy.Text(), length);
        return;
    }
    if (!EnsureCapacity(length + 1))
        return;
    std::memmove(buffer_, text, length);
    SetLength(length);
}

void VornString::Append(const char* text)
{
    if (!text)
        return;
    Append(text, std::strlen(text));
}

void VornString::Append(const char* text, size_t length)
{
    if (!text || !buffer_ || length == 0)
        return;
    if (text >= buffer_ && text < buffer_ + capacity_) {
        VornString copy;
        copy.Assign(text, length);
        Append(copy.Text(), length);
        return;
    }
    size_t old = Length();
    if (!EnsureCapacity(old + length + 1))
        return;
    std::memcpy(buffer_ + old, text, length);
    SetLength(old + length);
}

void VornString::Append(char c) { Append(&c, 1); }

void VornString::Prepend(const char* text) { Insert(0, text); }

void VornString::Insert(size_t position, const char* text)
{
    if (!text || !buffer_)
        return;
    VornString copy(text);
    size_t added = copy.Length();
    size_t old = Length();
    if (position > old)
        position = old;
    if (!EnsureCapacity(old + added + 1))
        return;
    std::memmove(buffer_ + position + added, buffer_ + position, old - position + 1);
    std::memcpy(buffer_ + position, copy.Text(), added);
    SetLength(old + added);
}

void VornString::FormatV(const char* format, va_list args)
{
    if (!buffer_)
        return;
    if (capacity_ != kFormatCapacity && !Resize(kFormatCapacity))
        return;
    int written = std::vsnprintf(buffer_, kFormatCapacity, format, args);
    if (written < 0)
        written = 0;
    SetLength(static_cast<size_t>(written) < kFormatCapacity ? static_cast<size_t>(written) : kFormatCapacity - 1);
}

void VornString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void VornString::AppendFormat(const char* format, ...)
{
    char scratch[kFormatCapacity];
    va_list args;
    va_start(args, format);
    std::vsnprintf(scratch, sizeof scratch, format, args);
    va_end(args);
    Append(scratch);
}

void VornString::ZeroPadded(long value, int width)
{
    char format[32];
    std::snprintf(format, sizeof format, "%%0%dld", width);
    Format(format, value);
}

void VornString::Repeat(const char* text, int count)
{
    Clear();
    if (!text)
        return;
    size_t length = std::strlen(text);
    if (count < 1 || !EnsureCapacity(length * static_cast<size_t>(count) + 1))
        return;
    for (int i = 0; i < count; ++i)
        Append(text, length);
}

void VornString::KeepRight(size_t count)
{
    size_t length = Length();
    if (count < length) {
        std::memmove(buffer_, buffer_ + length - count, count);
        SetLength(count);
    }
}

void VornString::Left(size_t count)
{
    if (count < Length())
        SetLength(count);
}

void VornString::ReplaceAll(const char* oldText, const char* newText)
{
    ReplaceAllImpl(oldText, newText, false);
}

void VornString::ReplaceAllIgnoreCase(const char* oldText, const char* newText)
{
    ReplaceAllImpl(oldText, newText, true);
}

void VornString::ReplaceAllImpl(const char* oldText, const char* newText, bool ignoreCase)
{
    if (!buffer_ || !oldText || !newText)
        return;
    size_t oldLength = std::strlen(oldText);
    size_t newLength = std::strlen(newText);
    size_t length = Length();
    long hit = sjis::Find(buffer_, length, oldText, oldLength, ignoreCase);
    if (hit < 0)
        return;
    // Built in a buffer that grows geometrically: appending to the result string would
    // measure it again for every occurrence.
    std::string result;
    result.reserve(length + (newLength > oldLength ? kReplaceGrowth : 0));
    size_t pos = 0;
    while (hit >= 0) {
        size_t at = pos + static_cast<size_t>(hit);
        result.append(buffer_ + pos, at - pos);
        result.append(newText, newLength);
        pos = at + oldLength;
        hit = sjis::Find(buffer_ + pos, length - pos, oldText, oldLength, ignoreCase);
    }
    result.append(buffer_ + pos, length - pos);
    Assign(result.c_str(), result.size());
}

void VornString::InsertThousandsSeparators()
{
    const char* text = Text();
    size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    size_t end = start;
    while (text[end] >= '0' && text[end] <= '9')
        ++end;
    size_t digits = end - start;
    if (digits <= 3)
        return;
    VornString result(static_cast<unsigned>(Length() + digits / 3 + 1));
    result.Append(text, start);
    for (size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0)
            result.Append(',');
        result.Append(text[start + i]);
    }
    result.Append(text + end);
    *this = static_cast<VornString&&>(result);
}

int VornString::Compare(const char* text) const
{
    if (!text)
        return 0;
    if (std::strcmp(Text(), text) == 0)
        return 1;
    return sjis::CompareIgnoreCase(Text(), text) == 0 ? -1 : 0;
}

namespace {

bool IsMemberOfList(const char* item, const char* commaList, bool ignoreCase)
{
    if (!commaList)
        return false;
    size_t itemLength = std::strlen(item);
    const char* start = commaList;
    for (;;) {
        const char* end = start;
        while (*end && !(*end == ',' && sjis::CharLength(end) == 1))
            end += sjis::CharLength(end);
        size_t length = static_cast<size_t>(end - start);
        if (length == itemLength) {
            VornString field;
            field.Assign(start, length);
            if (ignoreCase ? sjis::CompareIgnoreCase(field.Text(), item) == 0
                           : std::strcmp(field.Text(), item) == 0)
                return true;
        }
        if (*end == '\0')
            return false;
        start = end + 1;
    }
}

}  // namespace

bool VornString::IsMemberOf(const char* commaList) const
{
    return IsMemberOfList(Text(), commaList, false);
}

bool VornString::IsMemberOfIgnoreCase(const char* commaList) const
{
    return IsMemberOfList(Text(), commaList, true);
}

long VornString::Find(const char* text, size_t from) const
{
    size_t length = Length();
    if (!text || from > length)
        return -1;
    long hit = sjis::Find(Text() + from, length - from, text, std::strlen(text), false);
    return hit < 0 ? -1 : hit + static_cast<long>(from);
}

long VornString::FindIgnoreCase(const char* text, size_t from) const
{
    size_t length = Length();
    if (!text || from > length)
        return -1;
    long hit = sjis::Find(Text() + from, length - from, text, std::strlen(text), true);
    return hit < 0 ? -1 : hit + static_cast<long>(from);
}

bool VornString::StartsWith(const char* text) const
{
    return text && std::strncmp(Text(), text, std::strlen(text)) == 0;
}

long VornString::ToInteger() const { return std::strtol(Text(), nullptr, 10); }

void VornString::UpperCase()
{
    if (buffer_)
        sjis::UpperCase(buffer_);
}

void VornString::Trim(const char* set)
{
    if (!buffer_ || !set)
        return;
    size_t length = Length();
    size_t end = sjis::TrimmedEnd(buffer_, length, set, false);
    size_t start = sjis::TrimmedStart(buffer_, end, set, false);
    std::memmove(buffer_, buffer_ + start, end - start);
    SetLength(end - start);
}

void VornString::TrimBlanks()
{
    if (!buffer_)
        return;
    size_t length = Length();
    size_t end = sjis::TrimmedEnd(buffer_, length, " \t", true);
    size_t start = sjis::TrimmedStart(buffer_, end, " \t", true);
    std::memmove(buffer_, buffer_ + start, end - start);
    SetLength(end - start);
}

// Both remove a whole character: cutting half of a double-byte character
// would leave a stray lead byte that swallows whatever is appended next.
void VornString::Chop()
{
    size_t length = Length();
    if (length == 0)
        return;
    size_t last = 0;
    for (size_t pos = 0; pos < length; pos += sjis::CharLength(buffer_ + pos))
        last = pos;
    SetLength(last);
}

void VornString::RemoveFirst()
{
    size_t length = Length();
    if (length == 0)
        return;
    size_t n = sjis::CharLength(buffer_);
    std::memmove(buffer_, buffer_ + n, length - n);
    SetLength(length - n);
}

void VornString::Unquote(char open, char close)
{
    size_t length = Length();
    if (length >= 2 && buffer_[0] == open && sjis::EndsWithChar(buffer_ + 1, close)) {
        std::memmove(buffer_, buffer_ + 1, length - 2);
        SetLength(length - 2);
    }
}

void VornString::Enclose(char open, char close)
{
    size_t length = Length();
    if (length >= 2 && buffer_[0] == open && sjis::EndsWithChar(buffer_ + 1, close))
        return;
    char head[2] = {open, '\0'};
    char tail[2] = {close, '\0'};
    Prepend(head);
    Append(tail);
}

void VornString::Wrap(const char* text)
{
    if (!text)
        return;
    Prepend(text);
    Append(text);
}

void VornString::StripEnclosingQuotes() { Unquote('"'); }

namespace {

// Start of the extension ('.'), or -1: the last dot of the last path element,
// cancelled by a later blank, like the platform's rule.
long ExtensionStart(const char* text)
{
    long dot = -1;
    for (const char* p = text; *p; p += sjis::CharLength(p)) {
        if (sjis::CharLength(p) != 1)
            continue;
        if (*p == '\\' || *p == ' ')
            dot = -1;
        else if (*p == '.')
            dot = static_cast<long>(p - text);
    }
    return dot;
}

bool IsRootPath(const char* text)
{
    size_t length = std::strlen(text);
    if (length == 1 && text[0] == '\\')
        return true;
    if (length == 3 && text[1] == ':' && text[2] == '\\')
        return true;
    return false;
}

}  // namespace

void VornString::RemoveExtension()
{
    StripEnclosingQuotes();
    long dot = ExtensionStart(Text());
    if (dot >= 0)
        SetLength(static_cast<size_t>(dot));
}

VornString VornString::FindExtension() const
{
    VornString copy(*this);
    copy.StripEnclosingQuotes();
    long dot = ExtensionStart(copy.Text());
    return VornString(dot >= 0 ? copy.Text() + dot : "");
}

void VornString::AddBackslash()
{
    StripEnclosingQuotes();
    if (Length() > 0 && !sjis::EndsWithChar(Text(), '\\'))
        Append('\\');
}

void VornString::RemoveBackslash()
{
    StripEnclosingQuotes();
    if (sjis::EndsWithChar(Text(), '\\') && !IsRootPath(Text()))
        Chop();
}

void VornString::RemoveFileSpec()
{
    StripEnclosingQuotes();
    long slash = sjis::FindLastChar(Text(), '\\');
    if (slash < 0) {
        long colon = sjis::FindLastChar(Text(), ':');
        Left(colon >= 0 ? static_cast<size_t>(colon + 1) : 0);
        return;
    }
    // Keep the backslash of a root ("C:\" or "\").
    bool root = slash == 0 || (slash == 2 && buffer_[1] == ':');
    Left(static_cast<size_t>(root ? slash + 1 : slash));
}

void VornString::StripPath()
{
    StripEnclosingQuotes();
    long slash = sjis::FindLastChar(Text(), '\\');
    long colon = sjis::FindLastChar(Text(), ':');
    long cut = slash > colon ? slash : colon;
    if (cut >= 0) {
        size_t length = Length();
        size_t kept = length - static_cast<size_t>(cut) - 1;
        std::memmove(buffer_, buffer_ + cut + 1, kept);
        SetLength(kept);
    }
}
