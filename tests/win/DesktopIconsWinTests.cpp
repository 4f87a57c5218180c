// The desktop icons across processes: a helper process plays the shell's
// desktop list view, the real list-view access reads, saves, arranges and
// restores its icons, and the real program arranges them at start-up.
#include "FakeDesktop.h"

#include "app/RegistryNames.h"
#include "app/Unit2.h"
#include "desktop/DesktopIcons.h"
#include "desktop/IconLayouts.h"
#include "desktop/win/DesktopListView.h"
#include "platform/host/HostDesktopMetrics.h"
#include "platform/win32/WinDesktopMetrics.h"
#include "platform/win32/WinRegistry.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "win/TestProcess.h"

#include <cstring>

namespace {

// The helper playing the desktop, ready once every icon is in place.
class TFakeDesktopProcess : public TChildProcess {
public:
    explicit TFakeDesktopProcess(const wchar_t* mode)
        : TChildProcess(L"\"" + BesideThisProgram(L"fake_desktop.exe") + L"\" " + mode) {}

    bool WaitReady() {
        return PumpUntil(
            [&] {
                view_ = FindDesktopListViewWindow();
                return view_ && ListView_GetItemCount(view_) == kFakeDesktopCount &&
                       Position(kFakeDesktopCount - 1) == Initial(kFakeDesktopCount - 1);
            },
            20000);
    }
    HWND View() const { return view_; }
    // The item's position as the helper's own list view reports it.
    TIconData Position(int index) const {
        const auto packed = static_cast<uint32_t>(
            SendMessageW(GetAncestor(view_, GA_ROOT), kReportPosition, static_cast<WPARAM>(index), 0));
        return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>(packed >> 16)};
    }
    static TIconData Initial(int index) { return {kFirstX + 10 * index, kFirstY + 5 * index}; }
    void Close() { PostMessageW(GetAncestor(view_, GA_ROOT), WM_CLOSE, 0, 0); }

private:
    HWND view_ = nullptr;
};

const std::string kTestIconsKey = "SOFTWARE\\Orrindel\\Muralto Tests\\Icons";
const TDesktopMetrics kExampleScreen{808, 580, 4, 4, 75, 75, 32};

class DesktopAcrossProcesses : public ::testing::Test {
protected:
    reg::WinRegistry registry;
    TWinDesktop desktop;
    HostDesktopMetrics metrics{kExampleScreen};
    TDesktopIcons icons{registry, desktop, &metrics};

    void SetUp() override {
        ASSERT_EQ(FindDesktopListViewWindow(), nullptr) << "a desktop list view is already there";
        registry.DeleteTree(reg::Root::CurrentUser, kTestIconsKey);
        icons.RegistryKey = kTestIconsKey;
    }
    void TearDown() override { registry.DeleteTree(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto Tests"); }
};

} // namespace

TEST_F(DesktopAcrossProcesses, WithoutADesktopEveryOperationReturnsFalse) {
    EXPECT_FALSE(icons.ReadIcons());
    EXPECT_FALSE(icons.PlaceIcons());
    EXPECT_FALSE(icons.ArrangeIcons(TArrangeKind::Left));
    EXPECT_FALSE(registry.Open(reg::Root::CurrentUser, kTestIconsKey, false));
}

TEST_F(DesktopAcrossProcesses, ReadsSavesArrangesAndRestoresTheIconsOfAnotherProcess) {
    TFakeDesktopProcess helper(L"progman");
    ASSERT_TRUE(helper.Started());
    ASSERT_TRUE(helper.WaitReady());
    DWORD owner = 0;
    GetWindowThreadProcessId(helper.View(), &owner);
    EXPECT_EQ(owner, helper.Id());

    ASSERT_TRUE(icons.ReadIcons());
    ASSERT_EQ(icons.IconList.size(), size_t(kFakeDesktopCount));
    for (int i = 0; i < kFakeDesktopCount; ++i) {
        EXPECT_EQ(icons.IconList[i].Label, win::Utf8(kFakeDesktopLabels[i]));
        EXPECT_EQ(icons.IconList[i].Data, TFakeDesktopProcess::Initial(i)) << i;
    }
    auto key = registry.Open(reg::Root::CurrentUser, kTestIconsKey, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ValueNames().size(), size_t(kFakeDesktopCount));
    reg::Value saved;
    ASSERT_TRUE(key->QueryValue(win::Utf8(kFakeDesktopLabels[6]), saved));
    EXPECT_EQ(saved.Type, reg::kBinary);
    EXPECT_EQ(saved.Data, (std::vector<uint8_t>{0xCC, 1, 0, 0, 0x4A, 1, 0, 0})); // (460, 330)

    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Left));
    const TIconGrid grid(kExampleScreen);
    for (int i = 0; i < kFakeDesktopCount; ++i) EXPECT_EQ(helper.Position(i), grid.Cell(i / 7, i % 7)) << i;

    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Hide));
    EXPECT_EQ(helper.Position(3), (TIconData{-1000, -1000}));

    ASSERT_TRUE(icons.PlaceIcons());
    for (int i = 0; i < kFakeDesktopCount; ++i) EXPECT_EQ(helper.Position(i), TFakeDesktopProcess::Initial(i)) << i;
    helper.Close();
    EXPECT_TRUE(helper.Ended(10000));
}

