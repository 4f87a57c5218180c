#include "engine/PngDecoder.h"
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzOne(data, size, [](const uint8_t* d, size_t n) { return DecodePng(d, n); });
}
