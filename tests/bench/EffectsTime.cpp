// Times one pixel operation on a bitmap file, for scripts/bench-effects.sh,
// which compares it with other image tools: the file is read first, then the
// operation runs (with the images it makes, as the program runs it) several
// times; the best time is printed in milliseconds.
//
// Usage: muralto_effects_time FILE.bmp OPERATION [RUNS]
// Operations: resize-smooth (to 1920 × 1080), rotate-smooth (15 degrees onto
// a background), twirl, fisheye, waves (amounts from the picture's width).
#include "engine/BmpFile.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/FastFX.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::function<void()> Operation(const std::string& name, const TFastBMP& picture) {
    const int w = picture.Width();
    if (name == "resize-smooth")
        return [&picture] {
            TFastBMP target = TFastBMP::CreateBlank(1920, 1080);
            picture.ResizeSmooth(target);
        };
    if (name == "rotate-smooth")
        return [&picture] {
            int tw = picture.Width(), th = picture.Height();
            RotatedSize(tw, th, 15);
            TFastBMP target = TFastBMP::CreateBlank(tw, th);
            FillColor(target, 0x00FFFFFF);
            RotateSmooth(picture, target, tw / 2, th / 2, 15);
        };
    if (name == "twirl")
        return [&picture, w] {
            TFastBMP target = TFastBMP::CreateCopy(picture);
            ApplyTwirl(picture, target, int(std::nearbyint(w * 0.15)));
        };
    if (name == "fisheye")
        return [&picture] {
            TFastBMP target = TFastBMP::CreateCopy(picture);
            ApplyFishEye(picture, target, 1.0);
        };
    if (name == "waves")
        return [&picture, w] {
            TFastBMP target = TFastBMP::CreateCopy(picture);
            ApplyWaves(picture, target, w * 0.01, w * 0.025, w * 0.025);
        };
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE.bmp OPERATION [RUNS]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        const TFastBMP picture = TFastBMP::CreateFromBitmap(ReadBmp(file));
        const std::function<void()> run = Operation(argv[2], picture);
        if (!run) {
            std::fprintf(stderr, "unknown operation %s\n", argv[2]);
            return 2;
        }
        const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
        double best = 1e300;
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            run();
            best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("%.2f\n", best);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
