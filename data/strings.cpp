// Owning 8-bit and 16-bit strings. Every string owns exactly one buffer of length + 1 units;
// every copy allocates, so no two strings ever share a buffer.
#include "data/strings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

char* CopyNarrow(const char* text, std::size_t length) {
    char* buffer = new char[length + 1];
    if (length > 0) std::memcpy(buffer, text, length);
    buffer[length] = 0;
    return buffer;
}

std::size_t WideLength(const std::uint16_t* text) {
    std::size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

std::uint16_t* CopyWide(const std::uint16_t* text, std::size_t length) {
    std::uint16_t* buffer = new std::uint16_t[length + 1];
    if (length > 0) std::copy(text, text + length, buffer);
    buffer[length] = 0;
    return buffer;
}

}  // namespace

NarrowString::NarrowString() : buffer_(CopyNarrow("", 0)) {}

// A null pointer is taken as the empty string rather than trusted.
NarrowString::NarrowString(const char* text)
    : buffer_(text ? CopyNarrow(text, std::strlen(text)) : CopyNarrow("", 0)) {}

NarrowString::NarrowString(long long number) {
    char digits[32];
    int length = std::snprintf(digits, sizeof digits, "%lld", number);
    buffer_ = CopyNarrow(digits, static_cast<std::size_t>(length));
}

NarrowString::NarrowString(const WideString& wide) {
    std::size_t length = wide.length();
    buffer_ = new char[length + 1];
    for (std::size_t i = 0; i < length; ++i) buffer_[i] = static_cast<char>(wide[i] & 0xFF);
    buffer_[length] = 0;
}

NarrowString::NarrowString(const NarrowString& other)
    : buffer_(CopyNarrow(other.buffer_, other.length())) {}

NarrowString& NarrowString::operator=(const NarrowString& other) {
    if (this != &other) {
        char* fresh = CopyNarrow(other.buffer_, other.length());
        delete[] buffer_;
        buffer_ = fresh;
    }
    return *this;
}

NarrowString::~NarrowString() { delete[] buffer_; }

std::size_t NarrowString::length() const { return std::strlen(buffer_); }

WideString::WideString() : buffer_(new std::uint16_t[1]), length_(0) { buffer_[0] = 0; }

WideString::WideString(const std::uint16_t* text) : WideString(text, text ? WideLength(text) : 0) {}

WideString::WideString(const std::uint16_t* text, std::size_t length)
    : buffer_(CopyWide(text, length)), length_(length) {}

// Bytes are widened without sign, so byte 0xE9 becomes unit 0x00E9.
WideString::WideString(const char* text) : length_(text ? std::strlen(text) : 0) {
    buffer_ = new std::uint16_t[length_ + 1];
    for (std::size_t i = 0; i < length_; ++i) buffer_[i] = static_cast<unsigned char>(text[i]);
    buffer_[length_] = 0;
}

WideString::WideString(const NarrowString& text) : WideString(text.c_str()) {}

WideString::WideString(const WideString& other) : WideString(other.buffer_, other.length_) {}

WideString& WideString::operator=(const WideString& other) {
    if (this != &other) {
        std::uint16_t* fresh = CopyWide(other.buffer_, other.length_);
        delete[] buffer_;
        buffer_ = fresh;
        length_ = other.length_;
    }
    return *this;
}

WideString::~WideString() { delete[] buffer_; }

WideString WideString::operator+(const WideString& other) const {
    WideString result;
    delete[] result.buffer_;
    result.length_ = length_ + other.length_;
    result.buffer_ = new std::uint16_t[result.length_ + 1];
    std::copy(buffer_, buffer_ + length_, result.buffer_);
    std::copy(other.buffer_, other.buffer_ + other.length_, result.buffer_ + length_);
    result.buffer_[result.length_] = 0;
    return result;
}

WideString WideString::Left(std::size_t n) const { return WideString(buffer_, n < length_ ? n : length_); }

bool WideString::operator==(const WideString& other) const {
    return length_ == other.length_ && std::equal(buffer_, buffer_ + length_, other.buffer_);
}
