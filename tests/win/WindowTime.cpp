// Times the image window's interactive steps under Wine, through the real
// window and its blit: a drag step (a mouse move over a fitted 4000 × 3000
// picture, the engine's new position, the off-screen picture composed and
// copied to the screen) and the effects box's rebuild after a change of its
// Rotate control (miniature, effects, turn, paint). Prints the median and
// the slowest of the runs in milliseconds. Run by scripts/bench-window.sh.
#include "imagewindow/win/SizePanel.h"
#include "imagewindow/win/Unit1.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/WinServices.h"
#include "win/TestPlatform.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

TBitmap Picture(int w, int h) {
    TBitmap image(w, h, TPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < w; ++x, p += 3) p[0] = uint8_t(x * 255 / w), p[1] = uint8_t(y * 255 / h), p[2] = 90;
    }
    return image;
}

void Report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %.2f ms, slowest %.2f ms (%zu runs)\n", name, ms[ms.size() / 2], ms.back(), ms.size());
}

std::vector<double> Time(int runs, const std::function<void(int)>& step) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QueryPerformanceCounter(&start);
        step(i);
        QueryPerformanceCounter(&end);
        ms.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    return ms;
}

} // namespace

int wmain() {
    TApplication app(GetModuleHandleW(nullptr));
    TTestPlatform test;
    TPlatform& platform = test.platform;
    TForm1* window = nullptr;
    (new TForm1(app, platform, {}, "Software\\MuraltoTime"))->FreeOnRelease(window);
    TWallpaper& engine = window->Engine();
    static_cast<TBitmap&>(engine.SourceImage) = Picture(4000, 3000);
    engine.Fit = true;
    engine.RenderImage();
    window->ImageLoaded(engine.SourceImage, engine.Color, false);
    app.ProcessMessages();

    HWND box = window->PaintBox().Handle();
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 400));
    Report("drag step (1024 x 768)", Time(300, [&](int i) {
               SendMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500 + i % 40, 400 + i % 30));
               UpdateWindow(box);
           }));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(500, 400));

    PostMessageW(window->Handle(), WM_KEYDOWN, 'S', 0);
    app.ProcessMessages();
    auto& panel = static_cast<TSizePanel&>(window->SizePanel());
    SendMessageW(panel.Control(TSizePanel::idTwirl), BM_CLICK, 0, 0);
    HWND rotate = panel.Control(TSizePanel::idRotate);
    Report("effects box rebuild", Time(100, [&](int i) {
               SetWindowTextW(rotate, std::to_wstring(i % 90).c_str());
               UpdateWindow(window->SizePaintBox().Handle());
           }));
    window->DestroyHandle();
    return 0;
}
