// The in-process server's entry points, as COM and regsvr32 call them.

#include <windows.h>

#include "classFactory.h"
#include "classRegistration.h"
#include "moduleState.h"
#include "recordClass.h"
#include "recordRegistration.h"
#include "sampleProvider.h"

namespace {
ClassFactory g_providerFactory(SampleProvider::Create);
ClassFactory g_recordFactory(CreateSampleRecord);
}  // namespace

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
    if (clsid == __uuidof(SampleProvider)) return g_providerFactory.QueryInterface(iid, object);
    if (clsid == kSampleRecordClsid) return g_recordFactory.QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    HRESULT result = RegisterSampleProvider();
    if (SUCCEEDED(result)) result = RegisterSampleRecord();
    if (FAILED(result)) UnregisterSampleProvider();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const HRESULT provider = UnregisterSampleProvider();
    const HRESULT record = UnregisterSampleRecord();
    return FAILED(provider) ? provider : record;
}
