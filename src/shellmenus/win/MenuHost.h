#pragma once
// Native menus from the menu model, and the hidden window that owns them.
//
// Every popup menu of the program is built from model entries with
// InsertMenuItemW, owner-drawn, each entry carrying its caption as item text
// so that screen readers and other programs can read it. A sub-menu is
// built again when it is about to open, after its entry's handlers ran, so
// that folder menus fill lazily.
//
// The owner window remembers the highlighted entry, answers F1 with the
// entry's help context, turns a right-button release in an open menu into
// the message 1774 to the main form (the entry is not run), and hands the
// measure, draw and menu-character messages to the main form, which offers
// them to its menu host (Offer): the registered menus are asked in the order
// they were registered until one claims the message.
#include "platform/win32/Form.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/TextMeasurer.h"
#include "shellmenus/win/MenuImages.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class TMenuHost {
public:
    // Posted to the main form when the right button is released in an open
    // menu; wParam is the highlighted entry's command.
    static constexpr UINT kRightButtonMessage = 1774;

    // fontForm lends its font to measure captions and its DPI to the
    // metrics; mainForm (may be null) gets the owner's messages to offer
    // back and the right-button message.
    TMenuHost(TForm& fontForm, HWND mainForm);
    ~TMenuHost();
    TMenuHost(const TMenuHost&) = delete;
    TMenuHost& operator=(const TMenuHost&) = delete;

    // A root menu whose entries this host builds, draws and runs; its
    // native menu is made now. Unregister destroys the native menu. A
    // registered menu outlives the host or is unregistered before it goes.
    void Register(TMenuItem& root);
    void Unregister(TMenuItem& root);
    // Builds the native menu of an entry with sub-entries again, with the
    // native menus of all its sub-entries that have sub-entries.
    void Rebuild(TMenuItem& item);

    // Shows a registered menu at a screen point until the user chooses or
    // leaves; the chosen entry's OnClick runs. The chosen command, 0 for none
    // (also when a menu of this thread is open already: nothing is shown).
    uint16_t Popup(TMenuItem& root, POINT at, UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);
    // True while a menu of this thread is open (its loop is running).
    static bool MenuOpen();

    // WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR as the main form receives
    // them: true when a registered menu claimed the message.
    bool Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND OwnerWindow() const;
    uint16_t LastSelected() const { return lastSelected_; }
    const TMenuImages& Images();
    ITextMeasurer& Measurer();
    // The entry of a command or of a native sub-menu among the registered menus.
    TMenuItem* FindCommand(uint16_t command) const;
    TMenuItem* FindMenu(HMENU menu) const;

private:
    class TOwnerWindow;
    class TCaptionMeasurer;
    friend class TOwnerWindow;

    // Owner window messages.
    void InitMenuPopup(HMENU menu);
    void MenuSelect(UINT item, UINT flags, HMENU menu);
    void Help(uint16_t command);
    void RightButtonUp();
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    void Measure(const TMenuItem& item, MEASUREITEMSTRUCT& measure);
    void Draw(const TMenuItem& item, const DRAWITEMSTRUCT& draw);
    bool SystemImageEmpty(int index);
    int Scale(int value96) const;

    TForm& fontForm_;
    HWND mainForm_;
    TFormPtr<TOwnerWindow> owner_;
    std::unique_ptr<TCaptionMeasurer> measurer_;
    std::unique_ptr<TMenuImages> images_;
    std::vector<TMenuItem*> roots_;
    std::map<TMenuItem*, win::UniqueMenu> rootMenus_;
    std::unordered_map<int, bool> emptySystemImages_;
    uint16_t lastSelected_ = 0;
    HHOOK filter_ = nullptr;
};
