#include "app/Settings.h"

#include "app/Extra.h"
#include "engine/ListStore.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <cmath>

namespace settings {

TSettings::TSettings(reg::IRegistry& registry, std::string programKey)
    : registry_(registry), programKey_(reg::JoinPath(programKey, "")) {}

std::string TSettings::KeyOf(const TOption& option) const {
    return reg::JoinPath(programKey_, option.Section);
}

// ---- Reads: the tolerant reader of the lists, one call each ----

bool TSettings::Read(const TBoolOption& option, TReader reader) const {
    return TSettingsReader(registry_, programKey_, option.Root).ReadBool(option.Section, option.Name,
                                                                         option.Default(reader));
}

int32_t TSettings::Read(const TIntegerOption& option) const {
    return TSettingsReader(registry_, programKey_, option.Root).ReadInteger(option.Section, option.Name, option.Default);
}

std::string TSettings::Read(const TStringOption& option) const {
    return TSettingsReader(registry_, programKey_, option.Root).ReadString(option.Section, option.Name, option.Default);
}

uint16_t TSettings::Read(const TWordOption& option) const {
    return TSettingsReader(registry_, programKey_, option.Root).ReadWord(option.Section, option.Name, option.Default);
}

bool TSettings::Read(const TDWordOption& option) const {
    TRegistry key(registry_, option.Root);
    if (!key.OpenKeyReadOnly(KeyOf(option))) return option.Default;
    return key.ReadDWordBool(option.Name, option.Default);
}

double TSettings::Read(const TDateTimeOption& option) const {
    TRegistry key(registry_, option.Root);
    if (!key.OpenKeyReadOnly(KeyOf(option)))
        throw ERegistryException(text::FormatOne("Failed to get data for '%s'", option.Name));
    // Eight bytes that hold no finite number are no moment either, and no
    // date format could show them.
    const double moment = key.ReadDateTime(option.Name);
    if (!std::isfinite(moment)) throw ERegistryException(text::FormatOne("Invalid data type for '%s'", option.Name));
    return moment;
}

// ---- Writes: text kinds through the ini helper, the others as raw values ----

void TSettings::Write(const TBoolOption& option, bool value) const {
    TRegIniFiles(registry_, programKey_, option.Root).WriteBool(option.Section, option.Name, value);
}

void TSettings::Write(const TIntegerOption& option, int32_t value) const {
    TRegIniFiles(registry_, programKey_, option.Root).WriteInteger(option.Section, option.Name, value);
}

void TSettings::Write(const TStringOption& option, const std::string& value) const {
    TRegIniFiles(registry_, programKey_, option.Root).WriteString(option.Section, option.Name, value);
}

void TSettings::Write(const TWordOption& option, uint16_t value) const {
    TRegistry key(registry_, option.Root);
    key.OpenKey(KeyOf(option), true);
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
    key.WriteBinary(option.Name, bytes, sizeof bytes);
}

void TSettings::Write(const TDWordOption& option, bool value) const {
    TRegistry key(registry_, option.Root);
    key.OpenKey(KeyOf(option), true);
    key.WriteDWordBool(option.Name, value);
}

void TSettings::Write(const TDateTimeOption& option, double moment) const {
    TRegistry key(registry_, option.Root);
    key.OpenKey(KeyOf(option), true);
    key.WriteDateTime(option.Name, moment);
}

} // namespace settings
