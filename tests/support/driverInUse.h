#pragma once
// Keeps the driver (linked statically into a test executable) in use for a scope, so that its
// string table and logging are set up as the first DbInitialize would set them up.

#include "com/driverState.h"

class DriverInUse {
public:
    explicit DriverInUse(const wchar_t* languageName = L"") { InitializeDriver(languageName); }
    ~DriverInUse() { TerminateDriver(); }
    DriverInUse(const DriverInUse&) = delete;
    DriverInUse& operator=(const DriverInUse&) = delete;
};
