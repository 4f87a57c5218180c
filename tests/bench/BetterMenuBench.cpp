// Opening a folder sub-menu: listing a real folder of 3,000 files, sorting
// the names and adding the entries up to the overflow entry, and the same
// from the builder's cached listing.
#include "platform/host/HostServices.h"
#include "shellmenus/BetterMenu.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class TFixedWidthText : public ITextMeasurer {
public:
    int TextWidth(const std::string& caption) override { return 7 * static_cast<int>(caption.size()); }
};

class TNoIcons : public ISystemIcons {
public:
    int32_t IndexByPath(const std::string&) override { return 0; }
    int32_t IndexByAttributes(const std::string&, uint32_t) override { return 0; }
};

// Drive C: of the host file system holds "C:\Bench" with 3,000 files, made
// once per run in names that do not come sorted.
struct TBenchFolder {
    TBenchFolder() : root(fs::temp_directory_path() / "muralto-bench-menus"), files(root) {
        const fs::path folder = root / "C" / "Bench";
        fs::create_directories(folder);
        char name[32];
        for (int i = 0; i < 3000; ++i) {
            std::snprintf(name, sizeof name, "Picture %04d.jpg", (i * 7919) % 3000);
            if (!fs::exists(folder / name)) std::ofstream(folder / name).put('x');
        }
    }
    fs::path root;
    HostFileSystem files;
    HostSystemFolders folders;
    HostScreen screen{1024, 768};
    TFixedWidthText measurer;
    TNoIcons icons;
};

TBenchFolder& Folder() {
    static TBenchFolder folder;
    return folder;
}

void Open(benchmark::State& state, bool readEachTime) {
    TBenchFolder& f = Folder();
    TBetterMenu builder(f.files, f.folders, f.screen, f.measurer, f.icons);
    TCommandIds ids;
    TMenuItem menu(ids);
    builder.RootEntry = &menu;
    builder.OnSelect = [](TBetterMenu&, const std::string&) {};
    int entries = 0;
    for (auto _ : state) {
        if (readEachTime) builder.Reset();
        TMenuItem& entry = menu.Add("C:\\Bench");
        entry.AddPlaceholder();
        builder.Click(entry);
        entries = entry.Count();
        state.PauseTiming();
        menu.Clear();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}

void BM_OpenFolderOf3000Files(benchmark::State& state) {
    Open(state, true);
}
void BM_OpenCachedFolderOf3000Files(benchmark::State& state) {
    Open(state, false);
}

} // namespace

BENCHMARK(BM_OpenFolderOf3000Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCachedFolderOf3000Files)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
