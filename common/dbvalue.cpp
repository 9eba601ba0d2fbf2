#include "common/dbvalue.h"

#include "common/resultCodes.h"
#include "common/descriptionRecords.h"
#include "common/heapRecord.h"
#include "common/valueData.h"
#include "platform/dbAssert.h"

namespace {

constexpr uint32_t kValueSize = 24;
constexpr uint32_t kRangeValueSize = 40;
constexpr uint32_t kMultipleValuesSize = 16;

void DeleteEntries(DbValue** values, uint32_t count) {
    if (values)
        for (uint32_t i = 0; i < count; ++i) DeleteValue(values[i]);
    std::free(values);
}

DbValue* NewRangeEnd(uint32_t valueType, const DbValue* source) {
    return source ? NewRecord<DbValue>(*source) : NewValue(valueType);
}

DbMultipleValues* DuplicateMultipleValues(const DbMultipleValues& source) {
    DbMultipleValues* copy = NewRecord<DbMultipleValues>(source.count, noValueType);
    try {
        for (uint32_t i = 0; i < source.count; ++i)
            AssignValue(*copy->values[i], source.values ? source.values[i] : nullptr);
    } catch (...) {
        DeleteRecord(copy);
        throw;
    }
    return copy;
}

// A deep copy of what the source's data points to; the kind must be valid.
void* DuplicateKindData(const DbValue& source) {
    switch (source.kind) {
    case discreteValueKind:
        return DuplicateValueData(source.data, source.valueType);
    case rangeValueKind: {
        const auto* range = static_cast<const DbRangeValue*>(source.data);
        if (!range) return nullptr;
        return NewRecord<DbRangeValue>(source.valueType, range->startValue, range->startFlag, range->endValue,
                                       range->endFlag);
    }
    case multipleValuesKind: {
        const auto* list = static_cast<const DbMultipleValues*>(source.data);
        return list ? DuplicateMultipleValues(*list) : nullptr;
    }
    case fieldDescriptionKind:
        return DuplicateFieldDescription(static_cast<const DbFieldDescription*>(source.data));
    case parameterDescriptionKind:
        return DuplicateParameterDescription(static_cast<const DbParameterDescription*>(source.data));
    default:
        return nullptr;
    }
}

}  // namespace

DbValue::DbValue(uint32_t type) : size(kValueSize), kind(noValueKind), valueType(type), data(nullptr) {}

DbValue::DbValue(const DbValue& source) : DbValue(noValueType) { AssignValue(*this, &source); }

DbValue& DbValue::operator=(const DbValue& source) {
    AssignValue(*this, &source);
    return *this;
}

DbValue::~DbValue() { ClearValue(*this); }

DbRangeValue::DbRangeValue(uint32_t valueType, const DbValue* start, uint16_t startFlag, const DbValue* end,
                           uint16_t endFlag)
    : size(kRangeValueSize),
      startValue(NewRangeEnd(valueType, start)),
      startFlag(startFlag),
      endValue(nullptr),
      endFlag(endFlag) {
    try {
        endValue = NewRangeEnd(valueType, end);
    } catch (...) {
        DeleteValue(startValue);
        throw;
    }
    DB_ASSERT_TEXT(startValue != nullptr && !startValue->hasRangeValue() && !startValue->hasMultipleValues(),
                   "startValue != NULL && !startValue->hasRangeValue () && !startValue->hasMultipleValues ()");
    DB_ASSERT_TEXT(endValue != nullptr && !endValue->hasRangeValue() && !endValue->hasMultipleValues(),
                   "endValue != NULL && !endValue->hasRangeValue () && !endValue->hasMultipleValues ()");
}

DbRangeValue::~DbRangeValue() {
    DeleteValue(startValue);
    DeleteValue(endValue);
}

DbMultipleValues::DbMultipleValues(uint32_t count, uint32_t valueType)
    : size(kMultipleValuesSize), count(0), values(nullptr) {
    if (count == 0) return;
    values = static_cast<DbValue**>(AllocateZeroed(count * sizeof(DbValue*)));
    try {
        for (; this->count < count; ++this->count) values[this->count] = NewValue(valueType);
    } catch (...) {
        DeleteEntries(values, this->count);
        throw;
    }
}

DbMultipleValues::~DbMultipleValues() { DeleteEntries(values, count); }

int32_t AssignValue(DbValue& destination, const DbValue* source) {
    if (source == &destination) return DbSuccess;
    if (!source) {
        ClearValue(destination);
        return DbSuccess;
    }
    if (source->kind > parameterDescriptionKind) {
        const uint32_t valueType = source->valueType;
        ClearValue(destination);
        destination.valueType = valueType;
        DB_ASSERT_TEXT(false, "FALSE");
        return DbFailed;
    }
    // The copy is complete before the destination lets go of its data, so a source inside the
    // destination stays readable and a failed copy leaves the destination unchanged.
    const uint32_t kind = source->kind;
    const uint32_t valueType = source->valueType;
    void* data = DuplicateKindData(*source);
    ClearValue(destination);
    destination.valueType = valueType;
    destination.kind = kind;
    destination.data = data;
    return DbSuccess;
}

void ClearValue(DbValue& value) {
    switch (value.kind) {
    case noValueKind:
        DB_ASSERT_TEXT(value.data == nullptr, "value == NULL");
        break;
    case discreteValueKind:
        FreeValueData(value.data, value.valueType);
        break;
    case rangeValueKind:
        DeleteRecord(static_cast<DbRangeValue*>(value.data));
        break;
    case multipleValuesKind:
        DeleteRecord(static_cast<DbMultipleValues*>(value.data));
        break;
    case fieldDescriptionKind:
        DeleteRecord(static_cast<DbFieldDescription*>(value.data));
        break;
    case parameterDescriptionKind:
        DeleteRecord(static_cast<DbParameterDescription*>(value.data));
        break;
    default:
        DB_ASSERT_TEXT(false, "FALSE");
        break;
    }
    value.kind = noValueKind;
    value.data = nullptr;
}

void SetDiscreteValue(DbValue& value, uint32_t valueType, void* data, bool copy) {
    void* owned = copy ? DuplicateValueData(data, valueType) : data;
    ClearValue(value);
    value.valueType = valueType;
    value.data = owned;
    value.kind = owned ? discreteValueKind : noValueKind;
}

DbValue* NewValue(uint32_t valueType) { return NewRecord<DbValue>(valueType); }

void DeleteValue(DbValue* value) { DeleteRecord(value); }
