#pragma once
// The engine's side of a conversation with the driver through its exports, over a fake provider
// registered for the process: logon records and query definitions as the engine builds them, and
// each export's outcome rendered as one text, so that a row of a table states a whole outcome:
//
//     "0 GetCustomers AllOrders"                         a table list
//     "808 before:4/4/0 ~ [808 The parameter type ...]"  parameters: name:type/length/options,
//                                                        ~ for a null entry, then the records
//     "0 Id:4/4/0 Name:11/22/2"                          fields

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ado/fieldBinding.h"
#include "com/dbExports.h"
#include "common/dbLogonInfo.h"
#include "common/dbvalue.h"
#include "common/variant.h"
#include "support/dispatchInterfaceBuilder.h"
#include "support/driverInUse.h"
#include "support/errorRecords.h"
#include "support/registeredProvider.h"

using LogonInfoOwner = std::unique_ptr<DbLogonInfo, LogonInfoDeleter>;

// A logon record whose only property is the Program ID (none at all for a null programId).
LogonInfoOwner MakeLogonInfo(const wchar_t* programId);

// The Program ID property of a logon record the driver made: its value as text, or "<none>"
// when it has no value; "<missing>" when there is no such property.
std::wstring ProgramIdOf(const DbLogonInfo* logonInfo);


// The records of a list as " [code text]" each, most recent first.
std::wstring Records(const DbErrorInfo* head);

// A discrete engine value holding a copy of datum (a text for stringValue and memoValue).
template <class Datum>
DbValue Discrete(uint32_t valueType, Datum datum) {
    DbValue value;
    SetDiscreteValue(value, valueType, &datum, true);
    return value;
}
DbValue DiscreteText(const wchar_t* text, uint32_t valueType = stringValue);

// A query definition as the engine builds it for one table, owning its records:
//     EngineQuery query(L"GetOrders");
//     query.Parameter(stringValue, &country).Parameter(int32sValue, nullptr, 0, &current);
class EngineQuery {
public:
    explicit EngineQuery(const wchar_t* method);
    // A parameter record of valueType with typeOptions and a copy of current as its current value,
    // and a copy of value as the engine's value for this run (null for none).
    EngineQuery& Parameter(uint32_t valueType, const DbValue* value = nullptr, uint32_t typeOptions = 0,
                           const DbValue* current = nullptr);
    // A position whose parameter record is missing.
    EngineQuery& MissingParameter(const DbValue* value = nullptr);

    DbQueryDefinition& Definition() { return definition_; }
    DbTableInfo& Table() { return *table_; }
    DbParameterDescription** Parameters() { return parameters_.data(); }
    DbValue** Values() { return values_.data(); }
    uint32_t Count() const { return static_cast<uint32_t>(parameters_.size()); }

private:
    void Refresh();

    std::unique_ptr<DbTableInfo, void (*)(DbTableInfo*)> table_;
    DbTableInfo* tables_[1];
    std::vector<std::unique_ptr<DbParameterDescription>> parameterRecords_;
    std::vector<std::unique_ptr<DbValue>> valueRecords_;
    std::vector<DbParameterDescription*> parameters_;
    std::vector<DbValue*> values_;
    DbQueryDefinition definition_{};
};

// What DbExecuteQuery gave; the rowset is closed with it.
struct QueryRun {
    int32_t result = -1;
    DbOpenRowsetHandle* rowset = nullptr;
    ErrorList errors;
    ~QueryRun() { DbCloseRowset(rowset); }
};
void Execute(ServerHandle* handle, EngineQuery& query, QueryRun& run);

// The calls of one provider method, each with a copy of its arguments in the order Invoke got
// them (the last parameter first); every call returns a copy of result.
struct MethodCalls {
    int count = 0;
    LCID locale = 0xFFFF;
    WORD flags = 0;
    UINT namedArguments = 0;
    std::vector<Variant> arguments;
};
void AnswerCalls(FakeProvider& provider, const wchar_t* method, MethodCalls& calls, const Variant& result);

// Binding requests as the engine fills them: a column by name and occurrence, or by position (from 1).
DbFieldBindingInfo BindingByName(const wchar_t* name, uint32_t occurrence = 0);
DbFieldBindingInfo BindingByPosition(uint32_t ordinal);

// A registered fake provider, the driver in use and a logon to the provider through DbLogonServer,
// with each catalogue export's outcome as text.
class ProviderSession {
public:
    ProviderSession(const DispatchInterfaceBuilder& builder, const wchar_t* progId);
    ~ProviderSession();

    // Logs on with the registered ProgID; the handle stays with the session.
    ServerHandle* LogOn();

    std::wstring Tables();
    std::wstring Parameters(const wchar_t* table);
    // With the query's parameter values, or with none (the method's own parameters then).
    std::wstring Fields(EngineQuery& query, bool withValues);
    std::wstring Query(EngineQuery& query);

    FakeProvider provider;
    RegisteredProvider registration;
    ServerHandle* handle = nullptr;

private:
    DriverInUse driver_;
};
