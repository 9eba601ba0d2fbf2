#include "common/dbTableInfo.h"

#include <cstdlib>

#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

namespace {

constexpr uint32_t kTableInfoSize = 112;

void FreeTextArray(wchar_t** texts, uint32_t count) {
    if (!texts) return;
    for (uint32_t i = 0; i < count; ++i) FreeText(texts[i]);
    std::free(texts);
}

}  // namespace

DbTableInfo::DbTableInfo()
    : firstText(nullptr),
      secondText(nullptr),
      thirdText(nullptr),
      textArray(nullptr),
      fourthText(nullptr),
      fifthText(nullptr),
      sixthText(nullptr),
      ownedText(nullptr),
      parallelTextArray(nullptr),
      properties(NewRecord<DbPropertyCollection>()),
      field80(0),
      size(kTableInfoSize),
      field88(0),
      entryCount(0),
      kind(1),
      field100(0),
      field102(0),
      field104(0),
      ownsText(1),
      field108(0) {}

DbTableInfo::~DbTableInfo() {
    FreeText(firstText);
    FreeText(secondText);
    FreeText(thirdText);
    FreeText(fourthText);
    FreeTextArray(textArray, entryCount);
    FreeTextArray(parallelTextArray, entryCount);
    FreeText(fifthText);
    FreeText(sixthText);
    if (ownsText) FreeText(ownedText);
    DeleteRecord(properties);
}

DbTableInfo* NewTableInfo() { return NewRecord<DbTableInfo>(); }

void DeleteTableInfo(DbTableInfo* tableInfo) { DeleteRecord(tableInfo); }
