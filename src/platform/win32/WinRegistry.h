#pragma once
// The registry seam over the Win32 registry API (wide functions).
#include "platform/Registry.h"

namespace reg {

class WinRegistry : public IRegistry {
public:
    std::unique_ptr<IKey> Open(Root root, const std::string& path, bool write) override;
    std::unique_ptr<IKey> Create(Root root, const std::string& path) override;
    bool DeleteTree(Root root, const std::string& path) override;
};

} // namespace reg
