#pragma once
// The program's bitmaps on a device context: copied to it as they are, and
// the logical palette of their colours for 256-colour displays.
#include "engine/Bitmap.h"
#include "platform/win32/Handles.h"

// The whole bitmap at (x, y) of the DC, one to one.
void DrawDib(HDC dc, const TBitmap& bitmap, int x, int y);

// A palette of the bitmap's colours (none for a bitmap without palette).
win::UniquePalette MakeLogicalPalette(const TBitmap& bitmap);
