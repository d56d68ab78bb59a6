// Owning 8-bit and 16-bit strings: one heap buffer of exactly length + 1 units, no sharing. A
// WideString also keeps its length, so measuring it costs nothing.
#pragma once
#include <cstddef>
#include <cstdint>

class WideString;

class NarrowString {
public:
    NarrowString();
    NarrowString(const char* text);          // copied
    explicit NarrowString(long long number); // its decimal digits
    explicit NarrowString(const WideString& wide);  // each unit narrowed to its low byte
    NarrowString(const NarrowString& other);
    NarrowString& operator=(const NarrowString& other);
    ~NarrowString();

    const char* c_str() const { return buffer_; }
    std::size_t length() const;

private:
    char* buffer_;
};

class WideString {
public:
    WideString();
    WideString(const std::uint16_t* text);  // copied up to its zero unit
    WideString(const std::uint16_t* text, std::size_t length);  // exactly 'length' units, none of them zero
    WideString(const char* text);           // each byte widened to one unit
    explicit WideString(const NarrowString& text);
    WideString(const WideString& other);
    WideString& operator=(const WideString& other);
    ~WideString();

    const std::uint16_t* data() const { return buffer_; }
    std::size_t length() const { return length_; }
    std::uint16_t operator[](std::size_t i) const { return buffer_[i]; }
    WideString operator+(const WideString& other) const;  // concatenation into a new string
    WideString Left(std::size_t n) const;                  // first n units, all when n exceeds the length
    bool operator==(const WideString& other) const;         // unit by unit
    bool operator!=(const WideString& other) const { return !(*this == other); }

private:
    std::uint16_t* buffer_;
    std::size_t length_;
};
