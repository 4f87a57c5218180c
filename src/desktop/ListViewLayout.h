#pragma once
// The list-view structures that go into the desktop list view's process, laid
// out byte by byte for that process's bitness (the shell may be 64-bit while
// the program is 32-bit, or the other way round), and the packing of an item
// position into one message parameter.
#include <cstdint>
#include <vector>

enum class TProcessBitness { Bits32, Bits64 };

// Label buffers hold 255 characters (254 and the terminating zero).
constexpr int kListViewTextMax = 255;
// LVFI_STRING | LVFI_WRAP: an exact label, compared without regard to case,
// searched over every item.
constexpr uint32_t kFindLabelFlags = 0x22;
constexpr uint32_t kListViewItemText = 0x0001; // LVIF_TEXT

// LVITEM asking for the text of sub-item 0 into a buffer at textAddress of
// textMax characters: mask, iItem, iSubItem, state, stateMask, pszText,
// cchTextMax, iImage, lParam. 36 bytes for a 32-bit process, 48 for a 64-bit
// one (pointers are 8 bytes and 8-aligned there).
std::vector<uint8_t> EncodeTextItem(TProcessBitness bitness, uint64_t textAddress, int32_t textMax);

// LVFINDINFO for a label at textAddress: flags, psz, lParam, pt, vkDirection.
// 24 bytes for a 32-bit process, 40 for a 64-bit one.
std::vector<uint8_t> EncodeFindInfo(TProcessBitness bitness, uint32_t flags, uint64_t textAddress);

// LVM_SETITEMPOSITION's parameter: x in the low word, y in the high word,
// each a signed 16-bit value. Coordinates beyond that range are held at its
// ends rather than wrapped round to the other side of the desktop.
uint32_t PackItemPosition(int32_t x, int32_t y);
// The list view's reading of the parameter.
void UnpackItemPosition(uint32_t packed, int32_t& x, int32_t& y);
