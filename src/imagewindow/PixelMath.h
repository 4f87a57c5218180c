#pragma once
// Arithmetic shared by the working image and its effects: the one clamp,
// rounding with ties to even, and conversions of reals to integers that
// cannot overflow.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

// The pixels depend on every float and double operation rounding to its own
// precision: no x87 excess precision (the 32-bit build uses SSE2), no fused
// multiply-adds (-ffp-contract=off everywhere).
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "Pixel arithmetic needs float and double evaluated in their own precision (SSE2 math)."
#endif

namespace pixelmath {

// The one clamp of the pixel code.
template <typename T>
constexpr T Clamp(T value, T low, T high) {
    return value < low ? low : (value > high ? high : value);
}

inline uint8_t ClampByte(int value) {
    return static_cast<uint8_t>(Clamp(value, 0, 255));
}

// round(v) with ties to even. The program never changes the floating-point
// rounding mode, so std::rint rounds exactly as std::nearbyint does (it may
// raise the inexact flag, which nothing reads); unlike nearbyint, compilers
// expand it inline. A test checks the two agree.
inline double RoundEven(double v) {
    return std::rint(v);
}
inline float RoundEven(float v) {
    return std::rint(v);
}

// Sizes, positions and fixed-point accumulators stay far inside this range,
// so a saturated value is always "outside the image" and never overflows
// when a coordinate is added to it.
constexpr int64_t kFarOutside = int64_t(1) << 62;

// round(v) with ties to even, as a 64-bit integer; NaN and values beyond
// ±2^62 become -2^62 or +2^62 (NaN the former), which lie outside every image.
inline int64_t RoundToInt64(double v) {
    if (!(v > -static_cast<double>(kFarOutside))) return -kFarOutside;
    if (v >= static_cast<double>(kFarOutside)) return kFarOutside;
    return static_cast<int64_t>(RoundEven(v));
}

// round(v) clamped into the range of a signed 32-bit integer.
inline int32_t RoundToInt32(double v) {
    return static_cast<int32_t>(Clamp<int64_t>(RoundToInt64(v), std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
}

// The error of an operation whose memory cannot be had (EImageError).
[[noreturn]] void ThrowOutOfMemory();

// A line buffer or row table: failure to get it is the program's error,
// not a crash.
template <typename T>
std::vector<T> MakeBuffer(size_t count, T value = T()) {
    try {
        return std::vector<T>(count, value);
    } catch (const std::bad_alloc&) {
        ThrowOutOfMemory();
    } catch (const std::length_error&) {
        ThrowOutOfMemory();
    }
}

} // namespace pixelmath
