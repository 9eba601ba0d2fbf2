// Error records for the engine: the HRESULT table, the texts of COM failures and of the
// driver's own messages, and the order of the chain.

#include <gtest/gtest.h>

#include <stdexcept>

#include "ado/adoCommon.h"
#include "com/exportBoundary.h"
#include "errorObject.h"
#include "support/driverInUse.h"

namespace {

// Frees whatever a test leaves in its list.
struct ErrorList {
    DbErrorInfo* head = nullptr;
    ~ErrorList() { FreeErrorInfoChain(head); }
};

struct MappingRow {
    uint32_t result;
    int32_t code;
};

const MappingRow kMappingTable[] = {
    {0x8007000E, 10},  {0x80070057, 12}, {0x80004003, 12}, {0x80070006, 12}, {0x80020005, 12},
    {0x800A0BB9, 12},  {0x800A0E7C, 12}, {0x800A0E7D, 12}, {0x80004001, 13}, {0x80004002, 13},
    {0x80020001, 13},  {0x800A0CB3, 13}, {0x800A0D5D, 600},
};

TEST(MapHResultToResultCode, EveryRowOfTheTableAndTheDefault) {
    for (const MappingRow& row : kMappingTable) {
        EXPECT_EQ(MapHResultToResultCode(static_cast<HRESULT>(row.result), 11), row.code) << std::hex << row.result;
        EXPECT_EQ(MapHResultToResultCode(static_cast<HRESULT>(row.result), 501), row.code) << std::hex << row.result;
    }
    for (uint32_t other : {0x80004005u, 0x800A0BCDu, 0x0007000Eu, 0x00000000u, 0x800A0D5Eu}) {
        EXPECT_EQ(MapHResultToResultCode(static_cast<HRESULT>(other), 11), 11) << std::hex << other;
        EXPECT_EQ(MapHResultToResultCode(static_cast<HRESULT>(other), 303), 303) << std::hex << other;
    }
}

struct ComErrorRow {
    const char* name;
    uint32_t result;
    bool withErrorObject;
    const wchar_t* source;  // null: not set
    const wchar_t* description;
    int32_t defaultCode;
    int32_t code;
    const wchar_t* text;
};

const ComErrorRow kComErrorTexts[] = {
    {"source and description", 0x80004005, true, L"ADODB.Recordset", L"Operation is not allowed.", 11, 11,
     L"ADO Error Code: 0x80004005\nSource: ADODB.Recordset\nDescription: Operation is not allowed."},
    {"mapped code wins over default", 0x800A0D5D, true, L"Provider", L"Wrong type.", 11, 600,
     L"ADO Error Code: 0x800a0d5d\nSource: Provider\nDescription: Wrong type."},
    {"empty source left out", 0x80004005, true, L"", L"Only this.", 501, 501,
     L"ADO Error Code: 0x80004005\nDescription: Only this."},
    {"missing description left out", 0x80070057, true, L"Only source", nullptr, 11, 12,
     L"ADO Error Code: 0x80070057\nSource: Only source"},
    {"error object with nothing set", 0x800A0CB3, true, nullptr, L"", 11, 13, L"ADO Error Code: 0x800a0cb3"},
    {"no error object", 0x80004005, false, nullptr, nullptr, 501, 501, L"ADO Error Code: 0x80004005"},
    {"no leading zeros", 0x000A0D5D, false, nullptr, nullptr, 303, 303, L"ADO Error Code: 0xa0d5d"},
};

TEST(ReportComError, TextsAndCodesInLanguage1033) {
    DriverInUse driver;
    for (const ComErrorRow& row : kComErrorTexts) {
        SCOPED_TRACE(row.name);
        ComPtr<IErrorInfo> errorObject;
        if (row.withErrorObject) errorObject = MakeErrorObject(row.source, row.description);
        ComError error(static_cast<HRESULT>(row.result), errorObject);
        for (const wchar_t* language : {L"", L"en-US"}) {
            ErrorList list;
            EXPECT_EQ(ReportComError(error, &list.head, language, row.defaultCode), row.code);
            ASSERT_NE(list.head, nullptr);
            EXPECT_EQ(list.head->next, nullptr);
            EXPECT_EQ(list.head->code, static_cast<uint32_t>(row.code));
            EXPECT_STREQ(list.head->text, row.text);
            EXPECT_EQ(list.head->nativeError, 0);
        }
    }
}

TEST(ReportComError, MissingLabelsLeaveTheirLinesStartingWithTheColon) {
    ASSERT_EQ(DriverUserCount(), 0);  // no string table: every label is empty
    ErrorList list;
    ComError error(E_FAIL, MakeErrorObject(L"S", L"D"));
    EXPECT_EQ(ReportComError(error, &list.head, L"", 11), 11);
    ASSERT_NE(list.head, nullptr);
    EXPECT_STREQ(list.head->text, L": 0x80004005\n: S\n: D");
}

TEST(ErrorChain, LaterRecordsComeFirst) {
    DriverInUse driver;
    ErrorList list;
    EXPECT_EQ(ReportComError(ComError(E_FAIL), &list.head, L"", 501), 501);
    EXPECT_EQ(ReportDriverError(L"", 303, &list.head), 303);
    EXPECT_EQ(ReportComError(ComError(static_cast<HRESULT>(0x800A0D5D)), &list.head, L"", 11), 600);
    const uint32_t expectedCodes[] = {600, 303, 501};
    const DbErrorInfo* record = list.head;
    for (uint32_t code : expectedCodes) {
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->code, code);
        record = record->next;
    }
    EXPECT_EQ(record, nullptr);
    EXPECT_STREQ(list.head->next->next->text, L"ADO Error Code: 0x80004005");
}

