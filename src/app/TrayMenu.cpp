#include "app/TrayMenu.h"

#include "app/ProgramPaths.h"
#include "platform/Text.h"
#include "systemmenus/DisplayMenu.h"

namespace {

using namespace menuspec;

// The fixed tree: caption, component name, Tag, help context, image, depth.
constexpr TMenuSpec kPopupMenu1[] = {
    {"&Desktop", "DesktopIcons", 20, 69, 20},
    {"&Align Icons", "Align1", 7, 72, 7, 1},
    {"&Left", "AlignLeft", 13, 30, 13, 2},
    {"&Right", "AlignRight", 14, 33, 14, 2},
    {"&Top", "AlignTop", 15, 32, 15, 2},
    {"&Bottom", "AlignBottom", 16, 34, 16, 2},
    {"&Spiral", "AlignSpiral", 17, 35, 17, 2},
    {"&Custom", "AlignCustom", 18, 36, 18, 2},
    {"&Hide", "NoIcons", 12, 37, 12, 2},
    {"-", "N5", 0, 0, 0, 2},
    {"S&ave Custom", "SaveIcons", 19, 78, 19, 2},
    {"-", "N9", 0, 0, 0, 1},
    {"Dis&play", "Display", 6, 70, 6},
    {"&Screen Saver", "ScreenSaver", 11, 87, 11},
    {"&Run", "ScrRun", 0, 87, 0, 1},
    {"-", "N10", 0, 0, 0, 1},
    {"&Active", "ScrActive", 0, 87, 0, 1},
    {"Use &Password", "ScrPassword", 0, 87, 0, 1},
    {"&Change Password", "ChangePassword", 0, 87, 0, 1},
    {"Change &Wait", "ScrWait", 0, 87, 0, 1},
    {"-", "N11", 0, 0, 0, 1},
    {"&Select", "ScrSelect", 0, 87, 0, 1},
    {"-", "N3"},
    {"Open &File", "FileMenu", 1, 74, 1},
    {"&Reopen", "ReopenFile", 0, 74, 0, 1},
    {"&Clear List", "ClearFile", 0, 74, 0, 2},
    {"-", "N6", 0, 0, 0, 1},
    {"Open &Image", "ImageMenu", 1, 75, 1},
    {"&Reopen", "ReopenImage", 0, 75, 0, 1},
    {"&Clear List", "ClearImage", 0, 75, 0, 2},
    {"-", "N8", 0, 0, 0, 1},
    {"-", "N7"},
    {"&Lists", "Lists", 0, 112, 38},
    {"&Delete", "ListsDelete", 0, 114, 22, 1},
    {"&New", "ListsNew", 0, 113, 34, 1},
    {"-", "N12", 0, 0, 0, 1},
    {"&Most Recent", "Recent", 8, 76, 8, 0, Disabled},
    {"-", "N4"},
    {"&About", "About1", 2, 77, 2},
    {"&Help", "Help", 3, 79, 3},
    {"P&roperties", "Options", 4, 80, 4},
    {"-", "N2"},
    {"&Close", "Exit", 5, 128, 5},
};
static_assert(IsMenuTable(kPopupMenu1), "the tray menu is a menu table");

// Drive images when the shell draws every drive alike.
constexpr int32_t kFloppyImage = 9, kFixedDriveImage = 10;

// Below these entries a right-click path starts.
bool StartsPath(const TMenuItem& entry) {
    static const char* const names[] = {"Recent", "FileMenu", "ImageMenu", "ReopenFile", "ReopenImage"};
    for (const char* name : names)
        if (text::SameText(entry.Name, name)) return true;
    return entry.Parent() == nullptr;
}

} // namespace

TTrayMenu::TTrayMenu(TPlatform& platform, TWallpaper& engine, TCommandIds& ids, ITextMeasurer& measurer,
                     ISystemIcons& icons, TTrayMenuHooks hooks, std::string programKey)
    : PopupMenu1(ids),
      FileBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      ImageBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      SelectBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      RecentBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      ListsDeleteBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      ListsBuilder(platform.Files, platform.Folders, platform.Screen, measurer, icons),
      MRUFile(platform.Registry, regnames::kReopenFile, programKey),
      MRUImage(platform.Registry, regnames::kReopenImage, programKey), platform_(platform), engine_(engine),
      icons_(icons), hooks_(std::move(hooks)), programKey_(std::move(programKey)) {
    CreateTree();
    WireBuilders();
    WireSystemMenus();
}

