#include "shellmenus/win/MenuHost.h"

#include "platform/win32/WinError.h"
#include "shellmenus/MenuDrawing.h"
#include "shellmenus/win/SystemImageList.h"

#include <algorithm>

namespace {

// Menu metrics at 96 dpi; they scale with the main form's DPI.
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 10;
constexpr int kExtraWidth = 30;
constexpr int kIconFrame = 22;  // the frame around the icon, from the left edge
constexpr int kIconOffset = 3;  // the icon's left and top offset
constexpr int kTextLeft = 25;
constexpr int kTextTop = 2;
constexpr int kHighlightLeft = 23; // where the highlight starts beside an image
constexpr int kSeparatorTop = 4;
// Where the copy is black the brush is painted, elsewhere the destination
// stays: the raster operation of embossed images.
constexpr DWORD kDSPDxax = 0x00E20746;

// The menu being tracked; a message filter hook has no place for its own data,
// and one thread shows one menu at a time.
thread_local TMenuHost* tracking = nullptr;

void ClearNativeHandles(TMenuItem& item) {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = item.Item(i);
        child.NativeHandle = 0;
        ClearNativeHandles(child);
    }
}

MENUITEMINFOW NativeItem(const TMenuItem& item, std::wstring& caption) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.fType = MFT_OWNERDRAW;
    if (item.IsSeparator()) info.fType |= MFT_SEPARATOR;
    if (item.Break == TMenuBreak::Column) info.fType |= MFT_MENUBREAK;
    if (item.Break == TMenuBreak::Bar) info.fType |= MFT_MENUBARBREAK;
    if (item.RadioItem) info.fType |= MFT_RADIOCHECK;
    if (item.Checked) info.fState |= MFS_CHECKED;
    if (!item.Enabled) info.fState |= MFS_DISABLED;
    if (item.Default) info.fState |= MFS_DEFAULT;
    info.wID = item.Command();
    info.hSubMenu = reinterpret_cast<HMENU>(item.NativeHandle);
    // The caption stays the item's text, for screen readers.
    caption = win::Wide(item.Caption);
    info.dwTypeData = &caption[0];
    info.cch = static_cast<UINT>(caption.size());
    return info;
}

} // namespace

// The hidden window that owns every popup menu of the host.
class TMenuHost::TOwnerWindow : public TForm {
public:
    TOwnerWindow(TApplication& application, TMenuHost& host) : TForm(application), host_(host) {
        TCreateParams p{L"TMuraltoMenuOwner", L""};
        p.Style = WS_POPUP;
        p.X = p.Y = 0;
        CreateHandle(p);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITMENUPOPUP:
            host_.InitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_MENUSELECT:
            host_.MenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_HELP: {
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            if (info && info->iContextType == HELPINFO_MENUITEM) host_.Help(static_cast<uint16_t>(info->iCtrlId));
            return TRUE;
        }
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR: {
            // The main form offers them to every menu of the program.
            if (host_.mainForm_) return SendMessageW(host_.mainForm_, message, wParam, lParam);
            LRESULT result = 0;
            host_.Offer(message, wParam, lParam, result);
            return result;
        }
        }
        return Default(message, wParam, lParam);
    }

private:
    TMenuHost& host_;
};

// Caption widths with the main form's font, on a screen DC.
class TMenuHost::TCaptionMeasurer : public ITextMeasurer {
public:
    explicit TCaptionMeasurer(TForm& form) : form_(form) {}
    int TextWidth(const std::string& caption) override {
        win::WindowDC screen(nullptr);
        win::SelectedObject font(screen.Get(), form_.Font());
        const std::wstring text = win::Wide(caption);
        RECT r{0, 0, 0, 0};
        DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        return r.right - r.left;
    }

private:
    TForm& form_;
};

TMenuHost::TMenuHost(TForm& fontForm, HWND mainForm)
    : fontForm_(fontForm), mainForm_(mainForm),
      owner_(MakeForm<TOwnerWindow>(fontForm.Application(), *this)),
      measurer_(std::make_unique<TCaptionMeasurer>(fontForm)) {}

