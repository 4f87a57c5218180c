// The list-view structures as the shell's process reads them, for both
// bitnesses, and the packing of item positions.
#include "desktop/ListViewLayout.h"

#include "platform/Errors.h"

#include <gtest/gtest.h>

using Bytes = std::vector<uint8_t>;

TEST(ListViewLayout, TextItemFor32BitShell) {
    const Bytes expected = {
        0x01, 0, 0, 0,          // mask LVIF_TEXT
        0, 0, 0, 0,             // iItem
        0, 0, 0, 0,             // iSubItem
        0, 0, 0, 0,             // state
        0, 0, 0, 0,             // stateMask
        0x78, 0x56, 0x34, 0x12, // pszText
        0xFF, 0, 0, 0,          // cchTextMax 255
        0, 0, 0, 0,             // iImage
        0, 0, 0, 0,             // lParam
    };
    EXPECT_EQ(EncodeTextItem(TProcessBitness::Bits32, 0x12345678, kListViewTextMax), expected);
}

TEST(ListViewLayout, TextItemFor64BitShell) {
    const Bytes expected = {
        0x01, 0, 0, 0,                                  // mask LVIF_TEXT
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // iItem, iSubItem, state, stateMask
        0, 0, 0, 0,                                     // padding before the pointer
        0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01, // pszText
        0xFF, 0, 0, 0,                                  // cchTextMax 255
        0, 0, 0, 0,                                     // iImage
        0, 0, 0, 0, 0, 0, 0, 0,                         // lParam
    };
    EXPECT_EQ(EncodeTextItem(TProcessBitness::Bits64, 0x0123456789ABCDEFull, kListViewTextMax), expected);
}

TEST(ListViewLayout, FindInfoForBothBitnesses) {
    const Bytes expected32 = {
        0x22, 0, 0, 0,          // flags LVFI_STRING | LVFI_WRAP
        0x44, 0x33, 0x22, 0x11, // psz
        0, 0, 0, 0,             // lParam
        0, 0, 0, 0, 0, 0, 0, 0, // pt
        0, 0, 0, 0,             // vkDirection
    };
    EXPECT_EQ(EncodeFindInfo(TProcessBitness::Bits32, kFindLabelFlags, 0x11223344), expected32);

    const Bytes expected64 = {
        0x22, 0, 0, 0, 0, 0, 0, 0,                      // flags, padding
        0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, // psz
        0, 0, 0, 0, 0, 0, 0, 0,                         // lParam
        0, 0, 0, 0, 0, 0, 0, 0,                         // pt
        0, 0, 0, 0, 0, 0, 0, 0,                         // vkDirection, padding
    };
    EXPECT_EQ(EncodeFindInfo(TProcessBitness::Bits64, kFindLabelFlags, 0x1122334455667788ull), expected64);
}

TEST(ListViewLayout, A32BitShellCannotTakeAWideAddress) {
    EXPECT_THROW(EncodeTextItem(TProcessBitness::Bits32, 0x100000000ull, 255), EMuraltoError);
    EXPECT_THROW(EncodeFindInfo(TProcessBitness::Bits32, kFindLabelFlags, 0x100000000ull), EMuraltoError);
}

TEST(ListViewLayout, PositionsArePackedAsSigned16BitWords) {
    EXPECT_EQ(PackItemPosition(-1000, -1000), 0xFC18FC18u);
    EXPECT_EQ(PackItemPosition(188, 87), (87u << 16) | 188u);
    EXPECT_EQ(PackItemPosition(-1, 0), 0x0000FFFFu);
    // Beyond 16 bits a coordinate is held at the end of the range.
    EXPECT_EQ(PackItemPosition(40000, -40000), 0x80007FFFu);
    int32_t x = 0, y = 0;
    UnpackItemPosition(PackItemPosition(-1000, 32767), x, y);
    EXPECT_EQ(x, -1000);
    EXPECT_EQ(y, 32767);
}
