#pragma once
// Helpers of the Windows tests that start other programs: where they are,
// handling this thread's messages while waiting (a started program may send
// us one), and a process that is ended with the test in every case.
#include "platform/win32/Handles.h"

#include <string>

// A file in the folder of this test program (the build's bin folder).
inline std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Handles this thread's messages until the condition holds or time runs out.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

class TChildProcess {
public:
    explicit TChildProcess(const std::wstring& commandLine) {
        std::wstring line = commandLine;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            process_.Reset(pi.hProcess);
            CloseHandle(pi.hThread);
            id_ = pi.dwProcessId;
        }
    }
    ~TChildProcess() {
        if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.Get(), 9);
            WaitForSingleObject(process_.Get(), 5000);
        }
    }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    bool Ended(DWORD timeoutMs) {
        return PumpUntil([&] { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; }, timeoutMs);
    }
    // Waits for the end and gives the exit code, or STILL_ACTIVE on time-out.
    DWORD Wait(DWORD timeoutMs) {
        Ended(timeoutMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }

private:
    win::UniqueKernelHandle process_;
    DWORD id_ = 0;
};
