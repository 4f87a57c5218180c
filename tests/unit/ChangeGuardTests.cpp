// One wallpaper change at a time: a change that a message box's modal loop
// lets in while another runs does nothing, and a display change is kept
// until the running change ends. And what a check leaves for the change
// timer, and the changer's random seed.
#include "app/ChangeGuard.h"
#include "app/Extra.h"
#include "app/Settings.h"
#include "engine/BmpFile.h"
#include "engine/ListStore.h"
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "unit/ImageTestSupport.h"

#include <cmath>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

// Prompts whose first message runs a piece of code, as a message box's modal
// loop runs the timer ticks and broadcasts that arrive meanwhile.
class TModalLoopPrompts : public ScriptedPrompts {
public:
    std::function<void()> WhileShown;
    void Message(const std::string& text, TMessageKind kind) override {
        ScriptedPrompts::Message(text, kind);
        if (auto run = std::exchange(WhileShown, nullptr)) run();
    }
};

} // namespace

TEST(ChangeGuard, AChangeThatFindsAnotherRunningDoesNothing) {
    TChangeGuard guard;
    int outer = 0, inner = 0;
    bool innerRan = true;
    EXPECT_TRUE(guard.TryRun([&] {
        ++outer;
        EXPECT_TRUE(guard.Busy());
        innerRan = guard.TryRun([&] { ++inner; });
    }));
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(innerRan);
    EXPECT_FALSE(guard.Busy());
    EXPECT_TRUE(guard.TryRun([&] { ++inner; })); // the next change runs again
    EXPECT_EQ(inner, 1);
}

TEST(ChangeGuard, ADeferredActionRunsOnceRightAfterTheChangeAndMayChangeItself) {
    TChangeGuard guard;
    std::vector<std::string> order;
    guard.RunOrDefer([&] { order.push_back("idle: at once"); });
    guard.TryRun([&] {
        guard.RunOrDefer([&] {
            order.push_back("first display change");
            // Its own change takes the guard, which is free again.
            EXPECT_TRUE(guard.TryRun([&] { order.push_back("its change"); }));
        });
        guard.RunOrDefer([&] { order.push_back("second display change"); });
        order.push_back("change ends");
    });
    EXPECT_EQ(order, (std::vector<std::string>{"idle: at once", "change ends", "first display change", "its change",
                                               "second display change"}));
    guard.TryRun([] {});
    EXPECT_EQ(order.size(), 5u); // nothing is left over for a later change
}

TEST(ChangeGuard, ADeferredActionRunsAlsoWhenTheChangeFailsAndOnlyTheFirstFailureReachesTheCaller) {
    TChangeGuard guard;
    std::vector<std::string> reported;
    guard.SetErrorReport([&](const std::exception& e) { reported.push_back(e.what()); });
    int displayRuns = 0;
    const auto failure = [&](bool changeFails, bool displayFails) -> std::string {
        try {
            guard.TryRun([&] {
                guard.RunOrDefer([&] {
                    ++displayRuns;
                    if (displayFails) throw std::runtime_error("display");
                });
                if (changeFails) throw std::runtime_error("Error opening");
            });
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(failure(true, false), "Error opening");
    EXPECT_EQ(displayRuns, 1);
    EXPECT_EQ(failure(false, true), "display");
    EXPECT_TRUE(reported.empty());
    // Both fail: the change's failure goes to the caller, the other to the report.
    EXPECT_EQ(failure(true, true), "Error opening");
    EXPECT_EQ(reported, std::vector<std::string>{"display"});
    EXPECT_EQ(displayRuns, 3);
    EXPECT_FALSE(guard.Busy());
}

namespace {

// The main form's engine with the changer due, over prompts that run code
// while a box is shown, and the program's guard.
class GuardedChanger : public ::testing::Test {
protected:
    TImagePlatform fx;
    TModalLoopPrompts prompts;
    TChangeGuard guard;
    std::unique_ptr<TPlatform> platform;
    std::unique_ptr<TWallpaper> engine;
    std::vector<std::string> paths;

    void SetUp() override {
        std::string windows = fx.ScratchPath("");
        windows.pop_back();
        fx.Folders.windowsDirectory = windows;
        fx.Clock.Set(EncodeDateTime({2026, 12, 8, 10, 0, 0, 0}));
        platform = std::make_unique<TPlatform>(TPlatform{fx.Registry, *fx.Files, fx.Folders, fx.Screen, fx.Clock, prompts});
        platform->Changes = &guard;
        engine = std::make_unique<TWallpaper>(*platform, TOwnerKind::MainForm);
        engine->SeedRandom(7);
        engine->LoadSettings();
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            TBitmap picture(40, 30, TPixelFormat::pf24bit);
            picture.Fill(MakeRGB(10, 20, 30));
            fx.WriteScratch(name, WriteBmp(picture));
            paths.push_back(fx.ScratchPath(name));
            engine->OpenImage(paths.back());
            engine->ApplyWallpaper(); // c, b, a in the list, "Time" now
        }
        const settings::TSettings store(fx.Registry);
        store.Write(settings::kActive, true);
        fx.Clock.Set(fx.Clock.Now() + 2); // two days later: a change is due
    }
    // The entry the changer applied last.
    std::string Current() {
        return TSettingsReader(fx.Registry, engine->ListKey).ReadString(regnames::kListOptionsChanger, regnames::kWallpaper, "");
    }
};

} // namespace

TEST_F(GuardedChanger, ATickDuringTheVanishedEntrysMessageRunsNoSecondChange) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) fx.RemoveScratch(name);
    bool nestedCalled = false;
    prompts.WhileShown = [&] {
        nestedCalled = true;
        engine->CheckSchedule(); // the change timer's tick, with NextChange still due
        engine->NextWallpaper();
    };
    engine->CheckSchedule();
    EXPECT_TRUE(nestedCalled);
    // One change ran: one entry left the list, with one message.
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(engine->Items.Count(), 2);
    EXPECT_EQ(engine->Hint, "Next Wallpaper on 2026-12-11 10:00:00");
    EXPECT_FALSE(guard.Busy());
}

