#include "Module.h"

#include <atomic>

namespace kelpfold {
namespace {

HINSTANCE gModule = nullptr;
std::atomic<long> gObjects{0};
std::atomic<long> gLocks{0};

} // namespace

void SetModuleHandle(HINSTANCE module) { gModule = module; }
HINSTANCE ModuleHandle() { return gModule; }

std::wstring ModulePath() {
    // GetModuleFileNameW truncates silently when the buffer is too small, so
    // grow it until the whole path fits rather than register a cut-off path.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(gModule, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

void ObjectCreated() { ++gObjects; }
void ObjectDestroyed() { --gObjects; }
void ServerLocked() { ++gLocks; }
// An unbalanced unlock must not leave the count below zero, where it would
// keep the library loaded for good.
void ServerUnlocked() {
    long n = gLocks.load();
    while (n > 0 && !gLocks.compare_exchange_weak(n, n - 1)) {
    }
}
bool CanUnload() { return gObjects.load() == 0 && gLocks.load() == 0; }

} // namespace kelpfold
