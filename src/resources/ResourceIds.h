#pragma once
// Names of the program's resources, shared by the resource script and the code.
#define IDI_MAINICON L"MAINICON"
#define IDC_DROPPER L"DROPPER"
