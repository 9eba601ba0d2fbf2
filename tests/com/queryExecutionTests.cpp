// Queries through DbExecuteQuery as the engine runs them: how parameter values become the
// method's arguments, the defaults of parameters without values, and what each failure gives.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/dayNumber.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "providerSession.h"
#include "support/liveAllocations.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

const wchar_t kParameterTypeMessage[] = L"The parameter type can't be identified.\n Please use basic data types.";
const wchar_t kNotExecutedMessage[] = L"Failed to execute the COM interface to obtain the Recordset.";

DispatchInterfaceBuilder QueryInterfaceBuilder() {
    DispatchInterfaceBuilder builder(L"IQueries");
    builder.Method(L"Query", Returns::Recordset).Param(L"first", VT_BSTR).Param(L"second", VT_I4);
    builder.PropertyGet(L"AllQueries", Returns::Recordset);
    return builder;
}

// The type and the bytes that the type uses, as one comparable text.
std::string Show(const VARIANT& value) {
    std::string shown = "vt " + std::to_string(value.vt) + ": ";
    switch (value.vt) {
    case VT_UI1: return shown + std::to_string(value.bVal);
    case VT_I2: case VT_UI2: case VT_BOOL: return shown + std::to_string(value.uiVal);
    case VT_I4: case VT_UI4: case VT_ERROR: return shown + std::to_string(value.ulVal);
    case VT_BSTR: {
        std::wstring text(value.bstrVal ? value.bstrVal : L"<null>");
        return shown + "\"" + std::string(text.begin(), text.end()) + "\"";
    }
    case VT_EMPTY: return shown;
    default: return shown + std::to_string(value.ullVal);
    }
}

Variant Bits(VARTYPE type, ULONGLONG bits) {
    Variant value = Typed(type);
    value.Get()->ullVal = bits;
    return value;
}

Variant DateVariant(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    SYSTEMTIME time{year, month, 0, day, hour, minute, second, 0};
    Variant value = Typed(VT_DATE);
    SystemTimeToVariantTime(&time, &value.Get()->date);
    return value;
}

Variant TodayVariant() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DateVariant(now.wYear, now.wMonth, now.wDay);
}

struct ArgumentRow {
    const char* label;
    DbValue value;
    Variant expected;  // VT_EMPTY: refused with 808
};

