// Queries and table fields through the exports as the engine asks for them: how parameter values
// become the method's arguments, the defaults of parameters without values, the recordset's
// columns as fields, and what each failure gives; nothing a call made is left allocated.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/dayNumber.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "engineFlow.h"
#include "support/liveAllocations.h"
#include "support/recordsetBuilder.h"
#include "support/registryValue.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

const wchar_t kNotExecuted[] = L" [303 Failed to execute the COM interface to obtain the Recordset.]";

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

TEST(Query, EachEngineValueBecomesTheArgumentOfItsOwnTypeLastParameterFirst) {
    const int32_t december6 = DayNumberFromDate(2026, 12, 6);
    DECIMAL oneAndAHalf{};
    VarDecFromR8(1.5, &oneAndAHalf);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    const struct {
        DbValue value;
        Variant expected;  // VT_EMPTY: refused with 808
    } rows[] = {
        {Discrete<uint8_t>(int8uValue, 200), Bits(VT_UI1, 200)},
        {Discrete<int16_t>(int16sValue, -2), Bits(VT_I2, 0xFFFE)},
        {Discrete<uint16_t>(int16uValue, 65000), Bits(VT_UI2, 65000)},
        {Discrete<int32_t>(int32sValue, -70000), Bits(VT_I4, static_cast<ULONG>(-70000))},
        {Discrete<uint32_t>(int32uValue, 4000000000u), Bits(VT_UI4, 4000000000u)},
        {Discrete<double>(numberValue, 2.5), R8(2.5)},
        {Discrete<int64_t>(currencyValue, 123456), Bits(VT_CY, 123456)},
        {Discrete<uint16_t>(booleanValue, 1), Bits(VT_BOOL, 0xFFFF)},
        {Discrete<uint16_t>(booleanValue, 0x100), Bits(VT_BOOL, 0)},  // the low byte decides
        {Discrete<uint16_t>(booleanValue, 0), Bits(VT_BOOL, 0)},
        {Discrete(dateValue, DbDateTime{december6, -1, 0}), DateVariant(2026, 12, 6)},
        {Discrete(timeValue, DbDateTime{-1, 3723, 0}), DateVariant(1899, 12, 30, 1, 2, 3)},
        {Discrete(dateTimeValue, DbDateTime{december6, 3723, 5}), DateVariant(2026, 12, 6, 1, 2, 3)},
        {DiscreteText(L"abc"), Text(L"abc")},
        {Discrete(decimalValue, oneAndAHalf), R8(1.5)},
        {Discrete<int64_t>(int64sValue, 1LL << 40), I8(1099511627776LL)},
        {Discrete<uint64_t>(int64uValue, ~0ULL), Bits(VT_UI8, ~0ULL)},
        {Discrete<int8_t>(int8sValue, -1), Variant()},
        {DiscreteText(L"long", memoValue), Variant()},
        {Discrete(blobValue, block), Variant()},
        {Discrete<uint64_t>(opaque64Value, 9), Variant()},
    };
    GlobalFree(block);
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Arguments");
    session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Variant());
    const DbValue seven = Discrete<int32_t>(int32sValue, 7);
    for (const auto& row : rows) {
        SCOPED_TRACE(Show(*row.expected.Get()) + " of type " + std::to_string(row.value.valueType));
        calls = MethodCalls();
        EngineQuery query(L"Query");
        query.Parameter(int32sValue, &seven).Parameter(stringValue, &row.value);
        if (row.expected.Get()->vt == VT_EMPTY) {
            EXPECT_EQ(session.Query(query),
                      L"808 [808 The parameter type can't be identified.\n Please use basic data types.]");
            EXPECT_EQ(calls.count, 0);
            continue;
        }
        EXPECT_EQ(session.Query(query), L"0 rowset");
        ASSERT_EQ(calls.count, 1);
        EXPECT_EQ(calls.locale + calls.namedArguments, 0u);
        EXPECT_EQ(calls.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        ASSERT_EQ(calls.arguments.size(), 2u);
        EXPECT_EQ(Show(*calls.arguments[0].Get()), Show(*row.expected.Get()));
        EXPECT_EQ(Show(*calls.arguments[1].Get()), Show(*I4(7).Get()));
    }
}

