// The effects box: its window and controls (TSizePanel), and what the image
// window does with them — the miniature rebuilt on every change, Preview
// on the full-size picture with the fast algorithms, OK with the smooth
// ones, Cancel back to the state when the box opened.
#include "app/Extra.h"
#include "imagewindow/win/SizePanel.h"
#include "imagewindow/win/Unit1.h"

#include <commctrl.h>

#include <climits>

using effectsbox::TBoxValues;
using effectsbox::TPreviewArea;

namespace {

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kSpinEdit = ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP;
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

// The controls at 120 dpi inside the box's frame: the options on the left,
// the miniature on the right, the buttons below it.
const std::vector<win::TControlSpec>& SizePanelControls() {
    using P = TSizePanel;
    static const std::vector<win::TControlSpec> table = {
        {L"STATIC", "Label1", -1, "Size % ", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 10, 41, 60, 18},
        {L"EDIT", "Percentage", P::idPercentage, "100", kSpinEdit, WS_EX_CLIENTEDGE, 70, 37, 52, 24, 98},
        {UPDOWN_CLASSW, "PercentageSpin", P::idPercentageSpin, "", kSpin, 0, 122, 37, 18, 24, 98},
        {L"BUTTON", "Fit", P::idFit, "Fit to Screen", kCheckBox, 0, 10, 68, 130, 22, 99},
        {L"BUTTON", "FlipX", P::idFlipX, "Mirror", kCheckBox, 0, 10, 92, 130, 22, 119},
        {L"BUTTON", "FishEye", P::idFishEye, "Fish Eye", kCheckBox, 0, 10, 116, 130, 22, 125},
        {L"BUTTON", "Twirl", P::idTwirl, "Twirl", kCheckBox, 0, 10, 140, 130, 22, 126},
        {L"BUTTON", "Waves", P::idWaves, "Waves", kCheckBox, 0, 10, 164, 130, 22, 127},
        {L"STATIC", "Label2", -1, "Rotate \xC2\xB0 ", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 10, 197, 60, 18},
        {L"EDIT", "Rotate", P::idRotate, "0", kSpinEdit, WS_EX_CLIENTEDGE, 70, 193, 52, 24, 120},
        {UPDOWN_CLASSW, "RotateSpin", P::idRotateSpin, "", kSpin, 0, 122, 193, 18, 24, 120},
        {L"BUTTON", "Preview", P::idPreview, "Preview", BS_PUSHBUTTON | WS_TABSTOP, 0, 146, 212, 64, 26, 95},
        {L"BUTTON", "SizeOk", P::idSizeOk, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 216, 212, 64, 26, 96},
        {L"BUTTON", "SizeCancel", P::idSizeCancel, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 286, 212, 64, 26, 97},
    };
    return table;
}

// The miniature's frame at 120 dpi: 200 × 150 inside a 2-pixel etched edge.
constexpr RECT kPanel1{144, 34, 144 + 204, 34 + 154};

// A whole number as the box reads it: the program's decimal rule, with the
// spaces around it ignored; anything unreadable (or too large) is 0.
int32_t ReadWholeNumber(const std::wstring& wide) {
    std::string text = win::Utf8(wide);
    const size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    if (first == std::string::npos) return 0;
    text = text.substr(first, last - first + 1);
    if (text[0] == '$') return 0; // a spin edit takes decimal numbers only
    return StrToIntDef(text, 0);
}

// The hourglass on the focused control while an action runs.
class TWaitCursor {
public:
    TWaitCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(old_); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR old_;
};

} // namespace

// ---- The box's window ----

TSizePanel::TSizePanel(TApplication& application, TForm1& owner) : TForm(application), owner_(owner) {
    TCreateParams p{kClassName, L"Effects Box"};
    p.Style = WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_CONTROLPARENT;
    p.Parent = owner.Handle();
    p.X = 0, p.Y = 0;
    p.ClientWidth = kWidth - 2;
    p.ClientHeight = kHeight - 2;
    CreateHandle(p);
    FormCreate();
}

