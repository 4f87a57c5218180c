#pragma once
// Files and folders by Windows-style paths ("C:\Windows\Muralto.bmp").
#include <optional>
#include <string>

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
};

// Where the system and the program live.
class ISystemFolders {
public:
    virtual ~ISystemFolders() = default;
    virtual std::string ProgramFile() = 0;     // full path of the running executable
    virtual std::string WindowsDirectory() = 0; // no trailing backslash
    virtual std::string SystemDirectory() = 0;  // no trailing backslash
};