TEST(QueryExecution, EachEngineValueBecomesTheArgumentOfItsOwnTypeLastParameterFirst) {
    const int32_t december6 = DayNumberFromDate(2026, 12, 6);
    DECIMAL oneAndAHalf{};
    VarDecFromR8(1.5, &oneAndAHalf);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ArgumentRow rows[] = {
        {"int8u", Discrete<uint8_t>(int8uValue, 200), Bits(VT_UI1, 200)},
        {"int16s", Discrete<int16_t>(int16sValue, -2), Bits(VT_I2, 0xFFFE)},
        {"int16u", Discrete<uint16_t>(int16uValue, 65000), Bits(VT_UI2, 65000)},
        {"int32s", Discrete<int32_t>(int32sValue, -70000), Bits(VT_I4, static_cast<ULONG>(-70000))},
        {"int32u", Discrete<uint32_t>(int32uValue, 4000000000u), Bits(VT_UI4, 4000000000u)},
        {"number", Discrete<double>(numberValue, 2.5), R8(2.5)},
        {"currency", Discrete<int64_t>(currencyValue, 123456), Bits(VT_CY, 123456)},
        {"boolean true", Discrete<uint16_t>(booleanValue, 1), Bits(VT_BOOL, 0xFFFF)},
        {"boolean, high byte only", Discrete<uint16_t>(booleanValue, 0x100), Bits(VT_BOOL, 0)},
        {"boolean false", Discrete<uint16_t>(booleanValue, 0), Bits(VT_BOOL, 0)},
        {"date", Discrete(dateValue, DbDateTime{december6, -1, 0}), DateVariant(2026, 12, 6)},
        {"time", Discrete(timeValue, DbDateTime{-1, 3661, 0}), DateVariant(1899, 12, 30, 1, 1, 1)},
        {"date and time", Discrete(dateTimeValue, DbDateTime{december6, 3661, 5}), DateVariant(2026, 12, 6, 1, 1, 1)},
        {"string", DiscreteText(L"abc"), Text(L"abc")},
        {"decimal", Discrete(decimalValue, oneAndAHalf), R8(1.5)},
        {"int64s 2^40", Discrete<int64_t>(int64sValue, 1LL << 40), I8(1099511627776LL)},
        {"int64u", Discrete<uint64_t>(int64uValue, ~0ULL), Bits(VT_UI8, ~0ULL)},
        {"int8s", Discrete<int8_t>(int8sValue, -1), Variant()},
        {"memo", DiscreteText(L"long", memoValue), Variant()},
        {"blob", Discrete(blobValue, block), Variant()},
        {"opaque 64", Discrete<uint64_t>(opaque64Value, 9), Variant()},
    };
    GlobalFree(block);
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Arguments");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Variant());
    const DbValue seven = Discrete<int32_t>(int32sValue, 7);
    for (ArgumentRow& row : rows) {
        SCOPED_TRACE(row.label);
        calls = MethodCalls();
        EngineQuery query(L"Query");
        query.Parameter(int32sValue, &seven).Parameter(stringValue, &row.value);
        QueryRun run;
        Execute(handle, query, run);
        if (row.expected.Get()->vt == VT_EMPTY) {
            EXPECT_EQ(run.result, 808);
            EXPECT_EQ(run.rowset, nullptr);
            EXPECT_EQ(calls.count, 0);
            ASSERT_EQ(run.errors.Count(), 1u);
            EXPECT_EQ(run.errors.head->code, 808u);
            EXPECT_STREQ(run.errors.head->text, kParameterTypeMessage);
            continue;
        }
        EXPECT_EQ(run.result, 0);
        EXPECT_NE(run.rowset, nullptr);
        EXPECT_EQ(run.errors.head, nullptr);
        ASSERT_EQ(calls.count, 1);
        EXPECT_EQ(calls.locale, 0u);
        EXPECT_EQ(calls.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        EXPECT_EQ(calls.namedArguments, 0u);
        ASSERT_EQ(calls.arguments.size(), 2u);
        EXPECT_EQ(Show(*calls.arguments[0].Get()), Show(*row.expected.Get()));
        EXPECT_EQ(Show(*calls.arguments[1].Get()), Show(*I4(7).Get()));
    }
}

struct DefaultRow {
    const char* label;
    uint32_t valueType;
    uint32_t typeOptions;
    const DbValue* current;
    const DbValue* engineValue;
    bool missingRecord;
    Variant expected;  // VT_EMPTY with expectedResult 808, or no call at all with 0
    int32_t expectedResult;
};

DbValue RangeOf(int32_t low, int32_t high) {
    DbValue range(int32sValue);
    const DbValue start = Discrete(int32sValue, low), end = Discrete(int32sValue, high);
    range.kind = rangeValueKind;
    range.data = NewRecord<DbRangeValue>(int32sValue, &start, 0, &end, 0);
    return range;
}

TEST(QueryExecution, ParametersWithoutEngineValuesTakeTheirCurrentValueOrTheirTypesDefault) {
    const DbValue current = Discrete<int32_t>(int32sValue, 42), five = Discrete<int32_t>(int32sValue, 5);
    const DbValue range = RangeOf(1, 9), text = DiscreteText(L"abc"), noValue(int32sValue);
    const DefaultRow rows[] = {
        {"string", stringValue, 0, nullptr, nullptr, false, Text(L""), 0},
        {"byte string", stringValue, 0x0001, nullptr, nullptr, false, Text(L"00"), 0},
        {"memo", memoValue, 0, nullptr, nullptr, false, Variant(), 808},
        {"date", dateValue, 0, nullptr, nullptr, false, TodayVariant(), 0},
        {"date and time", dateTimeValue, 0, nullptr, nullptr, false, TodayVariant(), 0},
        {"number", numberValue, 0, nullptr, nullptr, false, R8(0.0), 0},
        {"boolean", booleanValue, 0, nullptr, nullptr, false, Bits(VT_BOOL, 0), 0},
        {"int32s", int32sValue, 0, nullptr, nullptr, false, I4(0), 0},
        {"int32s without value data", int32sValue, 0, &noValue, &noValue, false, I4(0), 0},
        {"blob: no zero, no call", blobValue, 0, nullptr, nullptr, false, Variant(), 0},
        {"current value", int32sValue, 0, &current, nullptr, false, I4(42), 0},
        {"current value of another type", int16uValue, 0, &text, nullptr, false, Text(L"abc"), 0},
        {"range from the engine", int32sValue, 0, &current, &range, false, I4(42), 0},
        {"engine value before current", int32sValue, 0, &current, &five, false, I4(5), 0},
        {"no record, no value: missing", 0, 0, nullptr, nullptr, true, Bits(VT_ERROR, DISP_E_PARAMNOTFOUND), 0},
        {"no record, engine value", 0, 0, nullptr, &five, true, I4(5), 0},
    };
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Defaults");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Variant());
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(row.label);
        calls = MethodCalls();
        EngineQuery query(L"Query");
        if (row.missingRecord)
            query.MissingParameter(row.engineValue);
        else
            query.Parameter(row.valueType, row.engineValue, row.typeOptions, row.current);
        QueryRun run;
        Execute(handle, query, run);
        EXPECT_EQ(run.result, row.expectedResult);
        if (row.expected.Get()->vt == VT_EMPTY) {
            EXPECT_EQ(calls.count, 0);
            EXPECT_EQ(run.errors.Count(), row.expectedResult ? 1u : 0u);
            EXPECT_EQ(run.rowset != nullptr, row.expectedResult == 0) << "a rowset without recordset";
            continue;
        }
        ASSERT_EQ(calls.count, 1);
        ASSERT_EQ(calls.arguments.size(), 1u);
        EXPECT_EQ(Show(*calls.arguments[0].Get()), Show(*row.expected.Get()));
    }
}

