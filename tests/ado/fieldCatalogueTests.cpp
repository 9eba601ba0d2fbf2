// A rowset's columns as field descriptions, chapter columns expanded into their recordsets'
// columns, and the look-ups that binding and reading rely on.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ado/adoExports.h"
#include "ado/fieldBinding.h"
#include "ado/openrowseth.h"
#include "ado/recordReading.h"
#include "common/resultCodes.h"
#include "support/errorRecords.h"
#include "support/recordsetBuilder.h"
#include "support/scriptableRecordset.h"
#include "support/variantValues.h"

namespace {

// The entries as " name:type/length/options" each.
std::wstring Describe(const FieldDescriptionList& list) {
    std::wstring described;
    for (const FieldDescriptionEntry& entry : list) {
        EXPECT_TRUE(entry.description.isEmpty());
        EXPECT_EQ(entry.furtherFields[0] | entry.furtherFields[1] | entry.furtherFields[2], 0u);
        described += L" " + std::wstring(entry.name.c_str()) + L":" + std::to_wstring(entry.valueType) + L"/" +
                     std::to_wstring(entry.length) + L"/" + std::to_wstring(entry.typeOptions);
    }
    return described;
}

TEST(FieldCatalogue, EmptyRecordsetWithChapterAndLookUps) {
    ScriptableRecordset chapter(BuildRecordset({{L"X", adInteger, 4}}, {{I4(1)}}));
    ScriptableRecordset outer(BuildRecordset({{L"A", adInteger, 4}}, {}));
    outer.AddChapter(1, L"B", ComPtr<_Recordset>(chapter));
    DbOpenRowsetHandle rowset{ComPtr<_Recordset>(outer)};
    ErrorList errors;
    ComPtr<Field> field;

    EXPECT_EQ(rowset.FindField(*Text(L"Nope").Get(), field, true, &errors.head), DbNoSuchField);
    FieldDescriptionList list;
    EXPECT_EQ(rowset.CollectFields(list, &errors.head), DbChapterNotOpened);
    EXPECT_EQ(Describe(list), L" A:4/4/0") << "entries so far stay";
    EXPECT_TRUE(rowset.EmptyWhenChapterOpened());
    EXPECT_EQ(rowset.FindField(*Text(L"Nope").Get(), field, true, &errors.head), DbChapterNotOpened);
    EXPECT_EQ(rowset.FindField(*Text(L"Nope").Get(), field, false, &errors.head), DbFailed);
    EXPECT_EQ(errors.Count(), 3u) << "each refused name leaves ADO's record";
    EXPECT_EQ(rowset.FindField(*I4(7).Get(), field, true, &errors.head), DbSuccess);
    EXPECT_FALSE(field);
    EXPECT_EQ(rowset.FindField(*I4(7).Get(), field, false, &errors.head), DbFailed);
    EXPECT_EQ(rowset.FindField(*Text(L"b").Get(), field, true, &errors.head), DbSuccess);
    EXPECT_EQ(errors.Count(), 5u);
    errors.Clear();

    DbOpenRowsetHandle child;
    EXPECT_EQ(rowset.OpenChapter(L"A", child, &errors.head), DbFailed) << "not a chapter";
    EXPECT_EQ(rowset.OpenChapter(L"", child, &errors.head), DbFailed);
    EXPECT_EQ(rowset.OpenChapter(nullptr, child, &errors.head), DbFailed);
    EXPECT_EQ(rowset.OpenChapter(L"Nope", child, &errors.head), DbMethodNotExecuted);
    EXPECT_EQ(errors.Count(), 1u);
    errors.Clear();
    EXPECT_FALSE(child.Recordset());
    field.Reset();

    // A name kept because the chapter found the rowset empty is looked up again on every read
    // until the first move forward, and reads nothing after it.
    DbFieldBindingInfo request{};
    request.fieldName = L"B-X";
    request.bindingKind = kBindByName;
    DbFieldBinding* binding = nullptr;
    ASSERT_EQ(DbBindToField(&rowset, &request, &binding, &errors.head), DbSuccess);
    EXPECT_FALSE(binding->field);
    EXPECT_EQ(binding->name, SWCharString(L"B-X"));
    Variant value;
    for (int read = 0; read < 2; ++read)
        EXPECT_EQ(DbReadVariantColumnValue(&rowset, binding, nullptr, nullptr, value.Get(), &errors.head),
                  DbChapterNotOpened);
    EXPECT_EQ(errors.Count(), 4u) << "the probe, the search and each read's look-up";
    errors.Clear();
    const DbReadRequest moving{0, 0};
    EXPECT_EQ(DbReadRecord(&rowset, DbReadNext, nullptr, &moving, nullptr), DbNoMoreRecords);
    EXPECT_EQ(DbReadVariantColumnValue(&rowset, binding, nullptr, nullptr, value.Get(), &errors.head), DbFailed);
    EXPECT_EQ(errors.head, nullptr);
    DbFreeFieldBinding(binding);
    // The rowset's own columns, looked at one by one since the chapter ended their walk.
    request.fieldName = L"A";
    for (uint32_t occurrence : {0u, 1u}) {
        request.nameOccurrence = occurrence;
        EXPECT_EQ(DbBindToField(&rowset, &request, &binding, &errors.head), occurrence ? DbNoSuchField : DbSuccess);
        EXPECT_EQ(binding && binding->field, occurrence == 0);
        DbFreeFieldBinding(std::exchange(binding, nullptr));
    }
    EXPECT_EQ(outer.FieldsReferences(), 0u);
}

}  // namespace
