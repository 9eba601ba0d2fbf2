#include "providerCheck.h"

#include <cstdio>

#include "common/comPtr.h"

namespace {

// The class contexts that the driver creates its provider in: in-process, handler, local and remote.
constexpr DWORD kProviderContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

std::string Failed(const char* what, HRESULT result) {
    char text[128];
    std::snprintf(text, sizeof text, "%s 0x%08lX", what, static_cast<unsigned long>(result));
    return text;
}

TableOutcome CheckTable(const DriverSession& session, IDispatch* provider, const std::wstring& programId,
                        const FunctionCheck& function, bool call) {
    TableOutcome outcome;
    outcome.index = function.index;
    try {
        session.Parameters(function.name);
    } catch (const DriverFailure& failure) {
        outcome.parameterFailure = failure;
        return outcome;
    }
    outcome.usable = true;
    if (!call) return outcome;
    outcome.called = true;
    std::vector<FieldInfo> fields;
    try {
        fields = session.ListedFields(function.name);
    } catch (const DriverFailure& failure) {
        outcome.callFailure = failure;
        outcome.usable = false;
        return outcome;
    }
    outcome.columns = ReadRecordsetColumns(provider, programId, function);
    outcome.fields = FieldRows(outcome.columns.columns, fields);
    return outcome;
}

}  // namespace

ProviderCheck RunProviderCheck(DriverSession& session, const std::wstring& programId, bool call) {
    ProviderCheck check;
    check.programId = programId;
    check.called = call;
    check.providerClass = FindProviderClass(programId);
    if (!check.providerClass.found) {
        check.objectFailure = "the Program ID names no class: it is neither a registered ProgID nor a {CLSID}";
        return check;
    }
    // The console's own object: the driver's stays behind its exports.
    ComPtr<IDispatch> provider;
    HRESULT result = CoCreateInstance(check.providerClass.clsid, nullptr, kProviderContext, IID_IDispatch,
                                      reinterpret_cast<void**>(provider.ReleaseAndGetAddressOf()));
    if (FAILED(result)) {
        check.objectFailure = Failed("the object cannot be created for IDispatch: CoCreateInstance fails with", result);
        return check;
    }
    ComPtr<ITypeInfo> typeInfo;
    result = provider->GetTypeInfo(0, 0, typeInfo.ReleaseAndGetAddressOf());
    if (FAILED(result) || !typeInfo) {
        check.objectFailure = Failed("the object gives no type information: IDispatch::GetTypeInfo(0) fails with", result);
        return check;
    }
    check.typeInformation = CheckInterface(typeInfo.Get());

    // The engine's way in: logon, the table list, then each table's parameters and fields.
    try {
        session.LogOn(programId);
        session.Tables();
    } catch (const DriverFailure& failure) {
        check.logonFailure = failure;
        return check;
    }
    for (const FunctionCheck& function : check.typeInformation.functions) {
        if (function.examination.verdict != MethodVerdict::Table) continue;
        check.tables.push_back(CheckTable(session, provider.Get(), programId, function, call));
        check.usableTables += check.tables.back().usable ? 1 : 0;
    }
    return check;
}
