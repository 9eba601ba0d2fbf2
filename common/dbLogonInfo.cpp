#include "common/dbLogonInfo.h"

#include "common/dbvalue.h"
#include "common/duplicateText.h"
#include "common/heapRecord.h"
#include "common/propcoll.h"

namespace {
constexpr uint32_t kLogonInfoSize = 40;
}

DbLogonInfo::DbLogonInfo()
    : properties(NewRecord<DbPropertyCollection>()),
      text(nullptr),
      value(nullptr),
      reserved(0),
      size(kLogonInfoSize),
      ownsText(1) {}

DbLogonInfo::~DbLogonInfo() {
    DeleteRecord(properties);
    if (ownsText) FreeText(text);
    DeleteValue(value);
}

DbLogonInfo* NewLogonInfo() { return NewRecord<DbLogonInfo>(); }

void DeleteLogonInfo(DbLogonInfo* logonInfo) { DeleteRecord(logonInfo); }

void LogonInfoDeleter::operator()(DbLogonInfo* logonInfo) const { DeleteLogonInfo(logonInfo); }
