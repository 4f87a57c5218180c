#pragma once
// The wallpaper engine. One belongs to each form that works with wallpapers:
// the main form (tray menu, changer), each image window and the properties
// dialog; it behaves differently by owner in a few named places. This header
// holds the engine's list side: the named wallpaper lists under
// "Lists", the current list's entries and the options re-read with them.
// The registry is the authority: the engine re-reads it often and keeps
// nothing that another form could have changed in the meantime.
#include "app/HotKey.h"
#include "app/RegistryNames.h"
#include "app/Settings.h"
#include "engine/AllMap.h"
#include "engine/Placement.h"
#include "engine/StringList.h"
#include "engine/WallpaperView.h"
#include "platform/Platform.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>

class TFastBMP;

enum class TOwnerKind {
    MainForm,         // the tray menu's engine: its list choice is the program's
    ImageWindow,      // one per image window
    PropertiesDialog, // edits lists without changing the current one
};

class TWallpaper {
public:
    // programKey is the tree below HKEY_CURRENT_USER that holds the settings;
    // tests pass a scratch key.
    TWallpaper(TPlatform& platform, TOwnerKind owner, std::string programKey = regnames::kProgramKey);
    virtual ~TWallpaper();
    TWallpaper(const TWallpaper&) = delete;
    TWallpaper& operator=(const TWallpaper&) = delete;

    TOwnerKind Owner() const { return owner_; }
    const std::string& ProgramKey() const { return programKey_; }

    // Re-reads the list names, the current list with its entries, and the
    // options below. Never reports what it finds: missing or spoiled values
    // read as their defaults.
    void LoadSettings();
    // Makes the named list the one the engine works on and creates its key.
    // The main form's engine also stores it as the current list and checks
    // whether the desktop needs the list's wallpaper. The entries are read by
    // the next LoadSettings. A name that cannot be a list (empty, or with a
    // "\") is ignored.
    void SelectList(const std::string& name);
    // The list side of recording an applied wallpaper: stores its placement
    // and puts a new path into the list, making room when the list is full.
    // A path that is already an entry keeps its place.
    void RecordInList(const std::string& path, const TPlacement& record);
    // Removes the entry and its placement from the current list.
    void RemoveItem(const std::string& entry);
    // Deletes a list with everything it holds (after the user confirmed), then
    // loads the settings again so that another list becomes current.
    void DeleteList(const std::string& name);

    // The stale-wallpaper check of applying: re-applies the current list's
    // wallpaper when the desktop no longer matches it. The main form's engine
    // runs it after choosing or deleting a list.
    virtual void RefreshIfStale();

    // ---- Composing (from a file and its placement to the screen bitmap) ----
    // Opens an image with its stored placement; true when one was found. A
    // missing file leaves the list and says so.
    bool OpenImage(const std::string& path);
    bool LoadImage();
    // The record of FileName: for the program's own output file, the record
    // of the image behind it (FileName then names that image).
    std::optional<TPlacement> FindPlacement();
    // Loads SourceImage (a failure says "Error opening" and leaves it empty)
    // and makes Image its copy; a caller that renders at once skips the copy.
    void LoadFile(const std::string& path, bool copyToImage = true);
    void ApplyDefaults();
    // The most frequent colour of the image's 256-colour form (black for an
    // empty image): the background of an image without a record.
    uint32_t MostFrequentColor();
    void ApplyRecord(const TPlacement& record);
    // Whether the placement changes the loaded picture (size, fit, rotation
    // or an effect), so that Image is rendered rather than the loaded copy.
    bool NeedsRender() const { return Percentage != 100 || Rotate != 0 || Mirror || FishEye || Twirl || Waves || Fit; }
    void RenderImage();
    void SetTile(bool on);
    void BuildTileBuffer();
    void UpdateOrigin();
    void SetPosition(int32_t x, int32_t y);
    // 0 bottom, 1 left, 2 right, 3 top, 4 centre, 5 centre horizontally,
    // 6 centre vertically.
    void AlignImage(int kind);
    enum TSnapshotMode { snSave = 0, snRestore = 1, snDiscard = 2 };
    void Snapshot(int mode);
    // The open dialog, starting in the current image's folder when that file
    // exists; the chosen file is opened with OpenImage.
    void BrowseImage();
    void OpenCurrentWallpaper();
    std::string GetWallpaperSource();
    // The first, last, next or previous image of FileName's folder.
    void OpenSibling(TSibling which);
    // Whether a picture is open, that is its file loaded. Its rendering may
    // still have no pixels, when its size rounds to nothing: the wallpaper
    // and the logos then show the background colour alone.
    bool PictureOpen() const { return !SourceImage.Empty(); }
    // The screen-sized bitmap that becomes the wallpaper (empty when no
    // picture is open).
    TBitmap ComposeScreen();
    // The program's wallpaper bitmap: in the Windows folder, or where the
    // platform says when that folder cannot be written.
    std::string OutputFile() const {
        return (platform_.WallpaperFolder.empty() ? WindowsDir : platform_.WallpaperFolder) + "\\Muralto.bmp";
    }

    // ---- Applying ----
    void ChangeWallpaper(const std::string& path);
    void ApplyWallpaper();
    void WriteWallpaper();
    void RecordWallpaper();
    bool ColorDepthChanged();
    bool ActiveDesktopAvailable();
    // The placement the engine holds now, for the current screen width.
    TPlacement CurrentPlacement() const;

