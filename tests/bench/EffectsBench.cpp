// Speed of every working-image operation on a full-HD picture and on the
// effects box's 200 × 150 preview, and of the preview's whole chain. The
// amounts are the callers': taken from the picture's width as if it were
// the screen's (the engine) or the preview's (the effects box).
#include "engine/Bitmap.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/FastFX.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A photo-like picture, the same in every run: smooth gradients with a
// little noise.
TFastBMP Picture(int w, int h) {
    TFastBMP image = TFastBMP::CreateBlank(w, h);
    uint32_t state = 12345;
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < w; ++x, p += 3) {
            state = state * 1664525u + 1013904223u;
            p[0] = uint8_t(x * 255 / w), p[1] = uint8_t(y * 255 / h);
            p[2] = uint8_t((x + y) * 247 / (w + h) + (state >> 29));
        }
    }
    return image;
}

void SetSizeCounters(benchmark::State& state, int w, int h) {
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(w) * h * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
}

// Arguments of every benchmark: width and height of the picture.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({200, 150})->Unit(benchmark::kMicrosecond);
}

void BM_CreateFromBitmap(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    TBitmap bitmap(w, h, TPixelFormat::pf24bit);
    for (auto _ : state) benchmark::DoNotOptimize(TFastBMP::CreateFromBitmap(bitmap).Bits());
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_CreateFromBitmap)->Apply(Sizes);

void BM_CreateCopy(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP image = Picture(w, h);
    for (auto _ : state) benchmark::DoNotOptimize(TFastBMP::CreateCopy(image).Bits());
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_CreateCopy)->Apply(Sizes);

void BM_Draw(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP image = Picture(w, h);
    TBitmap target(w, h, TPixelFormat::pf24bit);
    for (auto _ : state) image.Draw(target, 0, 0);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_Draw)->Apply(Sizes);

// Onto a 256-colour bitmap: every pixel through the nearest-colour rule.
void BM_DrawOnPalette(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP image = Picture(w, h);
    TBitmap target(w, h, TPixelFormat::pf8bit);
    for (int i = 0; i < 256; ++i) target.Palette().push_back(MakeRGB(uint8_t(i * 37), uint8_t(i * 91), uint8_t(i)));
    for (auto _ : state) image.Draw(target, 0, 0);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_DrawOnPalette)->Apply(Sizes);

void BM_StretchDraw(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP image = Picture(w, h);
    TBitmap target(w, h, TPixelFormat::pf24bit);
    for (auto _ : state) image.StretchDraw(target, 0, 0, w * 3 / 4, h * 3 / 4);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_StretchDraw)->Apply(Sizes);

void BM_TileInto(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP tile = Picture(w / 7, h / 5);
    TFastBMP target = TFastBMP::CreateBlank(w, h);
    for (auto _ : state) tile.TileInto(target);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_TileInto)->Apply(Sizes);

// The resizes from the picture to three quarters and to four thirds of its
// size; the rate counts target pixels.
template <bool Smooth, int Numerator, int Denominator>
void BM_Resize(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP image = Picture(w, h);
    TFastBMP target = TFastBMP::CreateBlank(w * Numerator / Denominator, h * Numerator / Denominator);
    for (auto _ : state) Smooth ? image.ResizeSmooth(target) : image.ResizeFast(target);
    SetSizeCounters(state, target.Width(), target.Height());
}
BENCHMARK(BM_Resize<false, 3, 4>)->Name("BM_ResizeFast/shrink")->Apply(Sizes);
BENCHMARK(BM_Resize<false, 4, 3>)->Name("BM_ResizeFast/enlarge")->Apply(Sizes);
BENCHMARK(BM_Resize<true, 3, 4>)->Name("BM_ResizeSmooth/shrink")->Apply(Sizes);
BENCHMARK(BM_Resize<true, 4, 3>)->Name("BM_ResizeSmooth/enlarge")->Apply(Sizes);