DbValue RangeOf(int32_t low, int32_t high) {
    DbValue range(int32sValue);
    const DbValue start = Discrete(int32sValue, low), end = Discrete(int32sValue, high);
    range.kind = rangeValueKind;
    range.data = NewRecord<DbRangeValue>(int32sValue, &start, 0, &end, 0);
    return range;
}

TEST(Query, ParametersWithoutEngineValuesTakeTheirCurrentValueOrTheirTypesDefault) {
    const DbValue current = Discrete<int32_t>(int32sValue, 42), five = Discrete<int32_t>(int32sValue, 5);
    const DbValue range = RangeOf(1, 9), text = DiscreteText(L"abc"), noValue(int32sValue);
    const struct {
        uint32_t valueType, typeOptions;
        const DbValue *current, *engineValue;
        bool missingRecord;
        Variant expected;  // VT_EMPTY: no call
        const wchar_t* outcome;
    } rows[] = {
        {stringValue, 0, nullptr, nullptr, false, Text(L""), L"0 rowset"},
        {stringValue, 0x0001, nullptr, nullptr, false, Text(L"00"), L"0 rowset"},  // a byte string
        {memoValue, 0, nullptr, nullptr, false, Variant(),
         L"808 [808 The parameter type can't be identified.\n Please use basic data types.]"},
        {dateValue, 0, nullptr, nullptr, false, TodayVariant(), L"0 rowset"},
        {dateTimeValue, 0, nullptr, nullptr, false, TodayVariant(), L"0 rowset"},
        {numberValue, 0, nullptr, nullptr, false, R8(0.0), L"0 rowset"},
        {booleanValue, 0, nullptr, nullptr, false, Bits(VT_BOOL, 0), L"0 rowset"},
        {int32sValue, 0, &noValue, &noValue, false, I4(0), L"0 rowset"},
        // 0 has no byte stream: no call, and a rowset without recordset.
        {blobValue, 0, nullptr, nullptr, false, Variant(), L"0 rowset"},
        {int32sValue, 0, &current, nullptr, false, I4(42), L"0 rowset"},
        {int16uValue, 0, &text, nullptr, false, Text(L"abc"), L"0 rowset"},  // of another type
        {int32sValue, 0, &current, &range, false, I4(42), L"0 rowset"},
        {int32sValue, 0, &current, &five, false, I4(5), L"0 rowset"},
        {0, 0, nullptr, nullptr, true, Bits(VT_ERROR, DISP_E_PARAMNOTFOUND), L"0 rowset"},
        {0, 0, nullptr, &five, true, I4(5), L"0 rowset"},
    };
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Defaults");
    session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Variant());
    for (const auto& row : rows) {
        SCOPED_TRACE(Show(*row.expected.Get()) + " for type " + std::to_string(row.valueType));
        calls = MethodCalls();
        EngineQuery query(L"Query");
        if (row.missingRecord)
            query.MissingParameter(row.engineValue);
        else
            query.Parameter(row.valueType, row.engineValue, row.typeOptions, row.current);
        EXPECT_EQ(session.Query(query), row.outcome);
        EXPECT_EQ(calls.count, row.expected.Get()->vt == VT_EMPTY ? 0 : 1);
        if (calls.count) {
            EXPECT_EQ(Show(*calls.arguments.at(0).Get()), Show(*row.expected.Get()));
        }
    }
}

