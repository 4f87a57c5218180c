#pragma once
// A folder pointer: a folder whose name ends in the suffix below and which
// holds the link "Folder.lnk". The shell treats such a folder as a junction
// and lets kelpfold.dll show the link's target in its place. The wizard
// makes pointers to any folder, the start-up steps one to My Computer.
#include "platform/Shell.h"

#include <functional>
#include <string>

// Both names are shared with kelpfold.dll, which looks for exactly these.
constexpr const char* kFolderPointerSuffix = ".{fa6c62a0-9fe5-11d2-9e61-444553540000}";
constexpr const char* kFolderPointerLink = "Folder.lnk";

// Makes the pointer `base` + suffix with `setTarget` choosing the link's
// target. The folder is made under its plain name `base`, the link is saved
// in it, and only then does it get the suffix and the shell the notice that
// the folder was updated: the link is written into an ordinary folder, never
// into a junction the shell is already resolving.
//
// Nothing is made when the shell has no link object or `setTarget` returns
// false (a target the shell cannot name). A later failure stops there
// unreported: a folder whose link could not be saved keeps its plain name
// and stays an ordinary folder. True when the pointer is complete.
bool CreateFolderPointer(IShell& shell, const std::string& base,
                         const std::function<bool(IShellLinkFile& link)>& setTarget);
