#pragma once
// The program-wide paths worked out once at start-up and read by many parts.
#include "platform/Platform.h"

#include <string>

struct TProgramPaths {
    std::string ProgramFolder;   // with trailing backslash
    std::string WindowsFolder;   // without trailing backslash
    std::string StartMenuFolder;
    std::string StartupFolder;
    std::string ProgramsFolder;
    std::string DesktopFolder;
    std::string RegSvrPath;      // the registration tool, as a short path
    std::string ExtensionPath;   // kelpfold.dll beside the program, as a short path
};

// Every element after the drive replaced by its 8.3 name (or its long name
// when the system keeps none); an element that cannot be found becomes empty.
std::string ShortPath(IFileSystem& files, const std::string& path);

// The folder part of a file name, with trailing backslash ("C:\A\b.exe" -> "C:\A\").
std::string ExtractFilePath(const std::string& fileName);
// The folder a file lies in: the text up to the last backslash or colon;
// the backslash stays only after a colon or another backslash
// ("C:\Windows\x.txt" gives "C:\Windows", "C:\x.txt" gives "C:\").
std::string FolderPart(const std::string& path);

TProgramPaths ComputeProgramPaths(TPlatform& platform);
