#include "imagewindow/win/OpenPictureDialog.h"

#include "app/Settings.h"
#include "engine/AllMap.h"
#include "engine/win/DibInfo.h"
#include "imagewindow/PreviewFit.h"
#include "platform/Errors.h"
#include "platform/win32/Handles.h"
#include "resources/ResourceIds.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace {

// The longest path Windows takes, with its terminator.
constexpr DWORD kPathCapacity = 32768;
// Posted to the dialog's own part after each size change, so that the panel
// is placed after the system has moved its controls.
constexpr UINT kLayoutMessage = WM_APP + 1;
// The gaps between the system's controls and the column, right of the
// column and under the panel, in dialog units.
constexpr int kGapUnits = 4, kRightMarginUnits = 7, kBottomMarginUnits = 7;

// The filter as the dialog takes it: every "|" a NUL, and an empty entry at
// the end.
std::wstring DialogFilter(const std::string& filter) {
    std::wstring wide = win::Wide(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    wide.append(2, L'\0');
    return wide;
}

// Common dialog errors that mean the dialog never showed; the file name
// errors come after the user has seen it, so they count as a cancel.
bool DialogNotCreated(DWORD error) {
    return error == CDERR_DIALOGFAILURE || (error > 0 && error < FNERR_FILENAMECODES) ||
           error == FNERR_SUBCLASSFAILURE;
}

// Draws the whole picture stretched into the target rectangle. Built from
// the bitmap's own rows, so it does not matter whether a section lies behind
// them.
void DrawPicture(HDC dc, const TBitmap& picture, const TPreviewRect& target) {
    TDibInfo info = DibInfo(picture);
    // Halftone averages the pixels a reduction drops; a picture shown at its
    // own size is copied as it is.
    const bool scaled = target.Width != picture.Width() || target.Height != picture.Height();
    const int oldMode = SetStretchBltMode(dc, scaled ? HALFTONE : COLORONCOLOR);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin); // halftone needs it after the mode is set
    StretchDIBits(dc, target.Left, target.Top, target.Width, target.Height, 0, 0, picture.Width(), picture.Height(),
                  picture.Row(0), info.Get(), DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode) SetStretchBltMode(dc, oldMode);
}

// The display name of the entry selected in the dialog's file list: empty
// when nothing is selected, nothing when the list is not the kind this
// knows (the file name box alone decides then).
std::optional<std::wstring> SelectedItemName(HWND dialog) {
    HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    if (!list) return std::nullopt;
    const int index =
        static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0) return std::wstring();
    std::wstring name(MAX_PATH + 1, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = &name[0];
    item.cchTextMax = MAX_PATH + 1;
    const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    name.resize(static_cast<size_t>(std::max<LRESULT>(0, length)));
    return name;
}

// Whether the list entry shows this path's file: its name, or its name
// without the extension where the system hides known extensions.
bool NamesEntry(const std::wstring& path, const std::wstring& entry) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                    TRUE) == CSTR_EQUAL;
    };
    return same(name, entry) || (dot != std::wstring::npos && dot > 0 && same(name.substr(0, dot), entry));
}

// One showing of the dialog. The hook procedure handles the messages of the
// program's own part of the dialog (the child made from the template); the
// system's dialog is its parent.
class TOpenPictureDialog {
public:
    explicit TOpenPictureDialog(TPlatform& platform)
        : platform_(platform), store_(platform.Registry), previewOn_(store_.Read(settings::kPreview)) {}

    std::optional<std::string> Run(HWND owner, const std::string& initialFolder);

private:
    static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    UINT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    void OnInitDialog(HWND child);
    void OnInitDone();
    void OnSelectionChange();
    void OnFolderChange();
    void OnPreviewClicked();
    void OnDrawPanel(const DRAWITEMSTRUCT& item);
    void OnSize();
    void Layout();
    // The right edge of the system's own controls in the child's
    // coordinates (0 when none is found).
    int SystemControlsRight() const;

    HWND Panel() const { return GetDlgItem(child_, IDC_OPENPICTURE_PANEL); }
    HWND PreviewCheck() const { return GetDlgItem(child_, IDC_OPENPICTURE_PREVIEW); }
    // The selected file, or nothing when there is none or it is a folder.
    std::optional<std::string> SelectedFile() const;
    // Loads the selected file while the preview is on (else forgets the
    // picture) and repaints the panel.
    void ShowSelection();
    void ShowNothing();

