// Byte builders shared by the data layer's tests.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

inline void Append16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A cbfcon or cifcon of the given (code, offset) entries.
inline Bytes IndexFile(std::vector<std::pair<std::uint16_t, std::uint32_t>> entries) {
    Bytes out;
    Append16(out, static_cast<std::uint32_t>(entries.size()));
    for (auto [code, offset] : entries) {
        Append16(out, code);
        Append16(out, offset & 0xFFFF);
        Append16(out, offset >> 16);
    }
    return out;
}
