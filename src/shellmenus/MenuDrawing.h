#pragma once
// The rules behind drawing a menu entry and choosing one by its access key,
// kept apart from the drawing itself so that they can be checked without a
// screen: which picture an entry shows, and which entry a typed character
// selects.
#include "shellmenus/MenuModel.h"

#include <functional>

enum class TImageSource { None, Own, System };

struct TMenuImageChoice {
    TImageSource Source = TImageSource::None;
    int Index = 0;
    bool operator==(const TMenuImageChoice& o) const { return Source == o.Source && Index == o.Index; }
};

// The program's own images that stand in for an empty system icon.
constexpr int kCheckImage = 0;
constexpr int kFloppyImage = 9;
constexpr int kFixedDriveImage = 10;
constexpr int kNoIconImage = 33;

// The picture of an entry: the check mark for a checked entry (it replaces
// the entry's own icon); the system image list's icon, or when that is empty
// the floppy ("A:", "B:"), fixed drive (other drive captions) or blank-item
// image; else the own image of that index (the last one beyond the list,
// none for 0 or less). systemImageEmpty tells whether a system index has no
// picture (a negative index always counts as empty).
TMenuImageChoice ChooseMenuImage(const TMenuItem& item, int ownImageCount,
                                 const std::function<bool(int)>& systemImageEmpty);

// The position of the entry a typed character selects: the first enabled
// entry whose caption holds "&" and the character (both lower-cased); only
// digits and ASCII letters select. -1 when none does.
int MenuCharPosition(const TMenuItem& menu, unsigned ch);