    // ---- The Windows logos ----
    enum TLogoMode { lmStartup = 0, lmShutdown = 1, lmRestore = 2, lmBoth = 3 };
    // Both logos' size in pixels, shown stretched over a 4:3 screen.
    static constexpr int kLogoWidth = 320, kLogoHeight = 400;
    // Writes the start-up logo, the shut-down logo or both from the placed
    // image (backing each up once first), or restores both backups.
    void WriteLogos(int mode);
    // The 320 × 400 logo of 256 colours that the placed image makes, with
    // the 8-bit image's palette (empty when no picture is open).
    TBitmap ComposeLogo();
    // Moves the picture to entries 0 to 235 and gives the rest to the colour
    // cycle and the strip that Windows animates while it starts.
    static void PrepareStartupLogo(TBitmap& logo);
    // The start-up logo's file: the prepared logo with its first 236 entries
    // marked as important.
    static std::vector<uint8_t> StartupLogoFile(TBitmap& logo);
    std::string StartupLogoPath() const { return platform_.Folders.BootDrive() + "\\Logo.sys"; }
    std::string StartupLogoBackup() const { return platform_.Folders.BootDrive() + "\\Logo.old"; }
    std::string ShutdownLogoPath() const { return WindowsDir + "\\Logow.sys"; }
    std::string ShutdownLogoBackup() const { return WindowsDir + "\\Logow.old"; }

    // ---- The changer ----
    // Both are changes: while another change runs (platform.Changes is busy)
    // they do nothing.
    void CheckSchedule();
    void NextWallpaper();
    void SeedRandom(uint32_t seed) { random_.seed(seed); }

    // ---- The image and its placement ----
    std::string WindowsDir;
    std::string ProgramDir;
    std::string FileName;
    TAnymap Image;
    TAnymap SourceImage;
    std::optional<TBitmap> TileBuffer;
    bool Tile = false;
    struct TPoint {
        int32_t X = 0, Y = 0;
    };
    TPoint Position;
    TPoint Origin;
    IWallpaperView* View = nullptr;
    bool Fit = false;
    int32_t Percentage = 100;
    uint32_t Color = 0; // 0x00BBGGRR
    int32_t Rotate = 0;
    bool Mirror = false, FishEye = false, Twirl = false, Waves = false;
    bool Editing = false;
    bool TrueColor = true;
    std::string Hint;
    double NextChange = 0;

    // ---- The current list ----
    std::string ListKey;        // full path below HKEY_CURRENT_USER
    std::string ListName;
    TStringList ListNames{true}; // names of all lists, sorted
    TStringList Items;          // entries; sorted when the list says so
    int32_t Capacity = kDefaultCapacity;

    // ---- Options read by LoadSettings ----
    bool RestoreIcons = settings::kRestoreIcons.EngineDefault;
    bool MultipleWindows = settings::kMultipleWindows.EngineDefault;
    bool FullScreen = settings::kFullScreen.EngineDefault;
    bool AdjustWallpaper = settings::kAdjustWallpaper.EngineDefault;
    bool ChangeLogos = settings::kChangeLogos.EngineDefault;
    bool CorrectLogos = settings::kCorrectLogos.EngineDefault;
    bool KeepAlive = settings::kKeepAlive.EngineDefault;
    bool ChangeOnStartup = settings::kChangeOnStartup.EngineDefault;
    uint16_t StartShortcut = settings::kStartShortcut.Default;

    static constexpr int32_t kDefaultCapacity = settings::kMRUCapacity.Default;

protected:
    reg::IRegistry& Registry() { return platform_.Registry; }
    // Writes both Windows logos after an apply when "ChangeLogos" is on.
    virtual void ChangeLogosStep();
    TPlatform& platform_;

private:
    struct TSnapshotCopy {
        TBitmap Image;
        std::optional<TBitmap> TileBuffer;
        bool Fit, Tile, Mirror, FishEye, Twirl, Waves;
        int32_t Percentage, Rotate;
        uint32_t Color;
        TPoint Position;
    };
    // Fitting the (turned) source to the screen: to its height or its width,
    // and the scale factor that does it.
    struct TFitChoice {
        bool ToHeight = false;
        double Factor = 1;
    };
    TFitChoice FitToScreen() const;
    // Mirror, fish eye, twirl and waves as the placement says, with amounts
    // from the screen width.
    void ApplyEffects(TFastBMP& work) const;
    // The picture turned by Rotate about the centre of its turned size, on
    // the background colour; nearest pixel when fast, else bilinear.
    TFastBMP TurnOntoBackground(const TFastBMP& picture, bool fast) const;
    // Backs the logo up once (asking when that fails) and writes it; false
    // when the user chose to keep the old logo.
    bool ReplaceLogo(const std::string& path, const std::string& backup, const std::string& question,
                     const std::vector<uint8_t>& file);
    void InstallWallpaper(const std::string& path);
    std::unique_ptr<TSnapshotCopy> saved_;
    std::mt19937 random_;
    // The changer's steps, run as one change by CheckSchedule and NextWallpaper.
    void ScheduleStep();
    void ChangeToNext();

    std::string ListPath(const std::string& name) const;
    std::string ListsPath() const;
    void ReadOptions();
    void ReadListOptions();
    void ReadItems();
    void RequireList() const;
    // Writes "MRU" from Items.
    void RewriteMRU();

    TOwnerKind owner_;
    std::string programKey_;
};

// The changer's seed from a moment: its milliseconds modulo 2^32, so that
// every start (to the millisecond) seeds differently. Moments that are not
// finite give 0.
uint32_t RandomSeed(double moment);

// The error text for a picture file that is gone: the path in double
// quotes and " does not exist!".
std::string MissingFileText(const std::string& path);

// True for a name that can be a list: a key name, not empty, without "\".
bool IsValidListName(const std::string& name);

// The single list of older versions moves into "List 1": "MRU" and "MRUData"
// below the program key each move to "Lists\List 1" when they exist there and
// the new key does not. Runs at every start before the settings are loaded.
void MigrateOldLists(reg::IRegistry& registry, const std::string& programKey = regnames::kProgramKey);