TMenuHost::~TMenuHost() {
    if (tracking == this) tracking = nullptr;
    if (filter_) UnhookWindowsHookEx(filter_);
    for (TMenuItem* root : roots_) {
        root->OnRebuild = nullptr;
        root->NativeHandle = 0;
        ClearNativeHandles(*root);
    }
}

ITextMeasurer& TMenuHost::Measurer() {
    return *measurer_;
}

HWND TMenuHost::OwnerWindow() const {
    return owner_->Handle();
}

int TMenuHost::Scale(int value96) const {
    return win::ScaleFromDesign(value96, fontForm_.Dpi(), win::kMenuDesignDpi);
}

const TMenuImages& TMenuHost::Images() {
    if (!images_ || images_->Dpi() != fontForm_.Dpi())
        images_ = std::make_unique<TMenuImages>(fontForm_.Application().Instance(), fontForm_.Dpi());
    return *images_;
}

void TMenuHost::Register(TMenuItem& root) {
    if (std::find(roots_.begin(), roots_.end(), &root) != roots_.end()) return;
    roots_.push_back(&root);
    root.OnRebuild = [this](TMenuItem& item) { Rebuild(item); };
    Rebuild(root);
}

void TMenuHost::Unregister(TMenuItem& root) {
    roots_.erase(std::remove(roots_.begin(), roots_.end(), &root), roots_.end());
    root.OnRebuild = nullptr;
    rootMenus_.erase(&root); // destroys the native menu with all its sub-menus
    root.NativeHandle = 0;
    ClearNativeHandles(root);
}

void TMenuHost::Rebuild(TMenuItem& item) {
    HMENU menu = reinterpret_cast<HMENU>(item.NativeHandle);
    if (!menu) {
        menu = win::Check(CreatePopupMenu(), "Cannot create a menu");
        item.NativeHandle = reinterpret_cast<uintptr_t>(menu);
        // A root's menu belongs to the host; a sub-menu to its parent's menu.
        if (!item.Parent()) rootMenus_[&item].Reset(menu);
    } else {
        // Deleting the items destroys the native sub-menus below them: none
        // of them is open while this one is about to open.
        while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        ClearNativeHandles(item);
    }
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = item.Item(i);
        if (child.Count() > 0) Rebuild(child);
        std::wstring caption;
        const MENUITEMINFOW info = NativeItem(child, caption);
        if (!InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &info))
            win::ThrowLastError("Cannot add the menu entry " + child.Caption);
    }
}

TMenuItem* TMenuHost::FindCommand(uint16_t command) const {
    if (command == 0) return nullptr;
    for (TMenuItem* root : roots_)
        if (TMenuItem* item = root->Find(command)) return item;
    return nullptr;
}

TMenuItem* TMenuHost::FindMenu(HMENU menu) const {
    const auto handle = reinterpret_cast<uintptr_t>(menu);
    if (!handle) return nullptr;
    for (TMenuItem* root : roots_) {
        if (root->NativeHandle == handle) return root;
        if (TMenuItem* item = root->FindByHandle(handle)) return item;
    }
    return nullptr;
}

uint16_t TMenuHost::Popup(TMenuItem& root, POINT at, UINT alignment) {
    // One menu at a time per thread: a second click on the tray icon while
    // its menu is open arrives inside the menu's loop, and a second menu
    // loop there is refused by Windows and brings Wine down.
    if (tracking) return 0;
    if (std::find(roots_.begin(), roots_.end(), &root) == roots_.end())
        Register(root);
    else
        Rebuild(root);
    HWND owner = owner_->Handle();
    // The menu closes on a click elsewhere only when its owner is in front.
    SetForegroundWindow(owner);
    lastSelected_ = 0;
    tracking = this;
    filter_ = SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(reinterpret_cast<HMENU>(root.NativeHandle),
                                                           alignment | TPM_RETURNCMD, at.x, at.y,
                                                           owner, nullptr));
    if (filter_) UnhookWindowsHookEx(std::exchange(filter_, nullptr));
    tracking = nullptr;
    PostMessageW(owner, WM_NULL, 0, 0);
    if (TMenuItem* chosen = FindCommand(static_cast<uint16_t>(command))) chosen->Click();
    return static_cast<uint16_t>(command);
}

