#include "KelpfoldTestSupport.h"

#include <shlwapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

const CLSID kFolderPointerClass = {0xfa6c62a0, 0x9fe5, 0x11d2, {0x9e, 0x61, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const wchar_t kClassKey[] = L"CLSID\\{FA6C62A0-9FE5-11D2-9E61-444553540000}";
const wchar_t kPointerSuffix[] = L".{fa6c62a0-9fe5-11d2-9e61-444553540000}";

std::wstring LibraryPath() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"kelpfold.dll";
}

void DeleteClassKey() { RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey); }

TTempFolder::TTempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"kelpfold-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::wstring TTempFolder::MakeFolder(const std::wstring& relative) const {
    const std::wstring path = path_ + L"\\" + relative;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

std::wstring TTempFolder::MakeFile(const std::wstring& relative, const std::string& bytes) const {
    const std::wstring path = path_ + L"\\" + relative;
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    return path;
}

TBaseBar::TBaseBar(bool visible) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BaseBar";
    RegisterClassW(&wc); // the second window finds the class already there
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"BaseBar", L"", WS_POPUP, 10, 10, 120, 200, nullptr, nullptr,
                            wc.hInstance, nullptr);
    Show(visible);
}

std::vector<TQuestions::TCall> TQuestions::Of(IShellFolder* f) {
    const auto pidlOut = reinterpret_cast<PIDLIST_RELATIVE*>(&Out);
    return {
        {"ParseDisplayName", false, true,
         [=] { return f->ParseDisplayName(nullptr, nullptr, Name, nullptr, pidlOut, &ParseMask); }},
        {"EnumObjects", true, true,
         [=] { return f->EnumObjects(nullptr, SHCONTF_FOLDERS, reinterpret_cast<IEnumIDList**>(&Out)); }},
        {"BindToObject", true, true, [=] { return f->BindToObject(Item, nullptr, IID_IShellFolder, &Out); }},
        {"CompareIDs", false, false, [=] { return f->CompareIDs(0, Item, Item); }},
        {"CreateViewObject", true, true, [=] { return f->CreateViewObject(nullptr, IID_IShellView, &Out); }},
        {"GetAttributesOf", false, false, [=] { return f->GetAttributesOf(1, Items, &Attributes); }},
        {"GetUIObjectOf", true, true,
         [=] { return f->GetUIObjectOf(nullptr, 1, Items, IID_IContextMenu, nullptr, &Out); }},
        {"GetDisplayNameOf", false, false, [=] { return f->GetDisplayNameOf(Item, SHGDN_FORPARSING, &Text); }},
        {"SetNameOf", false, true, [=] { return f->SetNameOf(nullptr, Item, Name, SHGDN_NORMAL, pidlOut); }},
    };
}

TItemIdList ItemIdListOf(const std::wstring& path) {
    TItemIdList list;
    SHParseDisplayName(path.c_str(), nullptr, list.Receive(), 0, nullptr);
    return list;
}

TItemIdList SpecialFolder(int csidl) {
    TItemIdList list;
    SHGetSpecialFolderLocation(nullptr, csidl, list.Receive());
    return list;
}

void WriteLink(const std::wstring& linkPath, PCIDLIST_ABSOLUTE target) {
    TComPtr<IShellLinkW> link;
    TComPtr<IPersistFile> file;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   link.ReceiveVoid())) &&
        SUCCEEDED(link->SetIDList(target)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        file->Save(linkPath.c_str(), TRUE);
}

std::vector<std::wstring> ItemNames(IShellFolder* folder) {
    TComPtr<IEnumIDList> items;
    if (!folder ||
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            items.Receive()) != S_OK ||
        !items)
        return {L"<failed>"};
    std::vector<std::wstring> names;
    TItemIdList item;
    while (items->Next(1, item.Receive(), nullptr) == S_OK) {
        STRRET name{};
        wchar_t* text = nullptr;
        if (SUCCEEDED(folder->GetDisplayNameOf(item.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) &&
            SUCCEEDED(StrRetToStrW(&name, item.Get(), &text))) {
            names.push_back(text);
            CoTaskMemFree(text);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}
