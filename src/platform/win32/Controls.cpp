#include "platform/win32/Controls.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/WinError.h"

namespace win {

namespace {

constexpr int kDesignPointSize = 8;

UniqueFont MakeFont(LOGFONTW font) {
    UniqueFont made(CreateFontIndirectW(&font));
    if (!made) ThrowLastError("Cannot create the font of a window");
    return made;
}

} // namespace

void TFormFonts::Create(UINT dpi) {
    LOGFONTW font = MessageFont(dpi);
    font.lfHeight = -MulDiv(kDesignPointSize, static_cast<int>(dpi), 72);
    font.lfWidth = 0;
    normal_ = MakeFont(font);
    LOGFONTW link = font;
    link.lfUnderline = TRUE;
    link_ = MakeFont(link);
    LOGFONTW bold = font;
    bold.lfWeight = FW_BOLD;
    bold_ = MakeFont(bold);
    bold.lfHeight = bold.lfHeight * 3 / 2;
    heading_ = MakeFont(bold);
}

HFONT TFormFonts::Get(TFontRole role) const {
    switch (role) {
    case TFontRole::Bold: return bold_.Get();
    case TFontRole::Heading: return heading_.Get();
    case TFontRole::Link: return link_.Get();
    case TFontRole::Normal: break;
    }
    return normal_.Get();
}

void TControls::Create(HWND parent, const std::vector<TControlSpec>& table, UINT dpi, const TFormFonts& fonts) {
    parent_ = parent;
    table_ = table;
    windows_.clear();
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const TControlSpec& row : table_) {
        HWND control = CreateWindowExW(row.ExStyle, row.ClassName, Wide(row.Caption ? row.Caption : "").c_str(),
                                       WS_CHILD | WS_VISIBLE | row.Style, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)), instance, nullptr);
        if (!control) ThrowLastError(std::string("Cannot create the control ") + row.Name);
        windows_.push_back(control);
        Place(windows_.size() - 1, dpi, fonts);
    }
}

void TControls::Layout(UINT dpi, const TFormFonts& fonts) {
    for (size_t i = 0; i < windows_.size(); ++i) Place(i, dpi, fonts);
}

void TControls::Place(size_t index, UINT dpi, const TFormFonts& fonts) {
    const TControlSpec& row = table_[index];
    HWND control = windows_[index];
    SetWindowPos(control, nullptr, ScaleFromDesign(row.Left, dpi), ScaleFromDesign(row.Top, dpi),
                 ScaleFromDesign(row.Width, dpi), ScaleFromDesign(row.Height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(row.Font)), TRUE);
}

HWND TControls::ById(int id) const {
    for (size_t i = 0; i < table_.size(); ++i)
        if (table_[i].Id == id) return windows_[i];
    return nullptr;
}

HWND TControls::ByName(const std::string& name) const {
    for (size_t i = 0; i < table_.size(); ++i)
        if (name == table_[i].Name) return windows_[i];
    return nullptr;
}

const TControlSpec* TControls::SpecOf(HWND control) const {
    for (size_t i = 0; i < windows_.size(); ++i)
        if (windows_[i] == control) return &table_[i];
    return nullptr;
}

const TControlSpec* TControls::SpecById(int id) const {
    for (const TControlSpec& row : table_)
        if (row.Id == id) return &row;
    return nullptr;
}

} // namespace win
