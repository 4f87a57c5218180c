#pragma once
// Pixel memory from the heap, zeroed. Pictures of a few megabytes and more
// come straight from the system as fresh zero pages, so a new image costs
// nothing until its rows are written; on Linux those pages are asked for as
// huge pages, which turns the half a million page faults of a 12-megapixel
// photo's buffers into a few hundred.
#include "engine/Bitmap.h"

#include <memory>

// Null when the memory cannot be had.
std::unique_ptr<TPixelMemory> NewHeapPixels(size_t bytes);
