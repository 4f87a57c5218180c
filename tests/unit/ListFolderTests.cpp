// Listing a folder, alike through the host file system and (under Wine) the
// Win32 one.
#include "platform/host/HostServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include "platform/win32/WinServices.h"
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// folder is the program path of the native folder.
void CheckListFolder(IFileSystem& files, const std::string& folder, const fs::path& native) {
    fs::create_directories(native / "Sub");
    fs::create_directories(native / "Empty");
    std::ofstream(native / "b.txt").put('x');
    std::ofstream(native / "A.jpg").put('x');

    auto listed = files.ListFolder(folder + "\\");
    ASSERT_TRUE(listed.has_value());
    std::vector<std::pair<std::string, bool>> names;
    for (const auto& found : *listed) names.emplace_back(found.LongName, found.Directory);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::pair<std::string, bool>>{
                         {"A.jpg", false}, {"Empty", true}, {"Sub", true}, {"b.txt", false}}));

    const auto empty = files.ListFolder(folder + "\\Empty");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(files.ListFolder(folder + "\\Missing").has_value());
    EXPECT_FALSE(files.ListFolder(folder + "\\b.txt").has_value());
}

fs::path Scratch(const char* kind) {
#ifdef _WIN32
    const int pid = _getpid();
#else
    const int pid = getpid();
#endif
    return fs::temp_directory_path() / ("muralto-list-" + std::string(kind) + "-" + std::to_string(pid));
}

} // namespace

TEST(ListFolder, HostFileSystem) {
    const fs::path root = Scratch("host");
    HostFileSystem files(root);
    CheckListFolder(files, "C:\\Folder", root / "C" / "Folder");
    fs::remove_all(root);
}

#ifdef _WIN32
TEST(ListFolder, WinFileSystem) {
    const fs::path root = Scratch("win");
    WinFileSystem files;
    CheckListFolder(files, root.string(), root);
    fs::remove_all(root);
}
#endif
