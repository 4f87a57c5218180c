#pragma once
// What the wallpaper engine asks of the window that shows its image (the
// image window); the main form's engine has no view.
#include "engine/Bitmap.h"

#include <cstdint>
#include <string>

class IWallpaperView {
public:
    virtual ~IWallpaperView() = default;
    // The hourglass while the engine works, and the cursor before it.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    virtual void Repaint() = 0;
    // The control's hint and its form's caption.
    virtual void SetTitle(const std::string& title) = 0;
    // A new image was loaded: the paint boxes take the source's palette and
    // the background colour, their buffers a copy of the source (the effects
    // preview's cut to 1 × 1), and the effects box refreshes when editing.
    virtual void ImageLoaded(const TBitmap& source, uint32_t color, bool editing) = 0;
};

// Shows the view's hourglass for the life of the object.
class TWaitGuard {
public:
    explicit TWaitGuard(IWallpaperView* view) : view_(view) {
        if (view_) view_->BeginWait();
    }
    ~TWaitGuard() {
        if (view_) view_->EndWait();
    }
    TWaitGuard(const TWaitGuard&) = delete;
    TWaitGuard& operator=(const TWaitGuard&) = delete;

private:
    IWallpaperView* view_;
};
