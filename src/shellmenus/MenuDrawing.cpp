#include "shellmenus/MenuDrawing.h"

#include <cctype>

namespace {

bool IsDriveCaption(const std::string& caption) {
    return caption.size() == 2 && caption[1] == ':';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

TMenuImageChoice ChooseMenuImage(const TMenuItem& item, int ownImageCount,
                                 const std::function<bool(int)>& systemImageEmpty) {
    if (item.Checked) return {TImageSource::Own, kCheckImage};
    if (item.SystemImage) {
        const bool empty = item.ImageIndex < 0 || (systemImageEmpty && systemImageEmpty(item.ImageIndex));
        if (!empty) return {TImageSource::System, item.ImageIndex};
        if (IsDriveCaption(item.Caption)) {
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item.Caption[0])));
            return {TImageSource::Own, (letter == 'A' || letter == 'B') ? kFloppyImage : kFixedDriveImage};
        }
        return {TImageSource::Own, kNoIconImage};
    }
    if (item.ImageIndex <= 0 || ownImageCount <= 0) return {};
    return {TImageSource::Own, item.ImageIndex < ownImageCount ? item.ImageIndex : ownImageCount - 1};
}

int MenuCharPosition(const TMenuItem& menu, unsigned ch) {
    const bool selects = (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    if (!selects) return -1;
    const std::string key = std::string("&") + LowerAscii(static_cast<char>(ch));
    for (int i = 0; i < menu.Count(); ++i) {
        const TMenuItem& entry = menu.Item(i);
        if (!entry.Enabled) continue;
        std::string caption = entry.Caption;
        for (char& c : caption) c = LowerAscii(c);
        if (caption.find(key) != std::string::npos) return i;
    }
    return -1;
}
