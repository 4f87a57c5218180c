#include "platform/host/HostServices.h"

#include "platform/Errors.h"
#include "platform/Text.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>

double HostClock::Now() {
    if (fixed_) return *fixed_;
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    TDateTimeParts p;
    p.Year = local.tm_year + 1900;
    p.Month = local.tm_mon + 1;
    p.Day = local.tm_mday;
    p.Hour = local.tm_hour;
    p.Minute = local.tm_min;
    p.Second = local.tm_sec;
    p.Millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return EncodeDateTime(p);
}

std::string HostClock::FormatDateTime(double moment) {
    const TDateTimeParts p = DecodeDateTime(moment);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour, p.Minute,
                  p.Second);
    return buffer;
}

std::string HostClock::FormatDate(double moment) {
    return FormatDateTime(moment).substr(0, 10);
}

void ScriptedPrompts::Message(const std::string& text, TMessageKind kind) {
    Messages.push_back({text, kind});
}

bool ScriptedPrompts::Confirm(const std::string& text) {
    Questions.push_back(text);
    if (ConfirmAnswers.empty()) return false;
    const bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompts::InputBox(const std::string& caption, const std::string& prompt,
                                                     const std::string&) {
    Questions.push_back(caption + ": " + prompt);
    if (InputAnswers.empty()) return std::nullopt;
    auto answer = InputAnswers.front();
    InputAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompts::OpenPicture(const std::string& initialFolder) {
    PictureFolders.push_back(initialFolder);
    if (PictureAnswers.empty()) return std::nullopt;
    auto answer = PictureAnswers.front();
    PictureAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompts::PickStartMenuFolder() {
    FolderPickers.push_back("Start Menu");
    if (StartMenuFolderAnswers.empty()) return std::nullopt;
    auto answer = StartMenuFolderAnswers.front();
    StartMenuFolderAnswers.pop_front();
    return answer;
}

std::optional<TPickedShellItem> ScriptedPrompts::PickShellItem() {
    FolderPickers.push_back("Desktop");
    if (ShellItemAnswers.empty()) return std::nullopt;
    auto answer = ShellItemAnswers.front();
    ShellItemAnswers.pop_front();
    return answer;
}

std::filesystem::path HostFileSystem::HostPath(const std::string& windowsPath) const {
    namespace fs = std::filesystem;
    std::vector<std::string> parts;
    std::string part;
    for (char c : windowsPath) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);

    fs::path out = root_;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string name = parts[i];
        if (i == 0 && name.size() == 2 && name[1] == ':') name = text::UpperCase(name.substr(0, 1));
        std::error_code ec;
        if (fs::is_directory(out, ec)) {
            for (const auto& entry : fs::directory_iterator(out, ec)) {
                const std::string candidate = entry.path().filename().string();
                if (text::SameText(candidate, name)) {
                    name = candidate;
                    break;
                }
            }
        }
        out /= name;
    }
    return out;
}

std::optional<TFindData> HostFileSystem::FindFirst(const std::string& path) {
    std::error_code ec;
    const auto host = HostPath(path);
    const auto status = std::filesystem::status(host, ec);
    if (ec || !std::filesystem::exists(status)) return std::nullopt;
    TFindData found;
    found.LongName = host.filename().string();
    found.Directory = std::filesystem::is_directory(status);
    return found;
}

bool HostFileSystem::FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(HostPath(path), ec);
}

bool HostFileSystem::DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(HostPath(path), ec);
}

std::vector<uint8_t> HostFileSystem::ReadFile(const std::string& path) {
    std::ifstream in(HostPath(path), std::ios::binary | std::ios::ate);
    if (!in) throw EFileError("Cannot open file \"" + path + "\".");
    const std::streamoff size = in.tellg();
    std::vector<uint8_t> bytes(size > 0 ? static_cast<size_t>(size) : 0);
    in.seekg(0);
    if (size < 0 || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw EFileError("Cannot read file \"" + path + "\".");
    return bytes;
}

std::vector<std::string> HostFileSystem::ListFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(folder), ec))
        if (!entry.is_directory(ec)) names.push_back(entry.path().filename().string());
    return names;
}

std::optional<std::vector<TFindData>> HostFileSystem::ListFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(HostPath(folder), ec);
    if (ec) return std::nullopt; // also when the path is a file
    std::vector<TFindData> entries;
    // An entry that fails to read ends the list, as a failing find-next does.
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        TFindData found;
        found.LongName = it->path().filename().string();
        std::error_code statusError; // a link counts as what it points to
        found.Directory = it->is_directory(statusError);
        entries.push_back(std::move(found));
    }
    return entries;
}

void HostFileSystem::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(HostPath(path), std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw EFileError("Cannot write file \"" + path + "\".");
}

bool HostFileSystem::Copy(const std::string& from, const std::string& to) {
    namespace fs = std::filesystem;
    std::error_code ec; // a missing source or a folder is an error too
    return fs::copy_file(HostPath(from), HostPath(to), fs::copy_options::overwrite_existing, ec) && !ec;
}

void HostFileSystem::SendToRecycleBin(const std::string& path) {
    std::error_code ec; // as a shell whose user said no: the file stays
    if (std::filesystem::is_regular_file(HostPath(path), ec)) std::filesystem::remove(HostPath(path), ec);
}