void BM_FillColor(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    TFastBMP image = TFastBMP::CreateBlank(w, h);
    for (auto _ : state) FillColor(image, 0x00336699);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_FillColor)->Apply(Sizes);

void BM_MirrorLeftRight(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    TFastBMP image = Picture(w, h);
    for (auto _ : state) MirrorLeftRight(image);
    SetSizeCounters(state, w, h);
}
BENCHMARK(BM_MirrorLeftRight)->Apply(Sizes);

// The effects as the callers run them: from a copy into the picture.
template <typename Effect>
void RunEffect(benchmark::State& state, Effect effect) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP source = Picture(w, h);
    TFastBMP target = TFastBMP::CreateCopy(source);
    for (auto _ : state) effect(source, target, w);
    SetSizeCounters(state, w, h);
}

void BM_ApplyWaves(benchmark::State& state) {
    RunEffect(state, [](const TFastBMP& s, TFastBMP& t, int w) { ApplyWaves(s, t, w * 0.01, w * 0.025, w * 0.025); });
}
BENCHMARK(BM_ApplyWaves)->Apply(Sizes);

void BM_ApplyFishEye(benchmark::State& state) {
    RunEffect(state, [](const TFastBMP& s, TFastBMP& t, int) { ApplyFishEye(s, t, 1.0); });
}
BENCHMARK(BM_ApplyFishEye)->Apply(Sizes);

void BM_ApplyTwirl(benchmark::State& state) {
    RunEffect(state, [](const TFastBMP& s, TFastBMP& t, int w) { ApplyTwirl(s, t, int(std::nearbyint(w * 0.15))); });
}
BENCHMARK(BM_ApplyTwirl)->Apply(Sizes);

// 30 degrees into the turned size, the target filled once beforehand.
template <bool Smooth>
void BM_Rotate(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const TFastBMP source = Picture(w, h);
    int tw = w, th = h;
    RotatedSize(tw, th, 30);
    TFastBMP target = TFastBMP::CreateBlank(tw, th);
    FillColor(target, 0x00808080);
    for (auto _ : state) (Smooth ? RotateSmooth : RotateFast)(source, target, tw / 2, th / 2, 30);
    SetSizeCounters(state, tw, th);
}
BENCHMARK(BM_Rotate<false>)->Name("BM_RotateFast")->Apply(Sizes);
BENCHMARK(BM_Rotate<true>)->Name("BM_RotateSmooth")->Apply(Sizes);

// What one change in the effects box costs: the picture brought to the
// preview's 200 × 150 (here with the fast resize), then every effect with the
// preview's amounts, each but the mirror from a copy, and the fast rotation
// by 30 degrees onto the background colour, with every image it makes.
void BM_PreviewChain(benchmark::State& state) {
    const TFastBMP picture = Picture(1920, 1080);
    constexpr int kPreviewWidth = 200, kPreviewHeight = 150;
    for (auto _ : state) {
        TFastBMP work = TFastBMP::CreateBlank(kPreviewWidth, kPreviewHeight);
        picture.ResizeFast(work);
        MirrorLeftRight(work);
        ApplyFishEye(TFastBMP::CreateCopy(work), work, 1.0);
        ApplyTwirl(TFastBMP::CreateCopy(work), work, int(std::nearbyint(kPreviewWidth * 0.15)));
        ApplyWaves(TFastBMP::CreateCopy(work), work, kPreviewWidth * 0.01, kPreviewWidth * 0.025, kPreviewWidth * 0.025);
        int w = work.Width(), h = work.Height();
        RotatedSize(w, h, 30);
        TFastBMP turned = TFastBMP::CreateBlank(w, h);
        FillColor(turned, 0x00808080);
        RotateFast(work, turned, w / 2, h / 2, 30);
        benchmark::DoNotOptimize(turned.Bits());
    }
    state.counters["previews/s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PreviewChain)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