TEST(Query, TheRecordsetStandsOnItsFirstRowAndFailedCallsGive303) {
    // Declared first, so that it outlives the provider's handler that hands it out.
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}, {I4(2)}}));
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Rowset");
    ServerHandle* handle = session.LogOn();
    ASSERT_EQ(static_cast<_Recordset*>(recordset)->MoveNext(), S_OK);
    MethodCalls calls, propertyCalls;
    AnswerCalls(session.provider, L"Query", calls, Object(recordset));
    // A read-only property that returns a recordset is a table as well.
    AnswerCalls(session.provider, L"AllQueries", propertyCalls, Object(recordset));
    for (const wchar_t* table : {L"Query", L"AllQueries"}) {
        EngineQuery query(table);
        QueryRun run;
        Execute(handle, query, run);
        ASSERT_EQ(run.result, 0);
        EXPECT_EQ(run.rowset->Recordset().Get(), static_cast<_Recordset*>(recordset));
        EXPECT_EQ(ValueAt(ComPtr<_Recordset>(recordset), 0).Get()->lVal, 1);
        EXPECT_EQ(recordset.References(), 4u) << "the test's, the two answers and the rowset's";
    }
    EXPECT_EQ(calls.count + propertyCalls.count, 2);
    EXPECT_EQ(recordset.References(), 3u);
    EXPECT_EQ(recordset.FieldsReferences(), 0u);

    // A recordset that refuses to move first is handed out all the same, its error object dropped.
    recordset.Script().Fail("_Recordset::MoveFirst", E_FAIL);
    EngineQuery query(L"Query");
    EXPECT_EQ(session.Query(query), L"0 rowset");
    ComPtr<IErrorInfo> left;
    EXPECT_EQ(GetErrorInfo(0, left.ReleaseAndGetAddressOf()), S_FALSE) << "the refusal's error object stays behind";

    // The provider's own error follows the driver's record, whether its exception gives it (at
    // once or through its deferred fill-in) or its error object; a bare failure gives none.
    const std::wstring providerError =
        L" [303 ADO Error Code: 0x80004005\nSource: FakeProvider\nDescription: The method failed on purpose.]";
    using Failures = FakeProvider::Failures;
    const struct {
        const wchar_t* method;
        Variant answer;
        HRESULT invokeResult;
        Failures failures;
        std::wstring outcome;
    } rows[] = {
        {L"Queri", Variant(), S_OK, Failures::Exceptions, L"303" + std::wstring(kNotExecuted)},  // GetIDsOfNames fails
        {L"Query", Variant(), E_FAIL, Failures::Exceptions, L"303" + std::wstring(kNotExecuted) + providerError},
        {L"Query", Variant(), E_FAIL, Failures::DeferredExceptions, L"303" + std::wstring(kNotExecuted) + providerError},
        {L"Query", Variant(), E_FAIL, Failures::ErrorObjects, L"303" + std::wstring(kNotExecuted) + providerError},
        {L"Query", Variant(), E_FAIL, Failures::Bare, L"303" + std::wstring(kNotExecuted)},
        {L"Query", Object(session.provider), S_OK, Failures::Exceptions, L"303" + std::wstring(kNotExecuted)},
        {L"Query", Object(nullptr), S_OK, Failures::Exceptions, L"303" + std::wstring(kNotExecuted)},
        // Nothing, or no object, returned: a rowset without recordset, whose reads give 11.
        {L"Query", Variant(), S_OK, Failures::Exceptions, L"0 rowset 11"},
        {L"Query", I4(3), S_OK, Failures::Exceptions, L"0 rowset 11"},
        {nullptr, Variant(), S_OK, Failures::Exceptions, L"10"},  // the table record names no method
    };
    const ULONG providerReferences = session.provider.References();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.outcome);
        Variant answer = row.answer;
        const HRESULT invokeResult = row.invokeResult;
        session.provider.RaiseFailures(row.failures);
        session.provider.OnInvoke(session.provider.DispIdOf(L"Query"),
                                  [&answer, invokeResult](const FakeProvider::Invocation&, Variant& result) {
                                      result = answer;
                                      return invokeResult;
                                  });
        // The exception's texts and everything else the call made are freed.
        EXPECT_EQ(LeftAllocated([&] {
                      EngineQuery failing(row.method ? row.method : L"");
                      if (!row.method) FreeText(std::exchange(failing.Table().firstText, nullptr));
                      QueryRun run;
                      Execute(handle, failing, run);
                      std::wstring outcome = std::to_wstring(run.result) + (run.rowset ? L" rowset" : L"");
                      const DbReadRequest next{};
                      if (run.rowset)
                          outcome += L" " + std::to_wstring(DbReadRecord(run.rowset, DbReadNext, nullptr, &next, nullptr));
                      EXPECT_EQ(outcome + Records(run.errors.head), row.outcome);
                  }),
                  LiveAllocations{});
    }
    EXPECT_EQ(session.provider.References(), providerReferences);
    session.provider.RaiseFailures(Failures::Exceptions);
    // More than one table: the first is queried; mode 4 without a handle is refused too.
    AnswerCalls(session.provider, L"Query", calls, Object(recordset));
    query.Definition().nTables = 2;
    EXPECT_EQ(session.Query(query), L"0 rowset");
    DbOpenRowsetHandle* rowset = nullptr;
    EXPECT_EQ(DbExecuteQuery(nullptr, 4, &query.Definition(), nullptr, nullptr, nullptr, &rowset, nullptr, nullptr), 12);
}

