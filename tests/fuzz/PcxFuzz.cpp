#include "engine/PcxMap.h"
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzOne(data, size, [](const uint8_t* d, size_t n) {
        TPcxmap pcx; // never raises: a bad file is an empty bitmap
        pcx.LoadFromStream(d, n);
        return std::move(static_cast<TBitmap&>(pcx));
    });
}
