#pragma once
// The driver in use as the report engine uses it, through its exports only: started in a
// language, logged on to a provider by Program ID, asked for tables, parameters and fields,
// and running queries whose rows are read column by column as VARIANTs. A failing export
// raises DriverFailure with its error records.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com/dbExports.h"
#include "common/variant.h"
#include "driverLibrary.h"
#include "driverTrace.h"
#include "parameterValues.h"

struct CapabilityAnswer {
    int32_t id;
    int32_t result;
    bool answered;
    uint32_t value;
};

struct ParameterInfo {
    std::wstring name;
    uint32_t valueType;
};

struct FieldInfo {
    std::wstring name;
    uint32_t valueType;
    uint32_t length;
};

// A query run by DbExecuteQuery: its open rowset with each field bound by name, the n-th field
// of a name to the n-th column of that name. The bindings go back before the rowset is closed,
// through the session, so that a trace shows those calls too.
struct ExecutedQuery {
    std::vector<FieldInfo> fields;
    std::unique_ptr<DbOpenRowsetHandle, std::function<void(DbOpenRowsetHandle*)>> rowset;
    std::vector<std::unique_ptr<DbFieldBinding, std::function<void(DbFieldBinding*)>>> bindings;
};

class DriverSession {
public:
    // With a trace, every export call is written to it.
    DriverSession(const DriverLibrary& driver, std::wstring language, const DriverTrace* trace = nullptr);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    std::wstring DatabaseType() const;
    std::vector<CapabilityAnswer> Capabilities() const;

    void LogOn(const std::wstring& programId);
    // Logs off the server handle, so that the session can log on again.
    void LogOff();
    std::vector<std::wstring> Tables() const;
    std::vector<ParameterInfo> Parameters(const std::wstring& table) const;
    std::vector<FieldInfo> Fields(const std::wstring& table, const ParameterTexts& parameters) const;
    // The fields as the engine's field listing asks for them: without parameters, so that the
    // driver calls the method with each parameter's current value or default.
    std::vector<FieldInfo> ListedFields(const std::wstring& table) const;

    ExecutedQuery Execute(const std::wstring& table, const ParameterTexts& parameters) const;
    // Runs the table's query: hands its fields to onFields once they are bound, then each row to
    // onRow, one VARIANT per field, until onRow returns false or the rows end.
    using FieldsHandler = std::function<void(const std::vector<FieldInfo>&)>;
    using RowHandler = std::function<bool(const std::vector<Variant>&)>;
    void Query(const std::wstring& table, const ParameterTexts& parameters, const FieldsHandler& onFields,
               const RowHandler& onRow) const;

    const DriverLibrary& Driver() const { return driver_; }
    // The logon's server handle, for callers that drive the exports themselves.
    ServerHandle* Server() const { return server_; }

private:
    class TableRecord;
    class ParameterList;
    // Every export call passes here; with a trace, describe() gives its arguments as text.
    template <class Export, class Describe, class... Arguments>
    int32_t Call(const char* name, Export function, const Describe& describe, DbErrorInfo* const* errors,
                 Arguments... arguments) const;
    void Check(const char* operation, int32_t result) const;
    // Copies and frees the error list, leaving errors null for the next call.
    void Check(const char* operation, int32_t result, DbErrorInfo*& errors) const;
    std::vector<FieldInfo> FetchFields(const DbTableInfo& table, uint32_t count, DbParameterDescription** parameters,
                                       DbValue** values) const;

    const DriverLibrary& driver_;
    std::wstring language_;
    const DriverTrace* trace_;
    ServerHandle* server_ = nullptr;
};
