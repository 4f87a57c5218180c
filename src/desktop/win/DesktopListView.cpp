#include "desktop/win/DesktopListView.h"

#include "platform/win32/WinError.h"

#include <commctrl.h>

#include <cstring>

namespace {

// The Windows 95/98 allocation flag that places a block in the region every
// process shares.
constexpr DWORD kSharedMemory = 0x08000000;
constexpr size_t kLabelBytes = kListViewTextMax * sizeof(wchar_t);

// Windows 95, 98 and Me: the only systems with the shared region.
bool IsWindows9x() {
    return (GetVersion() & 0x80000000u) != 0;
}

bool RunsUnderWow64(HANDLE process) {
    using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Missing on systems older than 64-bit Windows, which run no WOW64.
    static const FARPROC query = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return query && reinterpret_cast<TIsWow64Process>(reinterpret_cast<void*>(query))(process, &wow64) && wow64;
}

TProcessBitness BitnessOf(HANDLE process) {
#ifdef _WIN64
    return RunsUnderWow64(process) ? TProcessBitness::Bits32 : TProcessBitness::Bits64;
#else
    // A 32-bit program meets 64-bit processes only on a 64-bit system, where
    // it runs under WOW64 itself.
    if (!RunsUnderWow64(GetCurrentProcess())) return TProcessBitness::Bits32;
    return RunsUnderWow64(process) ? TProcessBitness::Bits32 : TProcessBitness::Bits64;
#endif
}

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[64];
    return GetClassNameW(window, name, 64) && lstrcmpiW(name, className) == 0;
}

HWND FirstChild(HWND window) {
    return window ? GetWindow(window, GW_CHILD) : nullptr;
}

} // namespace

HWND FindDesktopListViewWindow() {
    HWND view = FirstChild(FirstChild(FindWindowW(L"Progman", L"Program Manager")));
    if (view && HasClass(view, WC_LISTVIEWW)) return view;
    for (HWND worker = nullptr; (worker = FindWindowExW(nullptr, worker, L"WorkerW", nullptr)) != nullptr;) {
        if (HWND defView = FindWindowExW(worker, nullptr, L"SHELLDLL_DefView", nullptr))
            return FindWindowExW(defView, nullptr, WC_LISTVIEWW, nullptr);
    }
    return nullptr;
}

// ---- TListViewProcess ----

TListViewProcess::TListViewProcess(HWND view)
    : bitness_(sizeof(void*) == 8 ? TProcessBitness::Bits64 : TProcessBitness::Bits32) {
    // The shared region serves every process of a 9x system alike. Elsewhere
    // the flag is refused (or means something else): there the buffers go
    // into the list view's own process.
    if (IsWindows9x()) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(view, &processId);
    if (!processId) win::ThrowLastError("The desktop's list view is gone");
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (!process_) win::ThrowLastError("Cannot reach the process of the desktop's list view");
    bitness_ = BitnessOf(process_.Get());
}

// ---- TListViewBuffer ----

TListViewBuffer::TListViewBuffer(TListViewProcess& process, size_t size) : process_(process), size_(size) {
    block_ = process.Shared()
                 ? VirtualAlloc(nullptr, size, MEM_COMMIT | kSharedMemory, PAGE_READWRITE)
                 : VirtualAllocEx(process.Process(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block_) win::ThrowLastError("Cannot get memory for the desktop's list view");
}

TListViewBuffer::~TListViewBuffer() {
    if (process_.Shared())
        VirtualFree(block_, 0, MEM_RELEASE);
    else
        VirtualFreeEx(process_.Process(), block_, 0, MEM_RELEASE);
}

void TListViewBuffer::Write(const void* data, size_t size, size_t offset) {
    if (offset > size_ || size > size_ - offset) throw EMuraltoError("Write past a list-view buffer");
    if (process_.Shared()) {
        std::memcpy(static_cast<char*>(block_) + offset, data, size);
        return;
    }
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_.Process(), static_cast<char*>(block_) + offset, data, size, &done) ||
        done != size)
        win::ThrowLastError("Cannot write to the desktop's list view");
}

void TListViewBuffer::Read(void* data, size_t size, size_t offset) const {
    if (offset > size_ || size > size_ - offset) throw EMuraltoError("Read past a list-view buffer");
    if (process_.Shared()) {
        std::memcpy(data, static_cast<const char*>(block_) + offset, size);
        return;
    }
    SIZE_T done = 0;
    if (!ReadProcessMemory(process_.Process(), static_cast<const char*>(block_) + offset, data, size, &done) ||
        done != size)
        win::ThrowLastError("Cannot read from the desktop's list view");
}

// ---- TWinDesktopListView ----

TWinDesktopListView::TWinDesktopListView(HWND view) : view_(view), process_(view) {}

int TWinDesktopListView::ItemCount() {
    return static_cast<int>(SendMessageW(view_, LVM_GETITEMCOUNT, 0, 0));
}

std::string TWinDesktopListView::ItemText(int index) {
    if (!label_) label_ = std::make_unique<TListViewBuffer>(process_, kLabelBytes);
    // An item that no longer exists writes nothing: it must not show the
    // label read before.
    const wchar_t none = 0;
    label_->Write(&none, sizeof none);
    {
        const auto bytes = EncodeTextItem(process_.Bitness(), label_->Address(), kListViewTextMax);
        TListViewBuffer item(process_, bytes.size());
        item.Write(bytes.data(), bytes.size());
        SendMessageW(view_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), item.Param());
    }
    wchar_t text[kListViewTextMax];
    label_->Read(text, sizeof text);
    text[kListViewTextMax - 1] = 0;
    return win::Utf8(text);
}

bool TWinDesktopListView::ItemPosition(int index, TIconData& position) {
    TListViewBuffer point(process_, 2 * sizeof(int32_t)); // POINT in both bitnesses
    if (!SendMessageW(view_, LVM_GETITEMPOSITION, static_cast<WPARAM>(index), point.Param())) return false;
    int32_t xy[2];
    point.Read(xy, sizeof xy);
    position = {xy[0], xy[1]};
    return true;
}

int TWinDesktopListView::FindItem(const std::string& label) {
    std::wstring wide = win::Wide(label);
    if (wide.size() > kListViewTextMax - 1) wide.resize(kListViewTextMax - 1);
    TListViewBuffer text(process_, kLabelBytes);
    text.Write(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    const auto bytes = EncodeFindInfo(process_.Bitness(), kFindLabelFlags, text.Address());
    TListViewBuffer info(process_, bytes.size());
    info.Write(bytes.data(), bytes.size());
    // From -1: the search starts at the first item.
    return static_cast<int>(SendMessageW(view_, LVM_FINDITEMW, static_cast<WPARAM>(-1), info.Param()));
}

void TWinDesktopListView::SetItemPosition(int index, uint32_t packed) {
    SendMessageW(view_, LVM_SETITEMPOSITION, static_cast<WPARAM>(index), static_cast<LPARAM>(packed));
}

std::unique_ptr<IDesktopListView> TWinDesktop::FindDesktopListView() {
    HWND view = FindDesktopListViewWindow();
    return view ? std::make_unique<TWinDesktopListView>(view) : nullptr;
}