TEST_F(DesktopAcrossProcesses, TheListViewAnswersLabelsPositionsAndSearches) {
    TFakeDesktopProcess helper(L"progman");
    ASSERT_TRUE(helper.WaitReady());
    TWinDesktopListView view(helper.View());
    EXPECT_EQ(view.ItemCount(), kFakeDesktopCount);
    EXPECT_EQ(view.FindItem("recycle BIN"), 1); // without regard to case
    EXPECT_EQ(view.FindItem(win::Utf8(kFakeDesktopLabels[5])), 5);
    EXPECT_EQ(view.FindItem("Recycle"), -1); // whole labels only
    EXPECT_EQ(view.ItemText(7), "Readme.txt");
    // An item that is not there gives no label and no position, not the
    // ones read before.
    EXPECT_EQ(view.ItemText(kFakeDesktopCount), "");
    TIconData p{1, 2};
    EXPECT_FALSE(view.ItemPosition(kFakeDesktopCount, p));
    EXPECT_EQ(p, (TIconData{1, 2}));
}

TEST_F(DesktopAcrossProcesses, FindsTheViewUnderAWorkerWindow) {
    TFakeDesktopProcess helper(L"workerw");
    ASSERT_TRUE(helper.WaitReady());
    wchar_t root[32] = L"";
    GetClassNameW(GetAncestor(helper.View(), GA_ROOT), root, 32);
    EXPECT_STREQ(root, kWorkerClass);
    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Spiral));
    const TIconGrid grid(kExampleScreen);
    EXPECT_EQ(helper.Position(9), grid.Cell(9, 0));
    EXPECT_EQ(helper.Position(11), grid.Cell(9, 2));
}

TEST(ListViewLayoutNative, MatchesTheCompilersOwnStructures) {
    const TProcessBitness native = sizeof(void*) == 8 ? TProcessBitness::Bits64 : TProcessBitness::Bits32;
    wchar_t text[kListViewTextMax];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kListViewTextMax;
    const auto itemBytes = EncodeTextItem(native, reinterpret_cast<uintptr_t>(text), kListViewTextMax);
    ASSERT_EQ(itemBytes.size(), offsetof(LVITEMW, lParam) + sizeof item.lParam);
    EXPECT_EQ(std::memcmp(itemBytes.data(), &item, itemBytes.size()), 0);

    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_WRAP;
    find.psz = text;
    const auto findBytes = EncodeFindInfo(native, kFindLabelFlags, reinterpret_cast<uintptr_t>(text));
    ASSERT_EQ(findBytes.size(), sizeof find);
    EXPECT_EQ(std::memcmp(findBytes.data(), &find, sizeof find), 0);
}

// The real program, started with an arrangement stored and "RestoreIcons"
// on, arranges the helper's icons by itself shortly after start-up.
TEST(Program, ArrangesTheDesktopIconsAtStartUpWhenAsked) {
    // The stored choice goes into the real registry and out again in any case.
    struct TStoredChoice {
        reg::WinRegistry registry;
        const std::string key = reg::JoinPath(regnames::kProgramKey, regnames::kOptionsDesktop);
        const bool existed = registry.Open(reg::Root::CurrentUser, key, false) != nullptr;
        TStoredChoice() {
            // Not the program's first run in this prefix (see ForgetSettings).
            registry.Create(reg::Root::LocalMachine, regnames::kProgramKey);
            auto options = registry.Create(reg::Root::CurrentUser, key);
            options->SetValue(regnames::kRestoreIcons, reg::StringValue("1"));
            options->SetValue(regnames::kIconsRight, reg::StringValue("1"));
        }
        ~TStoredChoice() {
            if (!existed) {
                registry.DeleteTree(reg::Root::CurrentUser, key);
            } else if (auto options = registry.Open(reg::Root::CurrentUser, key, true)) {
                options->DeleteValue(regnames::kRestoreIcons);
                options->DeleteValue(regnames::kIconsRight);
            }
        }
    } stored;

    TFakeDesktopProcess helper(L"progman");
    ASSERT_TRUE(helper.WaitReady());
    TChildProcess program(L"\"" + BesideThisProgram(L"Muralto.exe") + L"\"");
    ASSERT_TRUE(program.Started());
    // The program lays the grid out from the system's metrics, as we do here.
    const TIconGrid grid(WinDesktopMetrics().Current());
    ASSERT_FALSE(grid.Empty());
    const bool arranged = PumpUntil(
        [&] {
            for (int i = 0; i < kFakeDesktopCount; ++i)
                if (helper.Position(i) != grid.Cell(grid.Cols() - 1 - i / grid.Rows(), i % grid.Rows())) return false;
            return true;
        },
        20000);
    EXPECT_TRUE(arranged);

    if (HWND window = FindWindowW(TMuraltoForm::kClassName, nullptr))
        PostMessageW(window, WM_COMMAND, TMuraltoForm::cmExit, 0);
    EXPECT_TRUE(program.Ended(20000));
    helper.Close();
    EXPECT_TRUE(helper.Ended(10000));
}