int32_t ReadNext(DbOpenRowsetHandle* rowset) {
    DbReadRequest request{};
    return DbReadRecord(rowset, DbReadNext, nullptr, &request, nullptr);
}

TEST(QueryExecution, TheRecordsetStandsOnItsFirstRowAndEveryReferenceComesBack) {
    // Declared first, so that it outlives the provider's handler that hands it out.
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}}));
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Rowset");
    ServerHandle* handle = session.LogOn();
    const ULONG providerReferences = session.provider.References();
    ASSERT_EQ(static_cast<_Recordset*>(recordset)->MoveNext(), S_OK);
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Object(recordset));
    EngineQuery query(L"Query");
    {
        QueryRun run;
        Execute(handle, query, run);
        ASSERT_EQ(run.result, 0);
        ASSERT_NE(run.rowset, nullptr);
        EXPECT_EQ(run.rowset->Recordset().Get(), static_cast<_Recordset*>(recordset));
        EXPECT_EQ(recordset.Script().Calls("_Recordset::MoveFirst"), 1);
        EXPECT_EQ(ValueAt(ComPtr<_Recordset>(recordset), 0).Get()->lVal, 1);
        EXPECT_EQ(recordset.References(), 3u) << "the test's, the provider's answer and the rowset's";
    }
    EXPECT_EQ(recordset.References(), 2u);
    EXPECT_EQ(recordset.FieldsReferences(), 0u);

    // A read-only property that returns a recordset is a table as well.
    MethodCalls propertyCalls;
    AnswerCalls(session.provider, L"AllQueries", propertyCalls, Object(recordset));
    EngineQuery property(L"AllQueries");
    {
        QueryRun run;
        Execute(handle, property, run);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(propertyCalls.count, 1);
        ASSERT_NE(run.rowset, nullptr);
        EXPECT_EQ(run.rowset->Recordset().Get(), static_cast<_Recordset*>(recordset));
    }

    // A recordset that refuses to move first is handed out all the same.
    recordset.Script().Fail("_Recordset::MoveFirst", E_FAIL);
    QueryRun refused;
    Execute(handle, query, refused);
    EXPECT_EQ(refused.result, 0);
    EXPECT_NE(refused.rowset, nullptr);
    EXPECT_EQ(refused.errors.head, nullptr);
    ComPtr<IErrorInfo> left;
    EXPECT_EQ(GetErrorInfo(0, left.ReleaseAndGetAddressOf()), S_FALSE) << "the refusal's error object stays behind";
    EXPECT_EQ(session.provider.References(), providerReferences);
}

