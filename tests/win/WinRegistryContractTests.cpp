#include "platform/host/HostRegistry.h"
#include "platform/win32/WinRegistry.h"
#include "unit/RegistryContract.h"

// The same contract against the real registry (under Wine in the test run).
INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryUnderTest{"Registry",
                                                             [] { return std::make_unique<reg::WinRegistry>(); }}),
                         RegistryUnderTestName);
