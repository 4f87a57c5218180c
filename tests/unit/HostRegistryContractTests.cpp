#include "platform/host/HostRegistry.h"
#include "unit/RegistryContract.h"

INSTANTIATE_TEST_SUITE_P(Host, RegistryContract,
                         ::testing::Values(RegistryUnderTest{
                             "InMemory", [] { return std::make_unique<reg::HostRegistry>(); },
                             [](reg::IRegistry& r, reg::Root root, const std::string& path) {
                                 static_cast<reg::HostRegistry&>(r).SetReadOnly(root, path);
                             }}),
                         RegistryUnderTestName);
