#include "LineReader.h"

#include "common/SjisText.h"

bool LineReader::Open(const char* path)
{
    Close();
    file_ = std::fopen(path, "rb");
    position_ = filled_ = 0;
    return file_ != nullptr;
}

void LineReader::Close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool LineReader::Fill()
{
    if (position_ < filled_)
        return true;
    if (!file_)
        return false;
    filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    position_ = 0;
    return filled_ > 0;
}

int LineReader::Peek()
{
    return Fill() ? static_cast<unsigned char>(buffer_[position_]) : EOF;
}

bool LineReader::Next(std::string& piece)
{
    piece.clear();
    bool any = false;
    for (;;) {
        int c = Peek();
        if (c == EOF)
            return any;
        any = true;
        if (c == '\n') {
            ++position_;
            return true;
        }
        if (c == '\r') {
            ++position_;
            if (Peek() == '\n')
                ++position_;
            return true;
        }
        // A double-byte character that would not fit whole starts the next piece.
        bool lead = sjis::IsLeadByte(static_cast<unsigned char>(c));
        if (piece.size() + (lead ? 2 : 1) > maxPiece_)
            return true;
        piece.push_back(static_cast<char>(c));
        ++position_;
        if (lead) {
            int trail = Peek();
            if (trail == EOF)
                return true;
            if (trail != '\r' && trail != '\n') {
                piece.push_back(static_cast<char>(trail));
                ++position_;
            }
        }
    }
}
