#pragma once
// Files and folders by Windows-style paths ("C:\Windows\Muralto.bmp").
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TFindData {
    std::string LongName;      // the element's name as stored
    std::string AlternateName; // its 8.3 name; empty when the system keeps none
    bool Directory = false;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // The entry a find-first on this exact path reports.
    virtual std::optional<TFindData> FindFirst(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // The whole file; EFileError with a message naming the file when it
    // cannot be read.
    virtual std::vector<uint8_t> ReadFile(const std::string& path) = 0;
    // The names of the files (not folders) in a folder, in no order.
    virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
    // Every file and folder in a folder (with or without a trailing
    // backslash), in no order, without "." and "..". Nothing when the folder
    // cannot be listed (missing, not a folder, no access); an empty list when
    // it holds nothing. The default lists nothing, for file systems that are
    // never asked for folder contents.
    virtual std::optional<std::vector<TFindData>> ListFolder(const std::string& folder) {
        (void)folder;
        return std::nullopt;
    }
    // Creates or replaces the file; EFileError when that fails.
    virtual void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
    // Copies a file over any file of the target's name; false when the
    // source cannot be read or the target cannot be written.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    // Sends one file to the Recycle Bin the way the shell does, with its own
    // confirmation and progress over the active window; the outcome is seen
    // only in whether the file still exists. Where there is no Recycle Bin
    // the file is deleted.
    virtual void SendToRecycleBin(const std::string& path) = 0;
};

// Where the system and the program live.
class ISystemFolders {
public:
    virtual ~ISystemFolders() = default;
    virtual std::string ProgramFile() = 0;     // full path of the running executable
    virtual std::string WindowsDirectory() = 0; // no trailing backslash
    virtual std::string SystemDirectory() = 0;  // no trailing backslash
    // The root of the drive the system starts from, where it looks for its
    // start-up logo: "C:" (no trailing backslash).
    virtual std::string BootDrive() = 0;
};
