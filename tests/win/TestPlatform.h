#pragma once
// The platform most Windows tests give the program's windows: the real file
// system and folders, an in-memory registry, the real screen's size (which a
// test may change), a clock it sets and prompts it answers.
#include "platform/Platform.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/WinServices.h"

struct TTestPlatform {
    reg::HostRegistry registry;
    WinFileSystem files;
    WinSystemFolders folders;
    HostScreen screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
};
