#pragma once
// Reducing a true-colour image to 256 colours: an octree quantiser chooses up
// to 236 colours, the 20 Windows system colours take the first and last ten
// palette entries, and Floyd–Steinberg error diffusion maps the pixels.
#include "engine/Bitmap.h"

#include <vector>

// The octree quantiser: at most maxColors colours at 8 bits per channel.
std::vector<TRGBQuad> OctreeColors(const TBitmap& image, int maxColors);

// The 256-entry palette: system colours 0-9, the computed colours (black
// where fewer than 236 were found), system colours 246-255.
std::vector<TRGBQuad> SystemPaletteAround(const std::vector<TRGBQuad>& computed);

// A 24- or 32-bit image as an 8-bit one with the palette above.
TBitmap ReduceTo256Colors(const TBitmap& image);

// Floyd–Steinberg mapping of a 24- or 32-bit image onto a given palette.
TBitmap DiffuseOntoPalette(const TBitmap& image, const std::vector<TRGBQuad>& palette);
