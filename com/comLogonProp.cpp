#include "com/comLogonProp.h"

#include "common/resourceStrings.h"
#include "common/resultCodes.h"
#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"
#include "platform/dbAssert.h"

namespace {

constexpr UINT kDialogCaptionString = 1;
constexpr UINT kProgramIdString = 2;
constexpr UINT kConnectionString = 4;
constexpr UINT kConnectionPromptString = 5;

const wchar_t kServerNameKey[] = L"PreQEServerName";
const wchar_t kDialogCaption[] = L"PropInfo_DialogCaption";
const wchar_t kTab[] = L"PropInfo_Tab";
const wchar_t kTabProperties[] = L"PropInfo_TabProperties";
const wchar_t kUiControlType[] = L"PropInfo_UiControlType";

// The input control of the Program ID field.
constexpr uint32_t kProgramIdControlType = 1;

PropertyOwner MakeProperty(const wchar_t* name, uint32_t valueType = noValueType) {
    PropertyOwner property(NewRecord<DbProperty>());
    property->name = DuplicateText(name);
    property->valueType = valueType;
    return property;
}

// The name is the key the engine hands back, so it never follows the user's language.
PropertyOwner MakeProgramIdProperty(const SWCharString& languageName, const SWCharString& programId) {
    PropertyOwner property = MakeProperty(LoadResourceString(kProgramIdString, SWCharString()), stringValue);
    property->displayName = DuplicateText(LoadResourceString(kProgramIdString, languageName));
    if (!programId.isEmpty()) SetStringValue(*property, programId);
    return property;
}

}  // namespace

int32_t ExtractProgramId(const DbPropertyCollection& collection, SWCharString& programId) {
    const SWCharString key = LoadResourceString(kProgramIdString, SWCharString());
    // The fields of the tabs are what the user edited; without tabs the top level is.
    DbPropertyCollection fields;
    MergeGroupedProperties(collection, fields, kTabProperties);
    if (fields.count == 0) AddAllProperties(fields, collection);
    for (uint32_t i = 0; i < fields.count; ++i) {
        const DbProperty* property = fields.items[i];
        DB_ASSERT_TEXT(property != nullptr, "FALSE");
        if (!property || !property->name) continue;
        const SWCharString name = property->name;
        if (name.compareNoCase(key) == 0 || name.compareNoCase(kServerNameKey) == 0)
            programId = GetValueAsString(*property);
    }
    return DbSuccess;
}

int32_t BuildLogonProperties(DbPropertyCollection& collection, const SWCharString& languageName,
                             const SWCharString& programId, bool fullDialog) {
    PropertyOwner programIdField = MakeProgramIdProperty(languageName, programId);
    if (!fullDialog) {
        AddProperty(collection, programIdField.get());
        return DbSuccess;
    }

    PropertyOwner caption = MakeProperty(kDialogCaption, stringValue);
    SetStringValue(*caption, LoadResourceString(kDialogCaptionString, languageName));
    AddProperty(collection, caption.get());

    PropertyOwner tab = MakeProperty(LoadResourceString(kConnectionString, languageName));
    tab->description = DuplicateText(LoadResourceString(kConnectionPromptString, languageName));
    AddChildProperty(*tab, MakeProperty(kTab).get());

    PropertyOwner controlType = MakeProperty(kUiControlType, int32uValue);
    uint32_t control = kProgramIdControlType;
    SetValueFromBuffer(*controlType, &control, true);
    AddChildProperty(*programIdField, controlType.get());

    PropertyOwner tabProperties = MakeProperty(kTabProperties);
    AddChildProperty(*tabProperties, programIdField.get());
    AddChildProperty(*tab, tabProperties.get());
    AddProperty(collection, tab.get());
    return DbSuccess;
}