void TTrayMenu::CreateTree() {
    AddMenuItems(PopupMenu1, kPopupMenu1);
    Entry("ListsNew").OnClick = [this](TMenuItem&) { ListsNewClick(); };
    Entry("ClearFile").OnClick = [this](TMenuItem&) { MRUFile.ClearStored(); };
    Entry("ClearImage").OnClick = [this](TMenuItem&) { MRUImage.ClearStored(); };
    Entry("ReopenFile").OnClick = [this](TMenuItem& reopen) { ReopenOpening(reopen, MRUFile, true); };
    Entry("ReopenImage").OnClick = [this](TMenuItem& reopen) { ReopenOpening(reopen, MRUImage, false); };
    Entry("DesktopIcons").OnClick = [this](TMenuItem& desktop) {
        if (desktop.Count() == 2 && hooks_.FillDesktop) hooks_.FillDesktop(desktop);
    };
}

void TTrayMenu::WireBuilders() {
    const auto wire = [](TBetterMenu& builder, TMenuItem& root, std::function<void(const std::string&)> select) {
        builder.RootEntry = &root;
        builder.OnSelect = [select](TBetterMenu&, const std::string& path) { select(path); };
    };
    wire(FileBuilder, Entry("FileMenu"), [this](const std::string& p) { OpenFileCommand(p); });
    wire(ImageBuilder, Entry("ImageMenu"), [this](const std::string& p) { OpenImageCommand(p); });
    wire(RecentBuilder, Entry("Recent"), [this](const std::string& p) { ApplyListEntry(p); });
    wire(ListsDeleteBuilder, Entry("ListsDelete"), [this](const std::string& p) { DeleteListClick(p); });
    wire(ListsBuilder, Entry("Lists"), [this](const std::string& p) { engine_.SelectList(p); });
    wire(SelectBuilder, Entry("ScrSelect"), [this](const std::string& p) {
        if (ScreenSaverMenu) ScreenSaverMenu->Choose(p);
    });
    // The screen savers of the Windows folder and of the system's own one.
    SelectBuilder.RootFolders = {SelectBuilder.WindowsFolder, SelectBuilder.SystemFolder};
    SelectBuilder.ExtensionFilter = {"scr"};
    SelectBuilder.IncludeSubFolders = false;
    SelectBuilder.CutExtension = true;
    // The Lists entry keeps Delete, New and the separator above the names.
    ListsBuilder.KeepCount = 3;
    Entry("Recent").OnClick = RecentBuilder.ClickHandler();
    Entry("ListsDelete").OnClick = ListsDeleteBuilder.ClickHandler();
    Entry("ScrSelect").OnClick = SelectBuilder.ClickHandler();
    Entry("Lists").OnClick = ListsBuilder.RefillHandler();
}

void TTrayMenu::WireSystemMenus() {
    if (platform_.ScreenSaver) {
        ScreenSaverMenu = std::make_unique<TScreenSaverMenu>(*platform_.ScreenSaver, platform_.Registry, platform_.Files,
                                                             platform_.Folders, platform_.Prompts);
        ScreenSaverMenu->Attach(Entry("ScreenSaver"));
    }
    if (platform_.DisplayModes) {
        Entry("Display").OnClick = DisplayMenuHandler(TDisplayMenuContext{
            *platform_.DisplayModes, platform_.Registry, [this] { return platform_.Screen.Height(); },
            [this] { return dpi_; },
            [this] {
                if (hooks_.RestartTimer2) hooks_.RestartTimer2();
            }});
    }
}

void TTrayMenu::SetDpi(int dpi) {
    dpi_ = dpi;
    for (TBetterMenu* b : {&FileBuilder, &ImageBuilder, &SelectBuilder, &RecentBuilder, &ListsDeleteBuilder, &ListsBuilder})
        b->Dpi = dpi;
}

