#include "providerSession.h"

#include <gtest/gtest.h>

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

LogonInfoOwner MakeLogonInfo(const wchar_t* programId) {
    LogonInfoOwner logonInfo(NewLogonInfo());
    if (programId) {
        DbValue value;
        SetDiscreteValue(value, stringValue, const_cast<wchar_t*>(programId), true);
        AddNewProperty(*logonInfo->properties, L"Program ID", L"Program ID", nullptr, stringValue, 0, &value);
    }
    return logonInfo;
}

std::wstring ProgramIdOf(const DbLogonInfo* logonInfo) {
    if (!logonInfo || !logonInfo->properties) return L"<missing>";
    const DbProperty* property = FindProperty(logonInfo->properties, L"Program ID", true, nullptr);
    if (!property) return L"<missing>";
    if (!property->value || property->value->kind != discreteValueKind) return L"<none>";
    return static_cast<const wchar_t*>(property->value->data);
}

size_t ErrorList::Count() const {
    size_t count = 0;
    for (const DbErrorInfo* record = head; record; record = record->next) ++count;
    return count;
}

ProviderSession::ProviderSession(const DispatchInterfaceBuilder& builder, const wchar_t* progId)
    : provider(builder.Build()), registration(provider, progId) {}

ProviderSession::~ProviderSession() { DbLogoffServer(handle); }

ServerHandle* ProviderSession::LogOn() {
    LogonInfoOwner logonInfo = MakeLogonInfo(registration.ProgId().c_str());
    DbLogonInfo* newLogonInfo = nullptr;
    DbErrorInfo* errors = nullptr;
    EXPECT_EQ(DbLogonServer(logonInfo.get(), &newLogonInfo, nullptr, nullptr, L"", &handle, &errors), 0);
    EXPECT_EQ(errors, nullptr);
    DbFreeLogonInfo(newLogonInfo);
    DbFreeErrorInfo(errors);
    return handle;
}

DbValue DiscreteText(const wchar_t* text, uint32_t valueType) {
    DbValue value;
    SetDiscreteValue(value, valueType, const_cast<wchar_t*>(text), true);
    return value;
}

EngineQuery::EngineQuery(const wchar_t* method) : table_(NewTableInfo(), DeleteTableInfo) {
    table_->firstText = DuplicateText(method);
    tables_[0] = table_.get();
    definition_.tables = tables_;
    definition_.nTables = 1;
}

EngineQuery& EngineQuery::Parameter(uint32_t valueType, const DbValue* value, uint32_t typeOptions,
                                    const DbValue* current) {
    auto record = std::make_unique<DbParameterDescription>();
    record->valueType = valueType;
    record->typeOptions = typeOptions;
    if (current) record->currentValue = NewRecord<DbValue>(*current);
    parameterRecords_.push_back(std::move(record));
    parameters_.push_back(parameterRecords_.back().get());
    valueRecords_.push_back(value ? std::make_unique<DbValue>(*value) : nullptr);
    values_.push_back(valueRecords_.back().get());
    Refresh();
    return *this;
}

EngineQuery& EngineQuery::MissingParameter(const DbValue* value) {
    parameters_.push_back(nullptr);
    valueRecords_.push_back(value ? std::make_unique<DbValue>(*value) : nullptr);
    values_.push_back(valueRecords_.back().get());
    Refresh();
    return *this;
}

void EngineQuery::Refresh() {
    definition_.parameters = parameters_.data();
    definition_.parameterValues = values_.data();
    definition_.nParameters = Count();
}

void Execute(ServerHandle* handle, EngineQuery& query, QueryRun& run) {
    run.result = DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, &run.rowset, nullptr,
                                &run.errors.head);
}

void AnswerCalls(FakeProvider& provider, const wchar_t* method, MethodCalls& calls, const Variant& result) {
    provider.OnInvoke(provider.DispIdOf(method), [&calls, result](const FakeProvider::Invocation& call,
                                                                  Variant& returned) {
        ++calls.count;
        calls.locale = call.locale;
        calls.flags = call.flags;
        calls.namedArguments = call.arguments.cNamedArgs;
        calls.arguments.clear();
        for (UINT i = 0; i < call.arguments.cArgs; ++i) calls.arguments.emplace_back(call.arguments.rgvarg[i]);
        returned = result;
        return S_OK;
    });
}

DbFieldBindingInfo BindingByName(const wchar_t* name, uint32_t occurrence) {
    DbFieldBindingInfo request{};
    request.bindingKind = kBindByName;
    request.fieldName = name;
    request.nameOccurrence = occurrence;
    return request;
}

DbFieldBindingInfo BindingByPosition(uint32_t ordinal) {
    DbFieldBindingInfo request{};
    request.bindingKind = kBindByPosition;
    request.fieldOrdinal = ordinal;
    return request;
}