TEST_F(GuardedChanger, ADisplayChangeDuringAChangeRunsOnceWhenItHasEnded) {
    fx.RemoveScratch("a.bmp");
    settings::TSettings(fx.Registry).Write(settings::kRandom, false); // down from c, b: a is next
    TRegIniFiles(fx.Registry, engine->ListKey).WriteString(regnames::kListOptionsChanger, regnames::kWallpaper, paths[1]);
    int displayRuns = 0;
    std::string hintWhenRun;
    bool itsChangeRan = false;
    prompts.WhileShown = [&] {
        guard.RunOrDefer([&] {
            ++displayRuns;
            hintWhenRun = engine->Hint;
            itsChangeRan = guard.TryRun([] {});
        });
        EXPECT_EQ(displayRuns, 0);
    };
    engine->CheckSchedule();
    EXPECT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(displayRuns, 1);
    // It ran after the change had set the hint, with the guard free.
    EXPECT_EQ(hintWhenRun, "Next Wallpaper on 2026-12-11 10:00:00");
    EXPECT_TRUE(itsChangeRan);
}

TEST_F(GuardedChanger, WithRandomOffAndNothingElseStoredTheChangerWalksDown) {
    // The changer's own defaults for "Down" and "Up" (the dialog's differ).
    settings::TSettings(fx.Registry).Write(settings::kRandom, false);
    TRegIniFiles(fx.Registry, engine->ListKey).WriteString(regnames::kListOptionsChanger, regnames::kWallpaper, paths[2]);
    engine->NextWallpaper(); // from c, the first entry
    EXPECT_EQ(Current(), paths[1]);
}

TEST_F(GuardedChanger, AFailedOrInactiveCheckLeavesNoChangeDueForTheTimer) {
    engine->CheckSchedule();
    EXPECT_GT(engine->NextChange, 1.0);
    // A "Time" holding no moment: reported once, and the timer stays idle.
    settings::TSettings(fx.Registry).Write(settings::kTime, std::nan(""));
    EXPECT_THROW(engine->CheckSchedule(), ERegistryException);
    EXPECT_EQ(engine->NextChange, 0);
    settings::TSettings(fx.Registry).Write(settings::kTime, fx.Clock.Now());
    engine->CheckSchedule();
    EXPECT_GT(engine->NextChange, 1.0);
    settings::TSettings(fx.Registry).Write(settings::kActive, false);
    engine->CheckSchedule();
    EXPECT_EQ(engine->NextChange, 0);
}

TEST(RandomSeed, TodaysMomentsAreReducedToTheirMillisecondsModulo2To32) {
    // Noon: the day count is exact, and so is its count of milliseconds.
    const double noon = EncodeDateTime({2026, 12, 8, 12, 0, 0, 0});
    const int64_t milliseconds = static_cast<int64_t>(std::floor(noon)) * 86400000 + 43200000;
    ASSERT_GT(milliseconds, int64_t(1) << 32); // far beyond 32 bits
    EXPECT_EQ(RandomSeed(noon), static_cast<uint32_t>(milliseconds % (int64_t(1) << 32)));
    // A day later, and 2 ms later, the seed differs.
    EXPECT_NE(RandomSeed(noon), RandomSeed(noon + 1));
    EXPECT_NE(RandomSeed(noon), RandomSeed(noon + 2.0 / 86400000.0));
    // Before 1899-12-30, and moments that are no moments at all.
    EXPECT_EQ(RandomSeed(-0.5), 0xFFFFFFFFu - 43200000u + 1u);
    EXPECT_EQ(RandomSeed(std::nan("")), 0u);
    EXPECT_EQ(RandomSeed(HUGE_VAL), 0u);
    EXPECT_EQ(RandomSeed(-HUGE_VAL), 0u);
    (void)RandomSeed(1e300); // converted without overflow (the sanitizer watches)
}
