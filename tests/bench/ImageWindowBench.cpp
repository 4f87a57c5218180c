// Speed of the image window's two interactive paths on the host: one drag
// step (the engine's new position, then the off-screen picture of a
// 1920 × 1080 screen composed) for a 4000 × 3000 picture fitted to the
// screen, and the effects box's whole rebuild after a control change
// (shrink to the miniature, effects, turn, tiles, paint) on the same
// 12-megapixel picture.
#include "engine/Wallpaper.h"
#include "imagewindow/EffectsPreview.h"
#include "imagewindow/PaintBuffer.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080, kPictureW = 4000, kPictureH = 3000;

// A photo-like picture, the same in every run.
TBitmap Picture(int w, int h) {
    TBitmap image(w, h, TPixelFormat::pf24bit);
    uint32_t seed = 12345;
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            seed = seed * 1664525u + 1013904223u;
            p[0] = uint8_t(x * 255 / w), p[1] = uint8_t(y * 255 / h);
            p[2] = uint8_t((x + y) * 247 / (w + h) + (seed >> 29));
        }
    }
    return image;
}

struct TEngineBench {
    reg::HostRegistry registry;
    HostFileSystem files{std::filesystem::temp_directory_path()};
    HostSystemFolders folders;
    HostScreen screen{kScreenW, kScreenH};
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    TWallpaper engine{platform, TOwnerKind::ImageWindow, "Software\\MuraltoBench"};
    TEngineBench() {
        static_cast<TBitmap&>(engine.SourceImage) = Picture(kPictureW, kPictureH);
        engine.Fit = true;
        engine.RenderImage();
    }
};

void BM_DragStep(benchmark::State& state) {
    TEngineBench bench;
    TPaintBuffer buffer;
    buffer.AssignFormat(bench.engine.Image);
    int step = 0;
    for (auto _ : state) {
        bench.engine.SetPosition(240 + step % 64, step % 48);
        TBitmap& picture = buffer.Prepare(kScreenW, kScreenH, 0x00302010);
        DrawPicture(picture, bench.engine.Image, bench.engine.Origin.X, bench.engine.Origin.Y);
        benchmark::DoNotOptimize(picture.Row(0));
        ++step;
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

// The box's rebuild; the argument picks the controls: 0 plain, 1 turned by
// 30 degrees and twirled, 2 that and tiled.
void BM_EffectsBoxRebuild(benchmark::State& state) {
    const TBitmap source = Picture(kPictureW, kPictureH);
    const effectsbox::TPreviewArea area{kScreenW, kScreenH, 200, 150};
    effectsbox::TBoxValues values;
    values.Fit = true;
    if (state.range(0) >= 1) values.Rotate = 30, values.Twirl = true;
    const bool tile = state.range(0) == 2;
    effectsbox::TEffectsPreview preview;
    preview.Reset(source);
    TPaintBuffer box;
    box.AssignFormat(source);
    for (auto _ : state) {
        preview.Rebuild(source, values, area, 0x00302010, tile);
        preview.Paint(box.Prepare(area.PreviewWidth, area.PreviewHeight, 0x00302010), area, tile);
        benchmark::DoNotOptimize(box.Bitmap().Row(0));
    }
}
BENCHMARK(BM_EffectsBoxRebuild)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
