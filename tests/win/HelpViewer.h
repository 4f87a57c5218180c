#pragma once
// The HTML Help viewer as a test sees it: its window in this process, the
// pages of the compiled help file read back through the system's own reader
// of such files, and the program folder, where the help file lies.
#include "TestProcess.h"
#include "help/HelpTopics.h"
#include "unit/HelpCoverage.h"
#include "platform/win32/Application.h"
#include "platform/win32/ComPtr.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct TViewerSearch {
    DWORD Process;
    HWND Found = nullptr;
};

inline BOOL CALLBACK FindViewerWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TViewerSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->Process || ClassOf(window) != L"HH Parent" || !IsWindowVisible(window)) return TRUE;
    search->Found = window;
    return FALSE;
}

// The viewer's main window ("HH Parent") shown by a process (this one
// unless told), or null.
inline HWND HelpViewerWindow(DWORD process = GetCurrentProcessId()) {
    TViewerSearch search{process};
    EnumWindows(FindViewerWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The viewer's window once it shows (up to ten seconds), or null.
inline HWND WaitForHelpViewer(DWORD process = GetCurrentProcessId()) {
    HWND viewer = nullptr;
    PumpUntil([&] { return (viewer = HelpViewerWindow(process)) != nullptr; }, 10000);
    return viewer;
}

inline std::wstring WindowCaption(HWND window) {
    wchar_t caption[256] = L"";
    GetWindowTextW(window, caption, 256);
    return caption;
}

// The help file beside this test program, where the build puts it.
inline std::wstring ProgramFolderHelpFile() {
    return BesideThisProgram(L"Muralto.chm");
}

// The system's reader of compiled help files (itss.dll), the one the viewer
// reads pages with; declared here as the SDK headers do not carry it.
struct IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};
constexpr CLSID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
constexpr IID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

// A page of a compiled help file, as the system's reader gives it; "" when
// it cannot be read.
inline std::string CompiledPage(const std::wstring& chm, const std::string& page) {
    win::ComScope com;
    win::ComPtr<IITStorage> reader;
    if (FAILED(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                                reader.Out())))
        return std::string();
    win::ComPtr<IStorage> file;
    if (FAILED(reader->StgOpenStorage(chm.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &file)))
        return std::string();
    win::ComPtr<IStream> stream;
    if (FAILED(file->OpenStream(win::Wide(page).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
        return std::string();
    std::string text;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) text.append(buffer, read);
    return text;
}

inline BOOL CALLBACK FindContentsTree(HWND child, LPARAM found) {
    if (ClassOf(child) != L"SysTreeView32") return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The text of the contents tree's first entry in the viewer, "" without one.
inline std::wstring FirstContentsEntry(HWND viewer) {
    HWND tree = nullptr;
    EnumChildWindows(viewer, FindContentsTree, reinterpret_cast<LPARAM>(&tree));
    if (!tree) return std::wstring();
    const auto first = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (!first) return std::wstring();
    wchar_t text[128] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = first;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Waits for the viewer the last request opened, checks that it is the
// program's help and that the page asked for is in the compiled file with
// this title, and closes the viewer again.
inline void ExpectViewerAt(TApplication& app, const help::THtmlHelpRequest& asked, const std::string& page,
                           const std::string& title) {
    EXPECT_EQ(asked.Page, page);
    HWND viewer = WaitForHelpViewer();
    ASSERT_TRUE(viewer) << "no help viewer";
    EXPECT_EQ(WindowCaption(viewer), L"Muralto Help");
    EXPECT_EQ(PageTitle(CompiledPage(ProgramFolderHelpFile(), asked.Page)), title);
    app.CloseHelp();
    EXPECT_TRUE(PumpUntil([] { return HelpViewerWindow() == nullptr; }, 5000)) << "the viewer stayed";
}