// The provider lists are read at a logon's first rowset: a change takes effect at the next logon.
TEST(Query, ProviderListsAreReadOncePerLogon) {
    ScriptableRecordset recordset(BuildRecordset({{L"Id", adInteger, 4}}, {{I4(1)}}));
    recordset.SetActiveConnection(Text(L"Provider=LISTED.1"));
    ProviderSession session(QueryInterfaceBuilder(), L"ZedbTests.Lists");
    MethodCalls calls;
    AnswerCalls(session.provider, L"Query", calls, Object(recordset));
    const auto inRecordMode = [&] {
        EngineQuery query(L"Query");
        QueryRun run;
        Execute(session.handle, query, run);
        return run.rowset->IsInRecordMode();
    };
    auto listed = std::make_unique<ProviderListValue>(HKEY_CURRENT_USER, kCustomFieldsProviders, L"LISTED");
    session.LogOn();
    EXPECT_TRUE(inRecordMode());
    listed.reset();
    EXPECT_TRUE(inRecordMode()) << "the same logon keeps its lists";
    DbLogoffServer(std::exchange(session.handle, nullptr));
    session.LogOn();
    EXPECT_FALSE(inRecordMode());
}

DispatchInterfaceBuilder FieldsInterface() {
    DispatchInterfaceBuilder builder(L"IFields");
    builder.Method(L"Orders", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"from", VT_DATE);
    builder.Method(L"Plain", Returns::Recordset);
    return builder;
}

