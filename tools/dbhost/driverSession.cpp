#include "driverSession.h"

#include <utility>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "common/dbLogonInfo.h"
#include "common/propcoll.h"
#include "driverFailure.h"
#include "exportArguments.h"
#include "textEncoding.h"

namespace {
constexpr int32_t kCapabilityCount = 26;

const auto kNoArguments = [] { return std::string(); };

std::string Named(const char* name, const std::wstring& value) { return std::string(name) + "=" + Utf8(value); }
std::string Named(const char* name, const wchar_t* value) { return Named(name, std::wstring(value ? value : L"")); }
std::string Language(const std::wstring& language) { return "language=" + Quoted(language.c_str()); }
}  // namespace

// An export called through a session by its name, so that a trace sees it.
#define DRIVER_CALL(session, name, describe, errors, ...) \
    (session).Call(#name, DRIVER_EXPORT((session).driver_, name), describe, errors, __VA_ARGS__)

template <class Export, class Describe, class... Arguments>
int32_t DriverSession::Call(const char* name, Export function, const Describe& describe, DbErrorInfo* const* errors,
                            Arguments... arguments) const {
    if (!trace_) return function(arguments...);
    const auto start = std::chrono::steady_clock::now();
    const int32_t result = function(arguments...);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    trace_->Call(name, describe(), result, errors ? *errors : nullptr, took);
    return result;
}

// A table record made by the driver from the table's name, freed by it.
class DriverSession::TableRecord {
public:
    TableRecord(const DriverSession& session, const std::wstring& name) : session_(session), name_(name) {
        session.Check("DbFetchTableInfo", DRIVER_CALL(session, DbFetchTableInfo, [&] { return Named("table", name); },
                                                      nullptr, nullptr, name.c_str(), &record_));
    }
    ~TableRecord() { DRIVER_CALL(session_, DbFreeTableInfo, [&] { return Named("table", name_); }, nullptr, record_); }
    TableRecord(const TableRecord&) = delete;
    TableRecord& operator=(const TableRecord&) = delete;
    DbTableInfo& Get() const { return *record_; }

private:
    const DriverSession& session_;
    std::wstring name_;
    DbTableInfo* record_ = nullptr;
};

// The table's parameters as the driver describes them, with the values given for them by name.
class DriverSession::ParameterList {
public:
    ParameterList(const DriverSession& session, const DbTableInfo& table, const ParameterTexts& texts)
        : session_(session) {
        DbErrorInfo* errors = nullptr;
        session.Check("DbFetchTableParameters",
                      DRIVER_CALL(session, DbFetchTableParameters, [&] { return Named("table", table.firstText); },
                                  &errors, session.server_, &table, &count_, &records_, &errors),
                      errors);
        values_.resize(count_);
        for (const auto& [name, text] : texts) {
            const uint32_t index = IndexOf(name);
            values_[index] = ParameterValue(name, records_[index]->valueType, text);
        }
        for (const auto& value : values_) pointers_.push_back(value.get());
    }
    ~ParameterList() {
        DRIVER_CALL(session_, DbFreeParametersList, [&] { return "count=" + std::to_string(count_); }, nullptr,
                    count_, records_);
    }
    ParameterList(const ParameterList&) = delete;
    ParameterList& operator=(const ParameterList&) = delete;

    uint32_t Count() const { return count_; }
    DbParameterDescription** Records() const { return records_; }
    DbValue** Values() const { return count_ ? const_cast<DbValue**>(pointers_.data()) : nullptr; }

private:
    uint32_t IndexOf(const std::wstring& name) const {
        for (uint32_t i = 0; i < count_; ++i)
            if (records_[i]->name && name == records_[i]->name) return i;
        throw UsageError("the table has no parameter " + Utf8(name));
    }

    const DriverSession& session_;
    uint32_t count_ = 0;
    DbParameterDescription** records_ = nullptr;
    std::vector<std::unique_ptr<DbValue>> values_;
    std::vector<DbValue*> pointers_;
};

DriverSession::DriverSession(const DriverLibrary& driver, std::wstring language, const DriverTrace* trace)
    : driver_(driver), language_(std::move(language)), trace_(trace) {
    Check("DbInitialize", DRIVER_CALL(*this, DbInitialize, [&] { return Language(language_); }, nullptr,
                                      nullptr, language_.c_str()));
}

DriverSession::~DriverSession() {
    if (server_) DRIVER_CALL(*this, DbLogoffServer, kNoArguments, nullptr, server_);
    Call("DbTerminate", DRIVER_EXPORT(driver_, DbTerminate), kNoArguments, nullptr);
}

void DriverSession::Check(const char* operation, int32_t result) const {
    DbErrorInfo* none = nullptr;
    Check(operation, result, none);
}

void DriverSession::Check(const char* operation, int32_t result, DbErrorInfo*& errors) const {
    std::vector<DriverErrorRecord> records;
    for (const DbErrorInfo* record = errors; record; record = record->next)
        records.push_back({record->code, record->text ? record->text : L""});
    if (errors) {
        DRIVER_CALL(*this, DbFreeErrorInfo, [&] { return "count=" + std::to_string(records.size()); }, nullptr,
                    std::exchange(errors, nullptr));
    }
    if (result != DbSuccess) throw DriverFailure(operation, result, std::move(records));
}

std::wstring DriverSession::DatabaseType() const {
    wchar_t* name = nullptr;
    Check("DbFetchDatabaseType", DRIVER_CALL(*this, DbFetchDatabaseType,
                                             [&] { return Language(language_); }, nullptr,
                                             language_.c_str(), &name));
    std::wstring text = name ? name : L"";
    DRIVER_CALL(*this, DbFreeString, kNoArguments, nullptr, name);
    return text;
}

std::vector<CapabilityAnswer> DriverSession::Capabilities() const {
    auto getInfo = DRIVER_EXPORT(driver_, DbGetInfo);
    std::vector<CapabilityAnswer> answers;
    // The driver leaves the cell alone for questions it does not answer.
    const uint32_t untouched = 0xCCCCCCCC;
    for (int32_t id = 1; id <= kCapabilityCount; ++id) {
        uint32_t value = untouched;
        const int32_t result =
            Call("DbGetInfo", getInfo, [&] { return "id=" + std::to_string(id); }, nullptr, nullptr, id, &value);
        answers.push_back({id, result, value != untouched, value});
    }
    return answers;
}

void DriverSession::LogOn(const std::wstring& programId) {
    // What the user typed, as the engine keeps it; the driver's dialog description carries it on.
    std::unique_ptr<DbLogonInfo, LogonInfoDeleter> typed(NewLogonInfo());
    DbValue value;
    SetDiscreteValue(value, stringValue, const_cast<wchar_t*>(programId.c_str()), true);
    AddNewProperty(*typed->properties, L"Program ID", L"Program ID", nullptr, stringValue, 0, &value);
    DbLogonInfo* dialog = nullptr;
    const auto language = [&] { return Language(language_); };
    Check("DbFetchLogonUIInfo",
          DRIVER_CALL(*this, DbFetchLogonUIInfo, [&] { return LogonArgument(typed.get()) + ", " + language(); },
                      nullptr, nullptr, typed.get(), nullptr, language_.c_str(), &dialog));
    const auto freeLogonInfo = [this](DbLogonInfo* logonInfo) {
        DRIVER_CALL(*this, DbFreeLogonInfo, kNoArguments, nullptr, logonInfo);
    };
    std::unique_ptr<DbLogonInfo, decltype(freeLogonInfo)> logonInfo(dialog, freeLogonInfo);
    DbLogonInfo* newLogonInfo = nullptr;
    DbErrorInfo* errors = nullptr;
    const int32_t result =
        DRIVER_CALL(*this, DbLogonServer, [&] { return LogonArgument(logonInfo.get()) + ", " + language(); },
                    &errors, logonInfo.get(), &newLogonInfo, nullptr, nullptr, language_.c_str(), &server_, &errors);
    freeLogonInfo(newLogonInfo);
    Check("DbLogonServer", result, errors);
}

void DriverSession::LogOff() {
    Check("DbLogoffServer", DRIVER_CALL(*this, DbLogoffServer, kNoArguments, nullptr, std::exchange(server_, nullptr)));
}

std::vector<std::wstring> DriverSession::Tables() const {
    DbTableInfo** list = nullptr;
    uint32_t count = 0;
    Check("DbFetchTableList", DRIVER_CALL(*this, DbFetchTableList, kNoArguments, nullptr, server_, nullptr, nullptr,
                                          uint16_t(0), &list, &count, nullptr));
    std::vector<std::wstring> names;
    for (uint32_t i = 0; i < count; ++i) names.push_back(list[i]->firstText ? list[i]->firstText : L"");
    DRIVER_CALL(*this, DbFreeTableList, [&] { return "count=" + std::to_string(count); }, nullptr, &count, list);
    return names;
}

std::vector<ParameterInfo> DriverSession::Parameters(const std::wstring& table) const {
    TableRecord record(*this, table);
    ParameterList parameters(*this, record.Get(), {});
    std::vector<ParameterInfo> infos;
    for (uint32_t i = 0; i < parameters.Count(); ++i) {
        const DbParameterDescription* parameter = parameters.Records()[i];
        infos.push_back({parameter->name ? parameter->name : L"", parameter->valueType});
    }
    return infos;
}

std::vector<FieldInfo> DriverSession::FetchFields(const DbTableInfo& table, uint32_t count,
                                                  DbParameterDescription** parameters, DbValue** values) const {
    uint32_t fieldCount = 0;
    DbFieldDescription** fields = nullptr;
    DbErrorInfo* errors = nullptr;
    const auto describe = [&] {
        return Named("table", table.firstText) + ", parameters=" + ParametersArgument(count, parameters, values);
    };
    Check("DbFetchTableFields", DRIVER_CALL(*this, DbFetchTableFields, describe, &errors, server_, &table, count,
                                            parameters, values, &fieldCount, &fields, &errors),
          errors);
    std::vector<FieldInfo> infos;
    for (uint32_t i = 0; i < fieldCount; ++i)
        infos.push_back({fields[i]->name ? fields[i]->name : L"", fields[i]->valueType, fields[i]->length});
    DRIVER_CALL(*this, DbFreeFieldList, [&] { return "count=" + std::to_string(fieldCount); }, nullptr, fieldCount,
                fields);
    return infos;
}

std::vector<FieldInfo> DriverSession::Fields(const std::wstring& table, const ParameterTexts& texts) const {
    TableRecord record(*this, table);
    ParameterList parameters(*this, record.Get(), texts);
    return FetchFields(record.Get(), parameters.Count(), parameters.Records(), parameters.Values());
}

std::vector<FieldInfo> DriverSession::ListedFields(const std::wstring& table) const {
    TableRecord record(*this, table);
    return FetchFields(record.Get(), 0, nullptr, nullptr);
}

ExecutedQuery DriverSession::Execute(const std::wstring& table, const ParameterTexts& texts) const {
    TableRecord record(*this, table);
    ParameterList parameters(*this, record.Get(), texts);
    ExecutedQuery query;
    query.fields = FetchFields(record.Get(), parameters.Count(), parameters.Records(), parameters.Values());

    DbTableInfo* tables[] = {&record.Get()};
    DbQueryDefinition definition{};
    definition.tables = tables;
    definition.nTables = 1;
    definition.parameters = parameters.Records();
    definition.parameterValues = parameters.Values();
    definition.nParameters = parameters.Count();
    DbOpenRowsetHandle* opened = nullptr;
    DbErrorInfo* errors = nullptr;
    const auto describe = [&] {
        return Named("table", table) + ", parameters=" +
               ParametersArgument(parameters.Count(), parameters.Records(), parameters.Values());
    };
    const int32_t executed = DRIVER_CALL(*this, DbExecuteQuery, describe, &errors, server_, uint32_t(0), &definition,
                                         nullptr, nullptr, nullptr, &opened, nullptr, &errors);
    query.rowset = {opened, [this](DbOpenRowsetHandle* rowset) {
                        DRIVER_CALL(*this, DbCloseRowset, kNoArguments, nullptr, rowset);
                    }};
    Check("DbExecuteQuery", executed, errors);

    for (size_t i = 0; i < query.fields.size(); ++i) {
        DbFieldBindingInfo request{};
        request.fieldName = query.fields[i].name.c_str();
        request.bindingKind = kBindByName;
        for (size_t j = 0; j < i; ++j) request.nameOccurrence += query.fields[j].name == query.fields[i].name ? 1 : 0;
        DbFieldBinding* binding = nullptr;
        errors = nullptr;
        const int32_t bound = DRIVER_CALL(*this, DbBindToField, [&] { return BindingArgument(request); }, &errors,
                                          query.rowset.get(), &request, &binding, &errors);
        const std::wstring name = query.fields[i].name;
        query.bindings.emplace_back(binding, [this, name](DbFieldBinding* freed) {
            DRIVER_CALL(*this, DbFreeFieldBinding, [&] { return Named("field", name); }, nullptr, freed);
        });
        Check("DbBindToField", bound, errors);
    }
    return query;
}

void DriverSession::Query(const std::wstring& table, const ParameterTexts& texts, const FieldsHandler& onFields,
                          const RowHandler& onRow) const {
    const ExecutedQuery query = Execute(table, texts);
    onFields(query.fields);

    auto readRecord = DRIVER_EXPORT(driver_, DbReadRecord);
    auto readValue = DRIVER_EXPORT(driver_, DbReadVariantColumnValue);
    std::vector<Variant> row(query.fields.size());
    const DbReadRequest positioned{0, 1}, moving{0, 0};
    DbErrorInfo* errors = nullptr;
    const auto read = [&](int32_t mode, const DbReadRequest& request) {
        return Call("DbReadRecord", readRecord, [&] { return ReadArgument(mode, request); }, &errors,
                    query.rowset.get(), mode, static_cast<const DbBookmark*>(nullptr), &request, &errors);
    };
    int32_t result = read(DbReadFirst, positioned);
    while (result == DbSuccess) {
        for (size_t i = 0; i < row.size(); ++i) {
            Check("DbReadVariantColumnValue",
                  Call("DbReadVariantColumnValue", readValue, [&] { return Named("field", query.fields[i].name); },
                       &errors, query.rowset.get(), static_cast<const DbFieldBinding*>(query.bindings[i].get()),
                       static_cast<void*>(nullptr), static_cast<void*>(nullptr), row[i].ReleaseAndGetAddressOf(),
                       &errors),
                  errors);
        }
        if (!onRow(row)) return;
        result = read(DbReadNext, moving);
    }
    Check("DbReadRecord", result == DbNoMoreRecords ? DbSuccess : result, errors);
}
