// A table's fields through DbFetchTableFields as the engine asks for them: the method is called
// with the engine's values or its parameters' own, and the columns of its recordset come back as
// field description records; a failure on the way gives its code and record, and the next
// request on the same handle works.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/heapRecord.h"
#include "providerSession.h"
#include "support/liveAllocations.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

DispatchInterfaceBuilder FieldsInterface() {
    DispatchInterfaceBuilder builder(L"IFields");
    builder.Method(L"Orders", Returns::Recordset).Param(L"country", VT_BSTR).Param(L"from", VT_DATE);
    builder.Method(L"Plain", Returns::Recordset);
    return builder;
}

struct FieldList {
    int32_t result = -1;
    uint32_t count = 0xFFFFFFFF;
    DbFieldDescription** fields = reinterpret_cast<DbFieldDescription**>(0x10);
    ErrorList errors;
    ~FieldList() { DbFreeFieldList(count, fields); }

    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (uint32_t i = 0; i < count; ++i) names.emplace_back(fields[i]->name);
        return names;
    }
};

void FetchFields(ServerHandle* handle, EngineQuery& query, FieldList& list, bool withValues) {
    list.result = DbFetchTableFields(handle, &query.Table(), withValues ? query.Count() : 0,
                                     withValues ? query.Parameters() : nullptr, withValues ? query.Values() : nullptr,
                                     &list.count, &list.fields, &list.errors.head);
}

struct FieldRow {
    const wchar_t* name;
    uint32_t valueType;
    uint32_t length;
    uint32_t typeOptions;
};

TEST(TableFields, ColumnsOfTheReturnedRecordsetWithChaptersExpandedAndRefusedTypesLeftOut) {
    ComPtr<_Recordset> inner = BuildRecordset({{L"Item", adVarWChar, 12}, {L"Price", adCurrency, 8}}, {{Text(L"nut"), Null()}});
    ScriptableRecordset lines(BuildRecordset({{L"X", adDouble, 8}, {L"Y", adBigInt, 8}}, {{R8(1), I8(2)}}));
    lines.AddChapter(2, L"Parts", inner);
    ScriptableRecordset orders(BuildRecordset(
        {{L"A", adInteger, 4}, {L"C", adVarWChar, 10}, {L"Object", adIDispatch, 8}, {L"A", adDate, 8}},
        {{I4(1), Text(L"c"), Null(), Null()}}));
    orders.AddChapter(1, L"B", ComPtr<_Recordset>(lines));
    ProviderSession session(FieldsInterface(), L"ZedbTests.Fields");
    ServerHandle* handle = session.LogOn();
    MethodCalls calls;
    AnswerCalls(session.provider, L"Orders", calls, Object(orders));

    const FieldRow expected[] = {
        {L"A", int32sValue, 4, 0},
        {L"B-X", numberValue, 8, 0},
        {L"B-Y", int64sValue, 8, 0},
        {L"B-Parts-Item", stringValue, 26, 0x0002},
        {L"B-Parts-Price", currencyValue, 8, 0},
        {L"C", stringValue, 22, 0x0002},
        {L"A", dateTimeValue, 12, 0},
    };
    const DbValue country = DiscreteText(L"NO");
    EngineQuery query(L"Orders");
    query.Parameter(stringValue, &country).Parameter(dateTimeValue);
    for (bool withValues : {false, true}) {
        SCOPED_TRACE(withValues ? "the engine's values" : "the parameters' own values");
        FieldList list;
        FetchFields(handle, query, list, withValues);
        ASSERT_EQ(list.result, 0);
        EXPECT_EQ(list.errors.head, nullptr);
        ASSERT_EQ(list.count, std::size(expected));
        for (uint32_t i = 0; i < list.count; ++i) {
            const DbFieldDescription& field = *list.fields[i];
            EXPECT_STREQ(field.name, expected[i].name);
            EXPECT_EQ(field.valueType, expected[i].valueType) << i;
            EXPECT_EQ(field.length, expected[i].length) << i;
            EXPECT_EQ(field.typeOptions, expected[i].typeOptions) << i;
            ASSERT_NE(field.description, nullptr);
            EXPECT_STREQ(field.description, L"");
            EXPECT_EQ(field.textAt16, nullptr);
            EXPECT_EQ(field.size, 72u);
            EXPECT_EQ(field.fieldAt40, 1u);
            EXPECT_EQ(field.fieldAt0 + field.fieldAt44 + field.fieldAt64 + field.fieldAt68, 0u);
        }
        ASSERT_EQ(calls.arguments.size(), 2u);
        EXPECT_EQ(calls.arguments[0].Get()->vt, VT_DATE);
        EXPECT_STREQ(calls.arguments[1].Get()->bstrVal, withValues ? L"NO" : L"");
    }
    // Every record, its texts and the array itself come back through DbFreeFieldList.
    EXPECT_EQ(LeftAllocated([&] {
                  FieldList list;
                  FetchFields(handle, query, list, true);
              }),
              LiveAllocations{});
    EXPECT_EQ(calls.count, 4);
    EXPECT_EQ(orders.References(), 2u) << "the test's and the provider's answer";
    EXPECT_EQ(orders.FieldsReferences() + lines.FieldsReferences(), 0u);
    EXPECT_EQ(lines.References(), 2u) << "the test's and the chapter column's";
}

