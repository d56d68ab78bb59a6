// Byte builders shared by the data layer's tests.
#pragma once
#include <utility>

#include "tests/support/test_support.h"

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
