#include "engineFlow.h"

#include <gtest/gtest.h>

#include "common/dbTableInfo.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

namespace {

std::wstring Text(const wchar_t* text) { return text ? text : L"-"; }

std::wstring Described(const wchar_t* name, uint32_t valueType, uint32_t length, uint32_t typeOptions) {
    return L" " + Text(name) + L":" + std::to_wstring(valueType) + L"/" + std::to_wstring(length) + L"/" +
           std::to_wstring(typeOptions);
}

std::wstring Outcome(int32_t result, const std::wstring& handedOut, const DbErrorInfo* records) {
    return std::to_wstring(result) + handedOut + Records(records);
}

}  // namespace

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

std::wstring Records(const DbErrorInfo* head) {
    std::wstring texts;
    for (; head; head = head->next) texts += L" [" + std::to_wstring(head->code) + L" " + Text(head->text) + L"]";
    return texts;
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

ProviderSession::ProviderSession(const DispatchInterfaceBuilder& builder, const wchar_t* progId)
    : provider(builder.Build()), registration(provider, progId) {}

ProviderSession::~ProviderSession() { DbLogoffServer(handle); }

ServerHandle* ProviderSession::LogOn() {
    LogonInfoOwner logonInfo = MakeLogonInfo(registration.ProgId().c_str());
    DbLogonInfo* newLogonInfo = nullptr;
    ErrorList errors;
    EXPECT_EQ(DbLogonServer(logonInfo.get(), &newLogonInfo, nullptr, nullptr, L"", &handle, &errors.head), 0);
    EXPECT_EQ(errors.head, nullptr);
    DbFreeLogonInfo(newLogonInfo);
    return handle;
}

std::wstring ProviderSession::Tables() {
    uint32_t count = 0;
    DbTableInfo** list = nullptr;
    const int32_t result = DbFetchTableList(handle, nullptr, nullptr, 0, &list, &count, nullptr);
    std::wstring names;
    for (uint32_t i = 0; i < count; ++i) names += L" " + Text(list[i]->firstText);
    // An empty list is handed out as none at all.
    if (count == 0 && list) names += L" <empty list>";
    DbFreeTableList(&count, list);
    return Outcome(result, names, nullptr);
}

std::wstring ProviderSession::Parameters(const wchar_t* table) {
    const std::unique_ptr<DbTableInfo, void (*)(DbTableInfo*)> record(NewTableInfo(), DeleteTableInfo);
    record->firstText = DuplicateText(table);
    uint32_t count = 0xFFFFFFFF;
    DbParameterDescription** list = nullptr;
    ErrorList errors;
    const int32_t result = DbFetchTableParameters(handle, record.get(), &count, &list, &errors.head);
    std::wstring described;
    if (count == 0xFFFFFFFF) described = L" <untouched>";
    for (uint32_t i = 0; list && i < count && count != 0xFFFFFFFF; ++i) {
        const DbParameterDescription* parameter = list[i];
        described += parameter ? Described(parameter->name, parameter->valueType, parameter->length,
                                           parameter->typeOptions)
                               : L" ~";
    }
    if (count != 0xFFFFFFFF) DbFreeParametersList(count, list);
    return Outcome(result, described, errors.head);
}

std::wstring ProviderSession::Fields(EngineQuery& query, bool withValues) {
    uint32_t count = 0;
    DbFieldDescription** list = nullptr;
    ErrorList errors;
    const int32_t result = DbFetchTableFields(handle, &query.Table(), withValues ? query.Count() : 0,
                                              withValues ? query.Parameters() : nullptr,
                                              withValues ? query.Values() : nullptr, &count, &list, &errors.head);
    std::wstring described;
    for (uint32_t i = 0; i < count; ++i)
        described += Described(list[i]->name, list[i]->valueType, list[i]->length, list[i]->typeOptions);
    DbFreeFieldList(count, list);
    return Outcome(result, described, errors.head);
}

std::wstring ProviderSession::Query(EngineQuery& query) {
    QueryRun run;
    Execute(handle, query, run);
    return Outcome(run.result, run.rowset ? L" rowset" : L"", run.errors.head);
}
