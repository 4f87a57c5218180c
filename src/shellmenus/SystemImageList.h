#pragma once
// The shell's system image list, as the menus ask it for icons: the index of
// a path's small icon (the small and large lists share indexes). The Windows
// layer asks the shell; item identifier lookups live there too.
#include <cstdint>
#include <string>

// File attributes for lookups without disk access (the Win32 values).
namespace fileattr {
constexpr uint32_t ReadOnly = 0x1;
constexpr uint32_t Hidden = 0x2;
constexpr uint32_t System = 0x4;
constexpr uint32_t Directory = 0x10;
constexpr uint32_t Archive = 0x20;
constexpr uint32_t Normal = 0x80;
constexpr uint32_t Temporary = 0x100;
constexpr uint32_t Compressed = 0x800;
constexpr uint32_t Offline = 0x1000;
} // namespace fileattr

class ISystemIcons {
public:
    virtual ~ISystemIcons() = default;
    // The icon of the file or folder at the path when it exists, else the
    // icon its name alone gives (no disk access).
    virtual int32_t IndexByPath(const std::string& path) = 0;
    // The icon that an item of that name with these attributes would have,
    // always without disk access (fileattr:: bits).
    virtual int32_t IndexByAttributes(const std::string& path, uint32_t attributes) = 0;
};
