#include "unit/ImageTestSupport.h"

#include "platform/Errors.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include "platform/win32/WinServices.h"
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// The fixtures folder as a program path: under Wine the Linux file system is drive Z:.
std::string ProgramPathOf(const std::string& linuxPath) {
    std::string out = "Z:";
    for (char c : linuxPath) out += c == '/' ? '\\' : c;
    return out;
}

// The native path this test program opens files with.
std::string NativePathOf(const std::string& linuxPath) {
#ifdef _WIN32
    return ProgramPathOf(linuxPath);
#else
    return linuxPath;
#endif
}


} // namespace

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

std::string FixturePath(const std::string& name) {
    return ProgramPathOf(std::string(MURALTO_FIXTURES) + "/" + name);
}

std::vector<uint8_t> ReadFixture(const std::string& name) {
    std::ifstream in(NativePathOf(std::string(MURALTO_FIXTURES) + "/" + name), std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + name);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TBitmap ReadPnm(const std::string& name) {
    const std::vector<uint8_t> bytes = ReadFixture(name);
    std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    std::istringstream in(head);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    const size_t offset = static_cast<size_t>(in.tellg()) + 1;
    const int channels = magic == "P6" ? 3 : 1;
    if ((magic != "P6" && magic != "P5") || maxValue != 255 ||
        offset + size_t(width) * height * channels > bytes.size())
        throw std::runtime_error("bad reference picture " + name);
    TBitmap out(width, height, TPixelFormat::pf24bit);
    const uint8_t* p = bytes.data() + offset;
    for (int y = 0; y < height; ++y) {
        uint8_t* d = out.Row(y);
        for (int x = 0; x < width; ++x, d += 3, p += channels) {
            d[2] = p[0];
            d[1] = p[channels == 3 ? 1 : 0];
            d[0] = p[channels == 3 ? 2 : 0];
        }
    }
    return out;
}

::testing::AssertionResult SamePixels(const TBitmap& actual, const TBitmap& expected, int tolerance) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height() << ", expected "
                                             << expected.Width() << "x" << expected.Height();
    int differences = 0;
    std::ostringstream report;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x) {
            const TRGBQuad a = actual.Pixel(x, y), e = expected.Pixel(x, y);
            const bool near = std::abs(a.Red - e.Red) <= tolerance && std::abs(a.Green - e.Green) <= tolerance &&
                              std::abs(a.Blue - e.Blue) <= tolerance;
            if (!near && differences++ < 4)
                report << " (" << x << "," << y << "): " << int(a.Red) << "," << int(a.Green) << "," << int(a.Blue)
                       << " instead of " << int(e.Red) << "," << int(e.Green) << "," << int(e.Blue) << ";";
        }
    if (differences == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ:" << report.str();
}

TImagePlatform::TImagePlatform()
    : Files(
#ifdef _WIN32
          std::make_unique<WinFileSystem>()
#else
          // Drive Z: of the host file system is the root folder, as under Wine.
          [this] {
              mapRoot_ = (fs::temp_directory_path() / ("muralto-drives-" + std::to_string(ProcessId()))).string();
              fs::create_directories(mapRoot_);
              std::error_code ec;
              fs::create_directory_symlink("/", fs::path(mapRoot_) / "Z", ec);
              return std::make_unique<HostFileSystem>(mapRoot_);
          }()
#endif
              ),
      Platform{Registry, *Files, Folders, Screen, Clock, Prompts} {
    scratch_ = (fs::temp_directory_path() / ("muralto-images-" + std::to_string(ProcessId()))).string();
#ifdef _WIN32
    scratch_ = std::string(MURALTO_FIXTURES) + "/scratch-" + std::to_string(ProcessId());
    fs::create_directories(NativePathOf(scratch_));
#else
    fs::create_directories(scratch_);
#endif
}

TImagePlatform::~TImagePlatform() {
    std::error_code ec;
    fs::remove_all(NativePathOf(scratch_), ec);
    if (!mapRoot_.empty()) {
        fs::remove(fs::path(mapRoot_) / "Z", ec);
        fs::remove(mapRoot_, ec);
    }
}

std::string TImagePlatform::ScratchPath(const std::string& name) const {
    return ProgramPathOf(scratch_ + "/" + name);
}

void TImagePlatform::WriteScratch(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(NativePathOf(scratch_ + "/" + name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void TImagePlatform::RemoveScratch(const std::string& name) const {
    std::error_code ec;
    fs::remove(NativePathOf(scratch_ + "/" + name), ec);
}
