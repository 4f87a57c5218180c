#include "platform/host/HostShell.h"

#include "platform/Errors.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A link is a small text file: the header line, then the target.
class HostLink : public IShellLinkFile {
public:
    HostLink(HostFileSystem& files, const HostShell& shell) : files_(files), shell_(shell) {}

    void SetTarget(const std::string& path) override { target_ = path; }
    void SetTarget(const INamespaceItem* item) override {
        if (!item) {
            target_ = HostShell::kDesktop;
            return;
        }
        const auto* own = dynamic_cast<const HostShellItem*>(item);
        if (!own) throw EMuraltoError("The item does not belong to the host shell.");
        target_ = own->Name;
    }
    bool SetTargetMyComputer() override {
        if (shell_.FailMyComputer) return false;
        target_ = HostShell::kMyComputer;
        return true;
    }
    bool Save(const std::string& path) override {
        const std::string content = std::string(HostShell::kLinkHeader) + "\r\n" + target_;
        try {
            files_.WriteFile(path, std::vector<uint8_t>(content.begin(), content.end()));
            return true;
        } catch (const EFileError&) {
            return false;
        }
    }

private:
    HostFileSystem& files_;
    const HostShell& shell_;
    std::string target_;
};

} // namespace

bool HostShell::CreateFolder(const std::string& path) {
    std::error_code ec;
    const fs::path host = files_.HostPath(path);
    fs::create_directories(host, ec);
    return fs::is_directory(host, ec);
}

bool HostShell::RemoveFolder(const std::string& path) {
    std::error_code ec;
    const fs::path host = files_.HostPath(path);
    if (!fs::is_directory(host, ec) || !fs::is_empty(host, ec)) return false;
    return fs::remove(host, ec);
}

bool HostShell::RenameFolder(const std::string& from, const std::string& to) {
    std::error_code ec;
    const fs::path source = files_.HostPath(from);
    const fs::path target = files_.HostPath(to);
    // Like a Windows move: the target must not exist yet.
    if (!fs::is_directory(source, ec) || fs::exists(target, ec)) return false;
    fs::rename(source, target, ec);
    return !ec;
}

bool HostShell::RemoveFile(const std::string& path) {
    std::error_code ec;
    const fs::path host = files_.HostPath(path);
    return fs::is_regular_file(host, ec) && fs::remove(host, ec);
}

std::unique_ptr<IShellLinkFile> HostShell::NewLink() {
    if (FailNewLink) return nullptr;
    return std::make_unique<HostLink>(files_, *this);
}

std::string HostShell::LinkTarget(const std::string& linkPath) {
    if (!files_.FileExists(linkPath)) return {};
    std::string content;
    try {
        const std::vector<uint8_t> bytes = files_.ReadFile(linkPath);
        content.assign(bytes.begin(), bytes.end());
    } catch (const EFileError&) {
        return {};
    }
    const std::string header = std::string(kLinkHeader) + "\r\n";
    if (content.compare(0, header.size(), header) != 0) return {};
    return content.substr(header.size());
}

void HostShell::Notify(TShellChange change, const std::string& path) { Notices.emplace_back(change, path); }

void HostShell::OpenVerb(const std::string& program, const std::string& parameters) {
    Started.emplace_back(program, parameters);
}

bool HostShell::DeleteAtRestart(const std::string& path) {
    if (FailDeleteAtRestart) return false;
    ScheduledDeletions.push_back(path);
    return true;
}

std::string HostShell::KnownFolderPath(TKnownFolder folder) {
    const auto found = KnownFolders.find(folder);
    return found == KnownFolders.end() ? std::string() : found->second;
}
