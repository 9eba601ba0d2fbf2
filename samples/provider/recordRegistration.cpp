#include "recordRegistration.h"

#include <string>
#include <utility>

#include "moduleState.h"
#include "registryKeys.h"
#include "recordClass.h"

namespace {

const wchar_t kRecordProgId[] = L"ADODB.Record";
const wchar_t kDescription[] = L"zedb_com sample record (ADODB.Record where the platform has none)";

std::wstring ClassKey() { return L"CLSID\\" + GuidText(kSampleRecordClsid); }

// Empty when the ProgID is not registered.
std::wstring ProgIdClass() { return ReadClassesValue(std::wstring(kRecordProgId) + L"\\CLSID"); }

bool ProgIdIsOurs() { return ProgIdClass() == GuidText(kSampleRecordClsid); }

LSTATUS WriteClassKeys() {
    const std::wstring classKey = ClassKey();
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {classKey, {nullptr, kDescription}},
        {classKey + L"\\InprocServer32", {nullptr, ModulePath()}},
        {classKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {classKey + L"\\ProgID", {nullptr, kRecordProgId}},
        {kRecordProgId, {nullptr, kDescription}},
        {std::wstring(kRecordProgId) + L"\\CLSID", {nullptr, GuidText(kSampleRecordClsid)}},
    };
    for (const auto& [key, value] : values)
        if (LSTATUS status = SetClassesValue(key, value.first, value.second)) return status;
    return ERROR_SUCCESS;
}

}  // namespace

HRESULT RegisterSampleRecord() {
    if (!ProgIdClass().empty() && !ProgIdIsOurs()) return S_OK;
    if (LSTATUS status = WriteClassKeys()) {
        UnregisterSampleRecord();
        return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT UnregisterSampleRecord() {
    LSTATUS status = ERROR_SUCCESS;
    if (ProgIdIsOurs()) status = DeleteClassesTree(kRecordProgId);
    // The class key is the sample's own whatever the ProgID names.
    if (!status) status = DeleteClassesTree(ClassKey());
    return HRESULT_FROM_WIN32(status);
}
