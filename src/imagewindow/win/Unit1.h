#pragma once
// The image window: one picture, full screen, exactly where it will lie on
// the desktop. The user drags it, moves it with the arrow keys, aligns or
// tiles it, picks the background colour with the dropper, sizes, turns and
// distorts it in the effects box, steps through its folder, and applies it
// or closes the window without changes.
//
// Each window owns its engine, whose view it is. The main form creates the
// windows (several may be open at once); a window frees itself when it is
// applied or closed.
//
// Member functions live in three files: Unit1.cpp (creation, painting, the
// mouse, the keys, the window messages, apply and close), ImageWindowMenu.cpp
// (the popup menu and its commands) and EffectsBox.cpp (the effects box).
#include "engine/Wallpaper.h"
#include "imagewindow/EffectsPreview.h"
#include "imagewindow/win/FlickerFreePaintBox.h"
#include "platform/win32/Form.h"
#include "platform/win32/Panel.h"
#include "shellmenus/BetterMenu.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/win/MenuHost.h"
#include "shellmenus/win/SystemImageList.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

class TSizePanel;

// What the window needs from the program around it.
struct TImageWindowHooks {
    // After an apply: the main form's changer looks at its schedule again
    // and the tray icon's hint follows it.
    std::function<void()> AfterApply;
};

class TForm1 : public TForm, public IWallpaperView {
public:
    static constexpr const wchar_t* kClassName = L"TForm1";
    static constexpr int kHelpContext = 92;
    // The colour dropper's cursor, registered by the main form.
    static constexpr int kDropperCursor = 1;

    // Creates the window, shown and maximized (full screen when the option
    // says so), with no picture yet. Made with new: it frees itself, and
    // clears the reference, when it goes. programKey is the settings tree
    // (tests pass a scratch key).
    TForm1(TApplication& application, TPlatform& platform, TImageWindowHooks hooks = {},
           std::string programKey = regnames::kProgramKey);
    ~TForm1() override;

    // Brings the window to the front and opens the picture with its stored
    // placement (or the defaults).
    void OpenFile(const std::string& path);
    // Brings the window to the front and opens the desktop's wallpaper.
    void ShowCurrentWallpaper();
    // Apply or Close has started: the window is on its way out.
    bool Closing() const { return closing_; }

    TWallpaper& Engine() { return *Engine_; }
    TFlickerFreePaintBox& PaintBox() { return *PaintBox_; }
    TFlickerFreePaintBox& ColorPreview() { return *ColorPreview_; }
    TFlickerFreePaintBox& SizePaintBox();
    TForm& SizePanel();
    TMenuItem& PopupMenu() { return PopupMenu1; }
    TMenuHost& Menus() { return *menus_; }
    bool FullScreenMode() const;
    bool DropperMode() const;
    bool EffectsBoxShowing() const;
    bool Dragging() const { return dragging_; }
    effectsbox::TPoint DragPos() const { return DragPos_; }
    const effectsbox::TEffectsPreview& Preview() const { return preview_; }

    // IWallpaperView.
    void BeginWait() override;
    void EndWait() override;
    void Repaint() override;
    void SetTitle(const std::string& title) override;
    void ImageLoaded(const TBitmap& source, uint32_t color, bool editing) override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    friend class TSizePanel;

    // Creation and the end.
    void FormCreate();
    void FormDestroy();
    void CreatePopupMenu1();
    void CopyPosition();
    void BringToFront();

    // Painting and the mouse (Unit1.cpp).
    void PaintBoxPaint(TBitmap& buffer);
    void PaintBoxMouse(UINT message, POINT at, WPARAM keys);
    void PaintBoxMouseDown(UINT button, POINT at);
    void PaintBoxMouseMove(POINT at, WPARAM keys);
    void PaintBoxMouseUp();
    void ColorPreviewPaint(TBitmap& buffer);
    // Screen pixels to the paint box's (the client offset in bordered mode).
    POINT ScreenToPaintBox(POINT screen) const;
    void UpdateDropper();
    void EndDropper();
    void PickColor(POINT at);

    // Keys: the form's handler, which sees them before the focused control.
    bool FormKeyDown(const MSG& key);
    void MoveBy(int32_t dx, int32_t dy);
    void RecycleImage();
    void HelpKey();

    // Window messages.
    void WMSysCommand(WPARAM command);
    void WMActivate(WPARAM state);
    void WMDisplayChange();
    void WMGetMinMaxInfo(MINMAXINFO* info);
    void FormHide();
    void FileDrop1Drop(HDROP drop);

    // Commands (ImageWindowMenu.cpp).
    void PopupMenu1Popup();
    void ShowPopupMenu(POINT at);
    void OKClick();
    void CancelClick();
    void FullScreenClick();
    void Browse1Click();
    void ColorDropperClick();
    void ShrinkMenuClick();
    void TileClick();
    void WriteLogos(int mode);
    void StepImage(TSibling which);
    void AlignTo(int kind);
    void OpenRecent(const std::string& path);

    // The effects box (EffectsBox.cpp).
    void CreateSizePanel();
    void ShowEffectsBox(bool show);
    void LoadEffectsBox();
    void RebuildPreview();
    void RebuildPreviewTile();
    void SizePaintBoxPaint(TBitmap& buffer);
    void FitClick();
    void EffectClick();
    void PercentageChange();
    void RotateChange();
    void PreviewClick();
    void SizeOkClick();
    void SizeCancelClick();
    void Panel2Mouse(UINT message, POINT at);
    effectsbox::TBoxValues BoxValues() const;
    effectsbox::TPreviewArea PreviewArea();
    void CopyBoxToEngine();

    TPlatform& platform_;
    TImageWindowHooks hooks_;
    std::string programKey_;

    TFormPtr<TFlickerFreePaintBox> PaintBox_;
    TFormPtr<TFlickerFreePaintBox> ColorPreview_;
    TFormPtr<TSizePanel> SizePanel_;
    TCommandIds commandIds_;
    TMenuItem PopupMenu1{commandIds_};
    std::unique_ptr<TMenuHost> menus_;
    WinSystemIcons systemIcons_;
    std::unique_ptr<TBetterMenu> RecentMenu;
    std::unique_ptr<TWallpaper> Engine_;

    effectsbox::TPoint DragPos_;
    POINT lastMouse_{};
    bool dragging_ = false;
    // A right click that ended the dropper opens no menu on its release.
    bool swallowContextMenu_ = false;
    bool browsing_ = false;
    bool closing_ = false;
    int screenWidthSeen_ = 0;
    // The cursors of a wait: the paint box's before the hourglass, nested.
    int waiting_ = 0;
    HCURSOR cursorBeforeWait_ = nullptr;
    // Set false when the window goes, for handlers that run the message
    // loop and must not touch a window released meanwhile.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    // The effects box's state.
    effectsbox::TEffectsPreview preview_;
    bool loadingBox_ = false;
    bool panelDragging_ = false;
    POINT panelLastCursor_{};
};
