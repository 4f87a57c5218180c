#pragma once
// The behaviour every registry implementation must share. Instantiate the
// suite with a factory for the implementation under test.
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

struct RegistryUnderTest {
    std::string Name;
    std::function<std::unique_ptr<reg::IRegistry>()> Make;
    // Makes the key and everything below it refuse writes, as a standard
    // user's rights refuse them.
    std::function<void(reg::IRegistry&, reg::Root, const std::string&)> Refuse;
};

inline void PrintTo(const RegistryUnderTest& r, std::ostream* os) {
    *os << r.Name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryUnderTest> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<reg::IRegistry> registry;
    // A fresh key below HKEY_CURRENT_USER for each test.
    std::string base;
};

std::string RegistryUnderTestName(const ::testing::TestParamInfo<RegistryUnderTest>& info);
