#include "driverFailure.h"

#include "common/resultCodes.h"

std::string ResultMeaning(int32_t result) {
    switch (result) {
    case DbSuccess: return "success";
    case DbOutOfMemory: return "out of memory";
    case DbFailed: return "the operation failed";
    case DbInvalidArgument: return "an argument is missing or names nothing known, such as an unregistered Program ID";
    case DbNotSupported: return "not supported";
    case DbNoInfo: return "no information";
    case DbLogonIncomplete: return "the logon is incomplete";
    case DbProviderNotCreated: return "the provider object could not be created";
    case DbChapterNotOpened: return "a chapter could not be opened";
    case DbMethodNotExecuted: return "the provider's method failed or could not be called";
    case DbNoSuchField: return "no such field";
    case DbNoMoreRecords: return "no more records";
    case DbMoveFirstFailed: return "the move to the first record failed";
    case DbNotConvertible: return "a value does not convert";
    case DbBufferTooSmall: return "a buffer is too small";
    case DbParameterTypeUnknown: return "a parameter's type has no automation form";
    default: return "unknown result";
    }
}
