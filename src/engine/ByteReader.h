#pragma once
// Reads little-endian fields from untrusted bytes. A read past the end sets a
// sticky failure and yields zeros, so a parser checks Ok() once per step
// instead of after every field; bounds are tested as "n > size - offset",
// which cannot overflow.
#include <cstddef>
#include <cstdint>

class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return offset_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - offset_; }
    const uint8_t* Here() const { return data_ + offset_; }

    bool Seek(size_t offset) {
        if (offset > size_) return ok_ = false;
        offset_ = offset;
        return true;
    }
    bool Skip(size_t n) {
        if (n > size_ - offset_) return ok_ = false;
        offset_ += n;
        return true;
    }
    uint8_t U8() { return static_cast<uint8_t>(Read(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Read(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Read(4)); }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    // Whether n more bytes are there, without moving.
    bool Has(size_t n) const { return n <= size_ - offset_; }

private:
    uint64_t Read(size_t n) {
        if (!ok_ || n > size_ - offset_) {
            ok_ = false;
            return 0;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i) v |= uint64_t(data_[offset_ + i]) << (8 * i);
        offset_ += n;
        return v;
    }

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};
