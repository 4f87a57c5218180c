// The picture open dialog, shown for real and driven from a timer while its
// modal loop runs: caption, filter and layout, the preview at the panel's
// pixel size (small pictures centred at their size, large ones scaled down,
// damaged files and folders empty), the check box with Alt+P and its
// "Preview" value, and what Cancel and OK return.
#include "app/Settings.h"
#include "engine/BmpFile.h"
#include "imagewindow/PreviewFit.h"
#include "imagewindow/win/OpenPictureDialog.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinServices.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// A picture with `top` over `bottom`.
std::vector<uint8_t> BmpFile(int width, int height, COLORREF top, COLORREF bottom) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = y < height / 2 ? top : bottom;
            uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return WriteBmp(bitmap);
}

// A temporary folder with small.bmp (60x30, red over blue), wide.bmp
// (600x100, green), broken.bmp (cut short) and a sub-folder "album".
struct TPictureFolder {
    TPictureFolder() {
        wchar_t temp[MAX_PATH], full[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        Path = win::Utf8(GetLongPathNameW(temp, full, MAX_PATH) ? full : temp) + "muralto-open-" +
               std::to_string(GetCurrentProcessId());
        std::filesystem::create_directories(std::filesystem::path(win::Wide(Path + "\\album")));
        WinFileSystem files;
        files.WriteFile(File("small.bmp"), BmpFile(60, 30, kRed, kBlue));
        files.WriteFile(File("wide.bmp"), BmpFile(600, 100, kGreen, kGreen));
        std::vector<uint8_t> broken = BmpFile(40, 40, kRed, kRed);
        broken.resize(60);
        files.WriteFile(File("broken.bmp"), broken);
    }
    ~TPictureFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(win::Wide(Path)), ignored);
    }
    std::string File(const std::string& name) const { return Path + "\\" + name; }
    std::string Path;
};

struct TSearch {
    int Id;
    const wchar_t* Class;
    HWND Found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (search->Class ? std::wstring(name) != search->Class : GetDlgCtrlID(window) != search->Id) return TRUE;
    search->Found = window;
    return FALSE;
}

// A control anywhere below the dialog (the program's own sit in a child
// dialog): by id, or the first of a window class.
HWND Find(HWND dialog, int id, const wchar_t* className = nullptr) {
    TSearch search{id, className, nullptr};
    EnumChildWindows(dialog, Match, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return win::Utf8(text);
}

HWND FindOpenDialog() {
    HWND dialog = FindWindowW(L"#32770", L"Muralto Open");
    return dialog && IsWindowVisible(dialog) && Find(dialog, IDC_OPENPICTURE_PANEL) ? dialog : nullptr;
}

// Selects the file list's entry starting with the stem (extensions may be
// hidden), as a click does; false while it is not listed.
bool SelectInList(HWND dialog, const wchar_t* stem) {
    HWND list = Find(dialog, 0, WC_LISTVIEWW);
    LVFINDINFOW find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    find.psz = stem;
    const LRESULT index = list ? SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), LPARAM(&find)) : -1;
    if (index < 0) return false;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&state));
    return true;
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(colour));
    return text;
}

// The panel as it paints itself: background everywhere but the fitted
// rectangle of a w x h picture, which shows `top` over `bottom` (0 x 0: no
// picture). Pixels right outside each edge must be background; inside, a
// scaled picture is sampled a pixel in from its edges.
::testing::AssertionResult PanelShows(HWND panel, int w, int h, COLORREF top = 0, COLORREF bottom = 0) {
    RECT client;
    GetClientRect(panel, &client);
    const int width = client.right, height = client.bottom;
    if (width < 8 || height < 8) return ::testing::AssertionFailure() << "panel too small";
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::UniqueDC dc(CreateCompatibleDC(nullptr));
    win::UniqueBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        win::SelectedObject selected(dc.Get(), bitmap.Get());
        SendMessageW(panel, WM_PRINTCLIENT, WPARAM(dc.Get()), PRF_CLIENT);
        GdiFlush();
    }
    const auto at = [&](int x, int y) {
        const uint32_t p = static_cast<const uint32_t*>(bits)[size_t(y) * width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    };
    const COLORREF background = GetSysColor(kPreviewBackgroundColor);
    const TPreviewRect fit = FitPreview(w, h, width, height);
    std::vector<std::tuple<int, int, COLORREF>> points;
    if (fit.Empty()) {
        for (int y = 0; y < height; y += 3)
            for (int x = 0; x < width; x += 3) points.emplace_back(x, y, background);
    } else {
        const int in = fit.Width == w && fit.Height == h ? 0 : 1;
        const int l = fit.Left, t = fit.Top, r = l + fit.Width - 1, b = t + fit.Height - 1, mid = t + fit.Height / 2;
        points = {{l + in, t + in, top},   {r - in, t + in, top},  {l + in, mid - 1, top}, {r - in, mid, bottom},
                  {l + in, b - in, bottom}, {l - 1, t, background}, {r + 1, b, background}, {l, t - 1, background},
                  {r, b + 1, background}};
    }
    for (const auto& [x, y, expected] : points)
        if (x >= 0 && y >= 0 && x < width && y < height && at(x, y) != expected)
            return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") of " << width << "x" << height
                                                 << " is 0x" << Hex(at(x, y)) << ", expected 0x" << Hex(expected);
    return ::testing::AssertionSuccess();
}

