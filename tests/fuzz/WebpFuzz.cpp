#include "engine/WebpDecoder.h"
#include "FuzzHarness.h"

// Still pictures with and without alpha, and animations.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzOne(data, size, [](const uint8_t* d, size_t n) { return DecodeWebp(d, n); });
}