void TTrayMenu::PopupMenu1Popup() {
    // 1. to 3.
    if (hooks_.BringToForeground) hooks_.BringToForeground();
    engine_.LoadSettings();
    FileBuilder.Reset();
    ImageBuilder.Reset();
    SelectBuilder.Reset();
    // 4. The lists' texts and what is checked in them.
    RecentBuilder.FixedItems = engine_.Items.Strings();
    RecentBuilder.CaptionToCheck = engine_.GetWallpaperSource();
    ListsBuilder.FixedItems = ListsDeleteBuilder.FixedItems = engine_.ListNames.Strings();
    ListsBuilder.CaptionToCheck = ListsDeleteBuilder.CaptionToCheck = engine_.ListName;
    // 5. to 7. Emptied, to be filled when they open.
    Entry("ListsDelete").Clear();
    Entry("ListsDelete").AddPlaceholder();
    TMenuItem& recent = Entry("Recent");
    recent.Enabled = engine_.Items.Count() > 0;
    recent.Clear();
    recent.AddPlaceholder();
    Entry("Display").Clear();
    Entry("Display").AddPlaceholder();
    // 8. and 9. The reopen lists as stored.
    Entry("ReopenFile").DeleteFrom(1);
    Entry("ReopenImage").DeleteFrom(1);
    MRUFile.Load();
    MRUImage.Load();
    Entry("ReopenFile").Enabled = MRUFile.Strings().Count() > 0;
    Entry("ReopenImage").Enabled = MRUImage.Strings().Count() > 0;
    // 10. to 12. The drives.
    Entry("FileMenu").DeleteFrom(2);
    Entry("ImageMenu").DeleteFrom(2);
    AddDrives();
    // 13. The screen saver's state.
    TMenuItem& select = Entry("ScrSelect");
    select.Clear();
    select.AddPlaceholder();
    if (ScreenSaverMenu) {
        ScreenSaverMenu->Opening(Entry("ScreenSaver"));
        SelectBuilder.FileToCheck = ScreenSaverMenu->State.Path;
    }
    // 14. The desktop's items go; they come back when Desktop opens.
    Entry("DesktopIcons").DeleteFrom(2);
}

void TTrayMenu::AddDrives() {
    const uint32_t mask = hooks_.LogicalDrives ? hooks_.LogicalDrives() : 0;
    TMenuItem& files = Entry("FileMenu");
    TMenuItem& images = Entry("ImageMenu");
    bool allTheSame = true;
    // Compared from the first drive present: a machine without A: would
    // otherwise compare C: with no icon at all and never fall back.
    std::optional<int32_t> previous;
    for (int bit = 0; bit < 26; ++bit) {
        if (!(mask & (uint32_t(1) << bit))) continue;
        const std::string drive = std::string(1, char('A' + bit)) + ":";
        TMenuItem& file = files.Add(drive);
        file.SystemImage = true;
        file.ImageIndex = icons_.IndexByAttributes(drive + "\\", fileattr::Directory | fileattr::Normal);
        file.AddPlaceholder();
        file.OnClick = FileBuilder.ClickHandler();
        TMenuItem& image = images.Add(drive);
        image.SystemImage = true;
        image.ImageIndex = icons_.IndexByAttributes(drive + "\\", fileattr::Normal);
        image.AddPlaceholder();
        image.OnClick = ImageBuilder.ClickHandler();
        if (previous && file.ImageIndex != *previous) allTheSame = false;
        previous = file.ImageIndex;
    }
    if (!allTheSame) return;
    // A shell that draws every drive alike tells nothing: floppies and disks.
    for (TMenuItem* menu : {&files, &images})
        for (int i = 2; i < menu->Count(); ++i) {
            TMenuItem& entry = menu->Item(i);
            entry.SystemImage = false;
            const char letter = entry.Caption.empty() ? ' ' : entry.Caption[0];
            entry.ImageIndex = letter == 'A' || letter == 'B' ? kFloppyImage : kFixedDriveImage;
        }
}

void TTrayMenu::ReopenOpening(TMenuItem& reopen, TMRUManager& list, bool file) {
    if (reopen.Count() != 1) return;
    reopen.Add(TMenuItem::kSeparator);
    const TRecentStrings& strings = list.Strings();
    for (int i = 0; i < strings.Count(); ++i) {
        TMenuItem& entry = reopen.Add(strings[i]);
        entry.OnClick = [this, &list, file](TMenuItem& chosen) {
            // The entry leaves its list; opening the file puts it back on top.
            const int position = chosen.Parent()->IndexOf(chosen);
            if (const auto path = list.Choose(position)) {
                list.Save();
                if (file)
                    OpenFileCommand(*path);
                else
                    OpenImageCommand(*path);
            }
        };
    }
    reopen.Rebuild();
}

