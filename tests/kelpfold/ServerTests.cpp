// The library as a COM server: its class object, the interfaces of the
// folder pointer, when it may be unloaded, and its version resource.
#include "KelpfoldTestSupport.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

void* const kJunk = reinterpret_cast<void*>(0x1234);

TEST(KelpfoldServer, HandsOutTheFactoryOfItsOneClassOnly) {
    TComApartment com;
    TLibrary library;
    void* object = kJunk;
    EXPECT_EQ(library.GetClassObject(CLSID_ShellLink, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = kJunk;
    EXPECT_EQ(library.GetClassObject(kFolderPointerClass, IID_IShellFolder, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    TComPtr<IClassFactory> factory;
    ASSERT_EQ(library.GetClassObject(kFolderPointerClass, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    TComPtr<IUnknown> outer;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, outer.ReceiveVoid()), S_OK);
    object = kJunk;
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    // Each request makes a new object.
    TComPtr<IUnknown> first, second;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, first.ReceiveVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, second.ReceiveVoid()), S_OK);
    EXPECT_NE(first.Get(), second.Get());
}

TEST(KelpfoldServer, TheFolderPointerAnswersItsFourInterfacesOnly) {
    TComApartment com;
    TLibrary library;
    TComPtr<IClassFactory> factory;
    ASSERT_EQ(library.GetClassObject(kFolderPointerClass, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    TComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.ReceiveVoid()), S_OK);

    for (const IID* iid : {&IID_IUnknown, &IID_ISupportErrorInfo, &IID_IPersistFolder, &IID_IShellFolder}) {
        TComPtr<IUnknown> answer, identity;
        EXPECT_EQ(object->QueryInterface(*iid, answer.ReceiveVoid()), S_OK);
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->QueryInterface(IID_IUnknown, identity.ReceiveVoid()), S_OK);
        EXPECT_EQ(identity.Get(), object.Get());
    }
    for (const IID* iid : {&IID_IPersist, &IID_IPersistFolder2, &IID_IShellFolder2, &IID_IDispatch}) {
        void* answer = kJunk;
        EXPECT_EQ(object->QueryInterface(*iid, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
    }

    TComPtr<ISupportErrorInfo> errors;
    ASSERT_EQ(object->QueryInterface(IID_ISupportErrorInfo, errors.ReceiveVoid()), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IShellFolder), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IPersistFolder), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IUnknown), S_FALSE);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IPersist), S_FALSE);
}

TEST(KelpfoldServer, MayBeUnloadedOnlyWhenNoObjectLivesAndNoLockIsHeld) {
    TComApartment com;
    TLibrary library;
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_OK);

    TComPtr<IClassFactory> factory;
    ASSERT_EQ(library.GetClassObject(kFolderPointerClass, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    TComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellFolder, object.ReceiveVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_FALSE);
    object.Reset();
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_FALSE); // still locked

    ASSERT_EQ(library.GetClassObject(kFolderPointerClass, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK); // one too many is harmless
    factory.Reset();
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_OK);

    // The same through the registered class, as the shell creates it.
    DeleteClassKey();
    ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    ASSERT_EQ(CoCreateInstance(kFolderPointerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellFolder,
                               object.ReceiveVoid()),
              S_OK);
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_FALSE);
    object.Reset();
    EXPECT_EQ(library.Call("DllCanUnloadNow"), S_OK);
    DeleteClassKey();
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"<none>";
    return static_cast<const wchar_t*>(value);
}

TEST(KelpfoldServer, CarriesItsVersionAndIcon) {
    const std::wstring path = LibraryPath();
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(0x00010000));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(0));
    EXPECT_EQ(VersionString(info, L"FileDescription"), L"Folder Pointers Library");
    EXPECT_EQ(VersionString(info, L"InternalName"), L"Folder Pointers");

    // The registered default icon is the library's first one.
    EXPECT_EQ(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u);
}

} // namespace
