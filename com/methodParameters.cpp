#include "com/methodParameters.h"

#include <cstdlib>
#include <cwchar>

#include "ado/adoCommon.h"
#include "ado/adoconvert.h"
#include "com/driverState.h"
#include "common/resultCodes.h"
#include "com/typeInfoResources.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"

namespace {

constexpr VARTYPE kTypeCodeMask = 0xFFF;
constexpr VARTYPE kFirstUnknownTypeCode = 73;
constexpr int32_t kParameterTextSize = 255;

// The function of a method: from the method index once a table list was fetched, else by
// walking the type information for the first function of that name.
bool FindMethod(ServerHandle& handle, const wchar_t* methodName, FunctionDescription& function, MemberNames& names) {
    ITypeInfo* typeInfo = handle.typeInfo.Get();
    if (!handle.methodIndex.empty()) {
        auto entry = handle.methodIndex.find(SWCharString(methodName));
        if (entry == handle.methodIndex.end()) return false;
        return SUCCEEDED(function.Load(typeInfo, static_cast<UINT>(entry->second))) &&
               SUCCEEDED(names.Load(typeInfo, function->memid));
    }
    TypeAttributes attributes;
    if (FAILED(attributes.Load(typeInfo))) return false;
    for (UINT index = 0; index < attributes->cFuncs; ++index) {
        if (FAILED(function.Load(typeInfo, index)) || FAILED(names.Load(typeInfo, function->memid))) return false;
        if (names[0] && wcscmp(names[0], methodName) == 0) return true;
    }
    return false;
}

VARTYPE BaseType(const TYPEDESC& declared) {
    const TYPEDESC* type = &declared;
    while (type->vt == VT_PTR && type->lptdesc) type = type->lptdesc;
    VARTYPE code = type->vt & kTypeCodeMask;
    return code >= kFirstUnknownTypeCode ? VARTYPE(VT_EMPTY) : code;
}

bool IsRefusedBaseType(VARTYPE code) {
    return code == VT_DISPATCH || code == VT_ERROR || code == VT_VARIANT || code == VT_UNKNOWN || code == VT_CLSID;
}

ParameterVerdict DescribeType(VARTYPE baseType, ParameterType& type) {
    if (IsRefusedBaseType(baseType)) return ParameterVerdict::RefusedType;
    if (!MapAdoType(baseType, kParameterTextSize, type.valueType, type.length, type.typeOptions) ||
        type.valueType == noValueType)
        return ParameterVerdict::UnmappedType;
    return ParameterVerdict::Described;
}

void FillParameter(DbParameterDescription* record, const wchar_t* name, const ParameterType& type) {
    record->name = DuplicateText(name);
    record->secondName = DuplicateText(name);
    record->fieldAt32 = 1;
    record->valueType = type.valueType;
    record->length = type.length;
    record->typeOptions = type.typeOptions;
    record->fieldAt48 = 0;
    record->wordsAt56[0] = record->wordsAt56[1] = record->wordsAt56[2] = 0;
}

}  // namespace

ParameterType DescribeParameterType(const ELEMDESC& parameter) {
    ParameterType type;
    if (!(parameter.paramdesc.wParamFlags & PARAMFLAG_FIN)) type.verdict = ParameterVerdict::NotAnInput;
    else if ((parameter.tdesc.vt & kTypeCodeMask) == VT_CARRAY) type.verdict = ParameterVerdict::FixedArray;
    else {
        type.baseType = BaseType(parameter.tdesc);
        type.verdict = DescribeType(type.baseType, type);
    }
    return type;
}

int32_t DescribeMethodParameters(ServerHandle& handle, const wchar_t* methodName, ParameterList outputs,
                                 DbErrorInfo** errorInfo) {
    if (!handle.typeInfo) return DbFailed;
    FunctionDescription function;
    MemberNames names;
    if (!FindMethod(handle, methodName, function, names)) return DbFailed;

    const uint32_t count = static_cast<uint32_t>(function->cParams);
    if (count == 0) {
        *outputs.parameterCount = 0;
        return DbSuccess;
    }
    // Count and list are handed out together, so that the engine never frees a list it did not get.
    auto** list = static_cast<DbParameterDescription**>(AllocateZeroed(count * sizeof(DbParameterDescription*)));
    *outputs.parameterCount = count;
    *outputs.parameters = list;

    for (uint32_t i = 0; i < count; ++i) {
        const ParameterType type = DescribeParameterType(function->lprgelemdescParam[i]);
        if (type.verdict == ParameterVerdict::NotAnInput || type.verdict == ParameterVerdict::FixedArray) continue;
        if (type.verdict != ParameterVerdict::Described)
            return ReportDriverError(DriverLanguage(), DbParameterTypeUnknown, errorInfo);
        // Stored before it is filled, so that the engine frees it whatever happens next.
        list[i] = NewRecord<DbParameterDescription>();
        // Slot 0 holds the method's own name; parameters past the last slot stay unnamed.
        FillParameter(list[i], names[i + 1], type);
    }
    return DbSuccess;
}

void FreeParameterList(uint32_t parameterCount, DbParameterDescription** parameters) {
    if (!parameters) return;
    for (uint32_t i = 0; i < parameterCount; ++i) DeleteRecord(parameters[i]);
    std::free(parameters);
}
