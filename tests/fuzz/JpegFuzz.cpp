#include "engine/JpegDecoder.h"
#include "FuzzHarness.h"

// Both outputs: 24 bits, and 8 bits through the library's quantiser.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool eightBit = size > 0 && (data[size - 1] & 1);
    return FuzzOne(data, size, [eightBit](const uint8_t* d, size_t n) { return DecodeJpeg(d, n, eightBit); });
}
