// Value records, per-type data and description records: deep copies and releases.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "common/dbvalue.h"
#include "common/descriptionRecords.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/valueData.h"
#include "reportedAssertions.h"
#include "support/countingUnknown.h"

namespace {

int32_t IntegerOf(const DbValue& value) { return *static_cast<const int32_t*>(value.data); }
void SetInteger(DbValue& value, int32_t number) { SetDiscreteValue(value, int32sValue, &number, true); }
DbRangeValue& RangeOf(const DbValue& value) { return *static_cast<DbRangeValue*>(value.data); }

// Makes the value own the record as data of the kind.
template <class Record>
Record* Own(DbValue& value, uint32_t kind, Record* record) {
    ClearValue(value);
    value.kind = kind;
    value.data = record;
    return record;
}

std::string BytesOf(HGLOBAL block) {
    std::string bytes(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

}  // namespace

TEST(ValueRecords, RangesAndListsAreDeepCopiesAndANestedRangeIsKeptWithAReport) {
    ReportedAssertions assertions;
    DbValue start(int32sValue), source(int32sValue), copy;
    SetInteger(start, 10);
    Own(source, rangeValueKind, NewRecord<DbRangeValue>(int32sValue, &start, 3, nullptr, 5));
    EXPECT_EQ(AssignValue(copy, &source), 0);
    ASSERT_TRUE(copy.hasRangeValue());
    DbRangeValue& range = RangeOf(copy);
    EXPECT_EQ(range.size, 40u);
    EXPECT_NE(range.startValue, RangeOf(source).startValue);
    EXPECT_EQ(IntegerOf(*range.startValue), 10);
    EXPECT_EQ(range.endValue->kind, noValueKind) << "an open end is an empty value of the range's type";
    EXPECT_EQ(range.startFlag, 3);
    EXPECT_EQ(range.endFlag, 5);

    DbValue outer(int32sValue);
    Own(outer, rangeValueKind, NewRecord<DbRangeValue>(int32sValue, &copy, 0, nullptr, 0));
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"dbvalue|startValue != NULL && !startValue->hasRangeValue"
                                                           L" () && !startValue->hasMultipleValues ()"});
    DbValue outerCopy(outer);
    EXPECT_TRUE(RangeOf(outerCopy).startValue->hasRangeValue());
    EXPECT_EQ(assertions.Take().size(), 1u);

    EXPECT_EQ(AssignValue(copy, RangeOf(copy).startValue), 0) << "a part of the destination is copied first";
    EXPECT_EQ(IntegerOf(copy), 10);
    Own<DbRangeValue>(source, rangeValueKind, nullptr);
    EXPECT_EQ(AssignValue(copy, &source), 0);
    EXPECT_TRUE(copy.hasRangeValue());
    EXPECT_EQ(copy.data, nullptr);

    auto* list = Own(source, multipleValuesKind, NewRecord<DbMultipleValues>(3, int32sValue));
    SetInteger(*list->values[0], 7);
    DeleteValue(list->values[1]);
    list->values[1] = nullptr;
    SetInteger(*list->values[2], 9);

    EXPECT_EQ(AssignValue(copy, &source), 0);
    ASSERT_TRUE(copy.hasMultipleValues());
    const auto& copied = *static_cast<const DbMultipleValues*>(copy.data);
    EXPECT_EQ(copied.size, 16u);
    ASSERT_EQ(copied.count, 3u);
    EXPECT_EQ(IntegerOf(*copied.values[0]), 7);
    ASSERT_NE(copied.values[1], nullptr) << "a missing entry becomes an empty value";
    EXPECT_EQ(copied.values[1]->kind, noValueKind);
    EXPECT_EQ(IntegerOf(*copied.values[2]), 9);
}

TEST(ValueRecords, BlobAndInterfaceValuesDuplicateWhatTheyHold) {
    const std::string bytes("\x01\x02\x00\xFFz", 5);
    auto* cell = static_cast<HGLOBAL*>(std::malloc(sizeof(HGLOBAL)));
    const HGLOBAL original = *cell = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(original), bytes.data(), bytes.size());
    GlobalUnlock(original);
    DbValue source(blobValue);
    SetDiscreteValue(source, blobValue, cell, false);

    DbValue copy(source);
    const HGLOBAL duplicate = *static_cast<HGLOBAL*>(copy.data);
    EXPECT_NE(duplicate, original);
    EXPECT_EQ(BytesOf(duplicate), bytes);
    EXPECT_EQ(GlobalFlags(duplicate) & (GMEM_DISCARDED | GMEM_DDESHARE), static_cast<UINT>(GMEM_DDESHARE));
    ClearValue(source);
    EXPECT_EQ(GlobalFlags(original), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the source's block is freed";
    EXPECT_EQ(BytesOf(duplicate), bytes) << "the copy's block is its own";
    ClearValue(copy);
    EXPECT_EQ(GlobalFlags(duplicate), static_cast<UINT>(GMEM_INVALID_HANDLE));

    CountingUnknown object;  // each holder of an interface value owns one reference
    IUnknown* pointer = &object;
    SetDiscreteValue(source, interfaceValue, &pointer, true);
    EXPECT_EQ(object.References(), 2);
    EXPECT_EQ(AssignValue(copy, &source), 0);
    EXPECT_EQ(object.References(), 3);
    ClearValue(source);
    EXPECT_EQ(object.References(), 2);
    IUnknown* local = nullptr;
    CopyValueData(copy.data, &local, sizeof(local), interfaceValue);
    EXPECT_EQ(local, pointer);
    EXPECT_EQ(object.References(), 3);
    local->Release();  // the reference that CopyValueData gave the local pointer
    ClearValue(copy);
    EXPECT_EQ(object.References(), 1);
    IUnknown* none = nullptr;
    FreeValueData(DuplicateValueData(&none, interfaceValue), interfaceValue);
}