// The check box and the panel lie right of the system's controls and inside
// the dialog, the panel reaching down past the OK button.
::testing::AssertionResult ColumnBesideTheFileList(HWND dialog) {
    const auto rectOf = [&](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT client;
    GetClientRect(dialog, &client);
    const RECT check = rectOf(Find(dialog, IDC_OPENPICTURE_PREVIEW));
    const RECT panel = rectOf(Find(dialog, IDC_OPENPICTURE_PANEL)), ok = rectOf(GetDlgItem(dialog, IDOK));
    if (check.left > ok.right && panel.left > ok.right && panel.right <= client.right &&
        panel.bottom <= client.bottom && panel.top >= check.bottom && panel.bottom >= ok.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "dialog " << client.right << "x" << client.bottom << ", OK right "
                                         << ok.right << ", check left " << check.left << ", panel " << panel.left
                                         << "," << panel.top << "-" << panel.right << "," << panel.bottom;
}

// Steps run from a thread timer while the dialog's modal loop runs; a step
// returns false to be tried again on the next tick. A step not done within
// its time fails the test and cancels the dialog, so every test ends.
class TDialogScript {
public:
    using TStep = std::pair<const char*, std::function<bool(HWND dialog)>>;
    explicit TDialogScript(std::vector<TStep> steps) : steps_(std::move(steps)) {
        current_ = this;
        started_ = GetTickCount();
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~TDialogScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ >= steps_.size(); }
    // Why the last try of a waiting step failed.
    static inline std::string LastReason;

private:
    static constexpr DWORD kStepTimeoutMs = 15000;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (TDialogScript* self = current_) self->Advance();
    }
    void Advance() {
        HWND dialog = FindOpenDialog();
        const bool late = GetTickCount() - started_ > kStepTimeoutMs;
        if (Finished() || (next_ > 0 && !dialog)) {
            if (dialog && late) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (steps_[next_].second(dialog)) {
            ++next_;
            started_ = GetTickCount();
        } else if (late) {
            ADD_FAILURE() << "step \"" << steps_[next_].first << "\" did not complete: " << LastReason;
            next_ = steps_.size();
            if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    static inline TDialogScript* current_ = nullptr;
    std::vector<TStep> steps_;
    size_t next_ = 0;
    DWORD started_ = 0;
    UINT_PTR timer_ = 0;
};

bool Holds(const ::testing::AssertionResult& check) {
    if (!check) TDialogScript::LastReason = check.message();
    return static_cast<bool>(check);
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

class OpenPictureDialog : public ::testing::Test {
protected:
    reg::HostRegistry registry;
    WinFileSystem files;
    WinSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    settings::TSettings store{registry};
    TPictureFolder folder;
    HWND panel = nullptr;

    // The stored "Preview" value as type and number.
    std::optional<std::pair<uint32_t, uint32_t>> StoredPreview() {
        const auto key = registry.Open(settings::kPreview.Root, store.KeyOf(settings::kPreview), false);
        reg::Value v;
        if (!key || !key->QueryValue(settings::kPreview.Name, v) || v.Data.size() != 4) return std::nullopt;
        return std::make_pair(v.Type, uint32_t(v.Data[0] | v.Data[1] << 8 | v.Data[2] << 16 | v.Data[3] << 24));
    }
    static bool Checked(HWND dialog) {
        return SendMessageW(Find(dialog, IDC_OPENPICTURE_PREVIEW), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static void Click(HWND dialog) { SendMessageW(Find(dialog, IDC_OPENPICTURE_PREVIEW), BM_CLICK, 0, 0); }
    // Selecting an entry, then waiting until the panel shows what it should.
    TDialogScript::TStep Select(const wchar_t* stem) {
        return {"select", [stem](HWND dialog) { return SelectInList(dialog, stem); }};
    }
    TDialogScript::TStep Shows(const char* what, int w, int h, COLORREF top = 0, COLORREF bottom = 0) {
        return {what, [=](HWND) { return Holds(PanelShows(panel, w, h, top, bottom)); }};
    }
};

const auto kDWordOf = [](uint32_t n) { return std::make_pair(uint32_t(reg::kDWord), n); };

} // namespace

TEST_F(OpenPictureDialog, PreviewsTheSelectionAndRemembersTheCheckBoxThenCancelReturnsNothing) {
    TDialogScript script({
        {"the dialog appears", [](HWND dialog) { return dialog != nullptr; }},
        {"caption, filter, folder and controls",
         [&](HWND dialog) {
             EXPECT_EQ(TextOf(dialog), "Muralto Open");
             wchar_t first[128] = {}, current[MAX_PATH] = {};
             HWND types = GetDlgItem(dialog, cmb1);
             if (SendMessageW(types, CB_GETLBTEXTLEN, 0, 0) < 128) SendMessageW(types, CB_GETLBTEXT, 0, LPARAM(first));
             EXPECT_EQ(win::Utf8(first), "Muralto Files");
             EXPECT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 9) << "the program's files, then one row per type";
             SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(current));
             EXPECT_TRUE(text::SameText(win::Utf8(current), folder.Path)) << win::Utf8(current);
             HWND check = Find(dialog, IDC_OPENPICTURE_PREVIEW);
             panel = Find(dialog, IDC_OPENPICTURE_PANEL);
             EXPECT_EQ(TextOf(check), "&Preview");
             EXPECT_TRUE(GetWindowLongW(check, GWL_STYLE) & WS_TABSTOP);
             EXPECT_TRUE(GetWindowLongW(GetParent(check), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
             EXPECT_EQ(TextOf(panel), "Picture preview");
             EXPECT_TRUE(ColumnBesideTheFileList(dialog));
             EXPECT_TRUE(Checked(dialog)) << "the preview is on when nothing is stored";
             return true;
         }},
        Shows("nothing selected yet", 0, 0),
        Select(L"small"),
        Shows("small.bmp at its size, centred", 60, 30, kRed, kBlue),
        Select(L"wide"),
        Shows("wide.bmp scaled down", 600, 100, kGreen, kGreen),
        Select(L"broken"),
        Shows("a damaged file shows nothing", 0, 0),
        Select(L"small"),
        Shows("small.bmp again", 60, 30, kRed, kBlue),
        Select(L"album"),
        Shows("a folder shows nothing", 0, 0),
        Select(L"small"),
        {"Alt+P turns the preview off",
         [&](HWND dialog) {
             if (!PanelShows(panel, 60, 30, kRed, kBlue)) return false;
             HWND focus = GetFocus();
             PostMessageW(focus && IsChild(dialog, focus) ? focus : dialog, WM_SYSCHAR, 'p', 1 << 29);
             return true;
         }},
        {"off: stored as 0, the panel empty",
         [&](HWND dialog) {
             if (Checked(dialog)) return false;
             EXPECT_EQ(StoredPreview(), kDWordOf(0));
             return Holds(PanelShows(panel, 0, 0));
         }},
        {"a click turns it on",
         [&](HWND dialog) {
             Click(dialog);
             return Checked(dialog);
         }},
        {"on: stored as 1, the selection shown",
         [&](HWND) {
             EXPECT_EQ(StoredPreview(), kDWordOf(1));
             return Holds(PanelShows(panel, 60, 30, kRed, kBlue));
         }},
        {"a click turns it off, then Cancel",
         [&](HWND dialog) {
             Click(dialog);
             PressButton(dialog, IDCANCEL);
             return true;
         }},
    });
    const std::optional<std::string> result = ShowOpenPictureDialog(platform, nullptr, folder.Path);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(result.has_value()) << *result;
    EXPECT_EQ(StoredPreview(), kDWordOf(0));
    EXPECT_TRUE(prompts.Messages.empty()) << prompts.Messages.front().Text;
}

TEST_F(OpenPictureDialog, StartsWithThePreviewOffFollowsResizingAndOkReturnsTheTypedFile) {
    store.Write(settings::kPreview, false);
    // On a display of 256 colours the picture arrives with a palette.
    screen.SetBitsPerPixel(8);
    TDialogScript script({
        {"the dialog appears, the check box off",
         [&](HWND dialog) {
             if (!dialog) return false;
             panel = Find(dialog, IDC_OPENPICTURE_PANEL);
             EXPECT_FALSE(Checked(dialog));
             return true;
         }},
        Select(L"small"),
        Shows("nothing is shown while off", 0, 0),
        {"a click turns it on",
         [&](HWND dialog) {
             Click(dialog);
             EXPECT_EQ(StoredPreview(), kDWordOf(1));
             return Checked(dialog);
         }},
        Shows("the selection is shown through its palette", 60, 30, kRed, kBlue),
        {"make the dialog larger",
         [&](HWND dialog) {
             RECT r;
             GetWindowRect(dialog, &r);
             SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + 100, r.bottom - r.top + 150,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
             return true;
         }},
        {"the column follows the edges, the picture stays centred",
         [&](HWND dialog) {
             return Holds(ColumnBesideTheFileList(dialog)) && Holds(PanelShows(panel, 60, 30, kRed, kBlue));
         }},
        {"type the name and press OK",
         [&](HWND dialog) {
             HWND name = GetDlgItem(dialog, cmb13);
             SetWindowTextW(name ? name : GetDlgItem(dialog, edt1), L"small.bmp");
             PressButton(dialog, IDOK);
             return true;
         }},
    });
    const std::optional<std::string> result = ShowOpenPictureDialog(platform, nullptr, folder.Path);
    EXPECT_TRUE(script.Finished());
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(text::SameText(*result, folder.File("small.bmp"))) << *result;
    EXPECT_TRUE(prompts.Messages.empty()) << prompts.Messages.front().Text;
}
