#include "interfaceCheck.h"

#include <cstdio>

#include "com/typeInfoResources.h"
#include "parameterValues.h"
#include "textEncoding.h"
#include "typeNames.h"

namespace {

std::string Hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

std::wstring Text(const wchar_t* text) { return text ? text : L""; }

// How provider authors know a named type: "the coclass Recordset".
std::string NamedType(ITypeInfo* typeInfo, const MethodExamination& examination) {
    const char* kind = "the type ";
    ComPtr<ITypeInfo> referenced;
    TypeAttributes attributes;
    if (SUCCEEDED(typeInfo->GetRefTypeInfo(examination.referencedType, referenced.ReleaseAndGetAddressOf())) &&
        SUCCEEDED(attributes.Load(referenced.Get()))) {
        if (attributes->typekind == TKIND_COCLASS) kind = "the coclass ";
        if (attributes->typekind == TKIND_DISPATCH) kind = "the dispatch interface ";
        if (attributes->typekind == TKIND_INTERFACE) kind = "the interface ";
    }
    return kind + Utf8(examination.typeName.c_str());
}

std::string Returned(ITypeInfo* typeInfo, const MethodExamination& examination) {
    if (examination.returnedType != VT_PTR) return VarTypeName(examination.returnedType);
    if (examination.pointedType != VT_USERDEFINED) return "a pointer to " + VarTypeName(examination.pointedType);
    if (examination.typeName.isEmpty()) return "a pointer to a type without a name";
    return NamedType(typeInfo, examination);
}

std::string MethodVerdictText(ITypeInfo* typeInfo, const MethodExamination& examination, const MemberNames& names) {
    const std::string parameter =
        "its parameter " + (examination.parameter >= 0 && names[examination.parameter + 1]
                                ? Utf8(names[examination.parameter + 1])
                                : std::to_string(examination.parameter + 1));
    switch (examination.verdict) {
    case MethodVerdict::Table: return "table";
    case MethodVerdict::NoRecordsetReturned:
        return "not a table: returns " + Returned(typeInfo, examination) + ", not a pointer to _Recordset";
    case MethodVerdict::ReferencedTypeUnreadable:
        return "not a table: the type that its result points to cannot be read (" + Hex(examination.failure) + ")";
    case MethodVerdict::OutputOnlyParameter: return "not a table: " + parameter + " is output-only";
    case MethodVerdict::ReturnValueParameter: return "not a table: " + parameter + " is a return value ([retval])";
    case MethodVerdict::NoName:
        return FAILED(examination.failure) ? "not a table: its name cannot be read (" + Hex(examination.failure) + ")"
                                           : "not a table: the type information gives it no name";
    }
    return {};
}

std::string ParameterVerdictText(const ParameterType& type) {
    switch (type.verdict) {
    case ParameterVerdict::Described: return VarTypeName(type.baseType) + " -> " + ValueTypeName(type.valueType);
    case ParameterVerdict::NotAnInput: return "not an input: the engine gets no description of it";
    case ParameterVerdict::FixedArray: return "a C array: the engine gets no description of it";
    case ParameterVerdict::RefusedType:
    case ParameterVerdict::UnmappedType:
        return VarTypeName(type.baseType) + ": refused, the parameter list fails with 808";
    }
    return {};
}

}  // namespace

InterfaceCheck CheckInterface(ITypeInfo* typeInfo) {
    InterfaceCheck check;
    Bstr name;
    if (SUCCEEDED(typeInfo->GetDocumentation(MEMBERID_NIL, name.ReleaseAndGetAddressOf(), nullptr, nullptr, nullptr)))
        check.name = Text(name.Get());
    TypeAttributes attributes;
    check.failure = attributes.Load(typeInfo);
    if (FAILED(check.failure)) return check;
    check.kind = attributes->typekind;
    if (!OffersTables(*attributes)) return check;
    for (UINT index = 0; index < attributes->cFuncs; ++index) {
        FunctionCheck function;
        function.index = index;
        SWCharString listedName;
        FunctionDescription description;
        check.failure = IsRecordsetMethod(typeInfo, index, *attributes, function.examination, listedName);
        if (SUCCEEDED(check.failure)) check.failure = description.Load(typeInfo, index);
        if (FAILED(check.failure)) break;
        // Names that cannot be read leave the slots empty; the verdict says so where it matters.
        MemberNames names;
        names.Load(typeInfo, description->memid);
        function.name = Text(names[0]);
        function.verdict = MethodVerdictText(typeInfo, function.examination, names);
        if (function.examination.verdict == MethodVerdict::Table) {
            for (SHORT i = 0; i < description->cParams; ++i) {
                const ParameterType type = DescribeParameterType(description->lprgelemdescParam[i]);
                function.parameters.push_back({Text(names[i + 1]), type, ParameterVerdictText(type)});
            }
        }
        check.functions.push_back(std::move(function));
    }
    return check;
}
