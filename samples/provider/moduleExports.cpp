// The in-process server's entry points, as COM and regsvr32 call them.

#include <windows.h>

#include "classFactory.h"
#include "classRegistration.h"
#include "moduleState.h"
#include "sampleProvider_h.h"

namespace {
ClassFactory g_factory;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleHandle(module);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != __uuidof(SampleProvider)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return RegisterSampleProvider(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return UnregisterSampleProvider(); }
