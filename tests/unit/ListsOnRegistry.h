#pragma once
// The wallpaper lists, placements and reopen lists against a registry given
// by a factory: the in-memory one on the host, the real one under Wine. Each
// test works below its own scratch program key P.
#include "engine/Wallpaper.h"
#include "platform/host/HostServices.h"
#include "unit/RegistryContract.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An engine whose stale-wallpaper check only counts its calls.
class TCountingWallpaper : public TWallpaper {
public:
    using TWallpaper::TWallpaper;
    void RefreshIfStale() override { ++Refreshes; }
    int Refreshes = 0;
};

// Passes everything to another registry and stops with a registry error
// once a number of writes (set or delete a value, delete a key) is spent,
// as a program that dies in the middle of an operation would.
class TFailingRegistry : public reg::IRegistry {
public:
    explicit TFailingRegistry(reg::IRegistry& inner) : inner_(inner) {}
    std::unique_ptr<reg::IKey> Open(reg::Root root, const std::string& path, bool write) override;
    std::unique_ptr<reg::IKey> Create(reg::Root root, const std::string& path) override;
    bool DeleteTree(reg::Root root, const std::string& path) override;
    void Spend(); // one write, or the error when none is left

    int WritesLeft = -1; // -1: no limit
    int Writes = 0;

private:
    reg::IRegistry& inner_;
};

class ListsOnRegistry : public ::testing::TestWithParam<RegistryUnderTest> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Services for an engine over the given registry (default: the one under test).
    TPlatform& PlatformOver(reg::IRegistry& registry);
    TPlatform& Platform() { return PlatformOver(*registry); }

    // Raw access below P.
    std::string Path(const std::string& below) const { return reg::JoinPath(P, below); }
    void Put(const std::string& below, const std::string& name, const reg::Value& value);
    void PutText(const std::string& below, const std::string& name, const std::string& text) {
        Put(below, name, reg::StringValue(text));
    }
    std::optional<reg::Value> Get(const std::string& below, const std::string& name);
    // The text of a string value, "<absent>" or "<not text>".
    std::string Text(const std::string& below, const std::string& name);
    bool KeyExists(const std::string& below);
    // Every value of a key as name -> text.
    std::map<std::string, std::string> Values(const std::string& below);

    // A list's "MRU" values 0..n-1 and a placement per entry (X = its index).
    void PutList(const std::string& list, const std::vector<std::string>& entries);
    void PutListOptions(const std::string& list, int capacity, bool sorted);
    std::vector<std::string> StoredEntries(const std::string& list);
    std::optional<TPlacement> StoredPlacement(const std::string& list, const std::string& path);

    std::unique_ptr<reg::IRegistry> registry;
    std::string P;

private:
    HostFileSystem files_{std::filesystem::temp_directory_path()};
    HostSystemFolders folders_;
    HostScreen screen_;
    HostClock clock_;
    ScriptedPrompts prompts_;
    std::vector<std::unique_ptr<TPlatform>> platforms_;
};

TPlacement PlacementAt(int32_t x);
