#pragma once
// The program's options, each with its place (root, section below the program
// key, value name), its kind and its default spelled once here, and the reads
// and writes that every part of the program makes through them.
//
// One reading rule for every option: a missing key, a missing value, or a
// value of the wrong type or size reads as the reader's default, so that a
// value spoiled by hand never stops a timer, the tray menu or the properties
// dialog. Only failures the registry itself reports (a refused read) raise an
// error. The one value without a default is the changer's "Time": its reader
// cannot go on without it, so absent or spoiled it is the store's error.
//
// A few values have two defaults: the properties dialog shows one choice
// when nothing is stored, while the code that acts on the value takes
// another ("IconsLeft", "Down", "Up", "Days"). Each option carries a default
// per reader, and every read says which reader it is.
#include "app/HotKey.h"
#include "app/RegistryNames.h"
#include "platform/Registry.h"

#include <cstdint>
#include <string>

namespace settings {

// How a value is stored and read.
enum class TKind {
    Boolean,  // REG_SZ "0" or "1"; read as an integer, non-zero is true
    Integer,  // REG_SZ decimal text; "0x" before digits marks hexadecimal
    String,   // REG_SZ
    Binary,   // REG_BINARY of a fixed size (here: a 16-bit word in 2 bytes)
    DateTime, // REG_BINARY, the 8 bytes of a day count since 1899-12-30
    DWord,    // REG_DWORD, non-zero is true
};

enum class TReader {
    Engine, // the engine, the changer, the main form and the icon arrangements
    Dialog, // the properties dialog, filling its controls
};

struct TOption {
    reg::Root Root;
    const char* Section; // below the program key; empty: the program key itself
    const char* Name;
    TKind Kind;
};

struct TBoolOption : TOption {
    constexpr TBoolOption(reg::Root root, const char* section, const char* name, bool engineDefault,
                          bool dialogDefault)
        : TOption{root, section, name, TKind::Boolean}, EngineDefault(engineDefault), DialogDefault(dialogDefault) {}
    constexpr TBoolOption(reg::Root root, const char* section, const char* name, bool def)
        : TBoolOption(root, section, name, def, def) {}
    constexpr bool Default(TReader reader) const { return reader == TReader::Dialog ? DialogDefault : EngineDefault; }
    bool EngineDefault, DialogDefault;
};

struct TIntegerOption : TOption {
    constexpr TIntegerOption(reg::Root root, const char* section, const char* name, int32_t def)
        : TOption{root, section, name, TKind::Integer}, Default(def) {}
    int32_t Default;
};

struct TStringOption : TOption {
    constexpr TStringOption(reg::Root root, const char* section, const char* name, const char* def)
        : TOption{root, section, name, TKind::String}, Default(def) {}
    const char* Default;
};

// A 16-bit number stored little-endian as exactly 2 bytes of binary data.
struct TWordOption : TOption {
    constexpr TWordOption(reg::Root root, const char* section, const char* name, uint16_t def)
        : TOption{root, section, name, TKind::Binary}, Default(def) {}
    uint16_t Default;
};

struct TDateTimeOption : TOption {
    constexpr TDateTimeOption(reg::Root root, const char* section, const char* name)
        : TOption{root, section, name, TKind::DateTime} {}
};

struct TDWordOption : TOption {
    constexpr TDWordOption(reg::Root root, const char* section, const char* name, bool def)
        : TOption{root, section, name, TKind::DWord}, Default(def) {}
    bool Default;
};

constexpr reg::Root kUser = reg::Root::CurrentUser;
constexpr reg::Root kMachine = reg::Root::LocalMachine;

// ---- The table ----
// "Options"
inline constexpr TBoolOption kMultipleWindows{kUser, regnames::kOptions, regnames::kMultipleWindows, true};
inline constexpr TBoolOption kFullScreen{kUser, regnames::kOptions, regnames::kFullScreen, true};
inline constexpr TBoolOption kAdjustWallpaper{kUser, regnames::kOptions, regnames::kAdjustWallpaper, true};
inline constexpr TBoolOption kCorrectLogos{kUser, regnames::kOptions, regnames::kCorrectLogos, false};
inline constexpr TBoolOption kChangeLogos{kUser, regnames::kOptions, regnames::kChangeLogos, false};
inline constexpr TBoolOption kKeepAlive{kUser, regnames::kOptions, regnames::kKeepAlive, false};
// The capacity and order of a list that has none of its own.
inline constexpr TIntegerOption kMRUCapacity{kUser, regnames::kOptions, regnames::kMRUCapacity, 20};
inline constexpr TBoolOption kSortMostRecent{kUser, regnames::kOptions, regnames::kSortMostRecent, false};
inline constexpr TBoolOption kNoIconsWarning{kUser, regnames::kOptions, regnames::kNoIconsWarning, false};
// "Options\Desktop": the automatic arrangement and which one it is. The
// dialog shows Left when nothing is stored; the arranging code then has no
// choice and arranges nothing.
inline constexpr TBoolOption kRestoreIcons{kUser, regnames::kOptionsDesktop, regnames::kRestoreIcons, false};
inline constexpr TBoolOption kIconsLeft{kUser, regnames::kOptionsDesktop, regnames::kIconsLeft, false, true};
inline constexpr TBoolOption kIconsRight{kUser, regnames::kOptionsDesktop, regnames::kIconsRight, false};
inline constexpr TBoolOption kIconsTop{kUser, regnames::kOptionsDesktop, regnames::kIconsTop, false};
inline constexpr TBoolOption kIconsBottom{kUser, regnames::kOptionsDesktop, regnames::kIconsBottom, false};
inline constexpr TBoolOption kIconsSpiral{kUser, regnames::kOptionsDesktop, regnames::kIconsSpiral, false};
inline constexpr TBoolOption kIconsCustom{kUser, regnames::kOptionsDesktop, regnames::kIconsCustom, false};
inline constexpr TBoolOption kIconsNo{kUser, regnames::kOptionsDesktop, regnames::kIconsNo, false};
// "Options\Changer". The changer tests "Random", then "Down", then "Up", and
// falls back on the first entry, so without values it walks at random
// and with "Random" off it walks down; the dialog shows only Random then.
inline constexpr TBoolOption kChangeOnStartup{kUser, regnames::kOptionsChanger, regnames::kChangeOnStartup, false};
inline constexpr TBoolOption kActive{kUser, regnames::kOptionsChanger, regnames::kActive, false};
inline constexpr TBoolOption kRandom{kUser, regnames::kOptionsChanger, regnames::kRandom, true};
inline constexpr TBoolOption kDown{kUser, regnames::kOptionsChanger, regnames::kDown, true, false};
inline constexpr TBoolOption kUp{kUser, regnames::kOptionsChanger, regnames::kUp, true, false};
inline constexpr TIntegerOption kInterval{kUser, regnames::kOptionsChanger, regnames::kInterval, 1};
// The unit of "Interval". The changer reads only "Hours" and "Minutes" and
// counts days when neither is set; the dialog shows days when nothing is stored.
inline constexpr TBoolOption kDays{kUser, regnames::kOptionsChanger, regnames::kDays, false, true};
inline constexpr TBoolOption kHours{kUser, regnames::kOptionsChanger, regnames::kHours, false};
inline constexpr TBoolOption kMinutes{kUser, regnames::kOptionsChanger, regnames::kMinutes, false};
// The start of the changer's current interval.
inline constexpr TDateTimeOption kTime{kUser, regnames::kOptionsChanger, regnames::kTime};
// "Options\Shortcuts"
inline constexpr TWordOption kStartShortcut{kUser, regnames::kOptionsShortcuts, regnames::kStartShortcut,
                                            kDefaultStartShortcut};
// "Lists": the current wallpaper list; empty stands for the alphabetically
// first list, which only the engine knows.
inline constexpr TStringOption kCurrentList{kUser, regnames::kLists, regnames::kCurrent, ""};
// The open-picture dialog's preview switch.
inline constexpr TDWordOption kPreview{kUser, regnames::kOpenDialog, regnames::kPreview, true};
// HKEY_LOCAL_MACHINE: the "View with Muralto" verb of the image types.
inline constexpr TBoolOption kOpenWith{kMachine, regnames::kOptions, regnames::kOpenWith, false};

// Every option above, for code that walks them all.
inline constexpr const TOption* kAllOptions[] = {
    &kMultipleWindows, &kFullScreen, &kAdjustWallpaper, &kCorrectLogos, &kChangeLogos, &kKeepAlive,
    &kMRUCapacity, &kSortMostRecent, &kNoIconsWarning,
    &kRestoreIcons, &kIconsLeft, &kIconsRight, &kIconsTop, &kIconsBottom, &kIconsSpiral, &kIconsCustom, &kIconsNo,
    &kChangeOnStartup, &kActive, &kRandom, &kDown, &kUp, &kInterval, &kDays, &kHours, &kMinutes, &kTime,
    &kStartShortcut, &kCurrentList, &kPreview, &kOpenWith,
};

// Reads and writes the options below one program key (tests pass a scratch
// key). Nothing is cached: every call opens its key and closes it again.
class TSettings {
public:
    explicit TSettings(reg::IRegistry& registry, std::string programKey = regnames::kProgramKey);

    bool Read(const TBoolOption& option, TReader reader = TReader::Engine) const;
    int32_t Read(const TIntegerOption& option) const;
    std::string Read(const TStringOption& option) const;
    uint16_t Read(const TWordOption& option) const;
    bool Read(const TDWordOption& option) const;
    // "Failed to get data" when absent, "Invalid data type" when not 8 bytes
    // of binary data or when they hold no finite number.
    double Read(const TDateTimeOption& option) const;

    // Writes create the section when it is missing.
    void Write(const TBoolOption& option, bool value) const;
    void Write(const TIntegerOption& option, int32_t value) const;
    void Write(const TStringOption& option, const std::string& value) const;
    void Write(const TWordOption& option, uint16_t value) const;
    void Write(const TDWordOption& option, bool value) const;
    void Write(const TDateTimeOption& option, double moment) const;

    // The full path of the option's key below its root.
    std::string KeyOf(const TOption& option) const;

private:
    reg::IRegistry& registry_;
    std::string programKey_;
};

} // namespace settings
