#include "com/methodCatalogue.h"

#include "common/resultCodes.h"
#include "com/typeInfoResources.h"
#include "platform/dbAssert.h"

// Assertions report under the module name the logs know this code by.
#undef DB_ASSERT_SOURCE
#define DB_ASSERT_SOURCE "serverHandle"

namespace {

const wchar_t kRecordsetInterface[] = L"_Recordset";

MethodVerdict Refused(MethodExamination& examination, MethodVerdict verdict, HRESULT failure = S_OK) {
    examination.failure = failure;
    return examination.verdict = verdict;
}

MethodVerdict ReturnsRecordset(ITypeInfo* typeInfo, const FUNCDESC& function, MethodExamination& examination) {
    const TYPEDESC& result = function.elemdescFunc.tdesc;
    examination.returnedType = result.vt;
    if (result.vt != VT_PTR || !result.lptdesc) return Refused(examination, MethodVerdict::NoRecordsetReturned);
    examination.pointedType = result.lptdesc->vt;
    if (result.lptdesc->vt != VT_USERDEFINED) return Refused(examination, MethodVerdict::NoRecordsetReturned);
    examination.referencedType = result.lptdesc->hreftype;
    ComPtr<ITypeInfo> referenced;
    HRESULT read = typeInfo->GetRefTypeInfo(result.lptdesc->hreftype, referenced.ReleaseAndGetAddressOf());
    if (FAILED(read) || !referenced) return Refused(examination, MethodVerdict::ReferencedTypeUnreadable, read);
    Bstr typeName;
    Bstr documentation;
    Bstr helpFile;
    read = referenced->GetDocumentation(MEMBERID_NIL, typeName.ReleaseAndGetAddressOf(),
                                        documentation.ReleaseAndGetAddressOf(), nullptr,
                                        helpFile.ReleaseAndGetAddressOf());
    if (FAILED(read)) return Refused(examination, MethodVerdict::ReferencedTypeUnreadable, read);
    if (typeName.Get()) examination.typeName = typeName.Get();
    if (!typeName.Get() || wcscmp(typeName.Get(), kRecordsetInterface) != 0)
        return Refused(examination, MethodVerdict::NoRecordsetReturned);
    return examination.verdict;
}

// A table is called with input values only: no output-only and no return-value parameter.
MethodVerdict TakesInputsOnly(const FUNCDESC& function, MethodExamination& examination) {
    for (SHORT i = 0; i < function.cParams; ++i) {
        USHORT flags = function.lprgelemdescParam[i].paramdesc.wParamFlags;
        MethodVerdict verdict = MethodVerdict::Table;
        if ((flags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) == PARAMFLAG_FOUT) verdict = MethodVerdict::OutputOnlyParameter;
        else if (flags & PARAMFLAG_FRETVAL) verdict = MethodVerdict::ReturnValueParameter;
        if (verdict == MethodVerdict::Table) continue;
        examination.parameter = i;
        return Refused(examination, verdict);
    }
    return examination.verdict;
}

}  // namespace

bool OffersTables(const TYPEATTR& typeAttr) { return typeAttr.typekind == TKIND_DISPATCH; }

HRESULT IsRecordsetMethod(ITypeInfo* typeInfo, UINT functionIndex, const TYPEATTR& typeAttr,
                          MethodExamination& examination, SWCharString& name) {
    examination = MethodExamination();
    DB_ASSERT_TEXT(functionIndex < typeAttr.cFuncs, "nFunc < pattr->cFuncs");
    FunctionDescription function;
    HRESULT result = function.Load(typeInfo, functionIndex);
    if (FAILED(result)) return result;
    if (ReturnsRecordset(typeInfo, *function, examination) != MethodVerdict::Table ||
        TakesInputsOnly(*function, examination) != MethodVerdict::Table)
        return result;
    // A function whose name cannot be read, or that has none, cannot be listed: it is skipped.
    MemberNames names;
    const HRESULT named = names.Load(typeInfo, function->memid);
    if (FAILED(named) || !names[0]) Refused(examination, MethodVerdict::NoName, named);
    else name = names[0];
    return result;
}

int32_t CollectRecordsetMethods(ServerHandle& handle, std::vector<SWCharString>& names) {
    if (!handle.typeInfo) return DbFailed;
    TypeAttributes attributes;
    if (FAILED(attributes.Load(handle.typeInfo.Get()))) return DbFailed;
    if (!OffersTables(*attributes)) return DbSuccess;
    for (UINT index = 0; index < attributes->cFuncs; ++index) {
        // Only the verdict counts here; its reasons are for the provider's author.
        MethodExamination examination;
        SWCharString name;
        if (FAILED(IsRecordsetMethod(handle.typeInfo.Get(), index, *attributes, examination, name)))
            return DbFailed;
        if (examination.verdict != MethodVerdict::Table) continue;
        names.push_back(name);
        handle.methodIndex[name] = static_cast<int32_t>(index);
    }
    return DbSuccess;
}
