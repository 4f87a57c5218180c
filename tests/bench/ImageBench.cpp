// Loading speed: our JPEG path against a bare libjpeg decode of the same
// file, the PCX reader's throughput, and the 256-colour reduction. The input
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
