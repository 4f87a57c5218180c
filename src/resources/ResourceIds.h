#pragma once
// Names of the program's resources, shared by the resource script and the code.
#define IDI_MAINICON L"MAINICON"
#define IDC_DROPPER L"DROPPER"
// The menu image strips, by image size in pixels.
#define IDB_MENUIMAGES16 L"MENUIMAGES16"
#define IDB_MENUIMAGES20 L"MENUIMAGES20"
#define IDB_MENUIMAGES24 L"MENUIMAGES24"
#define IDB_MENUIMAGES32 L"MENUIMAGES32"
