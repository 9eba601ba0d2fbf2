#include <windows.h>

#include <gtest/gtest.h>

#include "com/driverState.h"

// The string table is linked into this executable, so the driver's module is the process itself.
int main(int argc, char** argv) {
    OnProcessAttach(GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
