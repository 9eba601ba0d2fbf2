#include "fakeProviderReports.h"

#include <stdexcept>
#include <string>

#include "doubleFailures.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/recordsetBuilder.h"
#include "support/sameValue.h"
#include "support/variantValues.h"

namespace {

constexpr wchar_t kProgramId[] = L"ZedbSoak.Provider";
constexpr LONG kMostRows = 16;

DispatchInterfaceBuilder LinesInterface() {
    DispatchInterfaceBuilder builder(L"ILines");
    builder.Method(L"Lines", Returns::Recordset).Param(L"count", VT_I4);
    return builder;
}

const std::vector<Column> kColumns{{L"Id", adInteger, 4}, {L"Name", adVarWChar, 40}, {L"Amount", adDouble, 8}};

// The values tell the recordsets apart, so that a read of the wrong one fails.
std::vector<Variant> Row(LONG count, LONG id) {
    const std::wstring name = L"line " + std::to_wstring(id) + L" of " + std::to_wstring(count);
    return {I4(id), Text(name.c_str()), R8(count + id / 4.0)};
}

std::vector<std::vector<Variant>> Rows(LONG count) {
    std::vector<std::vector<Variant>> rows;
    for (LONG id = 1; id <= count; ++id) rows.push_back(Row(count, id));
    return rows;
}

void CheckFields(const std::vector<FieldInfo>& fields) {
    bool same = fields.size() == kColumns.size();
    for (size_t i = 0; same && i < fields.size(); ++i) same = fields[i].name == kColumns[i].name;
    if (!same) throw std::runtime_error("Lines: the fields are not the recordset's columns");
}

}  // namespace

FakeProviderReports::FakeProviderReports()
    : provider_(LinesInterface().Build()), registration_(provider_, kProgramId),
      providerReferences_(provider_.References()) {
    for (LONG count = 1; count <= kMostRows; ++count)
        recordsets_.push_back(std::make_unique<ScriptableRecordset>(BuildRecordset(kColumns, Rows(count))));
    provider_.OnInvoke(provider_.DispIdOf(L"Lines"), [this](const FakeProvider::Invocation& call, Variant& result) {
        return AnswerLines(call, result);
    });
}

HRESULT FakeProviderReports::AnswerLines(const FakeProvider::Invocation& call, Variant& result) {
    const DISPPARAMS& arguments = call.arguments;
    if (arguments.cArgs != 1 || arguments.rgvarg[0].vt != VT_I4) return DISP_E_TYPEMISMATCH;
    const LONG count = arguments.rgvarg[0].lVal;
    if (count < 1 || count > kMostRows) return E_INVALIDARG;
    result = Object(*recordsets_[count - 1]);
    return S_OK;
}

void FakeProviderReports::RunCycle(DriverSession& session, int cycle) {
    const LONG count = 1 + cycle % kMostRows;
    session.LogOn(registration_.ProgId());
    LONG read = 0;
    session.Query(L"Lines", {{L"count", std::to_wstring(count)}}, CheckFields, [&](const std::vector<Variant>& row) {
        if (++read > count) throw std::runtime_error("Lines: more than " + std::to_string(count) + " records");
        const std::vector<Variant> expected = Row(count, read);
        for (size_t i = 0; i < expected.size(); ++i)
            if (!SameValue(*row[i].Get(), *expected[i].Get()))
                throw std::runtime_error("Lines: record " + std::to_string(read) + ", field " + std::to_string(i + 1) +
                                         " is not the value handed out");
        return true;
    });
    if (read != count)
        throw std::runtime_error("Lines: read " + std::to_string(read) + " records of " + std::to_string(count));
    session.LogOff();
    CheckReleased();
    ThrowOnDoubleFailures();
}

void FakeProviderReports::CheckReleased() const {
    if (provider_.References() != providerReferences_)
        throw std::runtime_error("the provider keeps " + std::to_string(provider_.References()) +
                                 " references after logoff");
    for (const auto& recordset : recordsets_)
        if (recordset->References() != 1 || recordset->FieldsReferences() != 0)
            throw std::runtime_error("a recordset keeps a reference after the rowset was closed");
}
