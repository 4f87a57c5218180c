#include "desktop/ListViewLayout.h"

#include "platform/Errors.h"

#include <algorithm>

namespace {

class TStructWriter {
public:
    explicit TStructWriter(size_t size) : bytes_(size, 0) {}
    void Put32(size_t offset, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void Put64(size_t offset, uint64_t v) {
        for (int i = 0; i < 8; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    // A pointer of the target process's width.
    void PutPointer(TProcessBitness bitness, size_t offset, uint64_t address) {
        if (bitness == TProcessBitness::Bits64) {
            Put64(offset, address);
            return;
        }
        if (address > UINT32_MAX) throw EMuraltoError("A 32-bit process cannot address the buffer");
        Put32(offset, static_cast<uint32_t>(address));
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace

std::vector<uint8_t> EncodeTextItem(TProcessBitness bitness, uint64_t textAddress, int32_t textMax) {
    const bool wide = bitness == TProcessBitness::Bits64;
    TStructWriter item(wide ? 48 : 36);
    item.Put32(0, kListViewItemText); // mask
    // iItem (4), iSubItem (8), state (12) and stateMask (16) stay 0.
    item.PutPointer(bitness, wide ? 24 : 20, textAddress);           // pszText
    item.Put32(wide ? 32 : 24, static_cast<uint32_t>(textMax));      // cchTextMax
    // iImage and lParam stay 0.
    return item.Take();
}

std::vector<uint8_t> EncodeFindInfo(TProcessBitness bitness, uint32_t flags, uint64_t textAddress) {
    const bool wide = bitness == TProcessBitness::Bits64;
    TStructWriter info(wide ? 40 : 24);
    info.Put32(0, flags);
    info.PutPointer(bitness, wide ? 8 : 4, textAddress); // psz
    // lParam, pt and vkDirection stay 0.
    return info.Take();
}

uint32_t PackItemPosition(int32_t x, int32_t y) {
    const auto word = [](int32_t v) {
        return static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX))));
    };
    return word(x) | (word(y) << 16);
}

void UnpackItemPosition(uint32_t packed, int32_t& x, int32_t& y) {
    x = static_cast<int16_t>(static_cast<uint16_t>(packed & 0xFFFF));
    y = static_cast<int16_t>(static_cast<uint16_t>(packed >> 16));
}
