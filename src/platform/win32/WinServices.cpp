#include "platform/win32/WinServices.h"

#include "platform/Errors.h"
#include "platform/win32/FolderPicker.h"
#include "platform/win32/Handles.h"
#include "platform/win32/InputBox.h"
#include "platform/win32/ShellItem.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

double WinClock::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDateTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

namespace {

SYSTEMTIME SystemTimeOf(double moment) {
    const TDateTimeParts p = DecodeDateTime(moment);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.Year);
    st.wMonth = static_cast<WORD>(p.Month);
    st.wDay = static_cast<WORD>(p.Day);
    st.wHour = static_cast<WORD>(p.Hour);
    st.wMinute = static_cast<WORD>(p.Minute);
    st.wSecond = static_cast<WORD>(p.Second);
    return st;
}

} // namespace

std::string WinClock::FormatDate(double moment) {
    const SYSTEMTIME st = SystemTimeOf(moment);
    wchar_t date[128] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128);
    return win::Utf8(date);
}

std::string WinClock::FormatDateTime(double moment) {
    const SYSTEMTIME st = SystemTimeOf(moment);
    wchar_t time[128] = L"";
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128);
    return FormatDate(moment) + " " + win::Utf8(time);
}

int WinScreen::Width() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int WinScreen::Height() {
    return GetSystemMetrics(SM_CYSCREEN);
}

int WinScreen::BitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

void WinPrompts::Message(const std::string& text, TMessageKind kind) {
    const UINT icon = kind == TMessageKind::Error     ? MB_ICONERROR
                      : kind == TMessageKind::Warning ? MB_ICONWARNING
                                                      : MB_ICONINFORMATION;
    MessageBoxW(GetActiveWindow(), win::Wide(text).c_str(), win::Wide(kAppTitle).c_str(), MB_OK | icon);
}

bool WinPrompts::Confirm(const std::string& text) {
    return MessageBoxW(GetActiveWindow(), win::Wide(text).c_str(), win::Wide(kAppTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> WinPrompts::InputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) {
    return TInputBox::Ask(application_, caption, prompt, initial);
}

std::optional<std::string> WinPrompts::OpenPicture(const std::string& initialFolder) {
    if (!PictureDialog) throw EMuraltoError("The picture open dialog is not available.");
    return PictureDialog(initialFolder);
}

std::optional<std::string> WinPrompts::PickStartMenuFolder() {
    return win::BrowseStartMenuFolder(GetActiveWindow());
}

std::optional<TPickedShellItem> WinPrompts::PickShellItem() {
    std::optional<win::TPickedIdList> picked = win::BrowseNamespace(GetActiveWindow());
    if (!picked) return std::nullopt;
    return TPickedShellItem{std::make_shared<win::TShellItem>(std::move(picked->IdList)), std::move(picked->Text)};
}

std::optional<TFindData> WinFileSystem::FindFirst(const std::string& path) {
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(FindFirstFileW(win::Wide(path).c_str(), &data));
    if (!find) return std::nullopt;
    TFindData found;
    found.LongName = win::Utf8(data.cFileName);
    found.AlternateName = win::Utf8(data.cAlternateFileName);
    found.Directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return found;
}

bool WinFileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win::Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WinSystemFolders::ProgramFile() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return win::Utf8(std::wstring(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string WinSystemFolders::WindowsDirectory() {
    wchar_t buffer[1024];
    const UINT n = GetWindowsDirectoryW(buffer, 1024);
    return n > 0 && n < 1024 ? win::Utf8(std::wstring(buffer, n)) : "C:\\WINDOWS";
}

std::string WinSystemFolders::SystemDirectory() {
    wchar_t buffer[1024];
    const UINT n = GetSystemDirectoryW(buffer, 1024);
    return n > 0 && n < 1024 ? win::Utf8(std::wstring(buffer, n)) : WindowsDirectory() + "\\System";
}

std::vector<uint8_t> WinFileSystem::ReadFile(const std::string& path) {
    win::UniqueFileHandle file(CreateFileW(win::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFileError("Cannot open file \"" + path + "\".");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || uint64_t(size.QuadPart) > SIZE_MAX / 2)
        throw EFileError("Cannot read file \"" + path + "\".");
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr) || got == 0)
            throw EFileError("Cannot read file \"" + path + "\".");
        done += got;
    }
    return bytes;
}

std::vector<std::string> WinFileSystem::ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(FindFirstFileW(win::Wide(pattern + "*.*").c_str(), &data));
    if (!find) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(win::Utf8(data.cFileName));
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

std::optional<std::vector<TFindData>> WinFileSystem::ListFolder(const std::string& folder) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    WIN32_FIND_DATAW data;
    const HANDLE first = FindFirstFileW(win::Wide(pattern + "*.*").c_str(), &data);
    // The root of an empty drive has no "." entry and reports no match.
    if (first == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND && DirectoryExists(pattern)) return std::vector<TFindData>{};
        return std::nullopt;
    }
    win::UniqueFindHandle find(first);
    std::vector<TFindData> entries;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
        TFindData found;
        found.LongName = win::Utf8(data.cFileName);
        found.AlternateName = win::Utf8(data.cAlternateFileName);
        found.Directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back(std::move(found));
    } while (FindNextFileW(find.Get(), &data));
    return entries;
}

void WinFileSystem::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    win::UniqueFileHandle file(CreateFileW(win::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFileError("Cannot write file \"" + path + "\".");
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
            throw EFileError("Cannot write file \"" + path + "\".");
        done += wrote;
    }
}

bool WinFileSystem::Copy(const std::string& from, const std::string& to) {
    return ::CopyFileW(win::Wide(from).c_str(), win::Wide(to).c_str(), FALSE) != 0;
}

void WinFileSystem::SendToRecycleBin(const std::string& path) {
    // The shell's list of names ends with an empty one.
    std::wstring names = win::Wide(path);
    names.push_back(L'\0');
    names.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = GetActiveWindow();
    operation.wFunc = FO_DELETE;
    operation.pFrom = names.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_FILESONLY;
    SHFileOperationW(&operation);
}
