#include "platform/win32/WinRegistry.h"
#include "unit/ListsOnRegistry.h"

// The list and placement storage against the real registry (under Wine in the test run).
INSTANTIATE_TEST_SUITE_P(Win32, ListsOnRegistry,
                         ::testing::Values(RegistryUnderTest{"Registry",
                                                             [] { return std::make_unique<reg::WinRegistry>(); }, {}}),
                         RegistryUnderTestName);
