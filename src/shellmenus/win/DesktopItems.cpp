#include "shellmenus/win/DesktopItems.h"

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "shellmenus/win/ItemProp.h"
#include "shellmenus/win/SystemImageList.h"

#include <cstring>
#include <functional>

namespace {

constexpr SHCONTF kDesktopContents = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;

std::string AnsiText(const char* text, size_t length) {
    if (length == 0) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), wide.data(), n);
    return win::Utf8(wide);
}

// Calls visit for every item of the desktop folder with its position in the
// enumeration, until visit returns false. Each identifier is given back to
// the shell allocator after its visit. False when the desktop could not be
// enumerated at all.
bool ForEachDesktopItem(HWND owner,
                        const std::function<bool(IShellFolder* desktop, PCUITEMID_CHILD item, int index)>& visit) {
    win::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return false;
    win::ComPtr<IEnumIDList> items;
    if (desktop->EnumObjects(owner, kDesktopContents, &items) != S_OK || !items) return false;
    win::ItemIdList item;
    for (int index = 0; items->Next(1, item.Receive(), nullptr) == S_OK && item; ++index)
        if (!visit(desktop.Get(), item.Get(), index)) break;
    return true;
}

} // namespace

std::optional<std::string> DisplayNameText(STRRET& name, PCUITEMID_CHILD item) {
    switch (name.uType) {
    case STRRET_WSTR: {
        win::CoTaskMemPtr<WCHAR> text(std::exchange(name.pOleStr, nullptr));
        if (!text) return std::nullopt;
        return win::Utf8(text.Get());
    }
    case STRRET_OFFSET: {
        if (!item) return std::nullopt;
        const char* text = reinterpret_cast<const char*>(item) + name.uOffset;
        return AnsiText(text, std::strlen(text));
    }
    case STRRET_CSTR: // may fill all 260 characters without a terminator
        return AnsiText(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    }
    return std::nullopt;
}

std::vector<TDesktopItem> DesktopItems(HWND owner) {
    std::vector<TDesktopItem> result;
    ForEachDesktopItem(owner, [&](IShellFolder* desktop, PCUITEMID_CHILD item, int index) {
        STRRET name{};
        if (FAILED(desktop->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) return true;
        std::optional<std::string> caption = DisplayNameText(name, item);
        if (!caption) return true;
        // Relative to the desktop, a child identifier is an absolute one.
        result.push_back({std::move(*caption), SystemIconIndexOfItem(item), index});
        return true;
    });
    return result;
}

bool RunDesktopItem(int enumIndex, HWND owner, const std::string& programFolder) {
    SetCurrentDirectoryW(win::Wide(programFolder).c_str());
    bool ran = false;
    ForEachDesktopItem(owner, [&](IShellFolder* desktop, PCUITEMID_CHILD item, int index) {
        if (index < enumIndex) return true;
        ran = RunDefaultCommand(desktop, item, owner);
        return false;
    });
    return ran;
}
