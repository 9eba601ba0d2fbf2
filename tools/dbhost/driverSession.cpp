#include "driverSession.h"

#include <utility>

#include "ado/fieldBinding.h"
#include "ado/recordReading.h"
#include "common/dbLogonInfo.h"
#include "common/propcoll.h"
#include "driverFailure.h"
#include "textEncoding.h"

namespace {
constexpr int32_t kCapabilityCount = 26;
}

// A table record made by the driver from the table's name, freed by it.
class DriverSession::TableRecord {
public:
    TableRecord(const DriverSession& session, const std::wstring& name) : session_(session) {
        session.Check("DbFetchTableInfo",
                      DRIVER_EXPORT(session.driver_, DbFetchTableInfo)(nullptr, name.c_str(), &record_));
    }
    ~TableRecord() { DRIVER_EXPORT(session_.driver_, DbFreeTableInfo)(record_); }
    TableRecord(const TableRecord&) = delete;
    TableRecord& operator=(const TableRecord&) = delete;
    DbTableInfo& Get() const { return *record_; }

private:
    const DriverSession& session_;
    DbTableInfo* record_ = nullptr;
};

// The table's parameters as the driver describes them, with the values given for them by name.
class DriverSession::ParameterList {
public:
    ParameterList(const DriverSession& session, const DbTableInfo& table, const ParameterTexts& texts)
        : session_(session) {
        DbErrorInfo* errors = nullptr;
        session.Check("DbFetchTableParameters",
                      DRIVER_EXPORT(session.driver_, DbFetchTableParameters)(session.server_, &table, &count_,
                                                                             &records_, &errors),
                      errors);
        values_.resize(count_);
        for (const auto& [name, text] : texts) {
            const uint32_t index = IndexOf(name);
            values_[index] = ParameterValue(name, records_[index]->valueType, text);
        }
        for (const auto& value : values_) pointers_.push_back(value.get());
    }
    ~ParameterList() { DRIVER_EXPORT(session_.driver_, DbFreeParametersList)(count_, records_); }
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

DriverSession::DriverSession(const DriverLibrary& driver, std::wstring language)
    : driver_(driver), language_(std::move(language)) {
    Check("DbInitialize", DRIVER_EXPORT(driver_, DbInitialize)(nullptr, language_.c_str()));
}

DriverSession::~DriverSession() {
    if (server_) DRIVER_EXPORT(driver_, DbLogoffServer)(server_);
    DRIVER_EXPORT(driver_, DbTerminate)();
}

void DriverSession::Check(const char* operation, int32_t result) const {
    DbErrorInfo* none = nullptr;
    Check(operation, result, none);
}

void DriverSession::Check(const char* operation, int32_t result, DbErrorInfo*& errors) const {
    std::vector<DriverErrorRecord> records;
    for (const DbErrorInfo* record = errors; record; record = record->next)
        records.push_back({record->code, record->text ? record->text : L""});
    DRIVER_EXPORT(driver_, DbFreeErrorInfo)(std::exchange(errors, nullptr));
    if (result != DbSuccess) throw DriverFailure(operation, result, std::move(records));
}

std::wstring DriverSession::DatabaseType() const {
    wchar_t* name = nullptr;
    Check("DbFetchDatabaseType", DRIVER_EXPORT(driver_, DbFetchDatabaseType)(language_.c_str(), &name));
    std::wstring text = name ? name : L"";
    DRIVER_EXPORT(driver_, DbFreeString)(name);
    return text;
}

std::vector<CapabilityAnswer> DriverSession::Capabilities() const {
    auto getInfo = DRIVER_EXPORT(driver_, DbGetInfo);
    std::vector<CapabilityAnswer> answers;
    // The driver leaves the cell alone for questions it does not answer.
    const uint32_t untouched = 0xCCCCCCCC;
    for (int32_t id = 1; id <= kCapabilityCount; ++id) {
        uint32_t value = untouched;
        const int32_t result = getInfo(nullptr, id, &value);
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
    Check("DbFetchLogonUIInfo",
          DRIVER_EXPORT(driver_, DbFetchLogonUIInfo)(nullptr, typed.get(), nullptr, language_.c_str(), &dialog));
    std::unique_ptr<DbLogonInfo, decltype(&DbFreeLogonInfo)> logonInfo(dialog, DRIVER_EXPORT(driver_, DbFreeLogonInfo));
    DbLogonInfo* newLogonInfo = nullptr;
    DbErrorInfo* errors = nullptr;
    const int32_t result = DRIVER_EXPORT(driver_, DbLogonServer)(logonInfo.get(), &newLogonInfo, nullptr, nullptr,
                                                        language_.c_str(), &server_, &errors);
    DRIVER_EXPORT(driver_, DbFreeLogonInfo)(newLogonInfo);
    Check("DbLogonServer", result, errors);
}

void DriverSession::LogOff() {
    Check("DbLogoffServer", DRIVER_EXPORT(driver_, DbLogoffServer)(std::exchange(server_, nullptr)));
}

std::vector<std::wstring> DriverSession::Tables() const {
    DbTableInfo** list = nullptr;
    uint32_t count = 0;
    Check("DbFetchTableList", DRIVER_EXPORT(driver_, DbFetchTableList)(server_, nullptr, nullptr, 0, &list, &count, nullptr));
    std::vector<std::wstring> names;
    for (uint32_t i = 0; i < count; ++i) names.push_back(list[i]->firstText ? list[i]->firstText : L"");
    DRIVER_EXPORT(driver_, DbFreeTableList)(&count, list);
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

std::vector<FieldInfo> DriverSession::FetchFields(const DbTableInfo& table, const ParameterList& parameters) const {
    uint32_t count = 0;
    DbFieldDescription** fields = nullptr;
    DbErrorInfo* errors = nullptr;
    Check("DbFetchTableFields",
          DRIVER_EXPORT(driver_, DbFetchTableFields)(server_, &table, parameters.Count(), parameters.Records(),
                                            parameters.Values(), &count, &fields, &errors),
          errors);
    std::vector<FieldInfo> infos;
    for (uint32_t i = 0; i < count; ++i)
        infos.push_back({fields[i]->name ? fields[i]->name : L"", fields[i]->valueType, fields[i]->length});
    DRIVER_EXPORT(driver_, DbFreeFieldList)(count, fields);
    return infos;
}

std::vector<FieldInfo> DriverSession::Fields(const std::wstring& table, const ParameterTexts& texts) const {
    TableRecord record(*this, table);
    ParameterList parameters(*this, record.Get(), texts);
    return FetchFields(record.Get(), parameters);
}

ExecutedQuery DriverSession::Execute(const std::wstring& table, const ParameterTexts& texts) const {
    TableRecord record(*this, table);
    ParameterList parameters(*this, record.Get(), texts);
    ExecutedQuery query;
    query.fields = FetchFields(record.Get(), parameters);

    DbTableInfo* tables[] = {&record.Get()};
    DbQueryDefinition definition{};
    definition.tables = tables;
    definition.nTables = 1;
    definition.parameters = parameters.Records();
    definition.parameterValues = parameters.Values();
    definition.nParameters = parameters.Count();
    DbOpenRowsetHandle* opened = nullptr;
    DbErrorInfo* errors = nullptr;
    const int32_t executed = DRIVER_EXPORT(driver_, DbExecuteQuery)(server_, 0, &definition, nullptr, nullptr, nullptr,
                                                           &opened, nullptr, &errors);
    query.rowset = {opened, DRIVER_EXPORT(driver_, DbCloseRowset)};
    Check("DbExecuteQuery", executed, errors);

    auto freeBinding = DRIVER_EXPORT(driver_, DbFreeFieldBinding);
    for (size_t i = 0; i < query.fields.size(); ++i) {
        DbFieldBindingInfo request{};
        request.fieldName = query.fields[i].name.c_str();
        request.bindingKind = kBindByName;
        for (size_t j = 0; j < i; ++j) request.nameOccurrence += query.fields[j].name == query.fields[i].name ? 1 : 0;
        DbFieldBinding* binding = nullptr;
        errors = nullptr;
        const int32_t bound = DRIVER_EXPORT(driver_, DbBindToField)(query.rowset.get(), &request, &binding, &errors);
        query.bindings.emplace_back(binding, freeBinding);
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
    int32_t read = readRecord(query.rowset.get(), DbReadFirst, nullptr, &positioned, &errors);
    while (read == DbSuccess) {
        for (size_t i = 0; i < row.size(); ++i) {
            Check("DbReadVariantColumnValue",
                  readValue(query.rowset.get(), query.bindings[i].get(), nullptr, nullptr,
                            row[i].ReleaseAndGetAddressOf(), &errors),
                  errors);
        }
        if (!onRow(row)) return;
        read = readRecord(query.rowset.get(), DbReadNext, nullptr, &moving, &errors);
    }
    Check("DbReadRecord", read == DbNoMoreRecords ? DbSuccess : read, errors);
}
