#pragma once
// Doing what Explorer does on a double click: the item's context menu is
// built invisibly and its default command is run. One path opens documents
// with their program, runs programs and shortcuts, and opens shell folders
// (My Computer, drives, the Control Panel).
//
// The shell loads extensions into this process: OLE must be initialised on
// the calling thread (the program does so in wWinMain).
#include <windows.h>
#include <shlobj.h>

#include <string>

// Runs the default command of the file or folder at a full path, with the
// window as owner of anything the shell shows. A path whose file name part
// the shell cannot parse in its folder (a drive root such as "C:\") is
// parsed in the desktop's first sub-folder, My Computer, instead. True when
// the shell reports that the command ran.
bool RunDefaultCommand(const std::string& path, HWND owner);

// Runs the default command of an item of a shell folder, given by its
// identifier relative to that folder.
bool RunDefaultCommand(IShellFolder* folder, PCUITEMID_CHILD item, HWND owner);
