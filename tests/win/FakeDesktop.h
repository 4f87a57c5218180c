#pragma once
// What the fake desktop helper and the tests that start it agree on. The
// helper plays the shell's desktop in a process of its own: a top-level
// "Progman" titled "Program Manager" with SHELLDLL_DefView and SysListView32
// below it, or (started with "workerw") the view under a WorkerW window as
// newer Windows places it.
#include <windows.h>

// The icons, in item order, each at (kFirstX + 10 * i, kFirstY + 5 * i).
constexpr const wchar_t* kFakeDesktopLabels[] = {
    L"My Computer", L"Recycle Bin",     L"Network Neighborhood", L"My Documents",
    L"Inbox",       L"Papierkorb \x00FC", L"\x65E5\x672C\x8A9E",   L"Readme.txt",
    L"Setup.exe",   L"Pictures",        L"Online Services",      L"My Briefcase",
};
constexpr int kFakeDesktopCount = sizeof kFakeDesktopLabels / sizeof kFakeDesktopLabels[0];
constexpr int kFirstX = 400, kFirstY = 300;

// The helper is ready when the view holds every icon and the last one is in
// place. Sent to the helper's top-level window (the one with the view below it):
// wParam is an item index; the answer is the item's position as the list
// view reports it, x in the low word and y in the high word (16 bits each).
constexpr UINT kReportPosition = WM_APP + 1;
// The top-level window class the view hangs under in each mode.
constexpr const wchar_t* kProgmanClass = L"Progman";
constexpr const wchar_t* kWorkerClass = L"WorkerW";
