// Value records, per-type data and description records: deep copies and releases.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
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

// A value of kind range that owns a range of the given ends.
void SetRange(DbValue& value, const DbValue* start, uint16_t startFlag, const DbValue* end, uint16_t endFlag) {
    ClearValue(value);
    value.data = NewRecord<DbRangeValue>(value.valueType, start, startFlag, end, endFlag);
    value.kind = rangeValueKind;
}

HGLOBAL NewBlock(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::string BytesOf(HGLOBAL block) {
    std::string bytes(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

}  // namespace

TEST(ValueRecords, DiscreteValuesHoldACopyOrTakeTheGivenData) {
    DbValue value(int32sValue);
    EXPECT_EQ(value.size, 24u);
    EXPECT_EQ(value.kind, noValueKind);
    EXPECT_EQ(value.data, nullptr);

    int32_t number = 42;
    SetDiscreteValue(value, int32sValue, &number, true);
    EXPECT_EQ(value.kind, discreteValueKind);
    EXPECT_NE(value.data, &number);
    EXPECT_EQ(IntegerOf(value), 42);

    wchar_t* text = DuplicateText(L"taken");
    SetDiscreteValue(value, stringValue, text, false);
    EXPECT_EQ(value.data, text);
    EXPECT_EQ(value.valueType, static_cast<uint32_t>(stringValue));

    ClearValue(value);
    EXPECT_EQ(value.kind, noValueKind);
    EXPECT_EQ(value.data, nullptr);
    EXPECT_EQ(value.valueType, static_cast<uint32_t>(stringValue)) << "clearing keeps the type";

    SetDiscreteValue(value, dateValue, nullptr, true);
    EXPECT_EQ(value.kind, noValueKind);
    EXPECT_EQ(value.valueType, static_cast<uint32_t>(dateValue));
}

TEST(ValueRecords, AssignCopiesTextAndTypeDeeply) {
    wchar_t text[] = L"report";
    DbValue source(stringValue);
    SetDiscreteValue(source, stringValue, text, true);
    DbValue copy(source);
    EXPECT_EQ(copy.kind, discreteValueKind);
    EXPECT_EQ(copy.valueType, static_cast<uint32_t>(stringValue));
    EXPECT_NE(copy.data, source.data);
    EXPECT_STREQ(static_cast<const wchar_t*>(copy.data), L"report");

    DbValue typedButEmpty(currencyValue);
    EXPECT_EQ(AssignValue(copy, &typedButEmpty), 0);
    EXPECT_EQ(copy.kind, noValueKind);
    EXPECT_EQ(copy.valueType, static_cast<uint32_t>(currencyValue));

    SetInteger(copy, 5);
    EXPECT_EQ(AssignValue(copy, nullptr), 0);
    EXPECT_EQ(copy.kind, noValueKind);
    EXPECT_EQ(copy.valueType, static_cast<uint32_t>(int32sValue));
}

TEST(ValueRecords, RangesCopyBothEndsAndFlags) {
    DbValue start(int32sValue), end(int32sValue);
    SetInteger(start, 10);
    SetInteger(end, 20);
    DbValue source(int32sValue);
    SetRange(source, &start, 3, &end, 5);

    DbValue copy;
    EXPECT_EQ(AssignValue(copy, &source), 0);
    ASSERT_TRUE(copy.hasRangeValue());
    EXPECT_FALSE(copy.hasMultipleValues());
    DbRangeValue& range = RangeOf(copy);
    EXPECT_NE(&range, source.data);
    EXPECT_EQ(range.size, 40u);
    EXPECT_NE(range.startValue, RangeOf(source).startValue);
    EXPECT_EQ(IntegerOf(*range.startValue), 10);
    EXPECT_EQ(IntegerOf(*range.endValue), 20);
    EXPECT_EQ(range.startFlag, 3);
    EXPECT_EQ(range.endFlag, 5);

    DbValue open(dateValue);
    SetRange(open, nullptr, 0, nullptr, 1);
    EXPECT_EQ(RangeOf(open).startValue->kind, noValueKind);
    EXPECT_EQ(RangeOf(open).startValue->valueType, static_cast<uint32_t>(dateValue));
    EXPECT_EQ(RangeOf(open).endValue->valueType, static_cast<uint32_t>(dateValue));

    DbValue nullRange(int32sValue);
    nullRange.kind = rangeValueKind;
    EXPECT_EQ(AssignValue(copy, &nullRange), 0);
    EXPECT_TRUE(copy.hasRangeValue());
    EXPECT_EQ(copy.data, nullptr);
}

TEST(ValueRecords, ARangeInsideARangeIsKeptAndReported) {
    ReportedAssertions assertions;
    DbValue inner(int32sValue), end(int32sValue);
    SetRange(inner, nullptr, 0, nullptr, 0);
    SetInteger(end, 1);
    DbValue outer(int32sValue);
    SetRange(outer, &inner, 0, &end, 0);
    EXPECT_TRUE(RangeOf(outer).startValue->hasRangeValue());
    EXPECT_EQ(assertions.Take(),
              std::vector<std::wstring>{L"dbvalue|startValue != NULL && !startValue->hasRangeValue () && "
                                        L"!startValue->hasMultipleValues ()"});

    DbValue copy(outer);
    EXPECT_TRUE(RangeOf(copy).startValue->hasRangeValue());
    EXPECT_EQ(assertions.Take().size(), 1u);
}

TEST(ValueRecords, ListsCopyEveryEntryInOrder) {
    DbValue source(int32sValue);
    auto* list = NewRecord<DbMultipleValues>(3, int32sValue);
    SetInteger(*list->values[0], 7);
    DeleteValue(list->values[1]);
    list->values[1] = nullptr;
    SetInteger(*list->values[2], 9);
    source.kind = multipleValuesKind;
    source.data = list;

    DbValue copy(source);
    ASSERT_TRUE(copy.hasMultipleValues());
    const auto& copied = *static_cast<const DbMultipleValues*>(copy.data);
    EXPECT_EQ(copied.size, 16u);
    ASSERT_EQ(copied.count, 3u);
    EXPECT_EQ(IntegerOf(*copied.values[0]), 7);
    ASSERT_NE(copied.values[1], nullptr) << "a missing entry becomes an empty value";
    EXPECT_EQ(copied.values[1]->kind, noValueKind);
    EXPECT_EQ(IntegerOf(*copied.values[2]), 9);
    EXPECT_NE(copied.values[2]->data, list->values[2]->data);

    DbMultipleValues empty(0, int32sValue);
    EXPECT_EQ(empty.values, nullptr);
}

TEST(ValueRecords, AssigningAPartOfTheDestinationCopiesItFirst) {
    DbValue start(int32sValue), end(int32sValue);
    SetInteger(start, 11);
    SetInteger(end, 12);
    DbValue value(int32sValue);
    SetRange(value, &start, 0, &end, 0);
    EXPECT_EQ(AssignValue(value, RangeOf(value).endValue), 0);
    EXPECT_EQ(value.kind, discreteValueKind);
    EXPECT_EQ(IntegerOf(value), 12);
    EXPECT_EQ(AssignValue(value, &value), 0);
    EXPECT_EQ(IntegerOf(value), 12);
}

TEST(ValueRecords, DescriptionKindsCopyTheRecordOrItsDefaults) {
    DbValue fieldValue(int32sValue);
    fieldValue.kind = fieldDescriptionKind;  // no record: the copy holds a new default record
    DbValue fieldCopy(fieldValue);
    ASSERT_NE(fieldCopy.data, nullptr);
    EXPECT_EQ(static_cast<DbFieldDescription*>(fieldCopy.data)->size, 72u);

    DbValue parameterValue(stringValue);
    auto* parameter = NewRecord<DbParameterDescription>();
    parameter->name = DuplicateText(L"customerId");
    parameterValue.kind = parameterDescriptionKind;
    parameterValue.data = parameter;
    DbValue parameterCopy(parameterValue);
    const auto* copied = static_cast<const DbParameterDescription*>(parameterCopy.data);
    ASSERT_NE(copied, parameter);
    EXPECT_STREQ(copied->name, L"customerId");
    EXPECT_NE(copied->name, parameter->name);
}

TEST(ValueRecords, AnInvalidKindGives11AndNoValue) {
    ReportedAssertions assertions;
    DbValue source(int16sValue);
    source.kind = 6;
    DbValue destination(int32sValue);
    SetInteger(destination, 3);
    EXPECT_EQ(AssignValue(destination, &source), 11);
    EXPECT_EQ(destination.kind, noValueKind);
    EXPECT_EQ(destination.data, nullptr);
    EXPECT_EQ(destination.valueType, static_cast<uint32_t>(int16sValue));
    EXPECT_EQ(assertions.Take(), std::vector<std::wstring>{L"dbvalue|FALSE"});
}

TEST(BlobValues, CopiesDuplicateTheGlobalBlockAndFreeTheirOwn) {
    const std::string bytes("\x01\x02\x00\xFFz", 5);
    auto* cell = static_cast<HGLOBAL*>(std::malloc(sizeof(HGLOBAL)));
    *cell = NewBlock(bytes);
    const HGLOBAL original = *cell;
    DbValue source(blobValue);
    SetDiscreteValue(source, blobValue, cell, false);

    DbValue copy(source);
    const HGLOBAL duplicate = *static_cast<HGLOBAL*>(copy.data);
    ASSERT_NE(duplicate, nullptr);
    EXPECT_NE(duplicate, original);
    EXPECT_EQ(BytesOf(duplicate), bytes);
    EXPECT_EQ(GlobalFlags(duplicate) & (GMEM_DISCARDED | GMEM_DDESHARE), static_cast<UINT>(GMEM_DDESHARE))
        << "a shareable block that is not discarded";

    ClearValue(source);
    EXPECT_EQ(GlobalFlags(original), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the source's block is freed";
    EXPECT_EQ(BytesOf(duplicate), bytes) << "the copy's block is its own";
    ClearValue(copy);
    EXPECT_EQ(GlobalFlags(duplicate), static_cast<UINT>(GMEM_INVALID_HANDLE));

    EXPECT_EQ(DuplicateGlobalMemory(nullptr), nullptr);
}

TEST(InterfaceValues, EachHolderOwnsOneReference) {
    CountingUnknown object;
    IUnknown* pointer = &object;
    {
        DbValue value(interfaceValue);
        SetDiscreteValue(value, interfaceValue, &pointer, true);
        EXPECT_EQ(object.References(), 2);
        DbValue copy(value);
        EXPECT_EQ(object.References(), 3);
        ClearValue(value);
        EXPECT_EQ(object.References(), 2);

        IUnknown* cell = nullptr;
        CopyValueData(copy.data, &cell, sizeof(cell), interfaceValue);
        EXPECT_EQ(cell, pointer);
        EXPECT_EQ(object.References(), 3);
        FreeValueData(DuplicateValueData(&cell, interfaceValue), interfaceValue);
        EXPECT_EQ(object.References(), 3);
        pointer->Release();  // the reference that CopyValueData gave the local cell
    }
    EXPECT_EQ(object.References(), 1);

    IUnknown* none = nullptr;
    FreeValueData(DuplicateValueData(&none, interfaceValue), interfaceValue);
}

TEST(ValueData, SizesAndFixedSizeOfEveryType) {
    struct Row {
        uint32_t type;
        uint32_t size;
        bool fixed;
    };
    const Row rows[] = {
        {int8sValue, 1, true},     {int8uValue, 1, true},      {int16sValue, 2, true},   {int16uValue, 2, true},
        {int32sValue, 4, true},    {int32uValue, 4, true},     {numberValue, 8, true},   {currencyValue, 8, true},
        {booleanValue, 2, true},   {dateValue, 12, true},      {timeValue, 12, true},    {blobValue, 8, false},
        {dateTimeValue, 12, true}, {decimalValue, 16, true},   {int64sValue, 8, true},   {int64uValue, 8, true},
        {opaque64Value, 8, true},  {interfaceValue, 8, true},
    };
    ReportedAssertions assertions;
    for (const Row& row : rows) {
        EXPECT_EQ(ValueSize(row.type), row.size) << "type " << row.type;
        EXPECT_EQ(IsFixedSizeValue(row.type), row.fixed) << "type " << row.type;
    }
    EXPECT_TRUE(assertions.Take().empty());

    EXPECT_FALSE(IsFixedSizeValue(stringValue));
    EXPECT_FALSE(IsFixedSizeValue(memoValue));
    EXPECT_EQ(ValueSize(stringValue), 0u);
    EXPECT_EQ(ValueSize(12), 0u);
    EXPECT_TRUE(IsFixedSizeValue(12));
    EXPECT_EQ(assertions.Take(), (std::vector<std::wstring>{L"valueData|false", L"valueData|false",
                                                            L"valueData|FALSE"}));
}

TEST(ValueData, TextCopiesAreCutToTheBuffer) {
    wchar_t buffer[8];
    std::wmemset(buffer, L'#', 8);
    CopyValueData(L"abcdef", buffer, 8, stringValue);
    EXPECT_STREQ(buffer, L"abc");
    CopyValueData(L"xyz", buffer, 1, memoValue);
    EXPECT_STREQ(buffer, L"abc") << "a buffer without room for a terminator receives nothing";
    CopyValueData(L"", buffer, 16, stringValue);
    EXPECT_STREQ(buffer, L"");
}

TEST(ValueData, UnknownCodesAreReportedAndLeftAlone) {
    ReportedAssertions assertions;
    int32_t number = 1;
    EXPECT_EQ(DuplicateValueData(&number, 12), nullptr);
    void* block = std::malloc(4);
    FreeValueData(block, 12);
    std::memset(block, 0, 4);  // still ours: the unknown code did not free it
    std::free(block);
    CopyValueData(&number, nullptr, 4, int32sValue);
    EXPECT_EQ(assertions.Take().size(), 3u);
}

TEST(DescriptionRecords, ConstructorsSetTheDefaults) {
    DbFieldDescription field;
    EXPECT_EQ(field.size, 72u);
    EXPECT_EQ(field.fieldAt40, 1u);
    EXPECT_EQ(field.valueType, static_cast<uint32_t>(noValueType));
    EXPECT_EQ(field.name, nullptr);

    DbParameterDescription parameter;
    EXPECT_EQ(parameter.size, 120u);
    EXPECT_EQ(parameter.valueType, static_cast<uint32_t>(noValueType));
    EXPECT_EQ(parameter.wordsAt56[9], 1);
    EXPECT_EQ(parameter.wordsAt56[8], 0);
    EXPECT_STREQ(parameter.textAt80.c_str(), L"");
    EXPECT_EQ(parameter.currentValue, nullptr);
}

TEST(DescriptionRecords, FieldDescriptionIsReadAsFarAsItsDeclaredSize) {
    struct Row {
        uint32_t declaredSize;
        bool textAt32Copied;
        bool fieldAt68Copied;
    };
    const Row rows[] = {{36, false, false}, {40, true, false}, {68, true, false}, {72, true, true}};
    for (const Row& row : rows) {
        DbFieldDescription source;
        source.fieldAt0 = 0x1122334455667788;
        source.name = DuplicateText(L"Amount");
        source.description = DuplicateText(L"");
        source.textAt32 = DuplicateText(L"late");
        source.valueType = currencyValue;
        source.length = 8;
        source.typeOptions = 3;
        source.fieldAt64 = 4;
        source.fieldAt68 = 5;
        source.size = row.declaredSize;

        DbFieldDescription* copy = DuplicateFieldDescription(&source);
        EXPECT_EQ(copy->size, 72u);
        EXPECT_EQ(copy->fieldAt0, source.fieldAt0);
        EXPECT_STREQ(copy->name, L"Amount");
        EXPECT_NE(copy->name, source.name);
        EXPECT_STREQ(copy->description, L"");
        EXPECT_EQ(copy->textAt16, nullptr);
        EXPECT_EQ(copy->valueType, static_cast<uint32_t>(currencyValue));
        EXPECT_EQ(copy->length, 8u);
        EXPECT_EQ(copy->typeOptions, 3u);
        EXPECT_EQ(copy->fieldAt64, 4u);
        if (row.textAt32Copied)
            EXPECT_STREQ(copy->textAt32, L"late") << row.declaredSize;
        else
            EXPECT_EQ(copy->textAt32, nullptr) << row.declaredSize;
        EXPECT_EQ(copy->fieldAt68, row.fieldAt68Copied ? 5u : 0u) << row.declaredSize;
        DeleteRecord(copy);
    }
    DbFieldDescription* defaults = DuplicateFieldDescription(nullptr);
    EXPECT_EQ(defaults->fieldAt40, 1u);
    DeleteRecord(defaults);
}

TEST(DescriptionRecords, ParameterDescriptionIsReadAsFarAsItsDeclaredSize) {
    for (uint32_t declaredSize : {60u, 64u, 70u, 76u, 112u, 120u}) {
        DbParameterDescription source;
        source.name = DuplicateText(L"from");
        source.secondName = DuplicateText(L"from");
        source.fieldAt32 = 1;
        source.valueType = dateValue;
        source.length = 12;
        source.typeOptions = 1;
        source.fieldAt48 = 2;
        for (uint16_t i = 0; i < 10; ++i) source.wordsAt56[i] = static_cast<uint16_t>(100 + i);
        source.textAt80.Assign(L"slot");
        source.fieldAt112 = 77;
        source.size = declaredSize;

        DbParameterDescription* copy = DuplicateParameterDescription(&source);
        EXPECT_EQ(copy->size, 120u);
        EXPECT_STREQ(copy->name, L"from");
        EXPECT_STREQ(copy->secondName, L"from");
        EXPECT_EQ(copy->valueType, static_cast<uint32_t>(dateValue));
        EXPECT_EQ(copy->length, 12u);
        EXPECT_EQ(copy->typeOptions, 1u);
        EXPECT_EQ(copy->fieldAt48, 2u);
        for (size_t i = 0; i < 10; ++i) {
            const bool reached = i < 3 || declaredSize >= 58 + 2 * i;
            const int unread = i == 9 ? 1 : 0;
            EXPECT_EQ(copy->wordsAt56[i], reached ? static_cast<int>(100 + i) : unread)
                << "size " << declaredSize << " word " << i;
        }
        EXPECT_STREQ(copy->textAt80.c_str(), declaredSize >= 112 ? L"slot" : L"") << declaredSize;
        EXPECT_EQ(copy->fieldAt112, declaredSize >= 120 ? 77u : 0u) << declaredSize;
        DeleteRecord(copy);
    }
}

TEST(DescriptionRecords, ParameterValuesAreDeepCopies) {
    DbParameterDescription source;
    source.currentValue = NewValue(int32sValue);
    SetInteger(*source.currentValue, 8);

    DbParameterDescription* copy = DuplicateParameterDescription(&source);
    ASSERT_NE(copy->currentValue, nullptr);
    EXPECT_NE(copy->currentValue, source.currentValue);
    EXPECT_EQ(IntegerOf(*copy->currentValue), 8);
    ASSERT_NE(copy->secondValue, nullptr) << "a missing second value becomes an empty value";
    EXPECT_EQ(copy->secondValue->kind, noValueKind);
    EXPECT_EQ(copy->secondValue->valueType, static_cast<uint32_t>(noValueType));
    DeleteRecord(copy);

    DbParameterDescription* defaults = DuplicateParameterDescription(nullptr);
    EXPECT_EQ(defaults->currentValue, nullptr);
    EXPECT_EQ(defaults->secondValue, nullptr);
    DeleteRecord(defaults);
}
