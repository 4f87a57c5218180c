// The desktop icons through the desktop's shell view, driven through the real
// COM adapter over an in-process folder view that holds a table of named
// items and records what it is asked: reading, saving, restoring, every
// layout against the list view of a helper process, the folder flags around
// placing, hiding, the way from the shell windows to the view, and the
// fall-back to the list view where no shell view exists (as on Wine).
#include "FakeDesktop.h"

#include "desktop/DesktopIcons.h"
#include "desktop/IconLayouts.h"
#include "desktop/win/DesktopListView.h"
#include "desktop/win/ShellViewDesktop.h"
#include "platform/host/HostDesktopMetrics.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinRegistry.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "win/TestProcess.h"

#include <cstring>

namespace {

// COM objects owned by the test: the reference count is only watched, so
// a test sees whether the adapter gave back every reference it took.
template <typename... Interfaces>
class TCounted : public Interfaces... {
public:
    ULONG Refs = 1;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --Refs; }
};

// An item identifier of the fake: the item's index after the size word.
PITEMID_CHILD MakeItem(int index) {
    auto* block = static_cast<uint8_t*>(CoTaskMemAlloc(sizeof(USHORT) + sizeof(int) + sizeof(USHORT)));
    const USHORT size = sizeof(USHORT) + sizeof(int), end = 0;
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, &index, sizeof index);
    std::memcpy(block + size, &end, sizeof end);
    return reinterpret_cast<PITEMID_CHILD>(block);
}
int IndexOf(PCUITEMID_CHILD item) {
    int index;
    std::memcpy(&index, reinterpret_cast<const uint8_t*>(item) + sizeof(USHORT), sizeof index);
    return index;
}

struct TItem {
    std::wstring Name;
    POINT Position;
    bool Ansi = false; // the name comes back as STRRET_CSTR
};

class TFakeFolder : public TCounted<IShellFolder> {
public:
    explicit TFakeFolder(std::vector<TItem>& items) : items_(items) {}
    std::vector<SHGDNF> NameFlags;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IShellFolder) return E_NOINTERFACE;
        *out = static_cast<IShellFolder*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD item, SHGDNF flags, STRRET* name) override {
        NameFlags.push_back(flags);
        const int i = IndexOf(item);
        if (i < 0 || i >= static_cast<int>(items_.size())) return E_INVALIDARG;
        if (items_[i].Ansi) {
            name->uType = STRRET_CSTR;
            WideCharToMultiByte(CP_ACP, 0, items_[i].Name.c_str(), -1, name->cStr, MAX_PATH, nullptr, nullptr);
            return S_OK;
        }
        const size_t bytes = (items_[i].Name.size() + 1) * sizeof(wchar_t);
        name->uType = STRRET_WSTR;
        name->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
        std::memcpy(name->pOleStr, items_[i].Name.c_str(), bytes);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override {
        return E_NOTIMPL;
    }

private:
    std::vector<TItem>& items_;
};

// The desktop's view: IFolderView2 for the adapter, IShellView for the way
// there from the shell windows.
class TFakeFolderView : public TCounted<IFolderView2, IShellView> {
public:
    struct TMove {
        int Item;
        POINT Point;
        UINT Count;
        DWORD How;
        DWORD FlagsThen;
    };
    std::vector<TItem> Table;
    DWORD Flags = 0;
    HWND Window = nullptr; // the view's window, as IShellView gives it
    std::vector<TMove> Moves;
    std::vector<std::pair<DWORD, DWORD>> FlagChanges; // mask, flags
    TFakeFolder Folder{Table};