void TSizePanel::FormCreate() {
    CreateControls(SizePanelControls());
    SetSpinRanges();
    Panel2_ = MakeForm<TPanel>(Application(), Handle(), "  Effects Box");
    Panel2_->BackColor = RGB(0, 0, 0);
    Panel2_->TextColor = RGB(255, 255, 255);
    Panel2_->OnMouse = [this](UINT message, POINT at, WPARAM) { owner_.Panel2Mouse(message, at); };
    Panel1_ = MakeForm<TPanel>(Application(), Handle(), "");
    Panel1_->Etched = true;
    SizePaintBox_ = MakeForm<TFlickerFreePaintBox>(Application(), Panel1_->Handle(), "Preview of the screen",
                                                   RECT{0, 0, 1, 1});
    SizePaintBox_->OnPaint = [this](TBitmap& buffer) { owner_.SizePaintBoxPaint(buffer); };
    LayoutPanels();
}

void TSizePanel::SetSpinRanges() {
    const struct {
        int Spin, Edit;
        int32_t Low, High;
    } spins[] = {
        {idPercentageSpin, idPercentage, -INT_MAX, INT_MAX}, // no limits
        {idRotateSpin, idRotate, -360, 360},
    };
    for (const auto& s : spins) {
        HWND spin = Control(s.Spin);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(s.Edit)), 0);
        SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(s.Low), static_cast<LPARAM>(s.High));
    }
}

void TSizePanel::LayoutPanels() {
    RECT client;
    GetClientRect(Handle(), &client);
    // The title bar in bold Arial, white on black, a little larger than the
    // controls' font so that it reads as a title.
    LOGFONTW title = win::MessageFont(Dpi());
    title.lfHeight = -MulDiv(9, static_cast<int>(Dpi()), 72);
    title.lfWeight = FW_BOLD;
    wcscpy_s(title.lfFaceName, L"Arial");
    titleFont_.Reset(CreateFontIndirectW(&title));
    Panel2_->CaptionFont = titleFont_.Get();
    Panel2_->SetBounds(RECT{0, 0, client.right, Scaled(kTitleHeight)});
    Panel1_->SetBounds(RECT{Scaled(kPanel1.left), Scaled(kPanel1.top), Scaled(kPanel1.right), Scaled(kPanel1.bottom)});
    // The miniature fills the frame's inside: 200 × 150 at 120 dpi.
    const RECT inner = Panel1_->InnerRect();
    const int width = Scaled(kPanel1.right - kPanel1.left - 4), height = Scaled(kPanel1.bottom - kPanel1.top - 4);
    SizePaintBox_->SetBounds(RECT{inner.left, inner.top, inner.left + width, inner.top + height});
}

void TSizePanel::FormDpiChanged() {
    if (Panel2_) LayoutPanels();
}

