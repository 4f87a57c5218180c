// The fake desktop helper: the shell's desktop list view in a process of its
// own, so that the program reaches it across processes as it reaches the real
// one. It ends when its top-level window is closed, or after two minutes in
// case the test that started it died.
#include "FakeDesktop.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 120000;

HWND listView = nullptr;

LRESULT CALLBACK TopLevelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kReportPosition: {
        POINT p{0, 0};
        ListView_GetItemPosition(listView, static_cast<int>(wParam), &p);
        return MAKELRESULT(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    }
    case WM_TIMER:
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Make(const wchar_t* cls, const wchar_t* title, DWORD style, HWND parent) {
    return CreateWindowExW(0, cls, title, style, 0, 0, 1024, 768, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void Register(const wchar_t* cls, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    Register(kProgmanClass, TopLevelProc);
    Register(kWorkerClass, TopLevelProc);
    Register(L"SHELLDLL_DefView", DefWindowProcW);
    Register(L"FakeDesktopChild", DefWindowProcW);

    const bool workerW = std::wstring(commandLine).find(L"workerw") != std::wstring::npos;
    HWND progman = Make(kProgmanClass, L"Program Manager", WS_POPUP, nullptr);
    HWND owner = progman;
    if (workerW) {
        // As on Windows 7 and later: Progman keeps a child without a view,
        // a first WorkerW has no view either, the second one holds it.
        Make(L"FakeDesktopChild", L"", WS_CHILD, progman);
        Make(kWorkerClass, L"", WS_POPUP, nullptr);
        owner = Make(kWorkerClass, L"", WS_POPUP, nullptr);
    }
    HWND defView = Make(L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, owner);
    listView = Make(WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, defView);
    for (int i = 0; i < kFakeDesktopCount; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(kFakeDesktopLabels[i]);
        ListView_InsertItem(listView, &item);
        ListView_SetItemPosition(listView, i, kFirstX + 10 * i, kFirstY + 5 * i);
    }
    SetTimer(owner, kLifetimeTimer, kLifetimeMs, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