    TFakeFolderView() {
        for (int i = 0; i < kFakeDesktopCount; ++i)
            Table.push_back({kFakeDesktopLabels[i], {kFirstX + 10 * i, kFirstY + 5 * i}});
        Table[1].Ansi = true;
    }
    std::vector<TIconData> Positions() const {
        std::vector<TIconData> all;
        for (const auto& item : Table) all.push_back({item.Position.x, item.Position.y});
        return all;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IFolderView || iid == IID_IFolderView2)
            *out = static_cast<IFolderView2*>(this);
        else if (iid == IID_IShellView || iid == IID_IOleWindow)
            *out = static_cast<IShellView*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID iid, void** out) override { return Folder.QueryInterface(iid, out); }
    HRESULT STDMETHODCALLTYPE Item(int index, PITEMID_CHILD* item) override {
        *item = nullptr;
        if (!Valid(index)) return E_INVALIDARG;
        *item = MakeItem(index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ItemCount(UINT which, int* count) override {
        if (which != SVGIO_ALLVIEW) return E_INVALIDARG;
        *count = static_cast<int>(Table.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD item, POINT* point) override {
        if (!Valid(IndexOf(item))) return E_INVALIDARG;
        *point = Table[IndexOf(item)].Position;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY items, POINT* points,
                                                     DWORD how) override {
        if (count == 0) return E_INVALIDARG;
        const int i = IndexOf(items[0]);
        Moves.push_back({i, points[0], count, how, Flags});
        if (!Valid(i)) return E_INVALIDARG;
        // As the desktop does: without the flag the point is ignored.
        if (how & SVSI_POSITIONITEM) Table[i].Position = points[0];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentFolderFlags(DWORD mask, DWORD flags) override {
        FlagChanges.emplace_back(mask, flags);
        Flags = (Flags & ~mask) | (flags & mask);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCurrentFolderFlags(DWORD* flags) override {
        *flags = Flags;
        return S_OK;
    }

    // The rest of IFolderView and IFolderView2: not used by the adapter.
    HRESULT STDMETHODCALLTYPE GetCurrentViewMode(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetCurrentViewMode(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Items(UINT, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFocusedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAutoArrange() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(int, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGroupBy(REFPROPERTYKEY, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupBy(PROPERTYKEY*, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, REFPROPVARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, PROPVARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSortColumnCount(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSortColumns(const SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSortColumns(SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItem(int, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVisibleItem(int, WINBOOL, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectedItem(int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelection(WINBOOL, IShellItemArray**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectionState(PCUITEMID_CHILD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewModeAndIconSize(FOLDERVIEWMODE, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewModeAndIconSize(FOLDERVIEWMODE*, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRedraw(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsMoveInSameFolder() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoRename() override { return E_NOTIMPL; }
    // IShellView: only its identity matters here.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = Window;
        return Window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UIActivate(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DestroyViewWindow() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SaveViewState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemObject(UINT, REFIID, void**) override { return E_NOTIMPL; }

private:
    bool Valid(int i) const { return i >= 0 && i < static_cast<int>(Table.size()); }
};

// The shell windows object of a shell whose desktop is a top-level browser
// showing the view; with no view, it has no desktop window registered (as
// Wine's answers).
class TFakeShellWindows : public TCounted<IShellWindows, IServiceProvider, IShellBrowser> {
public:
    IShellView* View = nullptr;
    int AskedClass = -1, AskedOptions = -1;
    VARTYPE AskedLocationType = VT_NULL;
    LONG AskedLocation = -1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IShellWindows)
            *out = static_cast<IShellWindows*>(this);
        else if (iid == IID_IServiceProvider)
            *out = static_cast<IServiceProvider*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT* location, VARIANT*, int kind, LONG* window, int options,
                                           IDispatch** found) override {
        AskedClass = kind;
        AskedOptions = options;
        AskedLocationType = V_VT(location);
        AskedLocation = V_VT(location) == VT_I4 ? V_I4(location) : -1;
        *found = nullptr;
        if (!View) return S_FALSE;
        *window = 0x10010;
        *found = static_cast<IShellWindows*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
        *out = nullptr;
        if (service != SID_STopLevelBrowser || iid != IID_IShellBrowser) return E_NOINTERFACE;
        *out = static_cast<IShellBrowser*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
        *view = View;
        View->AddRef();
        return S_OK;
    }

    // IDispatch and the rest of IShellWindows: not used on the way.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Item(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revoke(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }
    // IShellBrowser (and its IOleWindow): only the active view is asked for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModelessSB(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }
};

// A list-view desktop that only counts how often it is looked for.
class TCountingDesktop : public IDesktop {
public:
    int Asked = 0;
    std::unique_ptr<IDesktopListView> FindDesktopListView() override {
        ++Asked;
        return nullptr;
    }
};

const std::string kTestIconsKey = "SOFTWARE\\Orrindel\\Muralto Tests\\Icons";
const TDesktopMetrics kExampleScreen{808, 580, 4, 4, 75, 75, 32};
constexpr DWORD kOtherFlag = FWF_NOWEBVIEW;

class ShellViewDesktop : public ::testing::Test {
protected:
    reg::WinRegistry registry;
    TFakeFolderView view;
    TCountingDesktop listView;
    TDesktopRoute route{[this] { return win::ComPtr<IFolderView2>::Share(&view); }, listView};
    HostDesktopMetrics metrics{kExampleScreen};
    TDesktopIcons icons{registry, route, &metrics};

    void SetUp() override {
        registry.DeleteTree(reg::Root::CurrentUser, kTestIconsKey);
        icons.RegistryKey = kTestIconsKey;
    }
    void TearDown() override {
        registry.DeleteTree(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto Tests");
        EXPECT_EQ(view.Refs, 1u) << "every reference to the view is given back";
        EXPECT_EQ(view.Folder.Refs, 1u) << "every reference to the folder is given back";
    }
    void Scatter() {
        for (auto& item : view.Table) item.Position = {5, 5};
    }
};

// The helper process playing the desktop's list view.
class TListViewHelper : public TChildProcess {
public:
    TListViewHelper() : TChildProcess(L"\"" + BesideThisProgram(L"fake_desktop.exe") + L"\" progman") {}
    bool WaitReady() {
        return PumpUntil(
            [&] {
                view_ = FindDesktopListViewWindow();
                return view_ && ListView_GetItemCount(view_) == kFakeDesktopCount &&
                       Position(kFakeDesktopCount - 1) == TIconData{kFirstX + 10 * (kFakeDesktopCount - 1),
                                                                    kFirstY + 5 * (kFakeDesktopCount - 1)};
            },
            20000);
    }
    TIconData Position(int index) const {
        const auto packed = static_cast<uint32_t>(
            SendMessageW(GetAncestor(view_, GA_ROOT), kReportPosition, static_cast<WPARAM>(index), 0));
        return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>(packed >> 16)};
    }
    void Close() { PostMessageW(GetAncestor(view_, GA_ROOT), WM_CLOSE, 0, 0); }

private:
    HWND view_ = nullptr;
};

} // namespace

TEST_F(ShellViewDesktop, ReadsTheLabelsAndPositionsAndSavesThemAsTheListViewRouteDoes) {
    const std::wstring longName(300, L'n');
    view.Table.push_back({longName, {-20, 900}});
    ASSERT_TRUE(icons.ReadIcons());
    EXPECT_EQ(listView.Asked, 0) << "the shell view was there";
    ASSERT_EQ(icons.IconList.size(), size_t(kFakeDesktopCount + 1));
    for (int i = 0; i < kFakeDesktopCount; ++i) {
        EXPECT_EQ(icons.IconList[i].Label, win::Utf8(kFakeDesktopLabels[i])) << i;
        EXPECT_EQ(icons.IconList[i].Data, (TIconData{kFirstX + 10 * i, kFirstY + 5 * i})) << i;
    }
    // Cut where the list view cuts its labels, so both name the same value.
    EXPECT_EQ(icons.IconList.back().Label, std::string(kListViewTextMax - 1, 'n'));
    EXPECT_EQ(icons.IconList.back().Data, (TIconData{-20, 900}));
    for (const SHGDNF flags : view.Folder.NameFlags) EXPECT_EQ(flags, SHGDN_INFOLDER);

    auto key = registry.Open(reg::Root::CurrentUser, kTestIconsKey, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ValueNames().size(), size_t(kFakeDesktopCount + 1));
    reg::Value saved;
    ASSERT_TRUE(key->QueryValue(win::Utf8(kFakeDesktopLabels[6]), saved));
    EXPECT_EQ(saved.Data, (std::vector<uint8_t>{0xCC, 1, 0, 0, 0x4A, 1, 0, 0})); // (460, 330)
    // Reading moves nothing and leaves the view's settings alone.
    EXPECT_TRUE(view.Moves.empty());
    EXPECT_TRUE(view.FlagChanges.empty());
}

TEST_F(ShellViewDesktop, RestoresSavedPositionsWithArrangementAndSnappingOffWhilePlacing) {
    const auto original = view.Positions();
    ASSERT_TRUE(icons.ReadIcons());
    Scatter();
    const DWORD user = FWF_AUTOARRANGE | FWF_SNAPTOGRID | kOtherFlag;
    view.Flags = user;
    ASSERT_TRUE(icons.PlaceIcons());
    EXPECT_EQ(view.Positions(), original);
    ASSERT_EQ(view.Moves.size(), size_t(kFakeDesktopCount));
    for (int i = 0; i < kFakeDesktopCount; ++i) {
        EXPECT_EQ(view.Moves[i].Item, i);
        EXPECT_EQ(view.Moves[i].Count, 1u);
        EXPECT_EQ(view.Moves[i].How, DWORD(SVSI_POSITIONITEM));
        EXPECT_EQ(view.Moves[i].FlagsThen, kOtherFlag) << "arrangement and snapping are off while placing";
    }
    EXPECT_EQ(view.Flags, user) << "and the user's choice is back afterwards";
    ASSERT_FALSE(view.FlagChanges.empty());
    for (const auto& change : view.FlagChanges) EXPECT_EQ(change.first & kOtherFlag, 0u);
}

TEST_F(ShellViewDesktop, EveryLayoutPutsTheIconsWhereTheListViewRoutePutsThem) {
    TListViewHelper helper;
    ASSERT_TRUE(helper.Started());
    ASSERT_TRUE(helper.WaitReady());
    TWinDesktop listRoute;
    TDesktopIcons viaList{registry, listRoute, &metrics};

    // Wine's shell windows answer for the desktop with a view of their own
    // that is not the window holding this list view: the program's route
    // takes the list view, as before.
    win::ComScope com;
    EXPECT_FALSE(TDesktopShellView::Find());
    TDesktopRoute systemRoute;
    auto found = systemRoute.FindDesktopListView();
    EXPECT_NE(dynamic_cast<TWinDesktopListView*>(found.get()), nullptr);
    found.reset();

    for (const auto kind : {TArrangeKind::Bottom, TArrangeKind::Left, TArrangeKind::Right, TArrangeKind::Spiral,
                            TArrangeKind::Top}) {
        ASSERT_TRUE(viaList.ArrangeIcons(kind));
        Scatter();
        ASSERT_TRUE(icons.ArrangeIcons(kind));
        for (int i = 0; i < kFakeDesktopCount; ++i)
            EXPECT_EQ(helper.Position(i), view.Positions()[i]) << static_cast<int>(kind) << " item " << i;
    }
    helper.Close();
    EXPECT_TRUE(helper.Ended(10000));
}

TEST_F(ShellViewDesktop, HidesWithTheNoIconsFlagAndShowsThemForTheNextArrangement) {
    const auto original = view.Positions();
    view.Flags = FWF_AUTOARRANGE;
    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Hide));
    EXPECT_EQ(view.Flags, DWORD(FWF_AUTOARRANGE | FWF_NOICONS));
    EXPECT_TRUE(view.Moves.empty());
    EXPECT_EQ(view.Positions(), original) << "hidden icons keep their places";

    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Left));
    EXPECT_EQ(view.Flags, DWORD(FWF_AUTOARRANGE));
    EXPECT_EQ(view.Positions()[1], TIconGrid(kExampleScreen).Cell(0, 1));
}

TEST(ShellViewWay, ReachesTheViewShowingTheDesktopFromTheShellWindowsAndFallsBackWithoutOne) {
    TFakeFolderView view;
    TFakeShellWindows windows;
    const HWND shown = reinterpret_cast<HWND>(0x20040);
    // No desktop registered: no view, and the route asks the list view.
    EXPECT_FALSE(TDesktopShellView::FindIn(windows, shown));
    EXPECT_EQ(windows.AskedClass, SWC_DESKTOP);
    EXPECT_EQ(windows.AskedOptions, SWFO_NEEDDISPATCH);
    EXPECT_EQ(windows.AskedLocationType, VT_I4);
    EXPECT_EQ(windows.AskedLocation, CSIDL_DESKTOP);
    TCountingDesktop listView;
    TDesktopRoute route{[&] { return TDesktopShellView::FindIn(windows, shown); }, listView};
    EXPECT_EQ(route.FindDesktopListView(), nullptr);
    EXPECT_EQ(listView.Asked, 1);

    // A desktop whose view has no window, or another one than the desktop's
    // list view sits in (as Wine's has), is not taken either.
    windows.View = &view;
    EXPECT_FALSE(TDesktopShellView::FindIn(windows, shown));
    view.Window = reinterpret_cast<HWND>(0x20044);
    EXPECT_FALSE(TDesktopShellView::FindIn(windows, shown));
    EXPECT_EQ(route.FindDesktopListView(), nullptr);
    EXPECT_EQ(listView.Asked, 2);

    view.Window = shown;
    {
        auto found = TDesktopShellView::FindIn(windows, shown);
        EXPECT_EQ(found.Get(), static_cast<IFolderView2*>(&view));
        auto adapter = route.FindDesktopListView();
        ASSERT_TRUE(adapter);
        EXPECT_EQ(adapter->ItemCount(), kFakeDesktopCount);
        EXPECT_EQ(adapter->FindItem("recycle BIN"), 1);
        EXPECT_EQ(listView.Asked, 2);
    }
    EXPECT_EQ(view.Refs, 1u);
    EXPECT_EQ(view.Folder.Refs, 1u);
    EXPECT_EQ(windows.Refs, 1u);

    // Without a desktop list view there is no desktop to show.
    win::ComScope com;
    EXPECT_FALSE(TDesktopShellView::Find());
}
