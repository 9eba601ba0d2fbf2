#include "classRegistration.h"

#include <oleauto.h>

#include "common/comPtr.h"
#include "moduleState.h"
#include "registryKeys.h"
#include "sampleProvider_h.h"

namespace {

const wchar_t kDescription[] = L"zedb_com sample data provider";

std::wstring ClassKey() { return L"CLSID\\" + GuidText(__uuidof(SampleProvider)); }

LSTATUS WriteClassKeys() {
    const std::wstring classKey = ClassKey();
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {classKey, {nullptr, kDescription}},
        {classKey + L"\\InprocServer32", {nullptr, ModulePath()}},
        {classKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {classKey + L"\\ProgID", {nullptr, kSampleProgId}},
        {classKey + L"\\TypeLib", {nullptr, GuidText(LIBID_ZedbSampleProvider)}},
        {kSampleProgId, {nullptr, kDescription}},
        {std::wstring(kSampleProgId) + L"\\CLSID", {nullptr, GuidText(__uuidof(SampleProvider))}},
    };
    for (const auto& [key, value] : values)
        if (LSTATUS status = SetClassesValue(key, value.first, value.second)) return status;
    return ERROR_SUCCESS;
}

}  // namespace

HRESULT RegisterSampleProvider() {
    if (LSTATUS status = WriteClassKeys()) {
        UnregisterSampleProvider();
        return HRESULT_FROM_WIN32(status);
    }
    ComPtr<ITypeLib> library;
    const HRESULT result = LoadTypeLibEx(ModulePath().c_str(), REGKIND_REGISTER, library.ReleaseAndGetAddressOf());
    if (FAILED(result)) UnregisterSampleProvider();
    return result;
}

HRESULT UnregisterSampleProvider() {
    // A library that is not registered is already gone.
    const HRESULT library = UnRegisterTypeLib(LIBID_ZedbSampleProvider, 1, 0, LANG_NEUTRAL, SYS_WIN64);
    LSTATUS status = DeleteClassesTree(ClassKey());
    if (!status) status = DeleteClassesTree(kSampleProgId);
    if (status) return HRESULT_FROM_WIN32(status);
    return library == TYPE_E_REGISTRYACCESS || library == TYPE_E_LIBNOTREGISTERED ? S_OK : library;
}
