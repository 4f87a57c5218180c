// Program-wide paths: shell folders with their defaults and short paths.
#include "app/ProgramPaths.h"
#include "app/RegistryNames.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A short path that records what it was asked, so the element walk shows.
class ShortNameFiles : public IFileSystem {
public:
    std::optional<TFindData> FindFirst(const std::string& path) override {
        asked.push_back(path);
        if (path == "C:\\Program Files") return TFindData{"Program Files", "PROGRA~1", true};
        if (path == "C:\\Program Files\\Muralto") return TFindData{"Muralto", "", true};
        if (path == "C:\\Program Files\\Muralto\\Long Name.dll") return TFindData{"Long Name.dll", "LONGNA~1.DLL"};
        return std::nullopt;
    }
    bool FileExists(const std::string&) override { return false; }
    bool DirectoryExists(const std::string&) override { return false; }
    std::vector<uint8_t> ReadFile(const std::string&) override { return {}; }
    std::vector<std::string> ListFiles(const std::string&) override { return {}; }
    void WriteFile(const std::string&, const std::vector<uint8_t>&) override {}
    void SendToRecycleBin(const std::string&) override {}
    bool Copy(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> asked;
};

struct Fixture {
    reg::HostRegistry registry;
    fs::path root = fs::temp_directory_path() / ("muralto-paths-" + std::to_string(::getpid()));
    HostFileSystem files{root};
    HostSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    Fixture() { fs::create_directories(root); }
    ~Fixture() { fs::remove_all(root); }
};

} // namespace

TEST(ShortPath, ReplacesEachElementAfterTheDrive) {
    ShortNameFiles files;
    EXPECT_EQ(ShortPath(files, "C:\\Program Files\\Muralto\\Long Name.dll"), "C:\\PROGRA~1\\Muralto\\LONGNA~1.DLL");
    EXPECT_EQ(files.asked, (std::vector<std::string>{"C:\\Program Files", "C:\\Program Files\\Muralto",
                                                     "C:\\Program Files\\Muralto\\Long Name.dll"}));
    // Missing elements become empty; the drive is kept as written.
    EXPECT_EQ(ShortPath(files, "c:\\Program Files\\Gone\\x.dll"), "c:\\\\\\");
    EXPECT_EQ(ShortPath(files, "C:"), "C:");
}

TEST(ProgramPaths, DefaultsWhenTheShellFoldersAreMissingOrBroken) {
    Fixture f;
    f.folders.programFile = "C:\\Tools\\Muralto.exe";
    f.folders.systemDirectory = "C:\\WINDOWS\\system32\\";
    fs::create_directories(f.root / "C" / "Tools");
    fs::create_directories(f.root / "C" / "WINDOWS" / "System32");
    auto shell = f.registry.Create(reg::Root::CurrentUser, regnames::kShellFoldersKey);
    shell->SetValue("Start Menu", reg::StringValue("D:\\Menu"));
    shell->SetValue("Programs", reg::StringValue(""));
    shell->SetValue("Desktop", reg::DWordValue(3));

    const TProgramPaths p = ComputeProgramPaths(f.platform);
    EXPECT_EQ(p.ProgramFolder, "C:\\Tools\\");
    EXPECT_EQ(p.WindowsFolder, "C:\\WINDOWS");
    EXPECT_EQ(p.StartMenuFolder, "D:\\Menu");
    EXPECT_EQ(p.StartupFolder, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    EXPECT_EQ(p.ProgramsFolder, "C:\\WINDOWS\\Start Menu\\Programs");
    EXPECT_EQ(p.DesktopFolder, "C:\\WINDOWS\\Desktop");
    // The host keeps no 8.3 names: elements keep their stored spelling.
    EXPECT_EQ(p.RegSvrPath, "C:\\WINDOWS\\System32\\Regsvr32.exe");
    EXPECT_EQ(p.ExtensionPath, "C:\\Tools\\kelpfold.dll");
}

TEST(ProgramPaths, ExtractFilePathKeepsTheSeparator) {
    EXPECT_EQ(ExtractFilePath("C:\\A\\b.exe"), "C:\\A\\");
    EXPECT_EQ(ExtractFilePath("C:b.exe"), "C:");
    EXPECT_EQ(ExtractFilePath("b.exe"), "");
}

TEST(HostFileSystem, MatchesElementsWithoutRegardToCase) {
    Fixture f;
    fs::create_directories(f.root / "C" / "Windows");
    std::ofstream(f.root / "C" / "Windows" / "Muralto.bmp") << "x";
    EXPECT_TRUE(f.files.FileExists("c:\\WINDOWS\\muralto.BMP"));
    EXPECT_TRUE(f.files.DirectoryExists("C:\\windows"));
    EXPECT_FALSE(f.files.FileExists("C:\\Windows"));
    const auto found = f.files.FindFirst("C:\\windows\\MURALTO.bmp");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->LongName, "Muralto.bmp");
    EXPECT_FALSE(f.files.FindFirst("C:\\Windows\\none").has_value());
}
