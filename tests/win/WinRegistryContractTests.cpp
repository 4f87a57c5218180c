#include "platform/RegistryViews.h"
#include "platform/host/HostRegistry.h"
#include "platform/win32/WinRegistry.h"
#include "unit/RegistryContract.h"

namespace {

// The real registry behind the refusing wrapper: Wine never refuses a
// write, so the refusal a standard user meets on Windows is made here.
struct TWinRegistryHolder {
    reg::WinRegistry Win;
};
class TRefusingWinRegistry : private TWinRegistryHolder, public reg::TRefusingRegistry {
public:
    TRefusingWinRegistry() : reg::TRefusingRegistry(Win) {}
};

} // namespace

// The same contract against the real registry (under Wine in the test run).
INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryUnderTest{
                             "Registry", [] { return std::make_unique<TRefusingWinRegistry>(); },
                             [](reg::IRegistry& r, reg::Root root, const std::string& path) {
                                 static_cast<TRefusingWinRegistry&>(r).Refuse(root, path);
                             }}),
                         RegistryUnderTestName);
