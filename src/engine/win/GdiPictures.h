#pragma once
// Icons and metafiles drawn with GDI, and the device-independent sections
// that hold every bitmap's pixels in the Windows build.
#include "engine/AllMap.h"

#include <windows.h>

// Installs the section allocator; call once at start-up.
void UseDibSectionsForBitmaps();

// The section behind a bitmap (null for an empty one or one made before
// UseDibSectionsForBitmaps).
HBITMAP DibSectionOf(const TBitmap& bitmap);

class TGdiPictures : public IPictureRenderer {
public:
    TBitmap RenderIcon(const std::vector<uint8_t>& file) override;
    TBitmap RenderMetafile(const std::vector<uint8_t>& file, bool enhanced) override;
};