bool TTrayMenu::MissingFile(const std::string& path) {
    if (platform_.Files.FileExists(path)) return false;
    const std::string text = MissingFileText(path);
    if (hooks_.ErrorBox)
        hooks_.ErrorBox(text);
    else
        platform_.Prompts.Message(text, TMessageKind::Error);
    return true;
}

void TTrayMenu::OpenFileCommand(const std::string& path) {
    if (MissingFile(path)) return;
    if (hooks_.RunDefaultCommand && hooks_.RunDefaultCommand(path)) {
        MRUFile.Strings().Add(path);
        MRUFile.Save();
    }
}

void TTrayMenu::OpenImageCommand(const std::string& path) {
    if (MissingFile(path)) return;
    if (hooks_.OpenImage) hooks_.OpenImage(path);
    MRUImage.Strings().Add(path);
    MRUImage.Save();
}

void TTrayMenu::ApplyListEntry(const std::string& path) {
    if (platform_.Files.FileExists(path)) {
        engine_.ChangeWallpaper(path);
    } else {
        engine_.RemoveItem(path);
        MissingFile(path);
    }
    engine_.CheckSchedule();
}

std::string TTrayMenu::ListsKey() const {
    return reg::JoinPath(programKey_, regnames::kLists);
}

void TTrayMenu::ListsNewClick() {
    reg::IRegistry& registry = platform_.Registry;
    const auto exists = [&](const std::string& name) {
        return registry.Open(reg::Root::CurrentUser, reg::JoinPath(ListsKey(), name), false) != nullptr;
    };
    int n = 1;
    while (exists("List " + std::to_string(n))) ++n;
    std::string answer = "List " + std::to_string(n);
    std::string prompt = "Please enter a name for the new list:";
    for (;;) {
        const auto given = platform_.Prompts.InputBox("New List", prompt, answer);
        if (!given) return;
        answer = *given;
        if (answer.empty())
            prompt = "Please enter a valid name:";
        else if (answer.find('\\') != std::string::npos)
            prompt = "You can not use \"\\\". Please enter a valid name:";
        else if (exists(answer))
            prompt = "That name is already in use, please enter another:";
        else
            break;
    }
    engine_.SelectList(answer);
}

void TTrayMenu::DeleteListClick(const std::string& name) {
    if (!platform_.Prompts.Confirm("Are you sure you want to remove \"" + name + "\" from your lists?")) return;
    engine_.DeleteList(name);
    engine_.RefreshIfStale();
}

std::optional<std::string> TTrayMenu::RightButtonFolder(uint16_t command) {
    TMenuItem* entry = PopupMenu1.Find(command);
    if (!entry || entry == &PopupMenu1) return std::nullopt;
    // The captions from the entry up to (not including) where paths start.
    std::string path;
    TMenuItem* top = entry;
    for (TMenuItem* e = entry; e && !StartsPath(*e); e = e->Parent()) {
        top = e;
        if (TBetterMenu::IsOverflow(*e)) continue;
        path = path.empty() ? e->Caption : e->Caption + "\\" + path;
    }
    TMenuItem* under = top->Parent();
    if (!under || path.empty()) return std::nullopt;
    if (text::SameText(under->Name, "FileMenu") || text::SameText(under->Name, "ImageMenu")) {
        // A drive alone ("C:") names its current folder: the root is meant.
        if (path.size() == 2 && path[1] == ':') path += '\\';
        if (!platform_.Files.DirectoryExists(path)) path = FolderPart(path);
    } else if (text::SameText(under->Name, "Recent") || text::SameText(under->Name, "ReopenFile") ||
               text::SameText(under->Name, "ReopenImage")) {
        path = FolderPart(path);
    } else {
        return std::nullopt;
    }
    if (path.empty() || !platform_.Files.DirectoryExists(path)) return std::nullopt;
    return path;
}
