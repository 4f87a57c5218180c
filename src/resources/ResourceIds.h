#pragma once
// Names of the program's resources, shared by the resource script and the code.
#define IDI_MAINICON L"MAINICON"
#define IDC_DROPPER L"DROPPER"
// The menu image strips, by image size in pixels.
#define IDB_MENUIMAGES16 L"MENUIMAGES16"
#define IDB_MENUIMAGES20 L"MENUIMAGES20"
#define IDB_MENUIMAGES24 L"MENUIMAGES24"
#define IDB_MENUIMAGES32 L"MENUIMAGES32"
// The picture open dialog's own part, placed beside the system's file list:
// the template and its controls. The ids lie outside 0x400-0x4FF, the range
// the common dialogs use for their own controls.
#define IDD_OPENPICTURE L"OPENPICTURE"
#define IDC_OPENPICTURE_PREVIEW 1501 // the "&Preview" check box
#define IDC_OPENPICTURE_PANEL 1502   // the framed panel the picture is drawn in
