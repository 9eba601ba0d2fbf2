#include "common/descriptionRecords.h"

#include <memory>

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"

namespace {

constexpr uint32_t kFieldDescriptionSize = 72;
constexpr uint32_t kParameterDescriptionSize = 120;

template <class Record>
struct RecordDeleter {
    void operator()(Record* record) const { DeleteRecord(record); }
};
template <class Record>
using RecordHolder = std::unique_ptr<Record, RecordDeleter<Record>>;

// True when a source of the declared size holds the whole field that ends at fieldEnd.
bool Reaches(uint32_t declaredSize, size_t fieldEnd) { return declaredSize >= fieldEnd; }

}  // namespace

DbFieldDescription::DbFieldDescription()
    : fieldAt0(0),
      name(nullptr),
      textAt16(nullptr),
      description(nullptr),
      textAt32(nullptr),
      fieldAt40(1),
      fieldAt44(0),
      valueType(noValueType),
      length(0),
      size(kFieldDescriptionSize),
      typeOptions(0),
      fieldAt64(0),
      fieldAt68(0) {}

DbFieldDescription::~DbFieldDescription() {
    FreeText(name);
    FreeText(textAt16);
    FreeText(description);
    FreeText(textAt32);
}

DbOwnedText::DbOwnedText() : text_(DuplicateText(L"")), unused_() {}

DbOwnedText::~DbOwnedText() { FreeText(text_); }

void DbOwnedText::Assign(const wchar_t* text) {
    wchar_t* copy = DuplicateText(text ? text : L"");
    FreeText(text_);
    text_ = copy;
}

DbParameterDescription::DbParameterDescription()
    : name(nullptr),
      secondName(nullptr),
      currentValue(nullptr),
      secondValue(nullptr),
      fieldAt32(0),
      valueType(noValueType),
      length(0),
      typeOptions(0),
      fieldAt48(0),
      size(kParameterDescriptionSize),
      wordsAt56{0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
      textAt80(),
      fieldAt112(0) {}

DbParameterDescription::~DbParameterDescription() {
    FreeText(name);
    FreeText(secondName);
    DeleteValue(currentValue);
    DeleteValue(secondValue);
}

DbFieldDescription* DuplicateFieldDescription(const DbFieldDescription* source) {
    RecordHolder<DbFieldDescription> copy(NewRecord<DbFieldDescription>());
    if (source) {
        copy->fieldAt0 = source->fieldAt0;
        copy->name = DuplicateText(source->name);
        copy->textAt16 = DuplicateText(source->textAt16);
        copy->description = DuplicateText(source->description);
        copy->fieldAt40 = source->fieldAt40;
        copy->fieldAt44 = source->fieldAt44;
        copy->valueType = source->valueType;
        copy->length = source->length;
        copy->typeOptions = source->typeOptions;
        copy->fieldAt64 = source->fieldAt64;
        // Older, shorter layouts end before these fields.
        if (Reaches(source->size, offsetof(DbFieldDescription, fieldAt40)))
            copy->textAt32 = DuplicateText(source->textAt32);
        if (Reaches(source->size, sizeof(DbFieldDescription))) copy->fieldAt68 = source->fieldAt68;
    }
    return copy.release();
}

DbParameterDescription* DuplicateParameterDescription(const DbParameterDescription* source) {
    RecordHolder<DbParameterDescription> copy(NewRecord<DbParameterDescription>());
    if (!source) return copy.release();

    copy->name = DuplicateText(source->name);
    copy->secondName = DuplicateText(source->secondName);
    copy->fieldAt32 = source->fieldAt32;
    copy->valueType = source->valueType;
    copy->length = source->length;
    copy->typeOptions = source->typeOptions;
    copy->fieldAt48 = source->fieldAt48;
    for (size_t i = 0; i < 3; ++i) copy->wordsAt56[i] = source->wordsAt56[i];
    // Older, shorter layouts end before some of the later 16-bit fields and the fields after them.
    for (size_t i = 3; i < 10; ++i) {
        size_t fieldEnd = offsetof(DbParameterDescription, wordsAt56) + (i + 1) * sizeof(uint16_t);
        if (Reaches(source->size, fieldEnd)) copy->wordsAt56[i] = source->wordsAt56[i];
    }
    if (source->currentValue) copy->currentValue = NewRecord<DbValue>(*source->currentValue);
    if (Reaches(source->size, sizeof(DbParameterDescription))) copy->fieldAt112 = source->fieldAt112;
    copy->secondValue = source->secondValue ? NewRecord<DbValue>(*source->secondValue) : NewValue(noValueType);
    if (Reaches(source->size, offsetof(DbParameterDescription, fieldAt112)))
        copy->textAt80.Assign(source->textAt80.c_str());
    return copy.release();
}
