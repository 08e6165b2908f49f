// Bits most significant first, as the -lh5- method packs its codes.
#pragma once

#include <cstdint>
#include <string>

class BitReader {
public:
    explicit BitReader(const std::string& bytes) : bytes_(bytes) {}
    // Past the end the stream reads zero bits and Overrun() turns true.
    uint32_t Read(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = (value << 1) | ReadBit();
        return value;
    }
    uint32_t ReadBit()
    {
        if (bitAt_ >= bytes_.size() * 8) {
            overrun_ = true;
            return 0;
        }
        uint32_t bit = (static_cast<unsigned char>(bytes_[bitAt_ >> 3]) >> (7 - (bitAt_ & 7))) & 1;
        ++bitAt_;
        return bit;
    }
    bool Overrun() const { return overrun_; }

private:
    const std::string& bytes_;
    size_t bitAt_ = 0;
    bool overrun_ = false;
};

class BitWriter {
public:
    void Write(int count, uint32_t value)
    {
        for (int i = count - 1; i >= 0; --i) {
            current_ = static_cast<uint8_t>((current_ << 1) | ((value >> i) & 1));
            if (++filled_ == 8) {
                bytes_.push_back(static_cast<char>(current_));
                current_ = 0;
                filled_ = 0;
            }
        }
    }
    std::string Finish()
    {
        if (filled_)
            Write(8 - filled_, 0);
        return bytes_;
    }
    size_t Size() const { return bytes_.size(); }

private:
    std::string bytes_;
    uint8_t current_ = 0;
    int filled_ = 0;
};
