#include "common/dbproperty.h"

#include "common/resultCodes.h"
#include "common/dbconvert.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"
#include "platform/dbAssert.h"

namespace {

constexpr uint32_t kPropertySize = 64;

// Setting a value needs one; a property the engine built may come without.
DbValue& ValueToSet(DbProperty& property) {
    DB_ASSERT_TEXT(property.value != nullptr, "FALSE");
    if (!property.value) property.value = NewValue(noValueType);
    return *property.value;
}

}  // namespace

DbProperty::DbProperty()
    : size(kPropertySize),
      name(nullptr),
      displayName(nullptr),
      description(nullptr),
      valueType(noValueType),
      value(NewValue(noValueType)),
      flags(0),
      children(nullptr) {}

// Delegating first makes the destructor free whatever was copied when a copy fails.
DbProperty::DbProperty(const DbProperty& source) : DbProperty() {
    name = DuplicateText(source.name);
    displayName = DuplicateText(source.displayName);
    description = DuplicateText(source.description);
    valueType = source.valueType;
    flags = source.flags;
    AssignValue(*value, source.value);
    DB_ASSERT_TEXT(source.value != nullptr, "value != NULL");
    if (source.children) children = NewRecord<DbPropertyCollection>(*source.children);
}

DbProperty::~DbProperty() {
    FreeText(name);
    FreeText(displayName);
    FreeText(description);
    DeleteValue(value);
    DeleteRecord(children);
}

void PropertyDeleter::operator()(DbProperty* property) const { DeleteRecord(property); }

int32_t AddChildProperty(DbProperty& property, const DbProperty* child) {
    if (!child) return DbSuccess;
    if (!property.children) property.children = NewRecord<DbPropertyCollection>();
    AddProperty(*property.children, child);
    return DbSuccess;
}

int32_t SetValueFromBuffer(DbProperty& property, void* data, bool copy) {
    SetDiscreteValue(ValueToSet(property), property.valueType, data, copy);
    return DbSuccess;
}

int32_t SetStringValue(DbProperty& property, const wchar_t* text) {
    if (property.valueType != stringValue) {
        DB_ASSERT_TEXT(false, "false");
        return DbFailed;
    }
    SetDiscreteValue(ValueToSet(property), stringValue, const_cast<wchar_t*>(text), true);
    return DbSuccess;
}

SWCharString GetValueAsString(const DbProperty& property) {
    return property.value ? ValueToString(*property.value) : SWCharString();
}
