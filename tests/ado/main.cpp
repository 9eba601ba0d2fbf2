#include <windows.h>

#include <gtest/gtest.h>

#include "com/driverState.h"

// The engine calls the driver on threads whose apartment it has set up; so do these tests.
int main(int argc, char** argv) {
    OnProcessAttach(GetModuleHandleW(nullptr));
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
