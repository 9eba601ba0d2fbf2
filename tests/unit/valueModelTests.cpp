// Value records, per-type data and description records: deep copies and releases.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "common/comPtr.h"
#include "common/dbvalue.h"
#include "common/descriptionRecords.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/valueData.h"
#include "reportedAssertions.h"

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

    // Each holder of an interface value owns one reference; the object's count reads back.
    ComPtr<ICreateErrorInfo> object;
    ASSERT_EQ(CreateErrorInfo(object.ReleaseAndGetAddressOf()), S_OK);
    IUnknown* pointer = object.Get();
    const auto references = [pointer] { return (pointer->AddRef(), pointer->Release()); };
    SetDiscreteValue(source, interfaceValue, &pointer, true);
    EXPECT_EQ(references(), 2u);
    EXPECT_EQ(AssignValue(copy, &source), 0);
    EXPECT_EQ(references(), 3u);
    ClearValue(source);
    EXPECT_EQ(references(), 2u);
    IUnknown* local = nullptr;
    CopyValueData(copy.data, &local, sizeof(local), interfaceValue);
    EXPECT_EQ(local, pointer);
    EXPECT_EQ(references(), 3u);
    local->Release();  // the reference that CopyValueData gave the local pointer
    ClearValue(copy);
    EXPECT_EQ(references(), 1u);
    IUnknown* none = nullptr;
    FreeValueData(DuplicateValueData(&none, interfaceValue), interfaceValue);
}

// A text, and whether the copy holds it in a block of its own.
std::wstring Copied(const wchar_t* copy, const wchar_t* source) {
    return std::wstring(copy ? copy : L"(none)") + (copy && copy == source ? L" (shared)" : L"");
}

// Every member holds a value of its own, so that a member copied from the wrong one shows.
TEST(DescriptionRecords, FieldDescriptionIsReadAsFarAsItsDeclaredSize) {
    for (uint32_t declaredSize : {36u, 40u, 72u}) {
        DbFieldDescription source;
        source.fieldAt0 = 0x0102030405060708u;
        source.name = DuplicateText(L"Amount");
        source.textAt16 = DuplicateText(L"at 16");
        source.description = DuplicateText(L"described");
        source.textAt32 = DuplicateText(L"late");
        std::tie(source.fieldAt40, source.fieldAt44, source.valueType, source.length, source.typeOptions,
                 source.fieldAt64, source.fieldAt68) = std::make_tuple(40, 44, currencyValue, 52, 60, 64, 68);
        source.size = declaredSize;
        DbFieldDescription* copy = DuplicateFieldDescription(&source);
        const std::wstring late = declaredSize >= 40 ? L"late" : L"(none)", last = declaredSize >= 72 ? L"68" : L"0";
        EXPECT_EQ(Copied(copy->name, source.name) + L"|" + Copied(copy->textAt16, source.textAt16) + L"|" +
                      Copied(copy->description, source.description) + L"|" + Copied(copy->textAt32, nullptr) + L"|" +
                      std::to_wstring(copy->fieldAt0) + L" " + std::to_wstring(copy->fieldAt40) + L" " +
                      std::to_wstring(copy->fieldAt44) + L" " + std::to_wstring(copy->valueType) + L" " +
                      std::to_wstring(copy->length) + L" " + std::to_wstring(copy->typeOptions) + L" " +
                      std::to_wstring(copy->fieldAt64) + L" " + std::to_wstring(copy->fieldAt68) + L" size " +
                      std::to_wstring(copy->size),
                  L"Amount|at 16|described|" + late + L"|72623859790382856 40 44 7 52 60 64 " + last + L" size 72")
            << declaredSize;
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
        DbValue value(stringValue);
        auto* source = Own(value, parameterDescriptionKind, NewRecord<DbParameterDescription>());
        source->name = DuplicateText(L"from");
        source->secondName = DuplicateText(L"second");
        source->currentValue = NewValue(int32sValue);
        SetInteger(*source->currentValue, 8);
        source->secondValue = NewValue(int32sValue);
        SetInteger(*source->secondValue, 9);
        std::tie(source->fieldAt32, source->valueType, source->length, source->typeOptions, source->fieldAt48) =
            std::make_tuple(32, dateValue, 40, 44, 48);
        for (uint16_t i = 0; i < 10; ++i) source->wordsAt56[i] = static_cast<uint16_t>(100 + i);
        source->textAt80.Assign(L"slot");
        source->fieldAt112 = 77;
        source->size = declaredSize;

        DbValue copyValue(value);
        const auto* copy = static_cast<const DbParameterDescription*>(copyValue.data);
        std::wstring words;
        for (uint16_t word : copy->wordsAt56) words += L" " + std::to_wstring(word);
        EXPECT_EQ(Copied(copy->name, source->name) + L"|" + Copied(copy->secondName, source->secondName) + L"|" +
                      std::to_wstring(IntegerOf(*copy->currentValue)) + L" " +
                      std::to_wstring(IntegerOf(*copy->secondValue)) + L"|" + std::to_wstring(copy->fieldAt32) + L" " +
                      std::to_wstring(copy->valueType) + L" " + std::to_wstring(copy->length) + L" " +
                      std::to_wstring(copy->typeOptions) + L" " + std::to_wstring(copy->fieldAt48) + L"|" + words +
                      L"|" + copy->textAt80.c_str() + L"|" + std::to_wstring(copy->fieldAt112) + L" size " +
                      std::to_wstring(copy->size),
                  std::wstring(L"from|second|8 9|32 9 40 44 48|") +
                      (declaredSize == 60   ? L" 100 101 102 0 0 0 0 0 0 1||0"
                       : declaredSize == 70 ? L" 100 101 102 103 104 105 106 0 0 1||0"
                       : declaredSize == 112 ? L" 100 101 102 103 104 105 106 107 108 109|slot|0"
                                             : L" 100 101 102 103 104 105 106 107 108 109|slot|77") +
                      L" size 120")
            << declaredSize;
        EXPECT_NE(copy->currentValue, source->currentValue);
        EXPECT_NE(copy->secondValue, source->secondValue);
    }
    DbParameterDescription* bare = DuplicateParameterDescription(nullptr);
    DbParameterDescription* copy = DuplicateParameterDescription(bare);
    ASSERT_NE(copy->secondValue, nullptr) << "a missing second value becomes an empty value";
    EXPECT_EQ(copy->secondValue->valueType, uint32_t{noValueType});
    EXPECT_EQ(copy->currentValue, nullptr);
    DeleteRecord(bare);
    DeleteRecord(copy);
}
