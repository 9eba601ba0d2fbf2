// The console's provider check on a fake provider's type information: every kind of method that
// the driver leaves out of its tables, and a table whose parameter types it refuses, each with
// the reason that the driver's own catalogue and parameter routines give; then a recordset's
// columns beside the fields that the driver made of them.

#include <gtest/gtest.h>

#include <string>

#include "fieldRows.h"
#include "interfaceCheck.h"
#include "parameterValues.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/fakeProvider.h"
#include "textEncoding.h"

namespace {

// Dispatch functions 0 to 6 are the inherited IUnknown and IDispatch ones.
constexpr size_t kFirstOwnFunction = 7;

// The first declared method as "name: verdict", then each parameter as "; name: verdict".
std::string Verdict(const InterfaceCheck& check) {
    if (check.functions.size() <= kFirstOwnFunction) return "no function of its own";
    const FunctionCheck& function = check.functions[kFirstOwnFunction];
    std::string text = Utf8(function.name) + ": " + function.verdict;
    for (const ParameterCheck& parameter : function.parameters) text += "; " + Utf8(parameter.name) + ": " + parameter.verdict;
    return text;
}

using Declare = void (*)(DispatchInterfaceBuilder&);
using Fail = void (*)(ScriptableTypeInfo&);

TEST(ProviderCheck, EveryMethodGetsTheDriversVerdictAndEachTableParameterItsDescription) {
    const Fail none = [](ScriptableTypeInfo&) {};
    const struct {
        Declare declare;
        Fail fail;
        const char* verdict;
    } rows[] = {
        {[](DispatchInterfaceBuilder& b) {
             b.Method(L"Orders", Returns::Recordset)
                 .Param(L"region", VT_BSTR)
                 .Param(L"since", DeclaredType::Pointer(VT_DATE))
                 .Param(L"fixed", DeclaredType::CArray(VT_I4, 4))
                 .Param(L"cursor", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT);
         },
         none,
         "Orders: table; region: VT_BSTR -> string; since: VT_DATE -> dateTime; "
         "fixed: a C array: the engine gets no description of it; cursor: VT_I4 -> int32s"},
        {[](DispatchInterfaceBuilder& b) {
             b.Method(L"Untyped", Returns::Recordset).Param(L"value", VT_VARIANT).Param(L"count", VT_INT);
         },
         none,
         "Untyped: table; value: VT_VARIANT: refused, the parameter list fails with 808; "
         "count: VT_INT: refused, the parameter list fails with 808"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Coclass", Returns::Coclass(L"Recordset")); }, none,
         "Coclass: not a table: returns the coclass Recordset, not a pointer to _Recordset"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Older", Returns::Dispatch(L"_Recordset15")); }, none,
         "Older: not a table: returns the dispatch interface _Recordset15, not a pointer to _Recordset"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Count", Returns(VT_I4)); }, none,
         "Count: not a table: returns VT_I4, not a pointer to _Recordset"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Total", DeclaredType::Pointer(VT_R8)); }, none,
         "Total: not a table: returns a pointer to VT_R8, not a pointer to _Recordset"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Reset", Returns::Void); }, none,
         "Reset: not a table: returns VT_VOID, not a pointer to _Recordset"},
        {[](DispatchInterfaceBuilder& b) {
             b.Method(L"WithOutput", Returns::Recordset)
                 .Param(L"from", VT_DATE)
                 .Param(L"total", DeclaredType::Pointer(VT_I4), PARAMFLAG_FOUT);
         },
         none, "WithOutput: not a table: its parameter total is output-only"},
        {[](DispatchInterfaceBuilder& b) {
             b.Method(L"WithRetval", Returns::Recordset)
                 .Param(L"result", DeclaredType::Pointer(VT_I4), PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
         },
         none, "WithRetval: not a table: its parameter result is a return value ([retval])"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Nameless", Returns::Recordset); },
         [](ScriptableTypeInfo& t) { t.DropName(0); }, ": not a table: the type information gives it no name"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Unnamed", Returns::Recordset); },
         [](ScriptableTypeInfo& t) { t.FailGetNames(E_OUTOFMEMORY); },
         ": not a table: its name cannot be read (0x8007000E)"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Unreadable", Returns::Recordset); },
         [](ScriptableTypeInfo& t) { t.FailGetRefTypeInfo(TYPE_E_CANTLOADLIBRARY); },
         "Unreadable: not a table: the type that its result points to cannot be read (0x80029C4A)"},
        {[](DispatchInterfaceBuilder& b) { b.Method(L"Undocumented", Returns::Recordset); },
         [](ScriptableTypeInfo& t) { t.FailGetDocumentation(E_FAIL); },
         "Undocumented: not a table: the type that its result points to cannot be read (0x80004005)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.verdict);
        DispatchInterfaceBuilder builder(L"IChecked");
        row.declare(builder);
        FakeProvider provider(builder.Build());
        row.fail(provider.TypeInfo());
        EXPECT_EQ(Verdict(CheckInterface(provider.TypeInfo())), row.verdict);
    }
}

TEST(ProviderCheck, FieldsStandBesideTheirColumnsAChaptersFieldsAfterItAndRefusedColumnsAlone) {
    const std::vector<RecordsetColumn> columns = {
        {L"Id", 3, 4}, {L"Lines", 136, 8}, {L"Photo", 13, 8}, {L"Id", 3, 4}, {L"Note", 202, 20}};
    const std::vector<FieldInfo> fields = {{L"Id", int32sValue, 4}, {L"Lines-Item", stringValue, 22},
                                           {L"Lines-Quantity", int32sValue, 4}, {L"Id", int16sValue, 2},
                                           {L"Note", stringValue, 42}};
    std::string rows;
    for (const FieldRow& row : FieldRows(columns, fields)) {
        rows += Utf8(row.name) + (row.column ? " " + std::to_string(row.column->type) : "") +
                (row.field ? " " + std::string(ValueTypeName(row.field->valueType)) : std::string(", ") + FieldRowNote(row)) +
                "; ";
    }
    EXPECT_EQ(rows,
              "Id 3 int32s; Lines 136, a chapter: its columns follow as fields of their own; Lines-Item string; "
              "Lines-Quantity int32s; Photo 13, refused: left out of the field list; Id 3 int16s; Note 202 string; ");
}

}  // namespace
