#include "desktop/win/ShellViewDesktop.h"

#include "desktop/ListViewLayout.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinError.h"

#include <oleauto.h>
#include <shlguid.h>

#include <utility>

namespace {

void CheckHr(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) {
        const auto code = static_cast<DWORD>(hr);
        throw win::EWin32Error(what + ": " + win::SystemMessage(code), code);
    }
}

std::wstring FromAnsi(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size) - 1);
    return wide;
}

// The text of a STRRET, releasing the block a wide one comes in. Written out
// here rather than taken from shlwapi's StrRetToStrW so the program does not
// link one more library for a few lines.
std::wstring TakeStrRet(STRRET& value, PCUITEMID_CHILD item) {
    switch (value.uType) {
    case STRRET_WSTR: {
        const win::CoTaskMemPtr<wchar_t> text(value.pOleStr);
        return text ? std::wstring(text.Get()) : std::wstring();
    }
    case STRRET_OFFSET:
        return FromAnsi(reinterpret_cast<const char*>(item) + value.uOffset);
    case STRRET_CSTR:
        return FromAnsi(value.cStr);
    default:
        return {};
    }
}

} // namespace

// ---- TDesktopShellView ----

namespace {

// Wine's shell registers a desktop view that never shows, and reaching it
// from another process makes Wine create windows that its X driver refuses
// (the program then ends with an X error). Its desktop keeps the positions
// set through the list view, so there the list view is the way.
bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace

win::ComPtr<IFolderView2> TDesktopShellView::Find() {
    if (RunningOnWine()) return {};
    // The list view's parent is the SHELLDLL_DefView window of the shell
    // view that shows the desktop.
    const HWND listView = FindDesktopListViewWindow();
    const HWND viewWindow = listView ? GetParent(listView) : nullptr;
    if (!viewWindow) return {};
    win::ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.Out())) ||
        !windows)
        return {};
    return FindIn(*windows.Get(), viewWindow);
}

win::ComPtr<IFolderView2> TDesktopShellView::FindIn(IShellWindows& windows, HWND viewWindow) {
    // Neither variant owns anything, so neither needs VariantClear.
    VARIANT location{};
    V_VT(&location) = VT_I4;
    V_I4(&location) = CSIDL_DESKTOP;
    VARIANT root{};
    V_VT(&root) = VT_EMPTY;
    long window = 0;
    win::ComPtr<IDispatch> dispatch;
    // S_FALSE: the shell has no desktop window registered.
    if (windows.FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &dispatch) != S_OK ||
        !dispatch)
        return {};
    win::ComPtr<IServiceProvider> services;
    if (FAILED(dispatch->QueryInterface(IID_IServiceProvider, services.Out())) || !services) return {};
    win::ComPtr<IShellBrowser> browser;
    if (FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.Out())) || !browser)
        return {};
    win::ComPtr<IShellView> view;
    if (FAILED(browser->QueryActiveShellView(&view)) || !view) return {};
    HWND shown = nullptr;
    if (FAILED(view->GetWindow(&shown)) || !shown || shown != viewWindow) return {};
    win::ComPtr<IFolderView2> folderView;
    if (FAILED(view->QueryInterface(IID_IFolderView2, folderView.Out())) || !folderView) return {};
    return folderView;
}

// ---- TWinFolderView ----

TWinFolderView::TWinFolderView(win::ComPtr<IFolderView2> view) : view_(std::move(view)) {
    CheckHr(view_->GetFolder(IID_IShellFolder, folder_.Out()), "Cannot reach the desktop's folder");
}

win::ItemIdList TWinFolderView::Item(int index) {
    win::ItemIdList item;
    if (FAILED(view_->Item(index, reinterpret_cast<PITEMID_CHILD*>(item.Receive())))) item.Reset();
    return item;
}

int TWinFolderView::ItemCount() {
    int count = 0;
    CheckHr(view_->ItemCount(SVGIO_ALLVIEW, &count), "Cannot count the desktop's icons");
    return count;
}

std::string TWinFolderView::ItemName(int index) {
    const auto item = Item(index);
    if (!item) return {};
    // The in-folder name is the label the desktop shows under the icon,
    // which is what the list view reports and so what the saved positions
    // are keyed by. SHGDN_NORMAL may add what a name needs outside its
    // folder; SHGDN_INFOLDER never does.
    STRRET name{};
    if (FAILED(folder_->GetDisplayNameOf(item.Get(), SHGDN_INFOLDER, &name))) return {};
    std::wstring wide = TakeStrRet(name, item.Get());
    // The list view hands out at most this many characters: the same cut
    // keeps labels saved by either route the same value name.
    if (wide.size() > size_t(kListViewTextMax - 1)) wide.resize(kListViewTextMax - 1);
    return win::Utf8(wide);
}

bool TWinFolderView::ItemPosition(int index, TIconData& position) {
    const auto item = Item(index);
    POINT point{};
    if (!item || FAILED(view_->GetItemPosition(item.Get(), &point))) return false;
    position = {point.x, point.y};
    return true;
}

void TWinFolderView::PositionItem(int index, TIconData position) {
    const auto item = Item(index);
    // As LVM_SETITEMPOSITION does, an item that has gone is left alone.
    if (!item) return;
    PCUITEMID_CHILD items[] = {item.Get()};
    POINT point{position.X, position.Y};
    CheckHr(view_->SelectAndPositionItems(1, items, &point, SVSI_POSITIONITEM), "Cannot move a desktop icon");
}

uint32_t TWinFolderView::FolderFlags() {
    DWORD flags = 0;
    CheckHr(view_->GetCurrentFolderFlags(&flags), "Cannot read the desktop's view settings");
    return flags;
}

void TWinFolderView::SetFolderFlags(uint32_t mask, uint32_t flags) {
    CheckHr(view_->SetCurrentFolderFlags(mask, flags), "Cannot change the desktop's view settings");
}

// ---- TDesktopRoute ----

TDesktopRoute::TDesktopRoute() : shellView_(&TDesktopShellView::Find), listView_(systemListView_) {}

TDesktopRoute::TDesktopRoute(TShellViewSource shellView, IDesktop& listView)
    : shellView_(std::move(shellView)), listView_(listView) {}

std::unique_ptr<IDesktopListView> TDesktopRoute::FindDesktopListView() {
    // Looked for every time: Explorer may have restarted, or not be the
    // shell at all, since the last operation.
    if (auto folderView = shellView_ ? shellView_() : win::ComPtr<IFolderView2>())
        return std::make_unique<TShellViewListView>(std::make_unique<TWinFolderView>(std::move(folderView)));
    return listView_.FindDesktopListView();
}
