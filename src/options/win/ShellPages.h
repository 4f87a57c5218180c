#pragma once
// The pages of the properties dialog that reach into the shell: "Shell"
// (which picture types open with the program, and the context-menu verb)
// and "Start" (the Start menu's shortcuts and folders, the folder pointer
// wizard's button and the shortcut that refreshes the Start menu).
#include "options/OptionsModel.h"
#include "options/win/OptionsPage.h"

#include <cstdint>

class TExtensionsPage : public TOptionsPage {
public:
    enum TControlId : int { idLabel4 = 161, idChooseExt, idOpenWith, idLabel5 };

    explicit TExtensionsPage(TApplication& application);
    // After the page's window exists: the rows of the check list, one per
    // group of extensions.
    void Setup();

    void Show(const TOptionsValues& values);
    void Read(TOptionsValues& values) const;

    bool RowChecked(int row) const;
    void SetRowChecked(int row, bool checked);

protected:
    void FormDpiChanged() override;
    LRESULT PageNotify(const NMHDR* header) override;

private:
    void FitColumn();

    // Some list views size their columns themselves when they first paint;
    // the columns are fitted again then.
    bool fittedAtPaint_ = false;
};

// The hot key control's value (low byte the key, high byte HOTKEYF_ bits)
// and the stored shortcut code (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt, low
// byte the key), both ways. The control marks the keys of the extended
// keyboard, so that "Home" does not read as the keypad's "7".
uint16_t HotKeyControlValue(uint16_t shortcut);
uint16_t ShortcutOfHotKeyControl(uint16_t value);

class TStartMenuPage : public TOptionsPage {
public:
    enum TControlId : int {
        idPanel2 = 181,
        idPrograms,
        idLaunch,
        idControlPanel,
        idPrinters,
        idFPButton,
        idLabel6,
        idHotKey1,
    };

    explicit TStartMenuPage(TApplication& application);
    // After the page's window exists: the hot key control refuses a key
    // without modifier and with Shift alone, and makes it Alt+key instead.
    void Setup();

    void Show(const TOptionsValues& values);
    void Read(TOptionsValues& values) const;
};
