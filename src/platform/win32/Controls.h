#pragma once
// Controls as data: a form or page lists its controls in a table (window
// class, component name, id, caption, style, rectangle at 120 dpi, help
// context, font), and one function creates them all, scaled to the window's
// DPI, with the form's fonts, checking each creation. After a DPI change the
// same table lays them out again.
#include "platform/win32/Handles.h"

#include <string>
#include <vector>

namespace win {

// The fonts a form's controls use, made for one DPI from the system's
// message font at 8 points (the size the forms were laid out for).
enum class TFontRole { Normal, Bold, Heading, Link };

class TFormFonts {
public:
    void Create(UINT dpi);
    HFONT Get(TFontRole role) const;

private:
    UniqueFont normal_, bold_, heading_, link_;
};

struct TControlSpec {
    const wchar_t* ClassName;
    const char* Name; // the component name: how tests and the code find it
    int Id;           // WM_COMMAND and WM_NOTIFY carry it; 0 or -1 for none
    const char* Caption;
    DWORD Style; // WS_CHILD and WS_VISIBLE are added
    DWORD ExStyle;
    int Left, Top, Width, Height; // at 120 dpi, in the parent's client area
    int HelpContext = 0;
    TFontRole Font = TFontRole::Normal;
};

class TControls {
public:
    TControls() = default;
    TControls(const TControls&) = delete;
    TControls& operator=(const TControls&) = delete;

    // Creates every control of the table on the parent at this DPI; throws
    // the system's error when one cannot be made.
    void Create(HWND parent, const std::vector<TControlSpec>& table, UINT dpi, const TFormFonts& fonts);
    // Places and sizes them again for another DPI (fonts already remade).
    void Layout(UINT dpi, const TFormFonts& fonts);

    HWND ById(int id) const;
    HWND ByName(const std::string& name) const;
    // The table entry of a control, or null when it is not one of these.
    const TControlSpec* SpecOf(HWND control) const;
    const TControlSpec* SpecById(int id) const;
    bool Empty() const { return windows_.empty(); }
    const std::vector<TControlSpec>& Table() const { return table_; }

private:
    void Place(size_t index, UINT dpi, const TFormFonts& fonts);

    HWND parent_ = nullptr;
    std::vector<TControlSpec> table_;
    std::vector<HWND> windows_;
};

} // namespace win
