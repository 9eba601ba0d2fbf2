#pragma once
// Turns the driver's assertion reports on for a scope, through the test logging library, and
// reads them back.

#include <string>
#include <vector>

#include "support/loggerRegistry.h"
#include "support/registryValue.h"
#include "support/testLogger.h"

class ReportedAssertions {
public:
    ReportedAssertions();
    ~ReportedAssertions();
    ReportedAssertions(const ReportedAssertions&) = delete;
    ReportedAssertions& operator=(const ReportedAssertions&) = delete;

    // Reports since construction or the last Take, in order, as "source|condition" (the line
    // left out); forgets them.
    std::vector<std::wstring> Take();

private:
    LoggerRegistryValue registryValue_;
    TestLogger logger_;
};
