#pragma once
// The argument a second copy hands to the running one by WM_COPYDATA.
// It travels as UTF-16 in a buffer of 261 wide characters, cut at 260 and
// always NUL-terminated, so paths in any language arrive intact. The receiver
// also takes the older 261-byte form; any size but the wide one is read as
// bytes in the system code page. It never reads past cbData.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr size_t kHandOverChars = 261;             // including the NUL
constexpr size_t kHandOverBytes = kHandOverChars * 2; // cbData of the wide form
constexpr uint32_t kHandOverKind = 0;              // dwData

std::vector<uint8_t> EncodeHandOver(const std::string& argument);

using TCodePageDecoder = std::function<std::string(const std::string& bytes)>;
std::string DecodeHandOver(const void* data, size_t size, const TCodePageDecoder& fromCodePage);

// The command-line argument that asks for the uninstall, in any letter case.
bool IsUninstallArgument(const std::string& argument);
