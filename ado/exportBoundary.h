#pragma once
// No exception may cross an export: each runs its work through this boundary. A COM error
// becomes a result code, and an error record when the engine passed its error list.

#include <cstdint>
#include <new>

#include "ado/adoCommon.h"
#include "common/resultCodes.h"
#include "common/comError.h"

// The inner handlers report; the outer ones catch what reporting itself may throw.
template <class Work>
int32_t RunExport(Work&& work) noexcept {
    try {
        try {
            return work();
        } catch (const ComError& error) {
            return ResultCodeFromComError(error);
        }
    } catch (const std::bad_alloc&) {
        return DbOutOfMemory;
    } catch (...) {
        return DbFailed;
    }
}

// For operations given the engine's error list: a COM error adds a record labelled in
// languageName, and its code is chosen from the HRESULT and defaultCode. The language is taken
// as plain text so that no copy is made outside the guard.
template <class Work>
int32_t RunExport(DbErrorInfo** errorInfo, const wchar_t* languageName, int32_t defaultCode,
                  Work&& work) noexcept {
    try {
        try {
            return work();
        } catch (const ComError& error) {
            // Without a list nothing is added, but the operation's own default code still holds.
            return ReportComError(error, errorInfo, languageName, defaultCode);
        }
    } catch (const std::bad_alloc&) {
        return DbOutOfMemory;
    } catch (...) {
        return DbFailed;
    }
}