TEST(TableFields, NoRecordsetNoMethodAndAnEmptyChapterGiveNoFields) {
    ScriptableRecordset empty(BuildRecordset({{L"Id", adInteger, 4}}, {}));
    empty.AddChapter(1, L"Lines", BuildRecordset({{L"X", adInteger, 4}}, {}));
    ProviderSession session(FieldsInterface(), L"ZedbTests.NoFields");
    ServerHandle* handle = session.LogOn();
    MethodCalls orderCalls, plainCalls;
    AnswerCalls(session.provider, L"Orders", orderCalls, Variant());
    AnswerCalls(session.provider, L"Plain", plainCalls, Object(empty));

    EngineQuery nothingReturned(L"Orders"), emptyWithChapter(L"Plain"), unknown(L"Order");
    const DbValue one = Discrete<int32_t>(int32sValue, 1);
    unknown.Parameter(int32sValue, &one);
    struct {
        const char* label;
        EngineQuery& query;
        bool withValues;
        int32_t expected;
        const wchar_t* text;
    } rows[] = {
        {"the method returns nothing", nothingReturned, false, 11, nullptr},
        {"an empty recordset with a chapter", emptyWithChapter, false, 302, nullptr},
        {"no such method, own parameters", unknown, false, 11, nullptr},
        {"no such method, the engine's values", unknown, true, 303,
         L"Failed to execute the COM interface to obtain the Recordset."},
    };
    for (auto& row : rows) {
        SCOPED_TRACE(row.label);
        FieldList list;
        FetchFields(handle, row.query, list, row.withValues);
        EXPECT_EQ(list.result, row.expected);
        EXPECT_EQ(list.count, 0u);
        EXPECT_EQ(list.fields, nullptr);
        ASSERT_EQ(list.errors.Count(), row.text ? 1u : 0u);
        if (row.text) {
            EXPECT_STREQ(list.errors.head->text, row.text);
        }
    }

    uint32_t count = 7;
    DbFieldDescription** fields = nullptr;
    EXPECT_EQ(DbFetchTableFields(nullptr, &nothingReturned.Table(), 0, nullptr, nullptr, &count, &fields, nullptr), 12);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(DbFetchTableFields(handle, nullptr, 0, nullptr, nullptr, nullptr, &fields, nullptr), 12);
    auto** partial = static_cast<DbFieldDescription**>(std::calloc(3, sizeof(DbFieldDescription*)));
    partial[0] = NewRecord<DbFieldDescription>();
    partial[2] = NewRecord<DbFieldDescription>();
    EXPECT_EQ(DbFreeFieldList(3, partial), 0);
    EXPECT_EQ(DbFreeFieldList(0, nullptr), 0);
}

}  // namespace
