#pragma once
// Result codes of the exports; 0 is success.

#include <cstdint>

enum DbResultCode : int32_t {
    DbSuccess = 0,
    DbOutOfMemory = 10,
    DbFailed = 11,
    DbInvalidArgument = 12,
    DbNotSupported = 13,
    DbNoInfo = 100,
    DbLogonIncomplete = 202,
    DbProviderNotCreated = 230,
    DbChapterNotOpened = 302,
    DbMethodNotExecuted = 303,
    DbNoSuchField = 400,
    DbNoMoreRecords = 500,
    DbMoveFirstFailed = 501,
    DbNotConvertible = 600,
    DbBufferTooSmall = 601,
    DbParameterTypeUnknown = 808,
};
