#include "com/methodCatalogue.h"

#include "common/resultCodes.h"
#include "com/typeInfoResources.h"
#include "platform/dbAssert.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "serverHandle"

namespace {

const wchar_t kRecordsetInterface[] = L"_Recordset";

bool ReturnsRecordset(ITypeInfo* typeInfo, const FUNCDESC& function) {
    const TYPEDESC& result = function.elemdescFunc.tdesc;
    if (result.vt != VT_PTR || !result.lptdesc || result.lptdesc->vt != VT_USERDEFINED) return false;
    ComPtr<ITypeInfo> referenced;
    if (FAILED(typeInfo->GetRefTypeInfo(result.lptdesc->hreftype, referenced.ReleaseAndGetAddressOf())) ||
        !referenced)
        return false;
    Bstr typeName;
    Bstr documentation;
    Bstr helpFile;
    if (FAILED(referenced->GetDocumentation(MEMBERID_NIL, typeName.ReleaseAndGetAddressOf(),
                                            documentation.ReleaseAndGetAddressOf(), nullptr,
                                            helpFile.ReleaseAndGetAddressOf())))
        return false;
    return typeName.Get() && wcscmp(typeName.Get(), kRecordsetInterface) == 0;
}

// A table is called with input values only: no output-only and no return-value parameter.
bool TakesInputsOnly(const FUNCDESC& function) {
    for (SHORT i = 0; i < function.cParams; ++i) {
        USHORT flags = function.lprgelemdescParam[i].paramdesc.wParamFlags;
        if ((flags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) == PARAMFLAG_FOUT) return false;
        if (flags & PARAMFLAG_FRETVAL) return false;
    }
    return true;
}

}  // namespace

HRESULT IsRecordsetMethod(ITypeInfo* typeInfo, UINT functionIndex, const TYPEATTR& typeAttr, bool& isTable,
                          SWCharString& name) {
    isTable = false;
    DB_ASSERT_TEXT(functionIndex < typeAttr.cFuncs, "nFunc < pattr->cFuncs");
    FunctionDescription function;
    HRESULT result = function.Load(typeInfo, functionIndex);
    if (FAILED(result)) return result;
    if (!ReturnsRecordset(typeInfo, *function) || !TakesInputsOnly(*function)) return result;
    // A function whose name cannot be read, or that has none, cannot be listed: it is skipped.
    MemberNames names;
    if (FAILED(names.Load(typeInfo, function->memid)) || !names[0]) return result;
    name = names[0];
    isTable = true;
    return result;
}

int32_t CollectRecordsetMethods(ServerHandle& handle, std::vector<SWCharString>& names) {
    if (!handle.typeInfo) return DbFailed;
    TypeAttributes attributes;
    if (FAILED(attributes.Load(handle.typeInfo.Get()))) return DbFailed;
    if (attributes->typekind != TKIND_DISPATCH) return DbSuccess;
    for (UINT index = 0; index < attributes->cFuncs; ++index) {
        bool isTable = false;
        SWCharString name;
        if (FAILED(IsRecordsetMethod(handle.typeInfo.Get(), index, *attributes, isTable, name)))
            return DbFailed;
        if (!isTable) continue;
        names.push_back(name);
        handle.methodIndex[name] = static_cast<int32_t>(index);
    }
    return DbSuccess;
}
