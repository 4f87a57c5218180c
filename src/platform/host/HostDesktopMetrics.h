#pragma once
// Desktop metrics with settable values, for the host build and tests.
#include "platform/DesktopMetrics.h"

class HostDesktopMetrics : public IDesktopMetrics {
public:
    HostDesktopMetrics() = default;
    explicit HostDesktopMetrics(const TDesktopMetrics& values) : Values(values) {}
    TDesktopMetrics Current() override { return Values; }

    TDesktopMetrics Values;
};
