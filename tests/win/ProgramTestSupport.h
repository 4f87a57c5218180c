#pragma once
// Helpers of the tests that start the real program: where it is, counting
// its main windows, its settings forgotten between tests, and whole files
// and registry texts read as the program left them.
#include "app/Unit2.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinRegistry.h"
#include "win/TestProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::wstring ProgramPath(const wchar_t* name = L"Muralto.exe") {
    return BesideThisProgram(name);
}

// A running Muralto.exe (or another program of the build).
class TProgram : public TChildProcess {
public:
    explicit TProgram(const std::wstring& arguments, const wchar_t* program = L"Muralto.exe")
        : TChildProcess(L"\"" + ProgramPath(program) + L"\" " + arguments) {}
};

inline BOOL CALLBACK CountMainForm(HWND hwnd, LPARAM counter) {
    wchar_t name[64];
    if (GetClassNameW(hwnd, name, 64) && std::wstring(name) == TMuraltoForm::kClassName)
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

inline int CountMainForms() {
    int count = 0;
    EnumWindows(CountMainForm, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The settings of earlier runs forgotten. The machine key stays, empty, so
// that the program does not take the run for its first: the first run puts
// a shortcut into this prefix's StartUp folder, and Wine starts what is
// there whenever the prefix starts. The first run has a prefix of its own.
inline void ForgetSettings(reg::WinRegistry& registry) {
    registry.DeleteTree(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto");
    registry.DeleteTree(reg::Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto");
    registry.DeleteTree(reg::Root::CurrentConfig, "Display");
    registry.Create(reg::Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto");
}

inline std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    win::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    bytes.resize(GetFileSize(file.Get(), nullptr));
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

inline void WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    win::UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    ASSERT_TRUE(file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &wrote, nullptr));
}

inline std::string RegText(HKEY root, const wchar_t* key, const wchar_t* name) {
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof buffer;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return "<absent>";
    return win::Utf8(buffer);
}

