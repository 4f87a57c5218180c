#pragma once
// Fixtures and pixel comparisons for the image tests, alike on the host and
// under Wine.
#include "engine/Bitmap.h"
#include "platform/Platform.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// This test program's process id, for scratch names that runs in parallel
// do not share.
int ProcessId();

// The fixture's path as the program sees it ("Z:\...\fixtures\name").
std::string FixturePath(const std::string& name);
std::vector<uint8_t> ReadFixture(const std::string& name);
// A binary PPM or PGM fixture as a 24-bit bitmap.
TBitmap ReadPnm(const std::string& name);

// Pixels equal colour for colour (or each channel within the tolerance);
// reports the first few differences.
::testing::AssertionResult SamePixels(const TBitmap& actual, const TBitmap& expected, int tolerance = 0);

// A platform whose file system reaches the fixtures, with an in-memory
// registry and a settable screen.
struct TImagePlatform {
    TImagePlatform();
    ~TImagePlatform();
    // Native paths; declared first because the file system is made from them.
    std::string mapRoot_, scratch_;
    reg::HostRegistry Registry;
    std::unique_ptr<IFileSystem> Files;
    HostSystemFolders Folders;
    HostScreen Screen;
    HostClock Clock;
    ScriptedPrompts Prompts;
    TPlatform Platform;
    // Where a scratch file of this name goes, as a program path.
    std::string ScratchPath(const std::string& name) const;
    void WriteScratch(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void RemoveScratch(const std::string& name) const;
};
