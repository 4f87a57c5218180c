#pragma once
// Pages of a dialog: a tab control with one child page per tab, each page
// with its own control table, its own load and save and a changed flag. The
// wizard uses the same host with the tabs hidden and moves between its
// steps itself.
#include "platform/win32/Form.h"

#include <memory>
#include <string>
#include <vector>

class TPage : public TForm {
public:
    TPage(TApplication& application, std::string caption, std::vector<win::TControlSpec> controls);

    const std::string& Caption() const { return caption_; }
    // Settings into the controls, and back.
    virtual void Load() {}
    virtual void Save() {}
    // The user changed something since the last load or save.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    // Made by the host: a child of the dialog, over its page area.
    void CreatePage(HWND dialog, const RECT& area);
    // Over the area again, with the controls at the dialog's DPI.
    void LayoutPage(const RECT& area, UINT dpi);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A control of the page told of a click or an edit; the default marks
    // the page changed for the ones that change settings.
    virtual void PageCommand(int id, UINT code, HWND control);
    virtual LRESULT PageNotify(const NMHDR* header);

private:
    std::string caption_;
    std::vector<win::TControlSpec> controls_;
    bool changed_ = false;
};

class TPageHost {
public:
    // The tab control's id in its dialog.
    static constexpr int kTabsId = 900;

    TPageHost() = default;
    TPageHost(const TPageHost&) = delete;
    TPageHost& operator=(const TPageHost&) = delete;

    // The area at 120 dpi in the dialog's client area that the tabs (or,
    // without tabs, the pages) take.
    void Create(TForm& dialog, int left, int top, int width, int height, bool showTabs);
    // Adds a page; it is created at once when the host exists.
    TPage& Add(TFormPtr<TPage> page);

    int Count() const { return static_cast<int>(pages_.size()); }
    TPage& Page(int index) const { return *pages_[static_cast<size_t>(index)]; }
    int ActivePage() const { return active_; }
    void SetActivePage(int index);
    HWND Tabs() const { return tabs_; }

    void LoadAll();
    void SaveAll();
    bool AnyChanged() const;
    // The dialog's DPI changed: tabs and pages follow.
    void Layout();
    // The dialog's WM_NOTIFY; true when it was the tab control's.
    bool Notify(const NMHDR* header);

private:
    RECT PageArea() const;

    TForm* dialog_ = nullptr;
    HWND tabs_ = nullptr;
    bool showTabs_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::vector<TFormPtr<TPage>> pages_;
    int active_ = -1;
};
