// Error records for the engine: the HRESULT table, the texts of COM failures, and the export
// boundary. The driver's own messages are pinned by the flows that give them.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ado/adoCommon.h"
#include "ado/exportBoundary.h"
#include "errorObject.h"
#include "support/comForwarder.h"
#include "support/driverInUse.h"
#include "support/errorRecords.h"

namespace {


// The list holds exactly one record with this code and text; none when text is null.
void ExpectOneRecord(const ErrorList& list, int32_t code, const wchar_t* text) {
    ASSERT_EQ(list.Count(), text ? 1u : 0u);
    if (!text) return;
    const DbErrorInfo& record = *list.head;
    EXPECT_EQ(std::to_wstring(record.code) + L" " + record.text + L" " + std::to_wstring(record.nativeError),
              std::to_wstring(code) + L" " + text + L" 0");
}

TEST(MapHResultToResultCode, EveryRowOfTheTableAndTheDefault) {
    const std::pair<uint32_t, int32_t> table[] = {
        {0x8007000E, 10}, {0x80070057, 12}, {0x80004003, 12}, {0x80070006, 12}, {0x80020005, 12},
        {0x800A0BB9, 12}, {0x800A0E7C, 12}, {0x800A0E7D, 12}, {0x80004001, 13}, {0x80004002, 13},
        {0x80020001, 13}, {0x800A0CB3, 13}, {0x800A0D5D, 600}, {0x80004005, -1}, {0x800A0BCD, -1},
        {0x0007000E, -1}, {0x00000000, -1}, {0x800A0D5E, -1}};
    for (const auto& [result, code] : table)
        for (int32_t defaultCode : {11, 501})
            EXPECT_EQ(MapHResultToResultCode(static_cast<HRESULT>(result), defaultCode), code < 0 ? defaultCode : code)
                << std::hex << result;
}

TEST(ReportComError, TextsAndCodesInLanguage1033) {
    struct Row {
        uint32_t result;
        const wchar_t* source;  // null: not set; no error object when neither text is set
        const wchar_t* description;
        int32_t defaultCode;
        int32_t code;
        const wchar_t* text;
    };
    const Row rows[] = {
        {0x80004005, L"ADODB.Recordset", L"Operation is not allowed.", 11, 11,
         L"ADO Error Code: 0x80004005\nSource: ADODB.Recordset\nDescription: Operation is not allowed."},
        {0x800A0D5D, L"Provider", L"Wrong type.", 11, 600,
         L"ADO Error Code: 0x800a0d5d\nSource: Provider\nDescription: Wrong type."},
        {0x80004005, L"", L"Only this.", 501, 501, L"ADO Error Code: 0x80004005\nDescription: Only this."},
        {0x80070057, L"Only source", nullptr, 11, 12, L"ADO Error Code: 0x80070057\nSource: Only source"},
        {0x800A0CB3, nullptr, L"", 11, 13, L"ADO Error Code: 0x800a0cb3"},
        {0x80004005, nullptr, nullptr, 501, 501, L"ADO Error Code: 0x80004005"},
        {0x000A0D5D, nullptr, nullptr, 303, 303, L"ADO Error Code: 0xa0d5d"},
    };
    DriverInUse driver;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ComError error(static_cast<HRESULT>(row.result),
                       row.source || row.description ? MakeErrorObject(row.source, row.description) : nullptr);
        for (const wchar_t* language : {L"", L"en-US"}) {
            ErrorList list;
            EXPECT_EQ(ReportComError(error, &list.head, language, row.defaultCode), row.code);
            ExpectOneRecord(list, row.code, row.text);
        }
    }
}

const ForwardedInterface kErrorObjectCalls{
    "IErrorInfo", IID_IErrorInfo, {FORWARDED_CALL(IErrorInfo, GetSource), FORWARDED_CALL(IErrorInfo, GetDescription)}};

// A real error object one of whose texts cannot be read.
class UnreadableErrorObject final : public Forwarder {
public:
    explicit UnreadableErrorObject(const char* failing)
        : Forwarder(kErrorObjectCalls, script_, MakeErrorObject(L"Source text", L"Description text"), "ErrorObject") {
        script_.Fail(failing, E_OUTOFMEMORY, WithoutErrorObject);
    }
    operator IErrorInfo*() { return As<IErrorInfo>(); }

private:
    CallScript script_;
};

// The record goes without that text's line; the object's references come back (checked as it goes).
TEST(ReportComError, AnErrorObjectThatCannotGiveATextLeavesItsLineOut) {
    DriverInUse driver;
    for (const std::string failing : {"IErrorInfo::GetSource", "IErrorInfo::GetDescription"}) {
        UnreadableErrorObject errorObject(failing.c_str());
        ErrorList list;
        EXPECT_EQ(ReportComError(ComError(E_FAIL, ComPtr<IErrorInfo>(errorObject)), &list.head, L"", 11), 11);
        const bool sourceFails = failing == "IErrorInfo::GetSource";
        ExpectOneRecord(list, 11, sourceFails ? L"ADO Error Code: 0x80004005\nDescription: Description text"
                                              : L"ADO Error Code: 0x80004005\nSource: Source text");
    }
    SetErrorInfo(0, nullptr);  // the stale object the refusals left on the thread
}

TEST(ExportBoundary, ComErrorsBecomeRecordsAndCodesAndOtherExceptionsCodes) {
    DriverInUse driver;
    EXPECT_EQ(ResultCodeFromComError(ComError(static_cast<HRESULT>(0x800A0D5D), MakeErrorObject(L"S", L"D"))), 600);
    EXPECT_EQ(ResultCodeFromComError(ComError(E_FAIL)), 11);
    EXPECT_EQ(ResultCodeFromComError(ComError(E_OUTOFMEMORY)), 10);
    ErrorList list;
    auto failing = [](HRESULT result) { return [result]() -> int32_t { throw ComError(result); }; };
    EXPECT_EQ(RunExport(&list.head, L"", 501, [] { return int32_t{0}; }), 0);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(RunExport(&list.head, L"", 501, failing(E_FAIL)), 501);
    ExpectOneRecord(list, 501, L"ADO Error Code: 0x80004005");
    EXPECT_EQ(RunExport(nullptr, L"", 501, failing(E_FAIL)), 501);
    EXPECT_EQ(RunExport(failing(static_cast<HRESULT>(0x800A0D5D))), 600);
    EXPECT_EQ(RunExport(&list.head, L"", 11, []() -> int32_t { throw std::bad_alloc(); }), 10);
    EXPECT_EQ(RunExport(&list.head, L"", 501, []() -> int32_t { throw std::runtime_error("other"); }), 11);
    EXPECT_EQ(RunExport([]() -> int32_t { throw 42; }), 11);
    EXPECT_EQ(list.head->next, nullptr);
}

}  // namespace
