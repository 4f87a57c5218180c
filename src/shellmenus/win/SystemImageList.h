#pragma once
// The shell's system image list: the small-icon list the shell itself draws
// with, and the icon index of a path, of a path with file attributes, or of
// a shell item. The small and large system lists share their indexes. The
// list belongs to the shell: the program never destroys it.
#include "shellmenus/SystemImageList.h"

#include <windows.h>
#include <commctrl.h>
#include <shtypes.h>

#include <cstdint>
#include <map>
#include <string>

// A lookup that the shell cannot answer gives this index.
constexpr int kNoSystemIcon = -1;

// The shell's small system image list (16 x 16), obtained as the list of an
// empty path's small icon. Null when the shell gives none.
HIMAGELIST SystemSmallImageList();

// The icon of the file or folder at the path when it exists; otherwise the
// icon an item with those attributes (fileattr:: bits) would have there,
// without touching the disk.
int SystemIconIndex(const std::string& path, uint32_t attributesWhenAbsent = fileattr::Normal);

// The icon an item with these attributes would have at the path, never
// touching the disk (drive roots of removable media stay quiet).
int SystemIconIndexOfAttributes(const std::string& path, uint32_t attributes);

// The icon of a shell item given by its absolute identifier list.
int SystemIconIndexOfItem(PCIDLIST_ABSOLUTE item);

// The lookups as the menus ask for them.
// The lookups as the folder menus ask them. A file's icon mostly depends on
// its type alone, and asking the shell about each of a folder's files costs
// milliseconds apiece (it opens every file), so the icons of file types that
// draw the same icon for every file are remembered by extension. Types whose
// icon is the file's own (programs, icons, shortcuts, a "%1" default icon or
// an icon handler) and folders are always asked about. Forget drops what
// was learnt, for a menu opening after file types may have changed.
class WinSystemIcons : public ISystemIcons {
public:
    int32_t IndexByPath(const std::string& path) override;
    int32_t IndexByAttributes(const std::string& path, uint32_t attributes) override {
        return SystemIconIndexOfAttributes(path, attributes);
    }
    void Forget() { byExtension_.clear(); }

private:
    std::map<std::wstring, int32_t> byExtension_; // upper-cased extension, dot included
};
