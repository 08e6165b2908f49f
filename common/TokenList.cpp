#include "TokenList.h"

#include <cstring>

#include "SjisText.h"

void TokenList::Fill(const char* text, char separator)
{
    buffer_.clear();
    fields_.clear();
    if (!text)
        text = "";
    sourceLength_ = std::strlen(text);
    buffer_.assign(text, text + sourceLength_ + 1);
    fields_.push_back(0);
    for (size_t pos = 0; pos < sourceLength_;) {
        size_t n = sjis::CharLength(&buffer_[pos]);
        if (n == 1 && buffer_[pos] == separator) {
            buffer_[pos] = '\0';
            fields_.push_back(pos + 1);
        }
        pos += n;
    }
}

const char* TokenList::Field(int index) const
{
    if (index < 0 || index >= Count())
        return "";
    return &buffer_[fields_[static_cast<size_t>(index)]];
}
