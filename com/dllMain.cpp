#include <windows.h>

#include "com/driverState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) OnProcessAttach(instance);
    return TRUE;
}
