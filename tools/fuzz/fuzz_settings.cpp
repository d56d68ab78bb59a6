// LoadSettings over an arbitrary sf04, with and without the earlier release's sf; then a save.
#include <cstdint>

#include "data/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    WriteWhole("sf04", data, size);
    if (size > 0 && (data[0] & 1)) WriteWhole("sf", data, 0);
    if (LoadSettings()) SaveSettings();
    return 0;
}
