#pragma once
// The provider check (dbhost check): how the provider's class is registered, every function of
// the dispatch interface that its object hands out with the driver's verdict on it, each table's
// parameters as the driver describes them, and, when asked, each table called as the engine's
// field listing calls it, with its fields beside the recordset's own columns.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driverFailure.h"
#include "driverSession.h"
#include "fieldRows.h"
#include "interfaceCheck.h"
#include "providerClass.h"
#include "recordsetColumns.h"

struct TableOutcome {
    UINT index = 0;  // the function's
    std::optional<DriverFailure> parameterFailure;  // DbFetchTableParameters
    bool called = false;
    std::optional<DriverFailure> callFailure;  // DbFetchTableFields without parameters
    RecordsetColumns columns;
    std::vector<FieldRow> fields;
    bool usable = false;
};

struct ProviderCheck {
    std::wstring programId;
    bool called = false;  // --call: each table's fields listed
    ProviderClass providerClass;
    std::string objectFailure;  // why the console could not create the object or read its type information
    std::optional<DriverFailure> logonFailure;  // DbLogonServer or DbFetchTableList
    InterfaceCheck typeInformation;
    std::vector<TableOutcome> tables;  // in the order of the functions
    int usableTables = 0;
};

ProviderCheck RunProviderCheck(DriverSession& session, const std::wstring& programId, bool call);
