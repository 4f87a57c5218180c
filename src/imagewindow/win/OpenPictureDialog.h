#pragma once
// The program's picture open dialog: the system's open dialog, titled
// "Muralto Open", with the program's picture filter and, beside the file
// list, a "Preview" check box over a framed panel. While the check box is on,
// the selected file is shown in the panel scaled down to fit; the check box
// remembers its state in the "Preview" option. The template and the control
// ids are in resources/ResourceIds.h.
#include "platform/Platform.h"

#include <windows.h>

#include <optional>
#include <string>

// Shows the dialog modally over owner (may be null), starting in the folder
// (empty: the system's choice). The chosen file's full path, or nothing when
// the user cancels. Throws EMuraltoError when the dialog cannot be created,
// and the store's error when the "Preview" option cannot be read.
std::optional<std::string> ShowOpenPictureDialog(TPlatform& platform, HWND owner, const std::string& initialFolder);

// The panel's colour where no picture is drawn.
constexpr int kPreviewBackgroundColor = COLOR_BTNFACE;