bool TMenuHost::MenuOpen() {
    return tracking != nullptr;
}

LRESULT CALLBACK TMenuHost::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && tracking && msg) {
        // The menu loop keeps mouse and key messages to itself: a release of
        // the right button and F1 are caught here, and swallowed.
        if (msg->message == WM_RBUTTONUP) {
            tracking->RightButtonUp();
            return TRUE;
        }
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
            tracking->Help(tracking->lastSelected_);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TMenuHost::RightButtonUp() {
    PostMessageW(mainForm_ ? mainForm_ : owner_->Handle(), kRightButtonMessage, lastSelected_, 0);
    EndMenu();
}

void TMenuHost::Help(uint16_t command) {
    // The entry's own context, else that of the sub-menu it is in.
    for (TMenuItem* item = FindCommand(command); item; item = item->Parent())
        if (item->HelpContext != 0) {
            fontForm_.Application().HelpContext(item->HelpContext);
            return;
        }
}

void TMenuHost::MenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) return; // the menu closed
    if (flags & MF_POPUP) {
        // For an entry that opens a sub-menu the message carries its position.
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, item, TRUE, &info)) lastSelected_ = static_cast<uint16_t>(info.wID);
        return;
    }
    lastSelected_ = static_cast<uint16_t>(item);
}

void TMenuHost::InitMenuPopup(HMENU menu) {
    TMenuItem* item = FindMenu(menu);
    if (!item) return;
    // The entry's handlers fill it first; its native menu follows once.
    item->Popup();
    if (item->Parent()) item->Click();
    if (FindMenu(menu) == item) Rebuild(*item);
}

bool TMenuHost::Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlType != ODT_MENU) return false;
        const TMenuItem* item = FindCommand(static_cast<uint16_t>(measure->itemID));
        if (!item) return false;
        Measure(*item, *measure);
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!draw || draw->CtlType != ODT_MENU) return false;
        const TMenuItem* item = FindCommand(static_cast<uint16_t>(draw->itemID));
        if (!item) return false;
        Draw(*item, *draw);
        result = TRUE;
        return true;
    }
    case WM_MENUCHAR: {
        const TMenuItem* menu = FindMenu(reinterpret_cast<HMENU>(lParam));
        if (!menu) return false;
        const int position = MenuCharPosition(*menu, LOWORD(wParam));
        result = position >= 0 ? MAKELRESULT(position, MNC_EXECUTE) : MAKELRESULT(0, MNC_IGNORE);
        return true;
    }
    }
    return false;
}

void TMenuHost::Measure(const TMenuItem& item, MEASUREITEMSTRUCT& measure) {
    if (item.IsSeparator()) {
        measure.itemWidth = static_cast<UINT>(Scale(kExtraWidth));
        measure.itemHeight = static_cast<UINT>(Scale(kSeparatorHeight));
        return;
    }
    measure.itemWidth = static_cast<UINT>(measurer_->TextWidth(item.Caption) + Scale(kExtraWidth));
    measure.itemHeight = static_cast<UINT>(Scale(kItemHeight));
}

