// The machine keys chosen at start-up and the per-user registry a standard
// user's run goes through: the engine's machine values, the uninstall entry
// and the classes land where that user may write, and what the machine
// registered still shows through.
#include "app/Extra.h"
#include "app/MachineKeys.h"
#include "platform/Errors.h"
#include "platform/host/HostRegistry.h"

#include <gtest/gtest.h>

using reg::Root;

namespace {

std::string Default(reg::IKey& key) {
    reg::Value v;
    return key.QueryValue("", v) ? reg::StringOf(v) : "<absent>";
}

class MachineKeys : public ::testing::Test {
protected:
    reg::HostRegistry registry;
    void MachineClass(const std::string& name, const std::string& type) {
        registry.Create(Root::LocalMachine, "SOFTWARE\\Classes\\" + name)->SetValue("", reg::StringValue(type));
    }
    bool UserClassExists(const std::string& name) {
        return registry.Open(Root::CurrentUser, "Software\\Classes\\" + name, false) != nullptr;
    }
};

} // namespace

TEST_F(MachineKeys, TheFirstStartIsNotedBeforeTheProbeCreatesTheKey) {
    const TMachineKeys first = ChooseMachineKeys(registry);
    EXPECT_TRUE(first.FirstRun);
    EXPECT_FALSE(first.PerUser);
    const TMachineKeys second = ChooseMachineKeys(registry);
    EXPECT_FALSE(second.FirstRun);
    EXPECT_FALSE(second.PerUser);

    // A standard user: the machine refuses and nothing is created there;
    // the user's counterpart makes the next start no first run.
    reg::HostRegistry locked;
    locked.SetReadOnly(Root::LocalMachine, "");
    const TMachineKeys user = ChooseMachineKeys(locked);
    EXPECT_TRUE(user.FirstRun);
    EXPECT_TRUE(user.PerUser);
    EXPECT_EQ(locked.Open(Root::LocalMachine, regnames::kProgramKey, false), nullptr);
    const TMachineKeys again = ChooseMachineKeys(locked);
    EXPECT_FALSE(again.FirstRun);
    EXPECT_TRUE(again.PerUser);
}

TEST_F(MachineKeys, ThePerUserRunKeepsTheMachinesValuesBelowTheUsersProgramKey) {
    registry.SetReadOnly(Root::LocalMachine, "");
    TPerUserRegistry perUser(registry);
    // The settings object on the machine's program key, as the engine uses it.
    TRegIniFiles machine(perUser, regnames::kProgramKey, Root::LocalMachine);
    machine.WriteString("Options\\Changer", "Wallpaper", "C:\\Users\\me\\Muralto.bmp");
    auto moved = registry.Open(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Machine\\Options\\Changer", false);
    ASSERT_NE(moved, nullptr);
    reg::Value v;
    ASSERT_TRUE(moved->QueryValue("Wallpaper", v));
    EXPECT_EQ(reg::StringOf(v), "C:\\Users\\me\\Muralto.bmp");
    EXPECT_EQ(machine.ReadString("Options\\Changer", "Wallpaper", ""), "C:\\Users\\me\\Muralto.bmp");

    // The uninstall entry goes to the user's own list; other machine keys
    // are left as the system has them (the old Run value is still refused).
    ASSERT_NE(perUser.Create(Root::LocalMachine, regnames::kUninstallKey), nullptr);
    EXPECT_NE(registry.Open(Root::CurrentUser, regnames::kUninstallKey, false), nullptr);
    EXPECT_EQ(perUser.Create(Root::LocalMachine, regnames::kRunKey), nullptr);
    // The user's own settings are where they always were.
    EXPECT_EQ(perUser.Redirect(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Lists").Path,
              "SOFTWARE\\Orrindel\\Muralto\\Lists");
}

TEST_F(MachineKeys, ClassesAreWrittenForTheUserAndTheMachinesShowThrough) {
    MachineClass(".jpg", "jpegfile");
    registry.SetReadOnly(Root::LocalMachine, "SOFTWARE\\Classes");
    TPerUserRegistry perUser(registry);

    // Opened "creating it", a class the machine has reads the machine's
    // type and makes no key of the user's until something is written.
    auto jpg = perUser.Create(Root::ClassesRoot, ".jpg");
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(Default(*jpg), "jpegfile");
    EXPECT_FALSE(UserClassExists(".jpg"));
    jpg->SetValue("", reg::StringValue("Muralto"));
    EXPECT_TRUE(UserClassExists(".jpg"));
    EXPECT_EQ(Default(*perUser.Open(Root::ClassesRoot, ".jpg", false)), "Muralto");
    // The system's view shows the user's choice too, as Windows merges it.
    EXPECT_EQ(Default(*registry.Open(Root::ClassesRoot, ".jpg", false)), "Muralto");
    // Deleting the user's value lets the machine's type show again.
    EXPECT_TRUE(perUser.Create(Root::ClassesRoot, ".jpg")->DeleteValue(""));
    EXPECT_EQ(Default(*perUser.Open(Root::ClassesRoot, ".jpg", false)), "jpegfile");

    // New classes and their deletion are the user's alone.
    perUser.Create(Root::ClassesRoot, "Muralto\\Shell\\Open\\Command")->SetValue("", reg::StringValue("x"));
    EXPECT_TRUE(UserClassExists("Muralto\\Shell\\Open\\Command"));
    EXPECT_TRUE(perUser.DeleteTree(Root::ClassesRoot, "Muralto"));
    EXPECT_FALSE(UserClassExists("Muralto"));
    EXPECT_EQ(perUser.Open(Root::ClassesRoot, "Muralto", false), nullptr);
    // The machine's own classes are never written.
    EXPECT_EQ(Default(*registry.Open(Root::LocalMachine, "SOFTWARE\\Classes\\.jpg", false)), "jpegfile");
}