struct FailureRow {
    const char* label;
    const wchar_t* method;
    Variant answer;
    HRESULT invokeResult;
    int32_t expected;
    const wchar_t* message;  // null: no record
    bool rowsetWithoutRecordset;
};

TEST(QueryExecution, FailedCallsGive303WithItsMessageAndNoObjectGivesAnEmptyRowset) {
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Failures");
    ServerHandle* handle = session.LogOn();
    const FailureRow rows[] = {
        {"misspelt method (GetIDsOfNames fails)", L"Queri", Variant(), S_OK, 303, kNotExecutedMessage, false},
        {"provider exception (Invoke fails)", L"Query", Variant(), DISP_E_EXCEPTION, 303, kNotExecutedMessage, false},
        {"object without _Recordset", L"Query", Object(&session.provider), S_OK, 303, kNotExecutedMessage, false},
        {"null object", L"Query", Object(nullptr), S_OK, 303, kNotExecutedMessage, false},
        {"nothing returned", L"Query", Variant(), S_OK, 0, nullptr, true},
        {"a number returned", L"Query", I4(3), S_OK, 0, nullptr, true},
        {"no method name", nullptr, Variant(), S_OK, 10, nullptr, false},
    };
    const ULONG providerReferences = session.provider.References();
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        Variant answer = row.answer;
        const HRESULT invokeResult = row.invokeResult;
        session.provider.OnInvoke(session.provider.DispIdOf(L"Query"),
                                  [&answer, invokeResult](const FakeProvider::Invocation&, Variant& result) {
                                      result = answer;
                                      return invokeResult;
                                  });
        // The exception's texts and everything else the call made are freed.
        EXPECT_EQ(LeftAllocated([&] {
            EngineQuery query(row.method ? row.method : L"");
            if (!row.method) FreeText(std::exchange(query.Table().firstText, nullptr));
            QueryRun run;
            Execute(handle, query, run);
            EXPECT_EQ(run.result, row.expected);
            ASSERT_EQ(run.errors.Count(), row.message ? 1u : 0u);
            if (row.message) {
                EXPECT_EQ(run.errors.head->code, static_cast<uint32_t>(row.expected));
                EXPECT_STREQ(run.errors.head->text, row.message);
            }
            EXPECT_EQ(run.rowset != nullptr, row.expected == 0);
            if (row.rowsetWithoutRecordset) {
                EXPECT_EQ(ReadNext(run.rowset), 11);
            }
        }), LiveAllocations{});
    }
    EXPECT_EQ(session.provider.References(), providerReferences);
}

TEST(QueryExecution, MissingArgumentsGive12AndCloseAcceptsNull) {
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Arguments12");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Variant());
    EngineQuery query(L"Query");
    DbOpenRowsetHandle* rowset = reinterpret_cast<DbOpenRowsetHandle*>(0x10);
    EXPECT_EQ(DbExecuteQuery(nullptr, 4, &query.Definition(), nullptr, nullptr, nullptr, &rowset, nullptr, nullptr), 12);
    EXPECT_EQ(DbExecuteQuery(handle, 0, nullptr, nullptr, nullptr, nullptr, &rowset, nullptr, nullptr), 12);
    EXPECT_EQ(DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 12);
    query.Definition().tables = nullptr;
    EXPECT_EQ(DbExecuteQuery(handle, 0, &query.Definition(), nullptr, nullptr, nullptr, &rowset, nullptr, nullptr), 12);
    EXPECT_EQ(rowset, reinterpret_cast<DbOpenRowsetHandle*>(0x10)) << "written only on success";
    EXPECT_EQ(calls.count, 0);
    // More than one table: the first is queried.
    EngineQuery twoTables(L"Query");
    twoTables.Definition().nTables = 2;
    QueryRun run;
    Execute(handle, twoTables, run);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(calls.count, 1);
    EXPECT_EQ(DbCloseRowset(nullptr), 0);
}

}  // namespace