struct DriverErrorRow {
    int32_t code;
    const wchar_t* text;  // null: nothing is added
};

const DriverErrorRow kDriverErrors[] = {
    {808, L"The parameter type can't be identified.\n Please use basic data types."},
    {303, L"Failed to execute the COM interface to obtain the Recordset."},
    {230, L"Failed to create an instance of the COM object."},
    {11, nullptr},
    {0, nullptr},
    {501, nullptr},
};

TEST(ReportDriverError, MessagesForTheirCodesAndNothingForOthers) {
    DriverInUse driver;
    for (const DriverErrorRow& row : kDriverErrors) {
        SCOPED_TRACE(row.code);
        ErrorList list;
        EXPECT_EQ(ReportDriverError(L"", row.code, &list.head), row.code);
        if (!row.text) {
            EXPECT_EQ(list.head, nullptr);
            continue;
        }
        ASSERT_NE(list.head, nullptr);
        EXPECT_EQ(list.head->next, nullptr);
        EXPECT_EQ(list.head->code, static_cast<uint32_t>(row.code));
        EXPECT_STREQ(list.head->text, row.text);
        EXPECT_EQ(list.head->nativeError, 0);
    }
}

TEST(ReportDriverError, AnEmptyMessageAddsNothing) {
    ASSERT_EQ(DriverUserCount(), 0);
    ErrorList list;
    EXPECT_EQ(ReportDriverError(L"", 808, &list.head), 808);
    EXPECT_EQ(list.head, nullptr);
}

TEST(ResultCodeFromComError, MapsWithDefault11) {
    DriverInUse driver;
    EXPECT_EQ(ResultCodeFromComError(ComError(static_cast<HRESULT>(0x800A0D5D), MakeErrorObject(L"S", L"D"))), 600);
    EXPECT_EQ(ResultCodeFromComError(ComError(E_FAIL)), 11);
    EXPECT_EQ(ResultCodeFromComError(ComError(E_OUTOFMEMORY)), 10);
}

TEST(ExportBoundary, ComErrorsBecomeRecordsAndOtherExceptionsCodes) {
    DriverInUse driver;
    ErrorList list;
    EXPECT_EQ(RunExport(&list.head, L"", 501, [] { return int32_t{0}; }), 0);
    EXPECT_EQ(list.head, nullptr);
    auto failing = [](HRESULT result) {
        return [result]() -> int32_t { throw ComError(result); };
    };
    EXPECT_EQ(RunExport(&list.head, L"", 501, failing(E_FAIL)), 501);
    ASSERT_NE(list.head, nullptr);
    EXPECT_EQ(list.head->code, 501u);
    EXPECT_STREQ(list.head->text, L"ADO Error Code: 0x80004005");
    DbErrorInfo* before = list.head;
    EXPECT_EQ(RunExport(nullptr, L"", 501, failing(E_FAIL)), 11);
    EXPECT_EQ(RunExport(failing(static_cast<HRESULT>(0x800A0D5D))), 600);
    EXPECT_EQ(RunExport(&list.head, L"", 11, []() -> int32_t { throw std::bad_alloc(); }), 10);
    EXPECT_EQ(RunExport(&list.head, L"", 501, []() -> int32_t { throw std::runtime_error("other"); }), 11);
    EXPECT_EQ(RunExport([]() -> int32_t { throw 42; }), 11);
    EXPECT_EQ(list.head, before);
}

}  // namespace