    TPlatform& platform_;
    settings::TSettings store_;
    bool previewOn_;
    HWND child_ = nullptr;
    TBitmap picture_; // empty: the panel shows only its background

    // The column of the check box and the panel: its sizes and tops as the
    // template made them, kept at the right margin, the panel reaching down
    // to the bottom margin.
    bool measured_ = false;
    int gap_ = 0, rightMargin_ = 0, bottomMargin_ = 0;
    RECT checkRect_{}, panelRect_{};
};

std::optional<std::string> TOpenPictureDialog::Run(HWND owner, const std::string& initialFolder) {
    const std::wstring filter = DialogFilter(OpenPictureFilter());
    const std::wstring folder = win::Wide(initialFolder);
    std::wstring path(kPathCapacity, L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    // The template is linked into the program itself.
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = &path[0];
    ofn.nMaxFile = kPathCapacity;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = L"Muralto Open";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                OFN_HIDEREADONLY | OFN_ENABLESIZING;
    ofn.lpTemplateName = IDD_OPENPICTURE;
    ofn.lpfnHook = HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);

    if (GetOpenFileNameW(&ofn)) return win::Utf8(path.c_str());
    const DWORD error = CommDlgExtendedError();
    if (DialogNotCreated(error)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
        throw EMuraltoError(std::string("The picture open dialog could not be opened (common dialog error ") + code +
                            ").");
    }
    return std::nullopt;
}

UINT_PTR CALLBACK TOpenPictureDialog::HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
            auto* self = reinterpret_cast<TOpenPictureDialog*>(ofn->lCustData);
            SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            self->OnInitDialog(child);
            return FALSE; // the system's dialog sets the focus
        }
        auto* self = reinterpret_cast<TOpenPictureDialog*>(GetWindowLongPtrW(child, DWLP_USER));
        return self ? self->Dispatch(message, wParam, lParam) : FALSE;
    } catch (const std::exception& e) {
        // Only the option's store gets here (a refused write); the dialog
        // goes on.
        try {
            auto* self = reinterpret_cast<TOpenPictureDialog*>(GetWindowLongPtrW(child, DWLP_USER));
            if (self) self->platform_.Prompts.Message(e.what(), TMessageKind::Error);
        } catch (...) {
        }
    } catch (...) {
    }
    return FALSE;
}

UINT_PTR TOpenPictureDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
            OnInitDone();
            break;
        case CDN_SELCHANGE:
            OnSelectionChange();
            break;
        case CDN_FOLDERCHANGE:
            OnFolderChange();
            break;
        }
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_OPENPICTURE_PREVIEW && HIWORD(wParam) == BN_CLICKED) {
            OnPreviewClicked();
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM:
        if (wParam == IDC_OPENPICTURE_PANEL) {
            OnDrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_SIZE:
        OnSize();
        return FALSE;
    case kLayoutMessage:
        Layout();
        return TRUE;
    }
    return FALSE;
}

void TOpenPictureDialog::OnInitDialog(HWND child) {
    child_ = child;
    CheckDlgButton(child_, IDC_OPENPICTURE_PREVIEW, previewOn_ ? BST_CHECKED : BST_UNCHECKED);
}

void TOpenPictureDialog::OnInitDone() {
    // The system has made room for the column by now; whether it has also
    // moved the column there differs between systems, so Layout places it.
    RECT margins{kGapUnits, 0, kRightMarginUnits, kBottomMarginUnits};
    MapDialogRect(child_, &margins);
    GetWindowRect(PreviewCheck(), &checkRect_);
    MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&checkRect_), 2);
    GetWindowRect(Panel(), &panelRect_);
    MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&panelRect_), 2);
    gap_ = margins.left;
    rightMargin_ = margins.right;
    bottomMargin_ = margins.bottom;
    measured_ = true;
    Layout();
}

void TOpenPictureDialog::OnSelectionChange() {
    ShowSelection();
}

void TOpenPictureDialog::OnFolderChange() {
    // A new folder starts with nothing selected.
    ShowNothing();
}

void TOpenPictureDialog::OnPreviewClicked() {
    previewOn_ = IsDlgButtonChecked(child_, IDC_OPENPICTURE_PREVIEW) == BST_CHECKED;
    ShowSelection();
    store_.Write(settings::kPreview, previewOn_);
}

