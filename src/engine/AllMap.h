#pragma once
// The bitmap that loads any supported picture file by its extension and ends
// at the display's depth: 24 bits per pixel on a display of more than 15
// bits, 8 bits with a palette otherwise.
#include "engine/Bitmap.h"
#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Icons and metafiles are drawn by the platform's own graphics where it has
// them (the Windows build); see TPlatform::Pictures.
class IPictureRenderer {
public:
    virtual ~IPictureRenderer() = default;
    // The first image of an icon file, drawn on white at its size.
    virtual TBitmap RenderIcon(const std::vector<uint8_t>& file) = 0;
    // An enhanced or placeable Windows metafile, drawn on white at its size
    // on this screen.
    virtual TBitmap RenderMetafile(const std::vector<uint8_t>& file, bool enhanced) = 0;
};

// The extensions with their dot, as the program lists them.
const std::vector<std::string>& ImageExtensions();
bool IsImageFile(const std::string& fileName);
// The picture open dialog's filter: pairs of a description and its patterns,
// every part separated by "|", all the program's pictures first.
const std::string& OpenPictureFilter();
// The part after the last dot ("" when there is none).
std::string ExtractExtension(const std::string& fileName);

// True colour: "BitsPerPixel" of the current hardware profile above 15;
// where Windows keeps no such value, the display's real depth decides. A
// value that is there but no number counts as 15 bits or less.
bool ReadTrueColorDisplay(TPlatform& platform);

class TAnymap : public TBitmap {
public:
    explicit TAnymap(TPlatform& platform);

    bool TrueColorDisplay = true;
    // Sets TrueColorDisplay and converts to 24 bits (true) or 8 bits (false).
    void SetTrueColor(bool trueColor);
    // Decodes the file by its extension (any other extension leaves the
    // bitmap as it was), then applies SetTrueColor(TrueColorDisplay).
    // Errors of the decoders propagate as EMuraltoError; a bad PCX file
    // yields an empty bitmap instead.
    void LoadFromFile(const std::string& fileName);

private:
    TPlatform* platform_; // a pointer, so that a loaded map can be moved into another
};

// Which sibling of the current image to open.
enum class TSibling { First = 0, Last = 1, Next = 2, Previous = 3 };

// From the names of a folder's files: the image files sorted without regard
// to case, and the one to open for `which` relative to currentName (where
// currentName is missing, relative to where it would be inserted). Nothing
// when the folder holds no image.
std::optional<std::string> ChooseSibling(const std::vector<std::string>& fileNames, const std::string& currentName,
                                         TSibling which);
// The path of the sibling to open, or nothing when the folder is missing, has
// no image, or the choice is the current file itself.
std::optional<std::string> FindSibling(IFileSystem& files, const std::string& currentPath, TSibling which);
