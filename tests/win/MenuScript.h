#pragma once
// Driving a real menu from inside its own loop: steps run on a timer while
// the menu is open, keys go to the open menu's window, and the menu's
// entries are read from its native handle.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs steps on a timer while a menu is open; the last step ends the menu,
// and a menu still open after five seconds is ended anyway.
class TMenuScript {
public:
    explicit TMenuScript(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 100, Tick);
        started_ = GetTickCount();
    }
    ~TMenuScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TMenuScript* self = current_;
        if (!self) return;
        if (self->next_ < self->steps_.size()) {
            self->steps_[self->next_++]();
        } else if (self->next_ == self->steps_.size() || GetTickCount() - self->started_ > 5000) {
            ++self->next_;
            EndMenu();
        }
    }
    static inline TMenuScript* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    DWORD started_ = 0;
};

inline HWND OpenMenuWindow() {
    return FindWindowW(L"#32768", nullptr);
}

inline void Key(UINT key) {
    // Keys go to the focus of the menu loop: the open menu's window.
    HWND menu = OpenMenuWindow();
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
}

// The captions of a native menu, by position.
inline std::vector<std::wstring> MenuCaptions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[260] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 260, MF_BYPOSITION);
        captions.push_back(caption);
    }
    return captions;
}