TEST(TableFields, ColumnsOfTheReturnedRecordsetWithChaptersExpandedAndRefusedTypesLeftOut) {
    ComPtr<_Recordset> inner = BuildRecordset({{L"Item", adVarWChar, 12}, {L"Price", adCurrency, 8}}, {{Text(L"nut"), Null()}});
    ScriptableRecordset lines(BuildRecordset({{L"X", adDouble, 8}, {L"Y", adBigInt, 8}}, {{R8(1), I8(2)}}));
    lines.AddChapter(2, L"Parts", inner);
    ScriptableRecordset orders(BuildRecordset(
        {{L"A", adInteger, 4}, {L"C", adVarWChar, 10}, {L"Object", adIDispatch, 8}, {L"A", adDate, 8}},
        {{I4(1), Text(L"c"), Null(), Null()}}));
    orders.AddChapter(1, L"B", ComPtr<_Recordset>(lines));
    // A size beyond 32 bits counts as the largest: not as its low 32 bits (16, length 34).
    orders.DeclareDefinedSize(L"C", 0x100000010LL);
    ScriptableRecordset empty(BuildRecordset({{L"Id", adInteger, 4}}, {}));
    empty.AddChapter(1, L"Lines", BuildRecordset({{L"X", adInteger, 4}}, {}));
    ProviderSession session(FieldsInterface(), L"ZedbTests.Fields");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls, plainCalls;
    AnswerCalls(session.provider, L"Orders", calls, Object(orders));
    AnswerCalls(session.provider, L"Plain", plainCalls, Object(empty));

    const DbValue country = DiscreteText(L"NO");
    EngineQuery query(L"Orders");
    query.Parameter(stringValue, &country).Parameter(dateTimeValue);
    for (bool withValues : {false, true}) {
        EXPECT_EQ(session.Fields(query, withValues),
                  L"0 A:4/4/0 B-X:6/8/0 B-Y:17/8/0 B-Parts-Item:11/26/2 B-Parts-Price:7/8/0 C:11/512/2 A:15/12/0");
        ASSERT_EQ(calls.arguments.size(), 2u);
        EXPECT_EQ(calls.arguments[0].Get()->vt, VT_DATE);
        EXPECT_STREQ(calls.arguments[1].Get()->bstrVal, withValues ? L"NO" : L"");
    }
    // Every record, its texts and the array itself come back through DbFreeFieldList.
    EXPECT_EQ(LeftAllocated([&] { session.Fields(query, true); }), LiveAllocations{});
    EXPECT_EQ(calls.count, 4);
    EXPECT_EQ(orders.References(), 2u) << "the test's and the provider's answer";
    EXPECT_EQ(orders.FieldsReferences() + lines.FieldsReferences(), 0u);
    EXPECT_EQ(lines.References(), 2u) << "the test's and the chapter column's";

    // The records the engine gets.
    uint32_t count = 0;
    DbFieldDescription** fields = nullptr;
    ASSERT_EQ(DbFetchTableFields(handle, &query.Table(), 0, nullptr, nullptr, &count, &fields, nullptr), 0);
    const DbFieldDescription& field = *fields[0];
    EXPECT_EQ(std::wstring(field.description) + (field.textAt16 ? L" text at 16" : L"") + L" size " +
                  std::to_wstring(field.size) + L" " + std::to_wstring(field.fieldAt40) + L" " +
                  std::to_wstring(field.fieldAt0) + L" " + std::to_wstring(field.fieldAt44) + L" " +
                  std::to_wstring(field.fieldAt64) + L" " + std::to_wstring(field.fieldAt68),
              L" size 72 1 0 0 0 0");
    DbFreeFieldList(count, fields);

    EngineQuery plain(L"Plain"), unknown(L"Order");
    const DbValue one = Discrete<int32_t>(int32sValue, 1);
    unknown.Parameter(int32sValue, &one);
    EXPECT_EQ(session.Fields(plain, false), L"302") << "an empty recordset with a chapter";
    EXPECT_EQ(session.Fields(unknown, false), L"11") << "no such method, its own parameters";
    EXPECT_EQ(session.Fields(unknown, true), L"303" + std::wstring(kNotExecuted));
    session.provider.OnInvoke(session.provider.DispIdOf(L"Orders"),
                              [](const FakeProvider::Invocation&, Variant&) { return E_FAIL; });
    EXPECT_EQ(session.Fields(query, true),
              L"303" + std::wstring(kNotExecuted) +
                  L" [303 ADO Error Code: 0x80004005\nSource: FakeProvider\nDescription: The method failed on purpose.]");
    AnswerCalls(session.provider, L"Orders", calls, Variant());
    EXPECT_EQ(session.Fields(query, false), L"11") << "no recordset";

    auto** partial = static_cast<DbFieldDescription**>(std::calloc(3, sizeof(DbFieldDescription*)));
    partial[0] = NewRecord<DbFieldDescription>();
    partial[2] = NewRecord<DbFieldDescription>();
    EXPECT_EQ(DbFreeFieldList(3, partial), 0);
}

}  // namespace