// Every member holds a value of its own, so that a member copied from the wrong one shows.
TEST(DescriptionRecords, FieldDescriptionIsReadAsFarAsItsDeclaredSize) {
    for (uint32_t declaredSize : {36u, 40u, 72u}) {
        SCOPED_TRACE(declaredSize);
        DbFieldDescription source;
        source.fieldAt0 = 0x0102030405060708u;
        source.name = DuplicateText(L"Amount");
        source.textAt16 = DuplicateText(L"at 16");
        source.description = DuplicateText(L"described");
        source.textAt32 = DuplicateText(L"late");
        source.fieldAt40 = 40;
        source.fieldAt44 = 44;
        source.valueType = currencyValue;
        source.length = 52;
        source.typeOptions = 60;
        source.fieldAt64 = 64;
        source.fieldAt68 = 68;
        source.size = declaredSize;
        DbFieldDescription* copy = DuplicateFieldDescription(&source);
        EXPECT_EQ(copy->size, 72u);
        EXPECT_EQ(copy->fieldAt0, 0x0102030405060708u);
        EXPECT_STREQ(copy->name, L"Amount");
        EXPECT_NE(copy->name, source.name);
        EXPECT_STREQ(copy->textAt16, L"at 16");
        EXPECT_NE(copy->textAt16, source.textAt16);
        EXPECT_STREQ(copy->description, L"described");
        EXPECT_NE(copy->description, source.description);
        EXPECT_STREQ(copy->textAt32 ? copy->textAt32 : L"(none)", declaredSize >= 40 ? L"late" : L"(none)");
        EXPECT_EQ(std::make_tuple(copy->fieldAt40, copy->fieldAt44, copy->valueType, copy->length,
                                  copy->typeOptions, copy->fieldAt64),
                  std::make_tuple(40u, 44u, uint32_t{currencyValue}, 52u, 60u, 64u));
        EXPECT_EQ(copy->fieldAt68, declaredSize >= 72 ? 68u : 0u);
        DeleteRecord(copy);
    }
    DbValue empty(int32sValue);
    empty.kind = fieldDescriptionKind;  // no record: a copy holds a new default record
    DbValue copy(empty);
    EXPECT_EQ(static_cast<DbFieldDescription*>(copy.data)->fieldAt40, 1u);
}

// Through copies of values of the parameter description kind.
TEST(DescriptionRecords, ParameterDescriptionIsReadAsFarAsItsDeclaredSize) {
    for (uint32_t declaredSize : {60u, 70u, 112u, 120u}) {
        SCOPED_TRACE(declaredSize);
        DbValue value(stringValue);
        auto* source = Own(value, parameterDescriptionKind, NewRecord<DbParameterDescription>());
        source->name = DuplicateText(L"from");
        source->secondName = DuplicateText(L"second");
        source->currentValue = NewValue(int32sValue);
        SetInteger(*source->currentValue, 8);
        source->secondValue = NewValue(int32sValue);
        SetInteger(*source->secondValue, 9);
        source->fieldAt32 = 32;
        source->valueType = dateValue;
        source->length = 40;
        source->typeOptions = 44;
        source->fieldAt48 = 48;
        for (uint16_t i = 0; i < 10; ++i) source->wordsAt56[i] = static_cast<uint16_t>(100 + i);
        source->textAt80.Assign(L"slot");
        source->fieldAt112 = 77;
        source->size = declaredSize;

        DbValue copyValue(value);
        const auto* copy = static_cast<const DbParameterDescription*>(copyValue.data);
        EXPECT_EQ(copy->size, 120u);
        EXPECT_STREQ(copy->name, L"from");
        EXPECT_NE(copy->name, source->name);
        EXPECT_STREQ(copy->secondName, L"second");
        EXPECT_NE(copy->secondName, source->secondName);
        EXPECT_NE(copy->currentValue, source->currentValue);
        EXPECT_EQ(IntegerOf(*copy->currentValue), 8);
        EXPECT_NE(copy->secondValue, source->secondValue);
        EXPECT_EQ(IntegerOf(*copy->secondValue), 9);
        EXPECT_EQ(std::make_tuple(copy->fieldAt32, copy->valueType, copy->length, copy->typeOptions, copy->fieldAt48),
                  std::make_tuple(32u, uint32_t{dateValue}, 40u, 44u, 48u));
        for (size_t i = 0; i < 10; ++i) {
            const bool reached = i < 3 || declaredSize >= 58 + 2 * i;
            EXPECT_EQ(copy->wordsAt56[i], reached ? static_cast<int>(100 + i) : i == 9 ? 1 : 0) << "word " << i;
        }
        EXPECT_STREQ(copy->textAt80.c_str(), declaredSize >= 112 ? L"slot" : L"");
        EXPECT_EQ(copy->fieldAt112, declaredSize >= 120 ? 77u : 0u);
    }
    DbParameterDescription* bare = DuplicateParameterDescription(nullptr);
    DbParameterDescription* copy = DuplicateParameterDescription(bare);
    ASSERT_NE(copy->secondValue, nullptr) << "a missing second value becomes an empty value";
    EXPECT_EQ(copy->secondValue->valueType, uint32_t{noValueType});
    EXPECT_EQ(copy->currentValue, nullptr);
    DeleteRecord(bare);
    DeleteRecord(copy);
}
