#pragma once
// What the kelpfold tests share: the class as the shell knows it, the library
// loaded into the test process, temporary folders, folder pointers and the
// "BaseBar" windows that stand for an open Start menu.
#include "Owners.h"

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

using kelpfold::TComPtr;
using kelpfold::TItemIdList;

// Spelled here on their own, not taken from the library, so that a slip in
// either place shows.
extern const CLSID kFolderPointerClass;
extern const wchar_t kClassKey[];      // below HKEY_CLASSES_ROOT
extern const wchar_t kPointerSuffix[]; // of a folder pointer's name

// kelpfold.dll beside the test program.
std::wstring LibraryPath();

// Removes the class key and everything below it.
void DeleteClassKey();

// COM (single-threaded apartment) for the life of a test.
class TComApartment {
public:
    TComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~TComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    HRESULT hr_;
};

// The library, loaded into this process by its full path: the same module
// that COM loads for CoCreateInstance once the class is registered.
class TLibrary {
public:
    TLibrary() : module_(LoadLibraryW(LibraryPath().c_str())) {}
    ~TLibrary() {
        if (module_) FreeLibrary(module_);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;

    // Calls one of the library's exports by name.
    template <typename... A>
    HRESULT Call(const char* name, A... arguments) const {
        using TExport = HRESULT(STDAPICALLTYPE*)(A...);
        const FARPROC f = module_ ? GetProcAddress(module_, name) : nullptr;
        return f ? reinterpret_cast<TExport>(reinterpret_cast<void*>(f))(arguments...)
                 : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) const {
        return Call<REFCLSID, REFIID, void**>("DllGetClassObject", clsid, iid, ppv);
    }

private:
    HMODULE module_;
};

// A fresh folder under the temporary folder, deleted with all it holds.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // Creates a folder or a file (with the given bytes) below this one and
    // returns its full path.
    std::wstring MakeFolder(const std::wstring& relative) const;
    std::wstring MakeFile(const std::wstring& relative, const std::string& bytes = "text") const;

private:
    std::wstring path_;
};

// A top-level window of the Start menu's class "BaseBar".
class TBaseBar {
public:
    explicit TBaseBar(bool visible);
    ~TBaseBar() { DestroyWindow(hwnd_); }
    TBaseBar(const TBaseBar&) = delete;
    TBaseBar& operator=(const TBaseBar&) = delete;

    HWND Get() const { return hwnd_; }
    void Show(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOWNOACTIVATE : SW_HIDE); }

private:
    HWND hwnd_ = nullptr;
};

// Every IShellFolder question but BindToStorage, asked of one folder with
// arguments that live here; the pointer a question hands back lands in Out.
// The item identifiers are never looked at by a folder that only passes on.
struct TQuestions {
    struct TCall {
        const char* Name;
        bool HandsOutObject; // an enumerator or object: cleared before passing on
        bool HasOut;         // any pointer handed back
        std::function<HRESULT()> Run;
    };
    TQuestions() = default;
    TQuestions(const TQuestions&) = delete; // the calls point at these members
    TQuestions& operator=(const TQuestions&) = delete;
    std::vector<TCall> Of(IShellFolder* folder);

    PCUITEMID_CHILD Item = reinterpret_cast<PCUITEMID_CHILD>(0x33);
    PCUITEMID_CHILD Items[1] = {Item};
    wchar_t Name[5] = L"name";
    ULONG ParseMask = SFGAO_FOLDER;       // in/out: never cleared
    SFGAOF Attributes = SFGAO_FILESYSTEM; // in/out: never cleared
    STRRET Text{};
    void* Out = nullptr;
};

TItemIdList ItemIdListOf(const std::wstring& path);
TItemIdList SpecialFolder(int csidl);

// Saves a shell link that holds `target` (unresolved) as its identifier list.
void WriteLink(const std::wstring& linkPath, PCIDLIST_ABSOLUTE target);

// The parsing names of a folder's items relative to it, sorted; the marker
// "<failed>" when the folder cannot be enumerated.
std::vector<std::wstring> ItemNames(IShellFolder* folder);
