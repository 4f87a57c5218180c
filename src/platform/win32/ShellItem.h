#pragma once
// An item of the shell's namespace as the Windows layer hands it to the
// portable code (the namespace picker's answer): the item's identifier list
// from the desktop down, owned here and given back to the shell's allocator.
// The shell link object takes it back through Get.
#include "platform/Shell.h"
#include "platform/win32/ComPtr.h"

#include <shtypes.h>

#include <utility>

namespace win {

class TShellItem : public INamespaceItem {
public:
    // Takes over a list the shell allocated.
    explicit TShellItem(PIDLIST_ABSOLUTE id) : id_(id) {}
    explicit TShellItem(ItemIdList id) : id_(std::move(id)) {}

    // The desktop's own list is empty (a lone terminator), not null.
    PCIDLIST_ABSOLUTE Get() const { return id_.Get(); }

private:
    ItemIdList id_;
};

} // namespace win