bool TMenuHost::SystemImageEmpty(int index) {
    const auto known = emptySystemImages_.find(index);
    if (known != emptySystemImages_.end()) return known->second;
    bool empty = true;
    HIMAGELIST list = SystemSmallImageList();
    int width = 0, height = 0;
    if (list && index < ImageList_GetImageCount(list) && ImageList_GetIconSize(list, &width, &height)) {
        // The mask drawn on white: an image with any opaque pixel leaves black.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        win::UniqueBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        win::UniqueDC dc(CreateCompatibleDC(nullptr));
        if (section && dc && bits) {
            win::SelectedObject selected(dc.Get(), section.Get());
            RECT all{0, 0, width, height};
            FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            ImageList_Draw(list, index, dc.Get(), 0, 0, ILD_MASK);
            GdiFlush();
            const auto* pixel = static_cast<const uint32_t*>(bits);
            for (int i = 0; i < width * height && empty; ++i) empty = (pixel[i] & 0xFFFFFF) == 0xFFFFFF;
        }
    }
    emptySystemImages_[index] = empty;
    return empty;
}

void TMenuHost::Draw(const TMenuItem& item, const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    RECT r = draw.rcItem;
    const int left = r.left;
    FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));

    if (item.IsSeparator()) {
        r.top += Scale(kSeparatorTop);
        DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0 || !item.Enabled;
    // Disabled text in the colour the system makes readable on the menu;
    // the inactive caption's colour of older designs nearly vanishes on
    // today's menus and on the highlight. A disabled entry under the
    // keyboard keeps the menu's background and shows a frame instead.
    const COLORREF text = GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    const int fill = selected && !disabled ? COLOR_HIGHLIGHT : COLOR_MENU;

    const TMenuImages& own = Images();
    const TMenuImageChoice image =
        ChooseMenuImage(item, own.Count(), [this](int index) { return SystemImageEmpty(index); });
    const bool hasImage = image.Source != TImageSource::None;

    RECT area = r;
    area.left = hasImage ? left + Scale(kHighlightLeft) : left;
    FillRect(dc, &area, GetSysColorBrush(fill));
    if (selected && disabled) FrameRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));

    const std::wstring caption = win::Wide(item.Caption);
    RECT textRect{left + Scale(kTextLeft), r.top + Scale(kTextTop), r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const UINT prefix = (draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | prefix);
    if (!hasImage) return;

    // The picture at the size of the own images for this DPI.
    const int size = own.Size();
    const int x = left + Scale(kIconOffset), y = r.top + Scale(kIconOffset);
    HIMAGELIST list = image.Source == TImageSource::System ? SystemSmallImageList() : own.Handle();
    int listWidth = size, listHeight = size;
    ImageList_GetIconSize(list, &listWidth, &listHeight);
    if (disabled) {
        // Embossed: the mask as a monochrome copy, painted twice through it.
        win::UniqueDC mono(CreateCompatibleDC(dc));
        win::UniqueBitmap monoBits(CreateBitmap(size, size, 1, 1, nullptr));
        if (!mono || !monoBits) return;
        win::SelectedObject selectedBits(mono.Get(), monoBits.Get());
        RECT all{0, 0, size, size};
        FillRect(mono.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (listWidth == size)
            ImageList_Draw(list, image.Index, mono.Get(), 0, 0, ILD_MASK);
        else
            ImageList_DrawEx(list, image.Index, mono.Get(), 0, 0, size, size, CLR_NONE, CLR_NONE, ILD_MASK | ILD_SCALE);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        {
            win::SelectedObject brush(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            BitBlt(dc, x + 1, y + 1, size, size, mono.Get(), 0, 0, kDSPDxax);
        }
        win::SelectedObject brush(dc, GetSysColorBrush(COLOR_BTNSHADOW));
        BitBlt(dc, x, y, size, size, mono.Get(), 0, 0, kDSPDxax);
        return;
    }
    if (listWidth == size) {
        ImageList_Draw(list, image.Index, dc, x, y, ILD_TRANSPARENT);
    } else {
        // A system list of another size: its icon drawn at ours.
        win::UniqueIcon icon(ImageList_GetIcon(list, image.Index, ILD_TRANSPARENT));
        if (icon) DrawIconEx(dc, x, y, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
    }
    if (selected) {
        RECT frame{left, r.top, left + Scale(kIconFrame), r.bottom};
        DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }
}
