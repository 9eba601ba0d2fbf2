// Error records for the engine: the HRESULT table, the texts of COM failures, and the export
// boundary. The driver's own messages are pinned by the flows that give them.

#include <gtest/gtest.h>

#include <stdexcept>

#include "ado/adoCommon.h"
#include "ado/exportBoundary.h"
#include "errorObject.h"
#include "support/handOut.h"
#include "support/driverInUse.h"
#include "support/errorRecords.h"

namespace {


// The list holds exactly one record with this code and text; none when text is null.
void ExpectOneRecord(const ErrorList& list, int32_t code, const wchar_t* text) {
    ASSERT_EQ(list.Count(), text ? 1u : 0u);
    if (!text) return;
    EXPECT_EQ(std::to_wstring(list.head->code) + L" " + list.head->text + L" " + std::to_wstring(list.head->nativeError),
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

// An error object that cannot give one of its texts: the record goes without that line.
class UnreadableErrorObject final : public IErrorInfo {
public:
    explicit UnreadableErrorObject(bool sourceFails) : sourceFails_(sourceFails) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return HandOutAs<IErrorInfo>(this, iid, IID_IErrorInfo, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) override { return Answer(sourceFails_, L"Source text", source); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override {
        return Answer(!sourceFails_, L"Description text", description);
    }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD*) override { return E_NOTIMPL; }
    ULONG References() const { return references_; }

private:
    // A failing read leaves a text behind, as a careless object might; it must not be shown.
    static HRESULT Answer(bool fails, const wchar_t* text, BSTR* out) {
        *out = SysAllocString(fails ? L"left behind" : text);
        if (!fails) return S_OK;
        SysFreeString(*out);
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    bool sourceFails_;
    ULONG references_ = 1;
};

TEST(ReportComError, AnErrorObjectThatCannotGiveATextLeavesItsLineOut) {
    DriverInUse driver;
    for (bool sourceFails : {true, false}) {
        UnreadableErrorObject errorObject(sourceFails);
        {
            ErrorList list;
            EXPECT_EQ(ReportComError(ComError(E_FAIL, ComPtr<IErrorInfo>(&errorObject)), &list.head, L"", 11), 11);
            ExpectOneRecord(list, 11, sourceFails ? L"ADO Error Code: 0x80004005\nDescription: Description text"
                                                  : L"ADO Error Code: 0x80004005\nSource: Source text");
        }
        EXPECT_EQ(errorObject.References(), 1u);
    }
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
