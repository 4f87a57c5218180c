// Loading speed: our JPEG, PNG and WebP paths against a bare decode of the
// same file by its library, the PCX reader's throughput, and the 256-colour reduction. The input
// files come from scripts/bench-images.sh (MURALTO_BENCH_DATA names their folder).
#include "engine/AllMap.h"
#include "engine/BmpFile.h"
#include "engine/ColorReduction.h"
#include "engine/PcxMap.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <benchmark/benchmark.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" {
#include <jpeglib.h>
}
#include <png.h>
#include <webp/decode.h>

namespace {

std::string DataFile(const char* name) {
    const char* folder = std::getenv("MURALTO_BENCH_DATA");
    return std::string(folder ? folder : "build/bench-data") + "/" + name;
}

std::vector<uint8_t> Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The platform for loading: drive Z: is the root folder.
struct TBenchPlatform {
    TBenchPlatform() : files(Root()) {}
    static std::string Root() {
        const auto root = std::filesystem::temp_directory_path() / "muralto-bench-drives";
        std::filesystem::create_directories(root);
        std::error_code ec;
        std::filesystem::create_directory_symlink("/", root / "Z", ec);
        return root.string();
    }
    reg::HostRegistry registry;
    HostFileSystem files;
    HostSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
};

std::string ProgramPath(const std::string& path) {
    std::string out = "Z:";
    for (char c : std::filesystem::absolute(path).string()) out += c == '/' ? '\\' : c;
    return out;
}

void BM_LoadJpeg_Anymap(benchmark::State& state) {
    TBenchPlatform p;
    const std::string path = ProgramPath(DataFile("photo-12mp.jpg"));
    for (auto _ : state) {
        TAnymap map(p.platform);
        map.LoadFromFile(path);
        benchmark::DoNotOptimize(map.Row(0));
    }
}
BENCHMARK(BM_LoadJpeg_Anymap)->Unit(benchmark::kMillisecond);

// The least any decoder of this file must do: libjpeg into one buffer.
void BM_LoadJpeg_BareLibjpeg(benchmark::State& state) {
    const std::vector<uint8_t> file = Slurp(DataFile("photo-12mp.jpg"));
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr error;
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        const size_t stride = (size_t(cinfo.output_width) * 3 + 3) & ~size_t(3);
        std::vector<uint8_t> pixels(stride * cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_LoadJpeg_BareLibjpeg)->Unit(benchmark::kMillisecond);

void LoadThroughAnymap(benchmark::State& state, const char* name) {
    TBenchPlatform p;
    const std::string path = ProgramPath(DataFile(name));
    for (auto _ : state) {
        TAnymap map(p.platform);
        map.LoadFromFile(path);
        benchmark::DoNotOptimize(map.Row(0));
    }
}

void BM_LoadPng_Anymap(benchmark::State& state) { LoadThroughAnymap(state, "photo-12mp.png"); }
BENCHMARK(BM_LoadPng_Anymap)->Unit(benchmark::kMillisecond);

// libpng's own simplified reader into one BGR buffer.
void BM_LoadPng_BareLibpng(benchmark::State& state) {
    const std::vector<uint8_t> file = Slurp(DataFile("photo-12mp.png"));
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, file.data(), file.size());
        image.format = PNG_FORMAT_BGR;
        std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_LoadPng_BareLibpng)->Unit(benchmark::kMillisecond);

void BM_LoadWebp_Anymap(benchmark::State& state) { LoadThroughAnymap(state, "photo-12mp.webp"); }
BENCHMARK(BM_LoadWebp_Anymap)->Unit(benchmark::kMillisecond);

void BM_LoadWebp_BareLibwebp(benchmark::State& state) {
    const std::vector<uint8_t> file = Slurp(DataFile("photo-12mp.webp"));
    for (auto _ : state) {
        int width = 0, height = 0;
        WebPGetInfo(file.data(), file.size(), &width, &height);
        const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        std::vector<uint8_t> pixels(stride * size_t(height));
        WebPDecodeBGRInto(file.data(), file.size(), pixels.data(), pixels.size(), static_cast<int>(stride));
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_LoadWebp_BareLibwebp)->Unit(benchmark::kMillisecond);

void BM_DecodePcx24(benchmark::State& state) {
    const std::vector<uint8_t> file = Slurp(DataFile("photo-12mp.pcx"));
    int64_t pixels = 0;
    for (auto _ : state) {
        TBitmap b = TPcxmap::Decode(file.data(), file.size());
        pixels = int64_t(b.Width()) * b.Height();
        benchmark::DoNotOptimize(b.Row(0));
    }
    state.SetBytesProcessed(state.iterations() * pixels * 3);
}
BENCHMARK(BM_DecodePcx24)->Unit(benchmark::kMillisecond);

void BM_Reduce1080p(benchmark::State& state) {
    const std::vector<uint8_t> file = Slurp(DataFile("photo-1080p.bmp"));
    const TBitmap image = ReadBmp(file);
    for (auto _ : state) {
        TBitmap reduced = ReduceTo256Colors(image);
        benchmark::DoNotOptimize(reduced.Row(0));
    }
}
BENCHMARK(BM_Reduce1080p)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