void TOpenPictureDialog::OnDrawPanel(const DRAWITEMSTRUCT& item) {
    const RECT& area = item.rcItem;
    // An empty picture fits as an empty rectangle: only the background.
    const TPreviewRect fit =
        FitPreview(picture_.Width(), picture_.Height(), area.right - area.left, area.bottom - area.top);
    const int saved = SaveDC(item.hDC);
    if (!fit.Empty())
        ExcludeClipRect(item.hDC, area.left + fit.Left, area.top + fit.Top, area.left + fit.Left + fit.Width,
                        area.top + fit.Top + fit.Height);
    FillRect(item.hDC, &area, GetSysColorBrush(kPreviewBackgroundColor));
    RestoreDC(item.hDC, saved);
    if (!fit.Empty())
        DrawPicture(item.hDC, picture_,
                    TPreviewRect{area.left + fit.Left, area.top + fit.Top, fit.Width, fit.Height});
}

void TOpenPictureDialog::OnSize() {
    PostMessageW(child_, kLayoutMessage, 0, 0);
}

int TOpenPictureDialog::SystemControlsRight() const {
    HWND dialog = GetParent(child_);
    int right = 0;
    const auto include = [&](HWND control) {
        if (!control || !IsWindowVisible(control)) return;
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&r), 2);
        right = std::max<int>(right, r.right);
    };
    for (int id : {IDOK, IDCANCEL, cmb1, cmb2, cmb13, edt1, lst1}) include(GetDlgItem(dialog, id));
    include(FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr));
    return right;
}

void TOpenPictureDialog::Layout() {
    if (!measured_) return;
    RECT client;
    GetClientRect(child_, &client);
    // Anchored to the right edge at the template's width; where the system
    // gave the column less room than that (a dialog kept within a small
    // screen), it narrows rather than cover the file list.
    const int right = client.right - rightMargin_;
    const int templateWidth = panelRect_.right - panelRect_.left;
    const int systemRight = SystemControlsRight();
    const int left = systemRight > 0 ? std::max(right - templateWidth, systemRight + gap_) : right - templateWidth;
    const int width = std::max(0, right - left);
    const int checkWidth = std::min<int>(checkRect_.right - checkRect_.left, width);
    const int panelHeight = std::max<int>(0, client.bottom - bottomMargin_ - panelRect_.top);
    SetWindowPos(PreviewCheck(), nullptr, left, checkRect_.top, checkWidth, checkRect_.bottom - checkRect_.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Panel(), nullptr, left, panelRect_.top, width, panelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Panel(), nullptr, FALSE);
}

std::optional<std::string> TOpenPictureDialog::SelectedFile() const {
    HWND dialog = GetParent(child_);
    const std::optional<std::wstring> selected = SelectedItemName(dialog);
    if (selected && selected->empty()) return std::nullopt;
    std::wstring buffer(kPathCapacity, L'\0');
    const LRESULT length =
        SendMessageW(dialog, CDM_GETFILEPATH, kPathCapacity, reinterpret_cast<LPARAM>(&buffer[0]));
    if (length <= 1) return std::nullopt; // the length counts the terminator
    buffer.resize(wcsnlen(buffer.c_str(), kPathCapacity));
    // The path comes from the file name box, which a selected folder leaves
    // as it was: it must name the selected entry.
    if (selected && !NamesEntry(buffer, *selected)) return std::nullopt;
    const std::string path = win::Utf8(buffer);
    if (platform_.Files.DirectoryExists(path)) return std::nullopt;
    return path;
}

void TOpenPictureDialog::ShowSelection() {
    picture_ = TBitmap();
    if (previewOn_) {
        if (const auto path = SelectedFile()) {
            try {
                TAnymap map(platform_);
                map.LoadFromFile(*path);
                picture_ = std::move(map);
            } catch (...) {
                // A damaged or unreadable file shows an empty panel.
                picture_ = TBitmap();
            }
        }
    }
    InvalidateRect(Panel(), nullptr, FALSE);
}

void TOpenPictureDialog::ShowNothing() {
    picture_ = TBitmap();
    InvalidateRect(Panel(), nullptr, FALSE);
}

} // namespace

std::optional<std::string> ShowOpenPictureDialog(TPlatform& platform, HWND owner, const std::string& initialFolder) {
    TOpenPictureDialog dialog(platform);
    return dialog.Run(owner, initialFolder);
}