void TSizePanel::FollowDpi(UINT dpi) {
    const RECT r = Bounds();
    SetWindowPos(Handle(), nullptr, r.left, r.top, win::ScaleFromDesign(kWidth, dpi), win::ScaleFromDesign(kHeight, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
    SetSpinRanges();
}

int32_t TSizePanel::Value(int id) const {
    wchar_t text[64] = L"";
    GetWindowTextW(Control(id), text, 64);
    return ReadWholeNumber(text);
}

void TSizePanel::SetValue(int id, int32_t value) {
    SetWindowTextW(Control(id), std::to_wstring(value).c_str());
}

bool TSizePanel::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TSizePanel::SetChecked(int id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TSizePanel::Enable(int id, bool enabled) {
    EnableWindow(Control(id), enabled);
    if (id == idPercentage) EnableWindow(Control(idPercentageSpin), enabled);
}

bool TSizePanel::Visible() const {
    return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSizePanel::SetVisible(bool visible) {
    if (visible) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

RECT TSizePanel::Bounds() const {
    RECT r;
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void TSizePanel::MoveTo(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TSizePanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (code == BN_CLICKED) {
            switch (id) {
            case idFit: owner_.FitClick(); return 0;
            case idFlipX:
            case idFishEye:
            case idTwirl:
            case idWaves: owner_.EffectClick(); return 0;
            case idPreview: owner_.PreviewClick(); return 0;
            case idSizeOk: owner_.SizeOkClick(); return 0;
            case idSizeCancel: owner_.SizeCancelClick(); return 0;
            }
        } else if (code == EN_CHANGE) {
            if (id == idPercentage) owner_.PercentageChange();
            if (id == idRotate) owner_.RotateChange();
            return 0;
        }
    }
    return Default(message, wParam, lParam);
}

// ---- What the image window does with it ----

void TForm1::CreateSizePanel() {
    SizePanel_ = MakeForm<TSizePanel>(Application(), *this);
}

TForm& TForm1::SizePanel() {
    return *SizePanel_;
}

TFlickerFreePaintBox& TForm1::SizePaintBox() {
    return SizePanel_->SizePaintBox();
}

bool TForm1::EffectsBoxShowing() const {
    return SizePanel_ && SizePanel_->Visible();
}

TBoxValues TForm1::BoxValues() const {
    using P = TSizePanel;
    TBoxValues v;
    v.Fit = SizePanel_->Checked(P::idFit);
    v.Percentage = SizePanel_->Value(P::idPercentage);
    v.Mirror = SizePanel_->Checked(P::idFlipX);
    v.FishEye = SizePanel_->Checked(P::idFishEye);
    v.Twirl = SizePanel_->Checked(P::idTwirl);
    v.Waves = SizePanel_->Checked(P::idWaves);
    v.Rotate = SizePanel_->Value(P::idRotate);
    return v;
}

TPreviewArea TForm1::PreviewArea() {
    RECT r;
    GetClientRect(SizePaintBox().Handle(), &r);
    return TPreviewArea{platform_.Screen.Width(), platform_.Screen.Height(), r.right, r.bottom};
}

void TForm1::ShrinkMenuClick() {
    if (Engine_->SourceImage.Empty()) return;
    if (!EffectsBoxShowing()) {
        const RECT r = SizePanel_->Bounds();
        SizePanel_->MoveTo((platform_.Screen.Width() - (r.right - r.left)) / 2,
                           (platform_.Screen.Height() - (r.bottom - r.top)) / 2);
    }
    ShowEffectsBox(!EffectsBoxShowing());
    if (EffectsBoxShowing()) {
        Engine_->Snapshot(TWallpaper::snSave);
        LoadEffectsBox();
    } else {
        Engine_->Snapshot(TWallpaper::snRestore);
        CopyPosition();
        preview_.Free();
    }
}

void TForm1::ShowEffectsBox(bool show) {
    SizePanel_->SetVisible(show);
    if (!show) {
        SetFocus(Handle());
        return;
    }
    const bool fit = SizePanel_->Checked(TSizePanel::idFit);
    SetFocus(SizePanel_->Control(fit ? TSizePanel::idFit : TSizePanel::idPercentage));
}

void TForm1::LoadEffectsBox() {
    using P = TSizePanel;
    loadingBox_ = true;
    const TWallpaper& e = *Engine_;
    // Setting a check box sends no click: Fit's own work runs here when its
    // check changes, as a click would.
    const bool fitChanged = SizePanel_->Checked(P::idFit) != e.Fit;
    SizePanel_->SetChecked(P::idFit, e.Fit);
    if (fitChanged) FitClick();
    SizePanel_->SetValue(P::idPercentage, e.Percentage);
    SizePanel_->SetChecked(P::idFlipX, e.Mirror);
    SizePanel_->SetChecked(P::idFishEye, e.FishEye);
    SizePanel_->SetChecked(P::idTwirl, e.Twirl);
    SizePanel_->SetChecked(P::idWaves, e.Waves);
    SizePanel_->SetValue(P::idRotate, e.Rotate);
    preview_.PreviewPos = {e.Position.X, e.Position.Y};
    loadingBox_ = false;
    preview_.Reset(e.SourceImage);
    RebuildPreview();
}

void TForm1::RebuildPreview() {
    if (loadingBox_) return;
    preview_.Rebuild(Engine_->SourceImage, BoxValues(), PreviewArea(), Engine_->Color, Engine_->Tile);
    SizePaintBox().Invalidate();
}

void TForm1::RebuildPreviewTile() {
    preview_.RebuildTile(PreviewArea(), Engine_->Tile);
    SizePaintBox().Invalidate();
}

void TForm1::SizePaintBoxPaint(TBitmap& buffer) {
    preview_.Paint(buffer, PreviewArea(), Engine_->Tile);
}

void TForm1::FitClick() {
    const bool fit = SizePanel_->Checked(TSizePanel::idFit);
    SizePanel_->Enable(TSizePanel::idPercentage, !fit);
    if (fit) {
        const int sw = platform_.Screen.Width(), sh = platform_.Screen.Height();
        preview_.PreviewPos = effectsbox::FittedPosition(Engine_->SourceImage.Width(), Engine_->SourceImage.Height(), sw, sh);
        preview_.ImageCentre = {sw / 2, sh / 2};
    }
    RebuildPreview();
}

void TForm1::EffectClick() {
    RebuildPreview();
}

void TForm1::PercentageChange() {
    RebuildPreview();
}

void TForm1::RotateChange() {
    RebuildPreview();
}

void TForm1::CopyBoxToEngine() {
    const TBoxValues v = BoxValues();
    TWallpaper& e = *Engine_;
    e.Fit = v.Fit;
    e.Percentage = v.Percentage;
    e.Mirror = v.Mirror;
    e.FishEye = v.FishEye;
    e.Twirl = v.Twirl;
    e.Waves = v.Waves;
    e.Rotate = v.Rotate;
}

void TForm1::PreviewClick() {
    TWaitCursor wait;
    CopyBoxToEngine();
    Engine_->RenderImage(); // fast: the snapshot is open
    preview_.PreviewPos.X -= preview_.PreviewShift.X;
    preview_.PreviewPos.Y -= preview_.PreviewShift.Y;
    preview_.PreviewShift = {};
    Engine_->SetPosition(preview_.PreviewPos.X, preview_.PreviewPos.Y);
    CopyPosition();
}

void TForm1::SizeOkClick() {
    ShowEffectsBox(false);
    Engine_->Snapshot(TWallpaper::snDiscard); // smooth algorithms again
    CopyBoxToEngine();
    Engine_->RenderImage();
    preview_.PreviewPos.X -= preview_.PreviewShift.X;
    preview_.PreviewPos.Y -= preview_.PreviewShift.Y;
    Engine_->SetPosition(preview_.PreviewPos.X, preview_.PreviewPos.Y);
    CopyPosition();
}

void TForm1::SizeCancelClick() {
    ShowEffectsBox(false);
    Engine_->Snapshot(TWallpaper::snRestore);
    CopyPosition();
}

void TForm1::Panel2Mouse(UINT message, POINT) {
    POINT cursor;
    switch (message) {
    case WM_LBUTTONDOWN:
        panelDragging_ = GetCursorPos(&panelLastCursor_) != 0;
        break;
    case WM_MOUSEMOVE:
        if (!panelDragging_ || !GetCursorPos(&cursor)) break;
        if (cursor.x != panelLastCursor_.x || cursor.y != panelLastCursor_.y) {
            const RECT r = SizePanel_->Bounds();
            SizePanel_->MoveTo(r.left + cursor.x - panelLastCursor_.x, r.top + cursor.y - panelLastCursor_.y);
            panelLastCursor_ = cursor;
        }
        break;
    case WM_LBUTTONUP: panelDragging_ = false; break;
    }
}
