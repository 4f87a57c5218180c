#include "platform/host/HostRegistry.h"
#include "unit/ListsOnRegistry.h"

INSTANTIATE_TEST_SUITE_P(Host, ListsOnRegistry,
                         ::testing::Values(RegistryUnderTest{
                             "InMemory", [] { return std::make_unique<reg::HostRegistry>(); }, {}}),
                         RegistryUnderTestName);
